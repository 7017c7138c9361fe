#pragma once

#include <filesystem>
#include <vector>

namespace file_explorer {

// The folders under which synchronisation attributes are read, evaluated afresh on each call:
// $VASK_WORKSPACE_ROOTS (colon-separated, empty items dropped, only existing folders) when set,
// else "/var/workspace" and ~/Shared when they are folders.
std::vector<std::filesystem::path> workspace_roots();

// True when `path` equals `root` or lies below it, comparing whole components.
bool path_starts_with(const std::filesystem::path& path, const std::filesystem::path& root);

// True when `path` is inside one of `roots`.
bool is_inside_roots(const std::filesystem::path& path, const std::vector<std::filesystem::path>& roots);

// Component-wise equality ("/a/b/" equals "/a/b", "/a//b" equals "/a/b").
bool same_path(const std::filesystem::path& a, const std::filesystem::path& b);

} // namespace file_explorer
