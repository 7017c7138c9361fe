#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/base/result.hpp"

// The desktop Trash as the FreeDesktop Trash specification lays it out: a trash folder holds
// "files" (the trashed items), "info" (one NAME.trashinfo record per item) and "directorysizes"
// (a cache of the sizes of trashed folders). The home trash lives in the user's data folder; an
// item on another mount goes to a trash at that mount's top folder ($top/.Trash/$uid when
// $top/.Trash is a real sticky folder, else $top/.Trash-$uid), so trashing is always a rename.
namespace file_explorer::desktop_trash {

// The suffix of every record in a trash's "info" folder.
inline constexpr std::string_view kInfoSuffix = ".trashinfo";

// One trash folder.
struct TrashDir {
    std::filesystem::path root;
    // The top folder of the volume for a per-volume trash (records hold paths relative to it);
    // empty for the home trash, whose records hold absolute paths.
    std::filesystem::path top_dir;

    bool is_home() const { return top_dir.empty(); }
    std::filesystem::path files_dir() const { return root / "files"; }
    std::filesystem::path info_dir() const { return root / "info"; }
};

// One trashed item. An item whose record is missing or unreadable is still listed (so it can be
// purged) with an empty original path and deletion date; restoring it fails.
struct Item {
    std::filesystem::path info_path;  // info/NAME.trashinfo (may not exist for such an item)
    std::filesystem::path files_path; // files/NAME
    std::string name;                 // NAME, raw bytes
    std::filesystem::path original_path;
    std::string deletion_date;        // as written in the record: YYYY-MM-DDThh:mm:ss
    std::filesystem::path trash_root; // the TrashDir::root holding the item
};

// The home trash ($XDG_DATA_HOME/Trash, else ~/.local/share/Trash), whether or not it exists yet;
// none when no data folder is known.
std::optional<TrashDir> home_trash();

// Every trash folder present for this user: the home trash when it exists, then the per-volume
// trash folders on the mounted volumes, each listed once.
std::vector<TrashDir> trash_dirs();

// Moves one item (never following it when it is a symbolic link) into the trash of its volume,
// creating that trash when needed. Gives the item's new path inside the trash's "files" folder.
vask_base::Result<std::filesystem::path> trash_item(const std::filesystem::path& path);

// Moves the items in order, stopping at the first failure (items before it stay trashed). Every
// path is checked to exist before anything moves.
vask_base::Status trash_items(const std::vector<std::filesystem::path>& paths);

// The items of every trash folder (home first, then volumes), each trash's items sorted by name.
// A record without its item is left out; an item without a usable record is listed.
vask_base::Result<std::vector<Item>> list_items();

// Moves each item back to its original path, creating missing parent folders, and drops its
// record. Fails before moving anything when an item has no original path or two items would
// return to the same path; stops at the first item whose place is taken (earlier ones stay
// restored).
vask_base::Status restore(const std::vector<Item>& items);

// Removes each item (folders recursively, links never followed) and its record, stopping at the
// first failure.
vask_base::Status purge(const std::vector<Item>& items);

// Purges every listed item, then drops records left without their item. Gives the number of
// items purged.
vask_base::Result<std::size_t> empty_all();

// Percent-encodes bytes as a URI path: unreserved characters and '/' stay, every other byte
// (including bytes that are not UTF-8) becomes %XX.
std::string percent_encode(std::string_view bytes);

// Undoes percent_encode on any text; a '%' not followed by two hex digits stays as it is.
std::string percent_decode(std::string_view text);

// The fields of a record that matter here, still encoded as written.
struct TrashInfo {
    std::string path;
    std::string deletion_date;
};

// The text of a record.
std::string format_trash_info(const TrashInfo& info);

// Reads a record's "[Trash Info]" group; none without that group or without a Path key.
std::optional<TrashInfo> parse_trash_info(std::string_view text);

// One line of /proc/self/mountinfo: where the volume is mounted and its file system type.
struct MountEntry {
    std::filesystem::path mount_point;
    std::string fs_type;
};

// The entries of a mountinfo text in order, with octal escapes (\040 for a space) decoded.
std::vector<MountEntry> parse_mountinfo(std::string_view text);

} // namespace file_explorer::desktop_trash
