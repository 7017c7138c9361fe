// Which files are archives, how member paths are confined, and where extraction puts an archive.
#include <cstdint>
#include <string>
#include <sys/stat.h>

#include "fileops/archive.hpp"
#include "fileops/archive_internal.hpp"
#include "fileops/collision_names.hpp"
#include "fileops/staging.hpp"
#include "platform/base/utf8.hpp"

namespace file_explorer {

namespace fs = std::filesystem;
using namespace archive_detail;

namespace {

void lower_ascii(std::string& text)
{
    for (char& c : text)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
}

// The last component as lower-cased text, or none when the path has no name.
std::optional<std::string> lowered_name(const fs::path& path)
{
    auto name = item_name_bytes(path);
    if (!name)
        return std::nullopt;
    std::string text = vask_base::lossy_utf8(std::string_view(*name));
    lower_ascii(text);
    return text;
}

// Removes every trailing repetition of `suffix`.
void trim_suffix_repeats(std::string& text, std::string_view suffix)
{
    while (text.ends_with(suffix))
        text.resize(text.size() - suffix.size());
}

bool exists_following_links(const fs::path& path)
{
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0;
}

} // namespace

bool has_archive_name(const fs::path& path)
{
    auto name = lowered_name(path);
    if (!name)
        return false;
    auto split = split_stem(*name);
    if (!split.extension)
        return false;
    if (*split.extension == "zip" || *split.extension == "tar" || *split.extension == "tgz")
        return true;
    return *split.extension == "gz" && split_stem(split.stem).extension == "tar";
}

bool is_archive(const fs::path& path)
{
    if (!has_archive_name(path) || holds_nul(path))
        return false;
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

namespace archive_detail {

vask_base::Result<std::string> sanitise_entry_path(std::string_view stored)
{
    if (stored.starts_with('/'))
        return vask_base::failure(kEscapesText);
    std::string joined;
    joined.reserve(stored.size());
    std::size_t start = 0;
    while (start <= stored.size()) {
        std::size_t slash = stored.find('/', start);
        if (slash == std::string_view::npos)
            slash = stored.size();
        std::string_view component = stored.substr(start, slash - start);
        if (component == "..")
            return vask_base::failure(kEscapesText);
        if (!component.empty() && component != ".") {
            if (!joined.empty())
                joined.push_back('/');
            joined.append(component);
        }
        start = slash + 1;
    }
    if (joined.empty())
        return vask_base::failure(kEmptyEntryText);
    return joined;
}

ArchiveFormat archive_format(const fs::path& archive)
{
    auto name = lowered_name(archive);
    if (!name)
        return ArchiveFormat::Tar;
    auto extension = split_stem(*name).extension;
    if (extension == "zip")
        return ArchiveFormat::Zip;
    if (extension == "gz" || extension == "tgz")
        return ArchiveFormat::GzipTar;
    return ArchiveFormat::Tar;
}

} // namespace archive_detail

fs::path extraction_destination(const fs::path& archive, const fs::path& current_folder)
{
    auto name = item_name_bytes(archive);
    std::string base = name && vask_base::is_valid_utf8(*name) ? *name : std::string("Archive");
    trim_suffix_repeats(base, ".gz");
    trim_suffix_repeats(base, ".tar");
    trim_suffix_repeats(base, ".zip");

    std::string_view text = archive.native();
    while (text.size() > 1 && text.back() == '/')
        text.remove_suffix(1);
    fs::path folder = fs::path(text).parent_path();
    if (folder.empty())
        folder = current_folder;

    fs::path candidate = folder / base;
    // The number saturates; once the last number is taken too, that taken name is returned and the
    // extraction itself reports that the destination exists.
    for (std::uint64_t n = 2; exists_following_links(candidate) && n <= UINT32_MAX; ++n)
        candidate = folder / (base + " " + std::to_string(n));
    return candidate;
}

} // namespace file_explorer
