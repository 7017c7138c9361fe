#pragma once

#include "files_app/file_explorer_widget.hpp"

namespace file_explorer {

// The file context menu for the explorer's location, selection and clipboard.
Menu file_context_menu(const FileExplorerWidget& explorer);

// The toolbar's view menu; it also carries the controls a compact toolbar folds away.
Menu view_menu(const FileExplorerWidget& explorer);

// The sort menu: keys, then orders, the current ones checked.
Menu sort_menu(const FileExplorerWidget& explorer);

// Whether an entry is an archive the explorer can browse and extract (by its name).
bool is_archive_entry(const DirectoryEntry& entry);

} // namespace file_explorer
