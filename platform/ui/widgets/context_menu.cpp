#include "platform/ui/widgets/context_menu.hpp"

#include <algorithm>

#include "platform/ui/widgets/button.hpp"

namespace vask_ui {

void ContextMenu::open(std::vector<Item> items, Point at, Rect window, const TextRenderer& text, const Theme& theme)
{
    m_items = std::move(items);
    float width = kMinWidth, height = 2 * kPadding;
    for (const auto& item : m_items) {
        height += item.separator ? kSeparatorHeight : kItemHeight;
        if (!item.separator)
            width = std::max(width, text.width(item.label, theme.body) + 56);
    }
    width = std::min(width, std::max(0.f, window.width - 8));
    // Keep the whole menu inside the window: shift left or up when it would overflow.
    float x = std::clamp(at.x, window.x + 4, std::max(window.x + 4, window.right() - width - 4));
    float y = at.y + height > window.bottom() - 4 ? std::max(window.y + 4, at.y - height) : at.y;
    y = std::clamp(y, window.y + 4, std::max(window.y + 4, window.bottom() - height - 4));
    m_rect = {x, y, width, height};
    m_open = true;
    m_highlight.reset();
    m_chosen.reset();
}

void ContextMenu::close()
{
    m_open = false;
    m_highlight.reset();
}

Rect ContextMenu::item_rect(std::size_t index) const
{
    float y = m_rect.y + kPadding;
    for (std::size_t i = 0; i < index && i < m_items.size(); ++i)
        y += m_items[i].separator ? kSeparatorHeight : kItemHeight;
    float h = index < m_items.size() && m_items[index].separator ? kSeparatorHeight : kItemHeight;
    return {m_rect.x + kPadding, y, m_rect.width - 2 * kPadding, h};
}

std::optional<std::size_t> ContextMenu::hit(Point p) const
{
    if (!m_rect.contains(p))
        return std::nullopt;
    for (std::size_t i = 0; i < m_items.size(); ++i)
        if (item_rect(i).contains(p))
            return i;
    return std::nullopt;
}

void ContextMenu::step(int direction)
{
    if (m_items.empty())
        return;
    const long n = long(m_items.size());
    long i = m_highlight ? long(*m_highlight) : (direction > 0 ? -1 : n);
    for (long tries = 0; tries < n; ++tries) {
        i += direction;
        if (i < 0 || i >= n)
            return; // stop at the ends
        if (selectable(std::size_t(i))) {
            m_highlight = std::size_t(i);
            return;
        }
    }
}

void ContextMenu::choose(std::size_t index)
{
    if (index >= m_items.size() || !selectable(index))
        return;
    m_chosen = m_items[index].command;
    close();
}

void ContextMenu::handle_event(const InputEvent& event, EventContext& context)
{
    if (!m_open)
        return;
    if (auto* move = std::get_if<PointerMove>(&event)) {
        if (auto i = hit(move->position); i && selectable(*i))
            m_highlight = i;
        return;
    }
    if (auto* press = std::get_if<PointerPress>(&event)) {
        context.handled = true;
        if (!m_rect.contains(press->position)) {
            close(); // a press outside dismisses the menu and is not passed on
            return;
        }
        if (auto i = hit(press->position))
            m_highlight = selectable(*i) ? i : m_highlight;
        return;
    }
    if (auto* release = std::get_if<PointerRelease>(&event)) {
        if (auto i = hit(release->position)) {
            choose(*i);
            context.handled = true;
        }
        return;
    }
    auto* key = std::get_if<KeyPress>(&event);
    if (!key)
        return;
    context.handled = true;
    switch (key->key) {
    case Key::Down: step(1); break;
    case Key::Up: step(-1); break;
    case Key::Home:
        m_highlight.reset();
        step(1);
        break;
    case Key::End:
        m_highlight.reset();
        step(-1);
        break;
    case Key::Enter:
    case Key::Space:
        if (m_highlight)
            choose(*m_highlight);
        break;
    case Key::Escape:
    case Key::Menu: close(); break;
    default: break;
    }
}

void ContextMenu::draw_overlay(Scene& scene, const DrawContext& context)
{
    if (!m_open)
        return;
    const auto& theme = context.theme;
    scene.shadow(m_rect, Color::rgb(0x000000, 45), 12, theme.radius + 2);
    scene.fill_rect(m_rect, theme.surface, theme.radius + 2);
    scene.stroke_rect(m_rect, theme.border, 1, theme.radius + 2);
    for (std::size_t i = 0; i < m_items.size(); ++i) {
        const auto& item = m_items[i];
        Rect r = item_rect(i);
        if (item.separator) {
            scene.line({r.x + 4, r.y + r.height / 2}, {r.right() - 4, r.y + r.height / 2}, theme.border);
            continue;
        }
        if (m_highlight == i)
            scene.fill_rect(r, theme.selection, theme.radius);
        Color color = item.enabled ? theme.text : theme.text_disabled;
        if (item.checked) {
            PathData tick;
            tick.move_to({r.x + 9, r.y + 16}).line_to({r.x + 13, r.y + 20}).line_to({r.x + 20, r.y + 11});
            scene.stroke_path(std::move(tick), theme.accent, 1.8f);
        }
        scene.text(context.text.elide_end(item.label, theme.body, r.width - 40), {r.x + 30, r.y, r.width - 34, r.height},
                   theme.body, color);
    }
}

std::optional<a11y::AccessNode> ContextMenu::accessibility() const
{
    if (!m_open)
        return std::nullopt;
    a11y::AccessNode menu;
    menu.role = a11y::Role::Menu;
    menu.bounds = m_rect;
    for (std::size_t i = 0; i < m_items.size(); ++i) {
        if (m_items[i].separator)
            continue;
        a11y::AccessNode item;
        item.role = a11y::Role::MenuItem;
        item.name = m_items[i].label;
        item.bounds = item_rect(i);
        item.disabled = !m_items[i].enabled;
        item.selected = m_items[i].checked;
        item.focused = m_highlight == i;
        menu.children.push_back(std::move(item));
    }
    return menu;
}

} // namespace vask_ui
