#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace vask_actions {

// A resource id: `kind`, a colon, and `key`.
std::string resource_id(std::string_view kind, std::string_view key);

// The two halves of a resource id, split at its first colon.
struct ResourceIdParts {
    std::string_view kind;
    std::string_view key;
};

// Splits `id` into kind and key; none when it has no colon or either half is empty.
std::optional<ResourceIdParts> split_resource_id(std::string_view id);

// The key of a local file-system path: SHA-256 over a fixed 30-byte version label, the path's
// byte length as a 64-bit big-endian integer and the path's bytes, cut to the first 16 digest
// bytes, as 32 lower-case hex digits. Depends only on the path's bytes, which need not be UTF-8.
std::string local_resource_key(const std::filesystem::path& path);

// The first 16 bytes of the SHA-256 of the path's bytes alone, as 32 lower-case hex digits.
std::string path_digest_key(const std::filesystem::path& path);

} // namespace vask_actions
