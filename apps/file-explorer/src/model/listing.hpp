#pragma once

#include <filesystem>
#include <vector>

#include "model/directory_entry.hpp"
#include "platform/base/result.hpp"

namespace file_explorer {

using Listing = std::vector<DirectoryEntry>;

// The items of `folder` in the order the file system returns them, or the read error's text.
// Synchronisation fields are filled only when `folder` lies inside a workspace root.
vask_base::Result<Listing> read_local_directory(const std::filesystem::path& folder);

// The same, with the workspace roots supplied by the caller.
vask_base::Result<Listing> read_local_directory_in_roots(const std::filesystem::path& folder,
                                                         const std::vector<std::filesystem::path>& roots);

// Removes, in place and keeping order, every entry whose name begins with ".".
void filter_hidden(Listing& entries);

// Stable sort: folders first in either order, then the key, reversed for descending.
// Sort keys are computed once per entry.
void sort_entries(Listing& entries, SortKey key, SortOrder order);

} // namespace file_explorer
