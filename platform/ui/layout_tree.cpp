#include "platform/ui/layout_tree.hpp"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace vask_ui {

namespace {

constexpr float kUnknown = std::numeric_limits<float>::quiet_NaN();
constexpr float kUnbounded = std::numeric_limits<float>::infinity();

bool is_known(float value)
{
    return !std::isnan(value);
}

// A dimension in pixels against the parent's inner size on the same axis; none when it is
// automatic, or a percentage of a size not known yet.
std::optional<float> resolve(Dimension dimension, float parent)
{
    switch (dimension.kind) {
    case Dimension::Kind::Points:
        return dimension.value;
    case Dimension::Kind::Percent:
        if (is_known(parent) && std::isfinite(parent))
            return parent * dimension.value / 100;
        return std::nullopt;
    case Dimension::Kind::Auto:
        return std::nullopt;
    }
    return std::nullopt;
}

float or_unknown(std::optional<float> value)
{
    return value.value_or(kUnknown);
}

// `value` within the node's min and max on one axis; min wins over max, as in CSS.
float clamp_size(float value, Dimension min, Dimension max, float parent)
{
    if (auto high = resolve(max, parent))
        value = std::min(value, *high);
    if (auto low = resolve(min, parent))
        value = std::max(value, *low);
    return std::max(value, 0.f);
}

// Axis helpers: "main" is the direction children are stacked in, "cross" the other one.
struct Axis {
    bool row;

    float main(Size s) const { return row ? s.width : s.height; }
    float cross(Size s) const { return row ? s.height : s.width; }
    Size size(float main, float cross) const { return row ? Size{main, cross} : Size{cross, main}; }
    Dimension main_dim(const LayoutStyle& s) const { return row ? s.width : s.height; }
    Dimension cross_dim(const LayoutStyle& s) const { return row ? s.height : s.width; }
    Dimension main_min(const LayoutStyle& s) const { return row ? s.min_width : s.min_height; }
    Dimension main_max(const LayoutStyle& s) const { return row ? s.max_width : s.max_height; }
    Dimension cross_min(const LayoutStyle& s) const { return row ? s.min_height : s.min_width; }
    Dimension cross_max(const LayoutStyle& s) const { return row ? s.max_height : s.max_width; }
};

float horizontal(const Edges& e)
{
    return e.left + e.right;
}
float vertical(const Edges& e)
{
    return e.top + e.bottom;
}

float inner(float outer, float padding)
{
    return is_known(outer) ? std::max(0.f, outer - padding) : kUnknown;
}

AlignItems alignment_of(const LayoutStyle& child, const LayoutStyle& parent)
{
    return child.align_self.value_or(parent.align_items);
}

} // namespace

// One child during a flex pass along its parent's main axis.
struct LayoutTree::FlexItem {
    LayoutNodeId id;
    float basis = 0;        // size from the style or the content, before min and max
    float hypothetical = 0; // basis within min and max
    float target = 0;       // the final main size
    float min = 0;
    float max = kUnbounded;
    float grow = 0;
    float shrink = 1;
    bool frozen = false;
    std::optional<float> cross; // cross size when known before the main sizes are
};

LayoutTree::Node& LayoutTree::node(LayoutNodeId id)
{
    return const_cast<Node&>(static_cast<const LayoutTree&>(*this).node(id));
}

const LayoutTree::Node& LayoutTree::node(LayoutNodeId id) const
{
    if (id.index >= m_nodes.size()) {
        std::fprintf(stderr, "LayoutTree: node %u does not exist (%zu nodes)\n", id.index, m_nodes.size());
        assert(false && "LayoutTree: missing node");
        std::abort();
    }
    return m_nodes[id.index];
}

LayoutNodeId LayoutTree::add_node(LayoutStyle style)
{
    m_nodes.push_back(Node{std::move(style), {}, {}, std::nullopt, {}});
    return LayoutNodeId{static_cast<std::uint32_t>(m_nodes.size() - 1)};
}

LayoutNodeId LayoutTree::add_node(LayoutStyle style, std::span<const LayoutNodeId> children)
{
    auto id = add_node(std::move(style));
    for (auto child : children)
        add_child(id, child);
    return id;
}

LayoutNodeId LayoutTree::add_leaf(LayoutStyle style, MeasureFunction measure)
{
    auto id = add_node(std::move(style));
    m_nodes[id.index].measure = std::move(measure);
    return id;
}

void LayoutTree::add_child(LayoutNodeId parent, LayoutNodeId child)
{
    node(parent);
    Node& c = node(child);
    assert(!c.parent && "LayoutTree: a node has at most one parent");
    assert(parent != child && "LayoutTree: a node cannot contain itself");
    c.parent = parent;
    node(parent).children.push_back(child);
}

const LayoutStyle& LayoutTree::style(LayoutNodeId id) const
{
    return node(id).style;
}

