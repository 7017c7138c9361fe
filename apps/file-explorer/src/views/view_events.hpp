#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <variant>
#include <vector>

#include "platform/ui/geometry.hpp"

namespace file_explorer {

// What the file view reports to the explorer; the explorer decides what each means.
namespace view_event {
struct ItemPress {
    std::size_t index;
    bool toggle;
    bool range;
};
struct ArmDrag {
    vask_ui::Point position;
    std::filesystem::path path;
    bool is_dir;
};
struct StartDrag {
    std::filesystem::path path;
    bool is_dir;
};
struct SecondaryPress {
    std::optional<std::size_t> index;
};
struct MoveSelection {
    std::size_t index;
    bool extend;
};
// Column 1, 2 or 3: Name, Size, Modified.
struct SortColumn {
    int column;
};
} // namespace view_event

using ViewEvent = std::variant<view_event::ItemPress, view_event::ArmDrag, view_event::StartDrag,
                               view_event::SecondaryPress, view_event::MoveSelection, view_event::SortColumn>;
using ViewEventQueue = std::vector<ViewEvent>;

} // namespace file_explorer
