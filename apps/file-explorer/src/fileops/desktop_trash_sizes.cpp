// The size cache of a trash ("directorysizes"): one line per trashed folder giving its size in
// bytes, the modification time of its record and its percent-encoded name.
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

#include <fmt/format.h>

#include "fileops/desktop_trash.hpp"
#include "fileops/desktop_trash_internal.hpp"
#include "fileops/staging.hpp"
#include "platform/base/fd.hpp"
#include "platform/base/os_error.hpp"

namespace file_explorer::desktop_trash::detail {

namespace fs = std::filesystem;
using vask_base::os_error_text;

namespace {

constexpr std::size_t kMaxSizesBytes = 16 * 1024 * 1024;
constexpr const char* kSizesName = "directorysizes";

std::uint64_t tree_size(const fs::path& folder)
{
    std::uint64_t total = 0;
    std::error_code ec;
    for (fs::recursive_directory_iterator it(folder, fs::directory_options::skip_permission_denied, ec), end;
         !ec && it != end; it.increment(ec)) {
        if (auto st = lstat_of(it->path()); st && S_ISREG(st->st_mode))
            total += std::uint64_t(st->st_size);
    }
    return total;
}

} // namespace

void refresh_directory_sizes(const fs::path& root, const std::string& added_name,
                             const std::string& added_line)
{
    fs::path file = root / kSizesName;
    std::string old;
    if (auto text = read_small_file(file, kMaxSizesBytes))
        old = std::move(*text);
    else if (added_line.empty())
        return;
    std::string kept;
    bool changed = false;
    for (auto line : split_lines(old)) {
        if (line.empty())
            continue;
        auto first = line.find(' ');
        auto second = first == std::string_view::npos ? first : line.find(' ', first + 1);
        std::string name =
            second == std::string_view::npos ? std::string() : percent_decode(line.substr(second + 1));
        if (name.empty() || name == added_name || name.find('/') != std::string::npos ||
            !lstat_of(root / "files" / name)) {
            changed = true;
            continue;
        }
        kept.append(line).push_back('\n');
    }
    if (!added_line.empty()) {
        kept.append(added_line).push_back('\n');
        changed = true;
    }
    if (!changed)
        return;
    std::string temp = (root / (std::string(kSizesName) + ".XXXXXX")).native();
    int fd = ::mkstemp(temp.data());
    if (fd < 0) {
        log_staging_warning("could not update the Trash size cache", file, os_error_text(errno));
        return;
    }
    vask_base::UniqueFd out(fd);
    auto written = write_all(out.get(), kept);
    out.reset();
    if (!written || ::rename(temp.c_str(), file.c_str()) != 0) {
        log_staging_warning("could not update the Trash size cache", file,
                            written ? os_error_text(errno) : written.error());
        ::unlink(temp.c_str());
    }
}

void record_directory_size(const TrashDir& trash, const std::string& name, const fs::path& info)
{
    auto st = lstat_of(info);
    if (!st)
        return;
    std::string line = fmt::format("{} {} {}", tree_size(trash.files_dir() / name),
                                   static_cast<long long>(st->st_mtime), percent_encode(name));
    refresh_directory_sizes(trash.root, name, line);
}

} // namespace file_explorer::desktop_trash::detail
