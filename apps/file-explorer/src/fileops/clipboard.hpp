#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "fileops/operation.hpp"

namespace file_explorer {

// The explorer's private clipboard: ordered absolute paths and whether they were cut.
struct Clipboard {
    std::vector<std::filesystem::path> items;
    bool cut = false;

    bool is_empty() const { return items.empty(); }
};

// Replaces the clipboard with `paths` (copied or cut) and returns the notice text
// ("files-copied" / "files-cut" with the count).
std::string copy_to_clipboard(Clipboard& clipboard, std::vector<std::filesystem::path> paths,
                              TransferMode mode);

// What one paste did: the published paths and each failed source with its failure text.
struct PasteReport {
    std::vector<std::filesystem::path> published;
    std::vector<std::pair<std::filesystem::path, std::string>> failures;
};

// Transfers every clipboard item into `destination` (moving when cut). A cut paste leaves only
// the failed items on the clipboard; a copy paste leaves it unchanged. Empty clipboard: nothing.
PasteReport paste_clipboard(Clipboard& clipboard, const std::filesystem::path& destination);

// The paste command: none when the clipboard is empty, else the notice ("files-pasted" or
// "files-pasted-with-failures") after pasting. The caller reloads the listing.
std::optional<std::string> paste_command(Clipboard& clipboard, const std::filesystem::path& destination);

// The paste action: "The clipboard is empty", or "paste failed: " with each "path: text" joined
// by "; " when any item failed.
vask_base::Status paste_action(Clipboard& clipboard, const std::filesystem::path& destination);

// What dropping items on a folder did and the notice to show.
struct DropReport {
    int moved = 0;
    int failed = 0;
    std::string notice;
};

// Moves each dragged path into `target`, skipping items already there, `target` itself and
// folders that contain `target`. The caller reloads the listing when `moved` > 0.
DropReport move_by_drop(const std::vector<std::filesystem::path>& dragged,
                        const std::filesystem::path& target);

} // namespace file_explorer
