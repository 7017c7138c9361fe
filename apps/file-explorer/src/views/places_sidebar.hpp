#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/ui/widget.hpp"
#include "views/favorites.hpp"
#include "views/view_events.hpp"

namespace file_explorer {

enum class PlaceIcon { Home, Documents, Downloads, Pictures, Music, Videos, Folder, Root, Trash, Workspace };

// Small line icons for places, drawn into the square `box`.
void draw_place_icon(vask_ui::Scene& scene, PlaceIcon icon, vask_ui::Rect box, vask_ui::Color color, float stroke = 1.4f);

// A place the system offers: the root folder and, when it exists, the Trash.
struct SystemPlace {
    std::string label;
    PlaceIcon icon;
    std::filesystem::path path;
};

// Root, then the Trash when its folder exists now.
std::vector<SystemPlace> system_places(const std::optional<std::filesystem::path>& trash_files_dir);

// Sidebar state that outlives each rebuilt sidebar: keyboard focus, hover and a favourite's
// reorder drag.
struct PlacesState {
    std::optional<std::size_t> focused_index;
    bool focused = false;
    std::optional<std::size_t> hovered;
    enum class Drag { Idle, Pressed, Dragging } drag = Drag::Idle;
    std::size_t drag_index = 0;
    std::size_t drag_target = 0;
    vask_ui::Point press_point;
    vask_ui::Point pointer;
};

// The column of favourites and system places beside the file view.
class PlacesSidebar final : public vask_ui::Widget {
public:
    PlacesSidebar(const std::vector<Favourite>& favourites, std::vector<SystemPlace> system, std::filesystem::path current,
                  PlacesState& state, ViewEventQueue& events, float scale = 1);

    vask_ui::LayoutNodeId build_layout(vask_ui::LayoutTree& tree, const vask_ui::LayoutContext& context) override;
    void draw(vask_ui::Scene& scene, const vask_ui::DrawContext& context) override;
    void handle_event(const vask_ui::InputEvent& event, vask_ui::EventContext& context) override;
    std::optional<vask_ui::a11y::AccessNode> accessibility() const override;
    bool perform_action(std::string_view action) override;
    bool wants_pointer_capture() const override { return m_state.drag != PlacesState::Drag::Idle; }
    bool is_focusable() const override { return true; }
    void set_focus(bool focused) override;

    // Index over favourites then system places under `p`, if any.
    std::optional<std::size_t> hit(vask_ui::Point p) const;
    vask_ui::Rect row_rect(std::size_t index) const;
    std::size_t place_count() const { return m_favourites.size() + m_system.size(); }

private:
    const std::filesystem::path& place_path(std::size_t index) const;
    const std::string& place_label(std::size_t index) const;
    PlaceIcon place_icon(std::size_t index) const;
    float favourites_top() const;
    float system_top() const;
    std::optional<std::size_t> current_index() const;

    const std::vector<Favourite>& m_favourites;
    std::vector<SystemPlace> m_system;
    std::filesystem::path m_current;
    PlacesState& m_state;
    ViewEventQueue& m_events;
    float m_s;
};

} // namespace file_explorer
