#pragma once

// Pieces shared by the desktop Trash sources (trashing and listing, volumes, size cache, text
// forms); not for other modules.

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <sys/stat.h>
#include <vector>

#include "fileops/desktop_trash.hpp"
#include "platform/base/result.hpp"

namespace file_explorer::desktop_trash::detail {

// A path or raw name as display text (bytes that are not UTF-8 replaced).
std::string shown(const std::filesystem::path& path);
std::string shown(const std::string& bytes);

// The item's own status, never following a final link; none when it cannot be read (errno set).
std::optional<struct stat> lstat_of(const std::filesystem::path& path);

// The whole of a small file, never following a final link; fails past `limit` bytes.
vask_base::Result<std::string> read_small_file(const std::filesystem::path& path, std::size_t limit);

// Writes all of `text`, retrying short and interrupted writes.
vask_base::Status write_all(int fd, std::string_view text);

// The lines of `text` without their '\n'; a final line without one still counts.
std::vector<std::string_view> split_lines(std::string_view text);

// The trash for an item in `folder` (canonical, on `device`): the home trash when it shares the
// item's mount, else the volume's own, created when missing.
vask_base::Result<TrashDir> trash_for(const std::filesystem::path& folder, dev_t device);

// Rewrites the trash's size cache keeping only lines whose folder is still in "files", replacing
// any line for `added_name` with `added_line`. The cache is optional, so failures are only logged.
void refresh_directory_sizes(const std::filesystem::path& root, const std::string& added_name = {},
                             const std::string& added_line = {});

// Adds the size of the trashed folder `name` to the trash's size cache, stamped with the
// modification time of its record `info`.
void record_directory_size(const TrashDir& trash, const std::string& name, const std::filesystem::path& info);

} // namespace file_explorer::desktop_trash::detail
