#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/base/result.hpp"

namespace file_explorer {

// Full paths of the entries in the Trash folder at one moment.
using TrashSnapshot = std::vector<std::filesystem::path>;

// Moves the items to the desktop Trash (home or per-volume). An empty list succeeds at once.
vask_base::Status move_to_trash(const std::vector<std::filesystem::path>& paths);

// One trashed item as the explorer sees it.
struct TrashItem {
    std::filesystem::path info_path;     // the item's ".trashinfo" record: its identity
    std::filesystem::path files_path;    // the item itself, inside a trash's "files" folder
    std::string name;                    // info file name without ".trashinfo" (raw bytes)
    std::filesystem::path original_path; // where it came from; empty when its record is unusable
    std::string deletion_date;           // as recorded: YYYY-MM-DDThh:mm:ss
};

// Every item of every trash the desktop-trash library knows, in its order.
vask_base::Result<std::vector<TrashItem>> list_trash_items();

// The listed items whose name equals the file name of one of `paths`, in listing order. Paths
// without a file name are ignored; items whose name is not UTF-8 never match.
vask_base::Result<std::vector<TrashItem>> find_trash_items(const std::vector<std::filesystem::path>& paths);

// Finds the items for `paths` and restores them; gives the number restored.
vask_base::Result<std::size_t> restore_from_trash(const std::vector<std::filesystem::path>& paths);

// Finds the items for `paths` and deletes them permanently; gives the number purged.
vask_base::Result<std::size_t> delete_from_trash(const std::vector<std::filesystem::path>& paths);

// Purges every item of every trash; gives the number purged.
vask_base::Result<std::size_t> empty_trash();

// The entries of the Trash folder; none without a Trash folder or when it cannot be read.
std::optional<TrashSnapshot> trash_snapshot();

// What a move to Trash of `selected_count` items added to the Trash folder: the paths of `after`
// missing from `before`, when both exist and there are exactly `selected_count` of them.
std::optional<TrashSnapshot> undo_record_after(const std::optional<TrashSnapshot>& before,
                                               const std::optional<TrashSnapshot>& after,
                                               std::size_t selected_count);

enum class UndoKind { Restored, Unavailable, Failed };

// What an undo of the last move to Trash did.
struct UndoOutcome {
    UndoKind kind;
    std::size_t count = 0;
    std::string error;
};

// Restores what the last move to Trash added, when the Trash still holds all of it. Clears
// `record` unless the restore itself fails (so it can be tried again).
UndoOutcome undo_move_to_trash(std::optional<TrashSnapshot>& record);

// True when `path` is the Trash folder, component by component.
bool is_trash_location(const std::filesystem::path& path);

// Creates the Trash folder with its parents (0777 before the umask); errors are ignored.
void ensure_trash_folder();

} // namespace file_explorer
