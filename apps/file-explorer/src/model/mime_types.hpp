#pragma once

#include <filesystem>
#include <string_view>

namespace file_explorer {

inline constexpr std::string_view kOctetStream = "application/octet-stream";
inline constexpr std::string_view kDirectoryMime = "inode/directory";

// MIME type essence guessed from a file name's extension (case-insensitive); the text is static.
// Names without an extension (including ".bashrc") and unknown extensions give "application/octet-stream".
std::string_view mime_type_for_name(std::string_view file_name);

inline std::string_view mime_type_for_path(const std::filesystem::path& path)
{
    const std::string& native = path.native();
    auto slash = native.rfind('/');
    return mime_type_for_name(slash == std::string::npos ? std::string_view(native)
                                                         : std::string_view(native).substr(slash + 1));
}

} // namespace file_explorer
