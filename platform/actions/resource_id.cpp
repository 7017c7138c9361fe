#include "platform/actions/resource_id.hpp"

#include <array>
#include <cstdint>
#include <span>

#include "platform/base/hex.hpp"
#include "platform/base/sha256.hpp"

namespace vask_actions {

namespace {

// Versions the key derivation. The text ends in a backslash and the digit zero (two
// characters), not a NUL byte: 30 bytes in all.
constexpr std::string_view kLocalResourceLabel = "vask.files.local-resource.v1\\0";
static_assert(kLocalResourceLabel.size() == 30);

std::string first_half_hex(const vask_base::Sha256Digest& digest)
{
    return vask_base::to_hex(std::span(digest).first<16>());
}

} // namespace

std::string resource_id(std::string_view kind, std::string_view key)
{
    std::string id;
    id.reserve(kind.size() + 1 + key.size());
    id.append(kind).append(":").append(key);
    return id;
}

std::optional<ResourceIdParts> split_resource_id(std::string_view id)
{
    auto colon = id.find(':');
    if (colon == std::string_view::npos || colon == 0 || colon + 1 == id.size())
        return std::nullopt;
    return ResourceIdParts{id.substr(0, colon), id.substr(colon + 1)};
}

std::string local_resource_key(const std::filesystem::path& path)
{
    const std::string& bytes = path.native();
    std::array<std::uint8_t, 8> length{};
    auto size = static_cast<std::uint64_t>(bytes.size());
    for (int i = 7; i >= 0; --i, size >>= 8)
        length[std::size_t(i)] = std::uint8_t(size & 0xff);

    vask_base::Sha256 hasher;
    hasher.update(kLocalResourceLabel);
    hasher.update(length);
    hasher.update(bytes);
    return first_half_hex(hasher.finish());
}

std::string path_digest_key(const std::filesystem::path& path)
{
    return first_half_hex(vask_base::sha256(std::string_view(path.native())));
}

} // namespace vask_actions
