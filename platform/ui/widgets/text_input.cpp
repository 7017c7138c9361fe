#include "platform/ui/widgets/text_input.hpp"

#include <algorithm>

#include "platform/ui/clipboard.hpp"

namespace vask_ui {

namespace {
bool is_continuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }
bool is_word_char(char c)
{
    auto u = static_cast<unsigned char>(c);
    return u >= 0x80 || (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
}
} // namespace

TextInput::TextInput(std::string control_id, std::string placeholder)
    : m_control_id(std::move(control_id)), m_placeholder(std::move(placeholder))
{
}

void TextInput::set_text(std::string text)
{
    m_text = std::move(text);
    select_all();
    m_scroll = 0;
}

void TextInput::select_all()
{
    m_anchor = 0;
    m_caret = m_text.size();
}

std::pair<std::size_t, std::size_t> TextInput::selection() const
{
    return {std::min(m_anchor, m_caret), std::max(m_anchor, m_caret)};
}

LayoutNodeId TextInput::build_layout(LayoutTree& tree, const LayoutContext&)
{
    LayoutStyle style;
    style.width = Dimension::percent(100);
    style.height = Dimension::points(34);
    style.flex_grow = 1;
    return tree.add_node(style);
}

std::size_t TextInput::previous_boundary(std::size_t from, bool word) const
{
    std::size_t i = from;
    auto step = [&] {
        if (i == 0)
            return;
        --i;
        while (i > 0 && is_continuation(m_text[i]))
            --i;
    };
    if (!word) {
        step();
        return i;
    }
    while (i > 0 && !is_word_char(m_text[i - 1]))
        step();
    while (i > 0 && is_word_char(m_text[i - 1]))
        step();
    return i;
}

std::size_t TextInput::next_boundary(std::size_t from, bool word) const
{
    std::size_t i = from;
    auto step = [&] {
        if (i >= m_text.size())
            return;
        ++i;
        while (i < m_text.size() && is_continuation(m_text[i]))
            ++i;
    };
    if (!word) {
        step();
        return i;
    }
    while (i < m_text.size() && !is_word_char(m_text[i]))
        step();
    while (i < m_text.size() && is_word_char(m_text[i]))
        step();
    return i;
}

void TextInput::move_caret(std::size_t to, bool extend)
{
    m_caret = to;
    if (!extend)
        m_anchor = to;
}

void TextInput::erase_selection()
{
    auto [first, last] = selection();
    m_text.erase(first, last - first);
    m_caret = m_anchor = first;
}

void TextInput::insert(std::string_view text)
{
    // One line only: line breaks from a paste become spaces.
    std::string clean(text);
    std::replace(clean.begin(), clean.end(), '\n', ' ');
    std::erase(clean, '\r');
    erase_selection();
    m_text.insert(m_caret, clean);
    m_caret += clean.size();
    m_anchor = m_caret;
    m_edited = true;
}

std::size_t TextInput::offset_at(float x, const TextRenderer& text) const
{
    const TextStyle& style = m_style;
    float local = x - (bounds().x + kInset) + m_scroll;
    std::size_t best = 0;
    float best_distance = std::abs(local);
    for (std::size_t i = 1; i <= m_text.size(); ++i) {
        if (i < m_text.size() && is_continuation(m_text[i]))
            continue;
        float d = std::abs(text.width(std::string_view(m_text).substr(0, i), style) - local);
        if (d < best_distance) {
            best_distance = d;
            best = i;
        }
    }
    return best;
}

void TextInput::handle_event(const InputEvent& event, EventContext& context)
{
    if (auto* press = std::get_if<PointerPress>(&event)) {
        if (press->button != MouseButton::Primary || !bounds().contains(press->position))
            return;
        m_focused = true;
        move_caret(offset_at(press->position.x, context.text), press->modifiers.has(Modifier::Shift));
        m_dragging = true;
        context.handled = true;
        return;
    }
    if (auto* move = std::get_if<PointerMove>(&event)) {
        if (m_dragging)
            move_caret(offset_at(move->position.x, context.text), true);
        return;
    }
    if (std::holds_alternative<PointerRelease>(event)) {
        m_dragging = false;
        return;
    }
    if (!m_focused)
        return;
    if (auto* commit = std::get_if<TextCommit>(&event)) {
        insert(commit->text);
        context.handled = true;
        return;
    }
    auto* key = std::get_if<KeyPress>(&event);
    if (!key)
        return;
    const bool shift = key->modifiers.has(Modifier::Shift);
    const bool word = key->modifiers.has(Modifier::Ctrl);
    context.handled = true;
    switch (key->key) {
    case Key::Left:
        if (!shift && m_caret != m_anchor && !word)
            move_caret(selection().first, false);
        else
            move_caret(previous_boundary(m_caret, word), shift);
        break;
    case Key::Right:
        if (!shift && m_caret != m_anchor && !word)
            move_caret(selection().second, false);
        else
            move_caret(next_boundary(m_caret, word), shift);
        break;
    case Key::Home: move_caret(0, shift); break;
    case Key::End: move_caret(m_text.size(), shift); break;
    case Key::Backspace:
        if (m_caret == m_anchor)
            m_anchor = previous_boundary(m_caret, word);
        erase_selection();
        m_edited = true;
        break;
    case Key::Delete:
        if (m_caret == m_anchor)
            m_anchor = next_boundary(m_caret, word);
        erase_selection();
        m_edited = true;
        break;
    case Key::Enter: m_outcome = Outcome::Submitted; break;
    case Key::Escape: m_outcome = Outcome::Cancelled; break;
    case Key::Space: insert(" "); break;
    case Key::Character:
        if (key->modifiers.primary()) {
            auto [first, last] = selection();
            if (key->text == "a" || key->text == "A") {
                select_all();
            } else if ((key->text == "c" || key->text == "C") && last > first) {
                clipboard::set_text(m_text.substr(first, last - first));
            } else if ((key->text == "x" || key->text == "X") && last > first) {
                clipboard::set_text(m_text.substr(first, last - first));
                erase_selection();
                m_edited = true;
            } else if (key->text == "v" || key->text == "V") {
                insert(clipboard::text());
            } else {
                context.handled = false;
            }
        } else if (!key->modifiers.has(Modifier::Alt) && !key->text.empty()) {
            insert(key->text);
        } else {
            context.handled = false;
        }
        break;
    default: context.handled = false; break;
    }
}

void TextInput::draw(Scene& scene, const DrawContext& context)
{
    const auto& theme = context.theme;
    const auto& text = context.text;
    Rect b = bounds();
    m_style = theme.body;
    scene.fill_rect(b, theme.surface, theme.radius);
    scene.stroke_rect(b, m_focused ? theme.accent : theme.border, m_focused ? 2.f : 1.f, theme.radius);
    const float inner = b.width - 2 * kInset;
    const float caret_x = text.width(std::string_view(m_text).substr(0, m_caret), theme.body);
    // Keep the caret in view.
    if (caret_x - m_scroll > inner)
        m_scroll = caret_x - inner;
    if (caret_x < m_scroll)
        m_scroll = caret_x;
    const float line = text.line_height(theme.body);
    const float y = b.y + (b.height - line) / 2;
    scene.push_clip(b.inset(2));
    auto [first, last] = selection();
    if (last > first) {
        float x0 = text.width(std::string_view(m_text).substr(0, first), theme.body);
        float x1 = text.width(std::string_view(m_text).substr(0, last), theme.body);
        scene.fill_rect({b.x + kInset + x0 - m_scroll, y, x1 - x0, line}, theme.selection, 2);
    }
    if (m_text.empty())
        scene.text(m_placeholder, {b.x + kInset, y, inner, line}, theme.body, theme.text_muted);
    else
        scene.text(m_text, {b.x + kInset - m_scroll, y, text.width(m_text, theme.body) + 2, line}, theme.body, theme.text);
    if (m_focused)
        scene.line({b.x + kInset + caret_x - m_scroll, y}, {b.x + kInset + caret_x - m_scroll, y + line}, theme.text, 1.5f);
    scene.pop_clip();
}

std::optional<a11y::AccessNode> TextInput::accessibility() const
{
    a11y::AccessNode node;
    node.role = a11y::Role::TextInput;
    node.name = m_placeholder;
    node.value = m_text;
    node.bounds = bounds();
    node.focusable = true;
    node.focused = m_focused;
    node.control_id = m_control_id;
    return node;
}

} // namespace vask_ui
