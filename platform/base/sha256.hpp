#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

struct evp_md_ctx_st;

namespace vask_base {

// A SHA-256 digest.
using Sha256Digest = std::array<std::uint8_t, 32>;

// The SHA-256 digest of `bytes` in one call.
Sha256Digest sha256(std::span<const std::uint8_t> bytes);

// The SHA-256 digest of the bytes of `text`.
Sha256Digest sha256(std::string_view text);

// Incremental SHA-256: feed any number of `update` calls, then `finish` once.
class Sha256 {
  public:
    Sha256();
    ~Sha256();
    Sha256(Sha256&& other) noexcept;
    Sha256& operator=(Sha256&& other) noexcept;
    Sha256(const Sha256&) = delete;
    Sha256& operator=(const Sha256&) = delete;

    void update(std::span<const std::uint8_t> bytes);
    void update(std::string_view text);
    // Returns the digest of everything fed so far; the hasher then starts over empty.
    Sha256Digest finish();

  private:
    evp_md_ctx_st* m_context = nullptr;
};

} // namespace vask_base
