#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "platform/ui/access_node.hpp"
#include "platform/ui/geometry.hpp"
#include "platform/ui/input.hpp"
#include "platform/ui/layout_tree.hpp"
#include "platform/ui/scene.hpp"
#include "platform/ui/text_renderer.hpp"
#include "platform/ui/theme.hpp"

namespace vask_actions {
struct Resource;
struct Invocation;
struct ControlInvocation;
} // namespace vask_actions

namespace vask_ui {

using Clock = std::chrono::steady_clock;

// What the host tells a widget tree about where it runs.
struct InteractionEnvironment {
    float display_scale = 1;
    float text_scale = 1;
    bool headless = false;
};

// Passed to `sync` once per frame before layout.
struct SyncContext {
    Clock::time_point now;
};

// Passed to layout and measuring.
struct LayoutContext {
    const TextRenderer& text;
    const Theme& theme;
    float item_zoom = 1;
};

// Passed to painting.
struct DrawContext {
    const TextRenderer& text;
    const Theme& theme;
    Clock::time_point now;
};

// Passed to event handling; a widget sets `handled` when it consumed the event.
struct EventContext {
    const TextRenderer& text;
    Clock::time_point now;
    bool handled = false;
};

enum class CursorShape { Default, Pointer, Text, Grab, Grabbing, NotAllowed, ResizeHorizontal };

// The answer to a published action invoked on a widget.
enum class InvocationStatus { Handled, NotHandled, Pending, Failed };
struct InvocationOutcome {
    InvocationStatus status = InvocationStatus::NotHandled;
    std::string text; // the failure text, or a result for the caller
};

// A node of the widget tree. Every operation has a default body; widgets implement what they use.
class Widget {
public:
    virtual ~Widget() = default;

    virtual void set_interaction_environment(const InteractionEnvironment&) {}
    // Per-frame synchronisation: timers, polling, taking background results.
    virtual void sync(const SyncContext&) {}
    virtual void update() {}
    // Adds this widget's nodes to `tree` and returns its root node. The default is one leaf
    // measured by `measure`.
    virtual LayoutNodeId build_layout(LayoutTree& tree, const LayoutContext& context);
    virtual Size measure(float known_width, float available_width, const LayoutContext& context);
    virtual void adjust_layout_style(LayoutStyle&) {}
    virtual void adjust_layout_with_measure(LayoutTree&, LayoutNodeId) {}
    // Receives the computed rectangle of the node `build_layout` returned.
    virtual void apply_layout(const LayoutTree& tree, LayoutNodeId node);
    virtual void draw(Scene&, const DrawContext&) {}
    virtual void handle_event(const InputEvent&, EventContext&) {}
    virtual std::vector<const Widget*> children() const { return {}; }
    virtual void for_each_child(const std::function<void(Widget&)>&) {}
    virtual std::vector<Widget*> children_mut() { return {}; }
    virtual bool reveal_descendant(std::string_view) { return false; }
    virtual std::optional<Rect> child_clip_rect() const { return std::nullopt; }
    virtual CursorShape cursor_shape(Point) const { return CursorShape::Default; }
    virtual bool is_focusable() const { return false; }
    virtual void set_focus(bool) {}
    virtual std::optional<a11y::AccessNode> accessibility() const { return std::nullopt; }
    virtual bool perform_action(std::string_view) { return false; }
    virtual bool perform_semantic_action(std::string_view, std::string_view) { return false; }
    virtual bool needs_commit() const { return false; }
    virtual std::optional<vask_actions::ControlInvocation> take_control_invocation();
    virtual std::vector<std::string> control_action_bindings() const { return {}; }
    virtual bool has_action_control_bindings() const { return false; }
    virtual void refresh_control_action_availability() {}
    virtual void on_commit() {}
    virtual std::string presence_key() const { return {}; }
    virtual bool needs_idle_sync() const { return false; }
    virtual std::string permission_scope() const { return {}; }
    // Published resources with their actions, and the handler for their invocations.
    virtual std::vector<vask_actions::Resource> resources() const;
    virtual std::vector<std::string> resource_operation_handlers() const { return {}; }
    virtual InvocationOutcome invoke_resource_operation_v2(const vask_actions::Invocation&);
    virtual InvocationOutcome start_resource_operation_with_document(const vask_actions::Invocation&, std::string_view)
    {
        return {};
    }
    virtual bool wants_pointer_capture() const { return false; }
    virtual bool needs_animation_frame() const { return false; }
    virtual std::optional<Clock::time_point> next_wake_deadline() const { return std::nullopt; }
    // True once after the widget's state changed so that its subtree must be rebuilt.
    virtual bool take_structure_dirty() { return false; }
    virtual bool needs_redraw() const { return false; }
    virtual void collect_damage(std::vector<Rect>&) const {}
    virtual void mark_drawn() {}
    virtual void release_scene_cache() {}
    virtual bool is_layout_dirty() const { return false; }
    virtual bool layout_needs_measure() const { return false; }
    virtual void draw_with_presence(Scene& scene, const DrawContext& context) { draw(scene, context); }
    // Painted after every widget's `draw`: menus, sheets, drag images.
    virtual void draw_overlay(Scene&, const DrawContext&) {}

    // Places the widget directly, outside a layout tree (scroll containers do this for content
    // taller than their viewport).
    virtual void place(Rect bounds) { m_bounds = bounds; }
    // The part of the widget its container shows; widgets that paint only what is visible use it.
    virtual void set_visible_clip(std::optional<Rect>) {}

    // The rectangle the last layout gave this widget.
    Rect bounds() const { return m_bounds; }
    void set_bounds(Rect bounds) { m_bounds = bounds; }

private:
    Rect m_bounds;
};

} // namespace vask_ui
