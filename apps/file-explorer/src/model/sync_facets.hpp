#pragma once

#include <string>

#include "model/directory_entry.hpp"

namespace file_explorer {

// Fills the synchronisation fields of an entry inside a workspace root from the item's extended
// attributes, read relative to its folder without following links. A missing or invalid attribute
// leaves its field absent.
void read_sync_facets(int dir_fd, const char* name, DirectoryEntry& entry);

} // namespace file_explorer
