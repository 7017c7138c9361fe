#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/ui/widget.hpp"
#include "platform/ui/widgets/autocomplete.hpp"
#include "views/view_events.hpp"

namespace file_explorer {

// One folder of the breadcrumb trail.
struct Crumb {
    std::string label;
    std::filesystem::path path;
};

// The trail from a base (the deepest workspace root holding `path`, else home, else "/") down to `path`.
std::vector<Crumb> build_crumbs(const std::filesystem::path& path, const std::optional<std::filesystem::path>& home,
                                const std::vector<std::filesystem::path>& roots);

// "~", "~/rest" under home, else the path as text.
std::string display_path(const std::filesystem::path& path, const std::optional<std::filesystem::path>& home);

// Typed text made a path: "~" and "~/rest" expand to home; relative text is joined to `origin`
// without normalising.
std::filesystem::path resolve_typed_path(const std::string& text, const std::optional<std::filesystem::path>& home,
                                         const std::filesystem::path& origin);

// Completion entry for typed text.
struct PathSuggestion {
    std::string text;
    std::filesystem::path path;
    bool is_dir = false;
};

// Up to 60 items of the typed folder whose lower-cased names start with the typed prefix, folders
// first; hidden names only when the prefix starts with ".".
std::vector<PathSuggestion> path_suggestions(const std::string& text, const std::optional<std::filesystem::path>& home,
                                             const std::filesystem::path& origin);

// Where the explorer is, as a breadcrumb trail. Clicking a crumb opens it.
class PathBar final : public vask_ui::Widget {
public:
    explicit PathBar(ViewEventQueue& events);

    // Turns the trail into an editor holding the current path; Enter opens what it names.
    void begin_edit();
    void end_edit();
    bool is_editing() const { return m_editing; }
    vask_ui::Autocomplete& editor() { return m_editor; }

    void set_location(const std::filesystem::path& current, std::optional<std::filesystem::path> home,
                      std::vector<std::filesystem::path> roots);
    const std::vector<Crumb>& crumbs() const { return m_crumbs; }

    vask_ui::LayoutNodeId build_layout(vask_ui::LayoutTree& tree, const vask_ui::LayoutContext& context) override;
    void apply_layout(const vask_ui::LayoutTree& tree, vask_ui::LayoutNodeId node) override;
    void draw(vask_ui::Scene& scene, const vask_ui::DrawContext& context) override;
    void draw_overlay(vask_ui::Scene& scene, const vask_ui::DrawContext& context) override;
    bool wants_pointer_capture() const override { return m_editing && m_editor.wants_pointer_capture(); }
    void handle_event(const vask_ui::InputEvent& event, vask_ui::EventContext& context) override;
    vask_ui::CursorShape cursor_shape(vask_ui::Point p) const override;
    std::optional<vask_ui::a11y::AccessNode> accessibility() const override;
    bool is_focusable() const override { return true; }
    void set_focus(bool focused) override;

    // Laid-out crumb: index into crumbs, or none for the "…" placeholder.
    struct Item {
        std::optional<std::size_t> crumb;
        std::string label;
        float x;
        float width;
    };
    // The visible trail for the bar's width (elided from the front).
    std::vector<Item> layout_items(const vask_ui::TextRenderer& text, const vask_ui::TextStyle& style) const;

private:
    void activate(std::size_t crumb);
    void handle_trail_event(const vask_ui::InputEvent& event, vask_ui::EventContext& context);
    void handle_editor_event(const vask_ui::InputEvent& event, vask_ui::EventContext& context);

    ViewEventQueue& m_events;
    std::filesystem::path m_current;
    std::optional<std::filesystem::path> m_home;
    std::vector<std::filesystem::path> m_roots;
    std::vector<Crumb> m_crumbs;
    bool m_base_is_root_folder = false;
    bool m_base_is_workspace = false;
    std::optional<std::size_t> m_focused_crumb;
    std::optional<std::size_t> m_hovered_crumb;
    bool m_focused = false;
    std::vector<Item> m_items;
    bool m_editing = false;
    bool m_edit_requested = false;
    std::filesystem::path m_edit_origin;
    vask_ui::Autocomplete m_editor;
};

} // namespace file_explorer
