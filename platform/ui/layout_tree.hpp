#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <vector>

#include "platform/ui/geometry.hpp"

namespace vask_ui {

// Names a node of one LayoutTree.
struct LayoutNodeId {
    std::uint32_t index = 0;
    friend bool operator==(const LayoutNodeId&, const LayoutNodeId&) = default;
};

// A length along one axis: automatic (from content or stretching), fixed logical pixels, or
// a percentage (0–100) of the parent's inner size along the same axis.
struct Dimension {
    enum class Kind : std::uint8_t { Auto, Points, Percent };
    Kind kind = Kind::Auto;
    float value = 0;

    static constexpr Dimension automatic() { return {}; }
    static constexpr Dimension points(float px) { return {Kind::Points, px}; }
    static constexpr Dimension percent(float pct) { return {Kind::Percent, pct}; }
    friend bool operator==(const Dimension&, const Dimension&) = default;
};

// Space on each side of a box, in logical pixels.
struct Edges {
    float left = 0;
    float top = 0;
    float right = 0;
    float bottom = 0;

    static constexpr Edges all(float px) { return {px, px, px, px}; }
    static constexpr Edges symmetric(float horizontal, float vertical)
    {
        return {horizontal, vertical, horizontal, vertical};
    }
    friend bool operator==(const Edges&, const Edges&) = default;
};

enum class FlexDirection : std::uint8_t { Row, Column };
// Placement of children across the main axis.
enum class AlignItems : std::uint8_t { Start, Center, End, Stretch };
// Placement of children along the main axis when they leave space over.
enum class JustifyContent : std::uint8_t { Start, Center, End, SpaceBetween };

// The style of one layout node: a single-line flexbox subset without wrapping or margins.
// Min and max sizes left automatic do not constrain.
struct LayoutStyle {
    FlexDirection direction = FlexDirection::Row;
    Dimension width{};
    Dimension height{};
    Dimension min_width{};
    Dimension min_height{};
    Dimension max_width{};
    Dimension max_height{};
    float flex_grow = 0;
    float flex_shrink = 1;
    Edges padding{};
    float gap = 0; // between neighbouring children along the main axis
    AlignItems align_items = AlignItems::Stretch;
    std::optional<AlignItems> align_self{}; // overrides the parent's align_items for this node
    JustifyContent justify_content = JustifyContent::Start;
};

// Measures a leaf's content: given the width and height already decided (NaN when not) and
// the space available, returns the size the content wants.
using MeasureFunction = std::function<Size(float known_width, float known_height, Size available)>;

// A tree of boxes laid out with a flexbox subset. Build it with nodes and leaves, run
// `compute` once on the root, then read each node's rectangle in logical pixels relative to
// the root's top-left corner. Asking about a node the tree does not hold is a fault.
class LayoutTree {
  public:
    LayoutNodeId add_node(LayoutStyle style);
    // A node with `children` appended in order.
    LayoutNodeId add_node(LayoutStyle style, std::span<const LayoutNodeId> children);
    LayoutNodeId add_node(LayoutStyle style, std::initializer_list<LayoutNodeId> children)
    {
        return add_node(std::move(style), std::span<const LayoutNodeId>(children.begin(), children.size()));
    }
    // A leaf whose content size comes from `measure`.
    LayoutNodeId add_leaf(LayoutStyle style, MeasureFunction measure);
    // Appends `child` to `parent`'s children; a node has at most one parent.
    void add_child(LayoutNodeId parent, LayoutNodeId child);

    const LayoutStyle& style(LayoutNodeId node) const;
    void set_style(LayoutNodeId node, LayoutStyle style);
    void set_measure(LayoutNodeId node, MeasureFunction measure);
    const std::vector<LayoutNodeId>& children(LayoutNodeId node) const;
    std::size_t node_count() const { return m_nodes.size(); }

    // Lays out `root` and everything below it in `available` space. An automatic root size
    // fills the available space.
    void compute(LayoutNodeId root, Size available);
    // The rectangle the last `compute` gave `node`; empty at the origin when it was not reached.
    Rect layout(LayoutNodeId node) const;

  private:
    struct Node {
        LayoutStyle style;
        MeasureFunction measure;
        std::vector<LayoutNodeId> children;
        std::optional<LayoutNodeId> parent;
        Rect rect;
    };
    struct FlexItem;

    Node& node(LayoutNodeId id);
    const Node& node(LayoutNodeId id) const;
    // The size `id` wants from its content when its width and/or height are given (NaN when not).
    Size content_size(LayoutNodeId id, float known_width, float known_height, Size available) const;
    // Places the children of `id`, whose rectangle is already set, and recurses.
    void layout_children(LayoutNodeId id);
    void resolve_flexible_lengths(std::vector<FlexItem>& items, float inner_main, float gaps) const;

    std::vector<Node> m_nodes;
};

} // namespace vask_ui
