#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <utility>
#include <variant>
#include <vector>

#include "platform/ui/geometry.hpp"

namespace file_explorer {

// What the views report to the explorer; the explorer decides what each means.
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
// Navigate to a folder (a crumb, a place).
struct OpenPath {
    std::filesystem::path path;
};
// Open what a typed path names: a file is opened, anything else navigated to.
struct OpenItem {
    std::filesystem::path path;
};
struct RequestPlaceMenu {
    std::filesystem::path path;
};
struct MoveFavourite {
    std::size_t from;
    std::size_t to;
};
// The toolbar's buttons.
enum class ToolbarCommand { GoBack, GoForward, GoUp, ViewList, ViewGrid, OpenSortMenu, OpenViewMenu, ExtractCurrentArchive };
struct Toolbar {
    ToolbarCommand command;
};
} // namespace view_event

using ViewEvent = std::variant<view_event::ItemPress, view_event::ArmDrag, view_event::StartDrag,
                               view_event::SecondaryPress, view_event::MoveSelection, view_event::SortColumn,
                               view_event::OpenPath, view_event::OpenItem, view_event::RequestPlaceMenu,
                               view_event::MoveFavourite, view_event::Toolbar>;
using ViewEventQueue = std::vector<ViewEvent>;

// Queues one event. Built in place: moving a temporary variant of these types trips a false
// "may be used uninitialized" warning in g++ 12 at -O2.
template <typename Event>
void post(ViewEventQueue& queue, Event event)
{
    queue.emplace_back(std::in_place_type<Event>, std::move(event));
}

} // namespace file_explorer
