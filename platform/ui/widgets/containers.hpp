#pragma once

#include <memory>
#include <utility>
#include <vector>

#include "platform/ui/widget.hpp"
#include "platform/ui/widgets/button.hpp"
#include "platform/ui/widgets/scroll_bar.hpp"

namespace vask_ui {

// An empty box that takes the space left over.
class Spacer final : public Widget {
public:
    LayoutNodeId build_layout(LayoutTree& tree, const LayoutContext& context) override;
};

// Children stacked top to bottom, each as wide as the column.
class Column final : public Widget {
public:
    Column& add(std::unique_ptr<Widget> child);
    LayoutNodeId build_layout(LayoutTree& tree, const LayoutContext& context) override;
    void apply_layout(const LayoutTree& tree, LayoutNodeId node) override;
    void draw(Scene& scene, const DrawContext& context) override;
    void draw_overlay(Scene& scene, const DrawContext& context) override;
    void handle_event(const InputEvent& event, EventContext& context) override;
    std::vector<const Widget*> children() const override;

private:
    std::vector<std::unique_ptr<Widget>> m_children;
    std::vector<LayoutNodeId> m_nodes;
};

// Shows a taller child through a viewport, scrolled by the wheel and a scroll bar. The offset
// lives in a cell the owner keeps, so it survives every rebuild of the scrollable.
class Scrollable final : public Widget {
public:
    static std::unique_ptr<Scrollable> with_persisted_offset(std::unique_ptr<Widget> child, float& offset);

    Widget& child() { return *m_child; }
    float offset() const { return *m_offset; }
    // Scrolls the least needed to show `rect` (absolute), keeping `top_inset` free at the top.
    void scroll_to_show(Rect rect, float top_inset = 0);
    // Lays the child out again for the current offset.
    void relayout();

    LayoutNodeId build_layout(LayoutTree& tree, const LayoutContext& context) override;
    void apply_layout(const LayoutTree& tree, LayoutNodeId node) override;
    void draw(Scene& scene, const DrawContext& context) override;
    void handle_event(const InputEvent& event, EventContext& context) override;
    std::vector<const Widget*> children() const override { return {m_child.get()}; }
    std::optional<Rect> child_clip_rect() const override { return bounds(); }

    static constexpr float kLinesPerNotch = 3;
    static constexpr float kLineHeight = 34;

private:
    Scrollable(std::unique_ptr<Widget> child, float& offset) : m_child(std::move(child)), m_offset(&offset) {}

    std::unique_ptr<Widget> m_child;
    float* m_offset;
    ScrollBar m_bar;
    const TextRenderer* m_text = nullptr;
    const Theme* m_theme = nullptr;
};

// A sidebar beside the content. Below its compact breakpoint the sidebar hides; a toggle then
// shows it above the dimmed content until a place is chosen or the content is pressed.
class NavShell final : public Widget {
public:
    static constexpr float kSidebarWidth = 232;

    NavShell();

    void set_sidebar(std::unique_ptr<Widget> sidebar) { m_sidebar = std::move(sidebar); }
    void set_content(std::unique_ptr<Widget> content) { m_content = std::move(content); }
    Widget* sidebar() const { return m_sidebar.get(); }
    Widget* content() const { return m_content.get(); }
    void set_compact_breakpoint(float width) { m_breakpoint = width; }
    float compact_breakpoint() const { return m_breakpoint; }
    // Compact for a shell `width` wide.
    bool is_compact_at(float width) const { return width > 0 && width < m_breakpoint; }
    bool is_compact() const { return is_compact_at(bounds().width); }
    bool is_sidebar_open() const { return m_open; }
    void set_sidebar_open(bool open);
    bool shows_sidebar() const { return !is_compact() || m_open; }
    // Where the content is, for panels painted in its place.
    Rect overview_content_rect() const { return m_content_rect; }
    Rect toggle_rect() const { return m_toggle.bounds(); }

    LayoutNodeId build_layout(LayoutTree& tree, const LayoutContext& context) override;
    void apply_layout(const LayoutTree& tree, LayoutNodeId node) override;
    void draw(Scene& scene, const DrawContext& context) override;
    void draw_overlay(Scene& scene, const DrawContext& context) override;
    void handle_event(const InputEvent& event, EventContext& context) override;
    std::vector<const Widget*> children() const override;
    bool take_structure_dirty() override { return std::exchange(m_dirty, false); }

private:
    std::unique_ptr<Widget> m_sidebar;
    std::unique_ptr<Widget> m_content;
    Button m_toggle;
    float m_breakpoint = 640;
    bool m_open = false;
    bool m_dirty = false;
    bool m_laid_out_compact = false;
    Rect m_content_rect;
    std::optional<LayoutNodeId> m_sidebar_node;
    LayoutNodeId m_content_node{};
};

} // namespace vask_ui
