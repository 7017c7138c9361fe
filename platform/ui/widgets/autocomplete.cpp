#include "platform/ui/widgets/autocomplete.hpp"

#include <algorithm>

namespace vask_ui {

Autocomplete::Autocomplete(std::string control_id, std::string placeholder, Provider provider)
    : m_input(std::move(control_id), std::move(placeholder)), m_provider(std::move(provider))
{
}

void Autocomplete::begin_edit()
{
    m_open = true;
    m_input.set_focus(true);
    refresh();
}

void Autocomplete::close()
{
    m_open = false;
    m_input.set_focus(false);
    m_suggestions.clear();
    m_highlight.reset();
}

void Autocomplete::refresh()
{
    m_suggestions = m_provider ? m_provider(m_input.text()) : std::vector<Suggestion>{};
    m_highlight.reset();
    m_first_visible = 0;
}

void Autocomplete::apply_layout(const LayoutTree& tree, LayoutNodeId node) { set_bounds_direct(tree.layout(node)); }

void Autocomplete::set_bounds_direct(Rect rect)
{
    set_bounds(rect);
    m_input.set_bounds(rect);
}

Rect Autocomplete::list_rect() const
{
    std::size_t rows = std::min(m_suggestions.size(), kVisibleRows);
    return {bounds().x, bounds().bottom() + 4, bounds().width, float(rows) * kRowHeight + 8};
}

void Autocomplete::accept(std::size_t index)
{
    if (index >= m_suggestions.size())
        return;
    Suggestion chosen = m_suggestions[index];
    m_input.set_text(chosen.text);
    m_input.place_caret_at_end();
}

void Autocomplete::handle_event(const InputEvent& event, EventContext& context)
{
    if (!m_open)
        return;
    if (auto* press = std::get_if<PointerPress>(&event)) {
        Rect list = list_rect();
        if (!m_suggestions.empty() && list.contains(press->position)) {
            auto row = std::size_t((press->position.y - list.y - 4) / kRowHeight) + m_first_visible;
            if (row < m_suggestions.size()) {
                bool continues = m_suggestions[row].continues;
                accept(row);
                if (continues)
                    refresh();
                else
                    m_outcome = {TextInput::Outcome::Submitted, m_input.text()};
            }
            context.handled = true;
            return;
        }
        if (!bounds().contains(press->position)) {
            // A press elsewhere ends editing without submitting.
            m_outcome = {TextInput::Outcome::Cancelled, {}};
            return;
        }
    }
    if (auto* key = std::get_if<KeyPress>(&event); key && !m_suggestions.empty()) {
        const std::size_t n = m_suggestions.size();
        if (key->key == Key::Down || key->key == Key::Up) {
            if (!m_highlight)
                m_highlight = key->key == Key::Down ? 0 : n - 1;
            else
                m_highlight = key->key == Key::Down ? std::min(*m_highlight + 1, n - 1) : (*m_highlight > 0 ? *m_highlight - 1 : 0);
            if (*m_highlight < m_first_visible)
                m_first_visible = *m_highlight;
            if (*m_highlight >= m_first_visible + kVisibleRows)
                m_first_visible = *m_highlight + 1 - kVisibleRows;
            context.handled = true;
            return;
        }
        if ((key->key == Key::Tab || key->key == Key::Enter) && m_highlight) {
            bool continues = m_suggestions[*m_highlight].continues;
            accept(*m_highlight);
            if (continues || key->key == Key::Tab)
                refresh();
            else
                m_outcome = {TextInput::Outcome::Submitted, m_input.text()};
            context.handled = true;
            return;
        }
        if (key->key == Key::Tab && n == 1) {
            bool continues = m_suggestions[0].continues;
            accept(0);
            if (continues)
                refresh();
            context.handled = true;
            return;
        }
    }
    m_input.handle_event(event, context);
    if (m_input.take_edited())
        refresh();
    switch (m_input.take_outcome()) {
    case TextInput::Outcome::Submitted: m_outcome = {TextInput::Outcome::Submitted, m_input.text()}; break;
    case TextInput::Outcome::Cancelled: m_outcome = {TextInput::Outcome::Cancelled, {}}; break;
    case TextInput::Outcome::None: break;
    }
    // While editing, keys never fall through to the window's shortcuts.
    if (std::holds_alternative<KeyPress>(event) || std::holds_alternative<TextCommit>(event))
        context.handled = true;
}

void Autocomplete::draw_overlay(Scene& scene, const DrawContext& context)
{
    if (!m_open || m_suggestions.empty())
        return;
    const auto& theme = context.theme;
    Rect list = list_rect();
    scene.shadow(list, Color::rgb(0x000000, 40), 10, theme.radius);
    scene.fill_rect(list, theme.surface, theme.radius);
    scene.stroke_rect(list, theme.border, 1, theme.radius);
    std::size_t last = std::min(m_suggestions.size(), m_first_visible + kVisibleRows);
    for (std::size_t i = m_first_visible; i < last; ++i) {
        Rect row{list.x + 4, list.y + 4 + float(i - m_first_visible) * kRowHeight, list.width - 8, kRowHeight};
        if (m_highlight == i)
            scene.fill_rect(row, theme.selection, theme.radius);
        icons::draw(scene, m_suggestions[i].icon, {row.x + 8, row.y + 7, 16, 16}, theme);
        scene.text(context.text.elide_middle(m_suggestions[i].text, theme.body, row.width - 40), {row.x + 32, row.y, row.width - 36, row.height},
                   theme.body, theme.text);
    }
}

std::optional<a11y::AccessNode> Autocomplete::accessibility() const
{
    auto node = m_input.accessibility();
    if (!node)
        return node;
    for (std::size_t i = 0; i < m_suggestions.size(); ++i) {
        a11y::AccessNode item;
        item.role = a11y::Role::ListItem;
        item.name = m_suggestions[i].text;
        item.selected = m_highlight == i;
        node->children.push_back(std::move(item));
    }
    return node;
}

} // namespace vask_ui
