#include "fileops/collision_names.hpp"

#include <cerrno>
#include <sys/stat.h>

#include <fmt/format.h>

#include "i18n/messages.hpp"
#include "platform/base/os_error.hpp"
#include "platform/base/utf8.hpp"

namespace file_explorer {

StemSplit split_stem(std::string_view name)
{
    if (name == "..")
        return {name, std::nullopt};
    auto dot = name.rfind('.');
    if (dot == std::string_view::npos || dot == 0)
        return {name, std::nullopt};
    return {name.substr(0, dot), name.substr(dot + 1)};
}

std::optional<std::string> item_name_bytes(const std::filesystem::path& path)
{
    std::string_view text = path.native();
    while (text.size() > 1 && text.back() == '/')
        text.remove_suffix(1);
    auto slash = text.rfind('/');
    std::string_view last = slash == std::string_view::npos ? text : text.substr(slash + 1);
    if (last.empty() || last == "." || last == "..")
        return std::nullopt;
    return std::string(last);
}

NamePieces name_pieces(std::string_view name)
{
    auto split = split_stem(name);
    NamePieces pieces{std::string(name), std::string(split.stem), std::nullopt};
    if (split.extension)
        pieces.extension = std::string(*split.extension);
    return pieces;
}

std::string candidate_name(const NamePieces& pieces, int n)
{
    if (n <= 1)
        return pieces.name;
    if (pieces.extension)
        return fmt::format("{} {}.{}", pieces.stem, n, *pieces.extension);
    return fmt::format("{} {}", pieces.stem, n);
}

vask_base::Result<bool> inspect_destination(const std::filesystem::path& path)
{
    struct stat st {};
    if (::lstat(path.c_str(), &st) == 0)
        return false;
    int error = errno;
    if (error == ENOENT)
        return true;
    return vask_base::failure(i18n::message_with_args(
        "files-destination-inspect-failed",
        {{"path", vask_base::lossy_utf8(path)}, {"error", vask_base::os_error_text(error)}}));
}

std::string names_exhausted_text(std::string_view name_bytes, const std::filesystem::path& folder)
{
    return i18n::message_with_args(
        "files-destination-names-exhausted",
        {{"name", vask_base::lossy_utf8(name_bytes)}, {"path", vask_base::lossy_utf8(folder)}});
}

} // namespace file_explorer