void LayoutTree::set_style(LayoutNodeId id, LayoutStyle style)
{
    node(id).style = std::move(style);
}

void LayoutTree::set_measure(LayoutNodeId id, MeasureFunction measure)
{
    node(id).measure = std::move(measure);
}

const std::vector<LayoutNodeId>& LayoutTree::children(LayoutNodeId id) const
{
    return node(id).children;
}

Rect LayoutTree::layout(LayoutNodeId id) const
{
    return node(id).rect;
}

void LayoutTree::compute(LayoutNodeId root, Size available)
{
    for (auto& n : m_nodes)
        n.rect = {};
    const LayoutStyle& s = node(root).style;
    float width = or_unknown(resolve(s.width, available.width));
    float height = or_unknown(resolve(s.height, available.height));
    // An automatic root fills the space it is given; only unbounded space falls back to content.
    if (!is_known(width) && std::isfinite(available.width))
        width = available.width;
    if (!is_known(height) && std::isfinite(available.height))
        height = available.height;
    if (!is_known(width) || !is_known(height)) {
        Size content = content_size(root, width, height, available);
        width = content.width;
        height = content.height;
    }
    width = clamp_size(width, s.min_width, s.max_width, available.width);
    height = clamp_size(height, s.min_height, s.max_height, available.height);
    node(root).rect = {0, 0, width, height};
    layout_children(root);
}

Size LayoutTree::content_size(LayoutNodeId id, float known_width, float known_height, Size available) const
{
    if (is_known(known_width) && is_known(known_height))
        return {known_width, known_height};
    const Node& n = node(id);
    const LayoutStyle& s = n.style;
    const float pad_w = horizontal(s.padding);
    const float pad_h = vertical(s.padding);
    const float inner_w = inner(known_width, pad_w);
    const float inner_h = inner(known_height, pad_h);
    const Size inner_available{std::max(0.f, available.width - pad_w),
                               std::max(0.f, available.height - pad_h)};

    Size content;
    if (n.measure) {
        Size measured = n.measure(inner_w, inner_h, inner_available);
        content = {measured.width + pad_w, measured.height + pad_h};
    } else {
        const Axis axis{s.direction == FlexDirection::Row};
        float main_sum = 0;
        float cross_max = 0;
        for (auto child : n.children) {
            const LayoutStyle& cs = node(child).style;
            auto width = resolve(cs.width, inner_w);
            auto height = resolve(cs.height, inner_h);
            if (alignment_of(cs, s) == AlignItems::Stretch) {
                if (axis.row && !height && is_known(inner_h))
                    height = inner_h;
                if (!axis.row && !width && is_known(inner_w))
                    width = inner_w;
            }
            Size size = content_size(child, or_unknown(width), or_unknown(height), inner_available);
            size.width = clamp_size(size.width, cs.min_width, cs.max_width, inner_w);
            size.height = clamp_size(size.height, cs.min_height, cs.max_height, inner_h);
            main_sum += axis.main(size);
            cross_max = std::max(cross_max, axis.cross(size));
        }
        if (n.children.size() > 1)
            main_sum += s.gap * float(n.children.size() - 1);
        content = axis.size(main_sum, cross_max);
        content.width += pad_w;
        content.height += pad_h;
    }
    if (is_known(known_width))
        content.width = known_width;
    if (is_known(known_height))
        content.height = known_height;
    return content;
}

void LayoutTree::resolve_flexible_lengths(std::vector<FlexItem>& items, float inner_main, float gaps) const
{
    float hypothetical_sum = gaps;
    for (const auto& item : items)
        hypothetical_sum += item.hypothetical;
    const bool growing = inner_main > hypothetical_sum;
    const auto factor = [&](const FlexItem& item) { return growing ? item.grow : item.shrink; };

    float initial_free = inner_main - gaps;
    for (auto& item : items) {
        item.target = item.hypothetical;
        item.frozen = inner_main == hypothetical_sum || factor(item) <= 0 ||
                      (growing && item.basis > item.hypothetical) ||
                      (!growing && item.basis < item.hypothetical);
        initial_free -= item.frozen ? item.target : item.basis;
    }

    // Each round hands the free space out by flex factor, then freezes the items whose min or
    // max the share violated and repeats for the rest.
    for (std::size_t round = 0; round <= items.size(); ++round) {
        float frozen_sum = 0, basis_sum = 0, factor_sum = 0, scaled_shrink_sum = 0;
        for (const auto& item : items) {
            if (item.frozen) {
                frozen_sum += item.target;
            } else {
                basis_sum += item.basis;
                factor_sum += factor(item);
                scaled_shrink_sum += item.shrink * item.basis;
            }
        }
        if (factor_sum <= 0)
            break;
        float remaining = inner_main - gaps - frozen_sum - basis_sum;
        if (factor_sum < 1 && std::abs(initial_free * factor_sum) < std::abs(remaining))
            remaining = initial_free * factor_sum;

        float total_violation = 0;
        std::vector<float> clamped(items.size(), 0);
        for (std::size_t i = 0; i < items.size(); ++i) {
            auto& item = items[i];
            if (item.frozen)
                continue;
            if (growing)
                item.target = item.basis + remaining * item.grow / factor_sum;
            else if (scaled_shrink_sum > 0)
                item.target = item.basis + remaining * item.shrink * item.basis / scaled_shrink_sum;
            else
                item.target = item.basis;
            clamped[i] = std::max(std::clamp(item.target, item.min, std::max(item.min, item.max)), 0.f);
            total_violation += clamped[i] - item.target;
        }
        constexpr float kEpsilon = 1e-4f;
        for (std::size_t i = 0; i < items.size(); ++i) {
            auto& item = items[i];
            if (item.frozen)
                continue;
            float violation = clamped[i] - item.target;
            bool freeze = std::abs(total_violation) < kEpsilon || (total_violation > 0 && violation > 0) ||
                          (total_violation < 0 && violation < 0);
            if (freeze) {
                item.target = clamped[i];
                item.frozen = true;
            }
        }
    }
}

