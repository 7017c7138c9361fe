#include "platform/ui/widgets/containers.hpp"

#include <algorithm>
#include <cmath>

namespace vask_ui {

namespace {
// Moves, releases and leaves reach every child so hover and presses end cleanly; presses and
// wheels go where the pointer is.
bool reaches(const InputEvent& event, const Widget& child)
{
    if (std::holds_alternative<PointerMove>(event) || std::holds_alternative<PointerRelease>(event) ||
        std::holds_alternative<PointerLeave>(event) || std::holds_alternative<KeyPress>(event) ||
        std::holds_alternative<TextCommit>(event))
        return true;
    auto p = pointer_position(event);
    return p && child.bounds().contains(*p);
}
} // namespace

LayoutNodeId Spacer::build_layout(LayoutTree& tree, const LayoutContext&)
{
    LayoutStyle style;
    style.flex_grow = 1;
    return tree.add_node(style);
}

Column& Column::add(std::unique_ptr<Widget> child)
{
    m_children.push_back(std::move(child));
    return *this;
}

LayoutNodeId Column::build_layout(LayoutTree& tree, const LayoutContext& context)
{
    LayoutStyle style;
    style.direction = FlexDirection::Column;
    style.flex_grow = 1;
    auto node = tree.add_node(style);
    m_nodes.clear();
    for (auto& child : m_children)
        tree.add_child(node, m_nodes.emplace_back(child->build_layout(tree, context)));
    return node;
}

void Column::apply_layout(const LayoutTree& tree, LayoutNodeId node)
{
    Widget::apply_layout(tree, node);
    for (std::size_t i = 0; i < m_children.size(); ++i)
        m_children[i]->apply_layout(tree, m_nodes[i]);
}

void Column::draw(Scene& scene, const DrawContext& context)
{
    for (auto& child : m_children)
        child->draw(scene, context);
}

void Column::draw_overlay(Scene& scene, const DrawContext& context)
{
    for (auto& child : m_children)
        child->draw_overlay(scene, context);
}

void Column::handle_event(const InputEvent& event, EventContext& context)
{
    for (auto& child : m_children) {
        if (context.handled)
            return;
        if (reaches(event, *child))
            child->handle_event(event, context);
    }
}

std::vector<const Widget*> Column::children() const
{
    std::vector<const Widget*> out;
    for (const auto& child : m_children)
        out.push_back(child.get());
    return out;
}

std::unique_ptr<Scrollable> Scrollable::with_persisted_offset(std::unique_ptr<Widget> child, float& offset)
{
    return std::unique_ptr<Scrollable>(new Scrollable(std::move(child), offset));
}

LayoutNodeId Scrollable::build_layout(LayoutTree& tree, const LayoutContext& context)
{
    m_text = &context.text;
    m_theme = &context.theme;
    LayoutStyle style;
    style.flex_grow = 1;
    style.width = Dimension::percent(100);
    return tree.add_node(style);
}

void Scrollable::apply_layout(const LayoutTree& tree, LayoutNodeId node)
{
    Widget::apply_layout(tree, node);
    relayout();
}

void Scrollable::relayout()
{
    Rect b = bounds();
    float content = b.height;
    if (m_text && m_theme) {
        LayoutContext context{*m_text, *m_theme, 1};
        content = std::max(m_child->measure(b.width, b.width, context).height, b.height);
    }
    m_bar.set_geometry(b, content);
    *m_offset = std::clamp(*m_offset, 0.f, m_bar.max_offset());
    m_child->place({b.x, b.y - *m_offset, b.width, content});
    m_child->set_visible_clip(b);
}

void Scrollable::scroll_to_show(Rect rect, float top_inset)
{
    Rect b = bounds();
    if (rect.y < b.y + top_inset)
        *m_offset -= b.y + top_inset - rect.y;
    else if (rect.bottom() > b.bottom())
        *m_offset += rect.bottom() - b.bottom();
    relayout();
}

void Scrollable::draw(Scene& scene, const DrawContext& context)
{
    scene.push_clip(bounds());
    m_child->draw(scene, context);
    m_bar.draw(scene, context.theme, *m_offset);
    scene.pop_clip();
}

void Scrollable::handle_event(const InputEvent& event, EventContext& context)
{
    float offset = *m_offset;
    if (m_bar.handle_event(event, offset)) {
        *m_offset = offset;
        relayout();
        if (!std::holds_alternative<PointerMove>(event) || m_bar.is_dragging()) {
            context.handled = true;
            return;
        }
    }
    if (auto* wheel = std::get_if<Wheel>(&event)) {
        if (!bounds().contains(wheel->position))
            return;
        float step = wheel->unit == WheelUnit::Lines ? wheel->dy * kLinesPerNotch * kLineHeight : wheel->dy;
        *m_offset += step;
        relayout();
        context.handled = true;
        return;
    }
    m_child->handle_event(event, context);
}

NavShell::NavShell() : m_toggle("vask.nav_shell.sidebar", "Sidebar", Glyph::List)
{
    m_toggle.on_click = [this] { set_sidebar_open(!m_open); };
}

void NavShell::set_sidebar_open(bool open)
{
    if (open != m_open) {
        m_open = open;
        m_dirty = true;
    }
}

LayoutNodeId NavShell::build_layout(LayoutTree& tree, const LayoutContext& context)
{
    m_laid_out_compact = is_compact();
    if (!m_laid_out_compact)
        m_open = false;
    LayoutStyle row;
    row.direction = FlexDirection::Row;
    row.flex_grow = 1;
    row.width = Dimension::percent(100);
    auto node = tree.add_node(row);
    m_sidebar_node.reset();
    if (m_sidebar && !m_laid_out_compact) {
        // The sidebar's own node, held at the shell's sidebar width.
        auto side = m_sidebar->build_layout(tree, context);
        LayoutStyle style = tree.style(side);
        style.width = Dimension::points(kSidebarWidth);
        style.height = Dimension::automatic();
        style.flex_shrink = 0;
        tree.set_style(side, style);
        m_sidebar_node = side;
        tree.add_child(node, side);
    }
    if (m_content) {
        m_content_node = m_content->build_layout(tree, context);
    } else {
        LayoutStyle grow;
        grow.flex_grow = 1;
        m_content_node = tree.add_node(grow);
    }
    tree.add_child(node, m_content_node);
    return node;
}

void NavShell::apply_layout(const LayoutTree& tree, LayoutNodeId node)
{
    Widget::apply_layout(tree, node);
    if (m_content)
        m_content->apply_layout(tree, m_content_node);
    m_content_rect = tree.layout(m_content_node);
    if (m_sidebar && m_sidebar_node)
        m_sidebar->apply_layout(tree, *m_sidebar_node);
    else if (m_sidebar) // above the content while compact
        m_sidebar->set_bounds({m_content_rect.x, m_content_rect.y, std::min(kSidebarWidth, m_content_rect.width),
                               m_content_rect.height});
    m_toggle.set_bounds({m_content_rect.x + 8, m_content_rect.bottom() - 36, 32, 28});
    // The width seen here decides the arrangement of the next build.
    if (is_compact() != m_laid_out_compact)
        m_dirty = true;
}

void NavShell::draw(Scene& scene, const DrawContext& context)
{
    const bool compact = is_compact();
    if (m_sidebar && !compact)
        m_sidebar->draw(scene, context);
    if (m_content)
        m_content->draw(scene, context);
    if (!compact)
        return;
    if (m_sidebar && m_open) {
        Rect side = m_sidebar->bounds();
        scene.fill_rect({side.right(), m_content_rect.y, m_content_rect.right() - side.right(), m_content_rect.height},
                        context.theme.scrim);
        scene.shadow(side, Color::rgb(0x000000, 40), 10);
        m_sidebar->draw(scene, context);
    } else {
        scene.fill_rect(m_toggle.bounds(), context.theme.surface.with_alpha(230), context.theme.radius);
        m_toggle.draw(scene, context);
    }
}

void NavShell::draw_overlay(Scene& scene, const DrawContext& context)
{
    if (m_content)
        m_content->draw_overlay(scene, context);
    if (m_sidebar && shows_sidebar())
        m_sidebar->draw_overlay(scene, context);
}

void NavShell::handle_event(const InputEvent& event, EventContext& context)
{
    const bool compact = is_compact();
    if (compact && !m_open) {
        m_toggle.handle_event(event, context);
        if (context.handled)
            return;
    }
    if (compact && m_open && m_sidebar) {
        if (reaches(event, *m_sidebar))
            m_sidebar->handle_event(event, context);
        if (context.handled)
            return;
        if (auto* press = std::get_if<PointerPress>(&event); press && m_content_rect.contains(press->position) &&
                                                              !m_sidebar->bounds().contains(press->position)) {
            set_sidebar_open(false); // a press on the dimmed content closes the sidebar
            context.handled = true;
            return;
        }
        if (pointer_position(event))
            return; // nothing under the dim reacts
    }
    if (m_sidebar && !compact && reaches(event, *m_sidebar))
        m_sidebar->handle_event(event, context);
    if (!context.handled && m_content && reaches(event, *m_content))
        m_content->handle_event(event, context);
}

std::vector<const Widget*> NavShell::children() const
{
    std::vector<const Widget*> out;
    if (m_sidebar && shows_sidebar())
        out.push_back(m_sidebar.get());
    if (m_content)
        out.push_back(m_content.get());
    return out;
}

} // namespace vask_ui
