#include "platform/base/sha256.hpp"

#include <cstdio>
#include <cstdlib>
#include <utility>

#include <openssl/evp.h>

namespace vask_base {

namespace {

// libcrypto fails here only when it is out of memory or misconfigured; the hasher
// cannot report that as a value without making every caller handle it, so it stops.
void require(int ok, const char* what)
{
    if (ok == 1)
        return;
    std::fprintf(stderr, "SHA-256: %s failed\n", what);
    std::abort();
}

} // namespace

Sha256::Sha256() : m_context(EVP_MD_CTX_new())
{
    if (m_context == nullptr)
        require(0, "EVP_MD_CTX_new");
    require(EVP_DigestInit_ex(m_context, EVP_sha256(), nullptr), "EVP_DigestInit_ex");
}

Sha256::~Sha256()
{
    EVP_MD_CTX_free(m_context);
}

Sha256::Sha256(Sha256&& other) noexcept : m_context(std::exchange(other.m_context, nullptr)) {}

Sha256& Sha256::operator=(Sha256&& other) noexcept
{
    std::swap(m_context, other.m_context);
    return *this;
}

void Sha256::update(std::span<const std::uint8_t> bytes)
{
    if (m_context == nullptr) // moved-from: start afresh rather than crash
        *this = Sha256();
    if (!bytes.empty())
        require(EVP_DigestUpdate(m_context, bytes.data(), bytes.size()), "EVP_DigestUpdate");
}

void Sha256::update(std::string_view text)
{
    update(std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

Sha256Digest Sha256::finish()
{
    if (m_context == nullptr)
        *this = Sha256();
    Sha256Digest digest{};
    unsigned int length = 0;
    require(EVP_DigestFinal_ex(m_context, digest.data(), &length), "EVP_DigestFinal_ex");
    if (length != digest.size())
        require(0, "digest length");
    require(EVP_DigestInit_ex(m_context, EVP_sha256(), nullptr), "EVP_DigestInit_ex");
    return digest;
}

Sha256Digest sha256(std::span<const std::uint8_t> bytes)
{
    Sha256 hasher;
    hasher.update(bytes);
    return hasher.finish();
}

Sha256Digest sha256(std::string_view text)
{
    Sha256 hasher;
    hasher.update(text);
    return hasher.finish();
}

} // namespace vask_base
