#include "fileops/item_operations.hpp"

#include <array>
#include <cerrno>
#include <cstdio>
#include <sys/stat.h>

#include "fileops/collision_names.hpp"
#include "fileops/staging.hpp"
#include "i18n/messages.hpp"
#include "platform/base/os_error.hpp"
#include "platform/base/utf8.hpp"
#include "platform/ui/opener.hpp"

namespace file_explorer {

namespace fs = std::filesystem;

namespace {

// The UTF-8 encodings of the Unicode White_Space characters.
constexpr std::array<std::string_view, 25> kWhiteSpace = {
    "\t",           "\n",           "\v",           "\f",           "\r",           " ",
    "\xc2\x85",     "\xc2\xa0",     "\xe1\x9a\x80", "\xe2\x80\x80", "\xe2\x80\x81", "\xe2\x80\x82",
    "\xe2\x80\x83", "\xe2\x80\x84", "\xe2\x80\x85", "\xe2\x80\x86", "\xe2\x80\x87", "\xe2\x80\x88",
    "\xe2\x80\x89", "\xe2\x80\x8a", "\xe2\x80\xa8", "\xe2\x80\xa9", "\xe2\x80\xaf", "\xe2\x81\x9f",
    "\xe3\x80\x80",
};

bool is_link(const fs::path& path)
{
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode);
}

} // namespace

std::string_view trim_unicode_whitespace(std::string_view text)
{
    for (bool changed = true; changed && !text.empty();) {
        changed = false;
        for (auto space : kWhiteSpace) {
            if (text.starts_with(space)) {
                text.remove_prefix(space.size());
                changed = true;
            }
            if (text.ends_with(space)) {
                text.remove_suffix(space.size());
                changed = true;
            }
        }
    }
    return text;
}

vask_base::Result<std::string> validate_item_name(std::string_view typed)
{
    std::string_view name = trim_unicode_whitespace(typed);
    if (name.empty())
        return vask_base::failure(i18n::message("files-name-empty"));
    if (name.find('/') != std::string_view::npos || name == "." || name == "..")
        return vask_base::failure(i18n::message("files-name-slash"));
    if (name.find('\0') != std::string_view::npos)
        return vask_base::failure(kNulInPathText);
    return std::string(name);
}

OperationOutcome rename_item(const fs::path& path, std::string_view typed)
{
    auto name = validate_item_name(typed);
    if (!name)
        return std::unexpected(name.error());
    // Only the root (or nothing) lacks a parent; a bare name's parent is the current folder.
    auto item = item_name_bytes(path);
    std::string_view text = path.native();
    while (text.size() > 1 && text.back() == '/')
        text.remove_suffix(1);
    if (!item || text == "/")
        return vask_base::failure(i18n::message("files-no-parent"));
    fs::path parent = fs::path(text).parent_path();
    fs::path target = parent.empty() ? fs::path(*name) : parent / *name;
    if (target == fs::path(text))
        return target;
    struct stat st {};
    if (::lstat(target.c_str(), &st) == 0) {
        // Only another spelling of the same item (for example a case change on a file system
        // that ignores case) may proceed; links never count as the same item.
        std::error_code a, b;
        bool same = !S_ISLNK(st.st_mode) && !is_link(path) &&
                    fs::canonical(target, a) == fs::canonical(path, b) && !a && !b;
        if (!same)
            return vask_base::failure(i18n::message_with_args("files-name-exists", {{"name", *name}}));
    }
    if (std::rename(path.c_str(), target.c_str()) != 0)
        return vask_base::last_os_failure();
    return target;
}

OperationOutcome create_folder(const fs::path& folder, std::string_view typed)
{
    auto name = validate_item_name(typed);
    if (!name) {
        if (trim_unicode_whitespace(typed).empty())
            return vask_base::failure(i18n::message("files-folder-name-empty"));
        return std::unexpected(name.error());
    }
    NamePieces pieces = name_pieces(*name);
    for (int n = 1; n <= kMaxCandidate; ++n) {
        fs::path candidate = folder / candidate_name(pieces, n);
        auto is_free = inspect_destination(candidate);
        if (!is_free)
            return std::unexpected(is_free.error());
        if (!*is_free)
            continue;
        if (::mkdir(candidate.c_str(), 0777) == 0)
            return candidate;
        // Another program may take the name between the check and the creation: try the next one.
        if (errno != EEXIST)
            return vask_base::last_os_failure();
    }
    return vask_base::failure(names_exhausted_text(*name, folder));
}

vask_base::Status open_with_desktop_opener(const fs::path& path)
{
    if (!vask_base::is_valid_utf8(path.native()))
        return vask_base::failure("the desktop opener takes UTF-8 paths");
    return vask_ui::opener::open_with_desktop(path);
}

} // namespace file_explorer