void LayoutTree::layout_children(LayoutNodeId id)
{
    const Node& n = node(id);
    if (n.children.empty())
        return;
    const LayoutStyle& s = n.style;
    const Axis axis{s.direction == FlexDirection::Row};
    const Rect content{n.rect.x + s.padding.left, n.rect.y + s.padding.top,
                       std::max(0.f, n.rect.width - horizontal(s.padding)),
                       std::max(0.f, n.rect.height - vertical(s.padding))};
    const Size inner_size{content.width, content.height};
    const float inner_main = axis.main(inner_size);
    const float inner_cross = axis.cross(inner_size);
    const float gaps = s.gap * float(n.children.size() - 1);

    std::vector<FlexItem> items;
    items.reserve(n.children.size());
    for (auto child : n.children) {
        const LayoutStyle& cs = node(child).style;
        FlexItem item;
        item.id = child;
        item.grow = cs.flex_grow;
        item.shrink = cs.flex_shrink;
        item.cross = resolve(axis.cross_dim(cs), inner_cross);
        if (!item.cross && alignment_of(cs, s) == AlignItems::Stretch)
            item.cross = inner_cross;
        if (item.cross)
            item.cross = clamp_size(*item.cross, axis.cross_min(cs), axis.cross_max(cs), inner_cross);

        if (auto main = resolve(axis.main_dim(cs), inner_main)) {
            item.basis = *main;
        } else {
            float cross = or_unknown(item.cross);
            Size wanted = axis.row ? content_size(child, kUnknown, cross, inner_size)
                                   : content_size(child, cross, kUnknown, inner_size);
            item.basis = axis.main(wanted);
        }
        item.min = resolve(axis.main_min(cs), inner_main).value_or(0);
        item.max = resolve(axis.main_max(cs), inner_main).value_or(kUnbounded);
        item.hypothetical = clamp_size(item.basis, axis.main_min(cs), axis.main_max(cs), inner_main);
        items.push_back(item);
    }

    resolve_flexible_lengths(items, inner_main, gaps);

    float used = gaps;
    for (const auto& item : items)
        used += item.target;
    const float free = inner_main - used;
    float position = axis.main(Size{content.x, content.y});
    float between = s.gap;
    switch (s.justify_content) {
    case JustifyContent::Start:
        break;
    case JustifyContent::Center:
        position += free / 2;
        break;
    case JustifyContent::End:
        position += free;
        break;
    case JustifyContent::SpaceBetween:
        if (items.size() > 1 && free > 0)
            between += free / float(items.size() - 1);
        break;
    }

    const float cross_start = axis.cross(Size{content.x, content.y});
    for (const auto& item : items) {
        const LayoutStyle& cs = node(item.id).style;
        float cross = 0;
        if (item.cross) {
            cross = *item.cross;
        } else {
            // Content that wraps needs its main size before it can say how tall (or wide) it is.
            Size wanted = axis.row ? content_size(item.id, item.target, kUnknown, inner_size)
                                   : content_size(item.id, kUnknown, item.target, inner_size);
            cross = clamp_size(axis.cross(wanted), axis.cross_min(cs), axis.cross_max(cs), inner_cross);
        }
        float offset = 0;
        switch (alignment_of(cs, s)) {
        case AlignItems::Start:
        case AlignItems::Stretch:
            break;
        case AlignItems::Center:
            offset = (inner_cross - cross) / 2;
            break;
        case AlignItems::End:
            offset = inner_cross - cross;
            break;
        }
        Rect rect = axis.row ? Rect{position, cross_start + offset, item.target, cross}
                             : Rect{cross_start + offset, position, cross, item.target};
        node(item.id).rect = rect;
        position += item.target + between;
        layout_children(item.id);
    }
}

} // namespace vask_ui
