#pragma once

#include <optional>
#include <variant>

#include "files_app/explorer_action.hpp"
#include "platform/ui/input.hpp"

namespace file_explorer {

class FileExplorerWidget;

// Key commands that are not explorer actions.
namespace key_command {
struct FocusLocation {};       // edit the toolbar's location entry
struct OpenContextMenu {};     // the Menu key: the file context menu at the selection
struct ClearSelection {};      // Escape with a selection
struct ResetItemSize {};       // Primary+0
} // namespace key_command

using KeyCommand = std::variant<ExplorerAction, key_command::FocusLocation, key_command::OpenContextMenu,
                                key_command::ClearSelection, key_command::ResetItemSize>;

// What a key press means to the explorer once no child widget consumed it, no rename is in
// progress and no sheet is open; none when the key is not the explorer's. Primary is Ctrl or
// Super; letters match in either case.
std::optional<KeyCommand> key_command_for(const FileExplorerWidget& explorer, const vask_ui::KeyPress& key);

} // namespace file_explorer
