#pragma once

#include <filesystem>
#include <optional>
#include <vector>

#include "model/listing.hpp"
#include "platform/ui/selection_model.hpp"
#include "platform/ui/widget.hpp"
#include "views/file_view_geometry.hpp"
#include "views/view_events.hpp"

namespace file_explorer {

enum class ViewMode { List, Grid };

// A folder item's rectangle, for dropping onto folders.
struct DropTarget {
    std::filesystem::path path;
    vask_ui::Rect rect;
};

// What the explorer hands a file view when it builds one.
struct FileViewInputs {
    const Listing* entries = nullptr;
    vask_ui::SelectionModel* selection = nullptr;
    ViewMode mode = ViewMode::List;
    SortKey sort_key = SortKey::Name;
    bool descending = false;
    int item_size_step = 0;
    float text_scale = 1;
    std::optional<std::size_t> cursor;
    std::optional<std::size_t> rename_index;
    bool focused = false;
    ViewEventQueue* events = nullptr;
    std::vector<DropTarget>* drop_targets = nullptr;
    std::optional<vask_ui::Rect>* rename_editor_box = nullptr;
};

// The listing as a list with columns or a grid of tiles. It paints, hit-tests and reports input as
// view events; it never changes the listing, the sort or the location itself.
class FileView final : public vask_ui::Widget {
public:
    explicit FileView(FileViewInputs inputs);

    vask_ui::Size measure(float known_width, float available_width, const vask_ui::LayoutContext& context) override;
    void apply_layout(const vask_ui::LayoutTree& tree, vask_ui::LayoutNodeId node) override;
    void draw(vask_ui::Scene& scene, const vask_ui::DrawContext& context) override;
    void handle_event(const vask_ui::InputEvent& event, vask_ui::EventContext& context) override;
    std::optional<vask_ui::a11y::AccessNode> accessibility() const override;
    bool is_focusable() const override { return true; }
    void set_focus(bool focused) override { m_in.focused = focused; }
    bool is_focused() const { return m_in.focused; }

    static constexpr const char* type_name() { return "FileView"; }
    static constexpr const char* kind_id() { return "file_view"; }

    // The part of the view visible in its scroll container; set before each paint.
    void set_visible_clip(std::optional<vask_ui::Rect> clip) override { m_clip = clip; }
    // Lays the view out directly (when it is not a node of a layout tree).
    void place(vask_ui::Rect bounds) override { set_view_bounds(bounds); }
    void set_view_bounds(vask_ui::Rect bounds);
    float content_height(float width) const;
    const FileViewMetrics& metrics() const { return m_metrics; }
    const GridTiles& tiles() const { return m_tiles; }
    std::optional<std::size_t> hit_test(vask_ui::Point p) const;
    // Every entry's path with its row or tile rectangle.
    std::vector<DropTarget> item_rects() const;
    vask_ui::Rect item_rect(std::size_t index) const;

private:
    const Listing& entries() const { return *m_in.entries; }
    template <typename Event>
    void queue(Event event)
    {
        if (m_in.events)
            post(*m_in.events, std::move(event));
    }
    void draw_list(vask_ui::Scene& scene, const vask_ui::DrawContext& context);
    void draw_grid(vask_ui::Scene& scene, const vask_ui::DrawContext& context);
    void draw_item_background(vask_ui::Scene& scene, std::size_t index, vask_ui::Rect rect, float radius,
                              const vask_ui::Theme& theme) const;
    void draw_icon(vask_ui::Scene& scene, const DirectoryEntry& entry, vask_ui::Rect box, const vask_ui::Theme& theme) const;
    std::optional<int> header_column_at(vask_ui::Point p) const;

    FileViewInputs m_in;
    FileViewMetrics m_metrics;
    GridTiles m_tiles;
    std::optional<vask_ui::Rect> m_clip;
    std::optional<std::size_t> m_hover;
    vask_ui::Point m_pointer;
    struct Press {
        vask_ui::Point position;
        std::filesystem::path path;
        bool is_dir;
    };
    std::optional<Press> m_press;
};

} // namespace file_explorer
