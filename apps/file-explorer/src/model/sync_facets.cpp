#include "model/sync_facets.hpp"

namespace file_explorer {

// The attribute readers come with the projection support; until then nothing is read and every
// synchronisation field stays absent, which is what a folder without attributes shows.
void read_sync_facets(int, const char*, DirectoryEntry&) {}

} // namespace file_explorer
