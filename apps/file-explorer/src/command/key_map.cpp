#include "command/key_map.hpp"

#include <algorithm>

#include "files_app/file_explorer_widget.hpp"

namespace file_explorer {

namespace {

bool is_letter(const vask_ui::KeyPress& key, char lower)
{
    return key.key == vask_ui::Key::Character && key.text.size() == 1 &&
           (key.text[0] == lower || key.text[0] == char(lower - 32));
}

bool is_text(const vask_ui::KeyPress& key, std::string_view a, std::string_view b = {})
{
    return key.key == vask_ui::Key::Character && (key.text == a || (!b.empty() && key.text == b));
}

// A selection move to `index`, extending with Shift.
std::optional<KeyCommand> move_to(std::size_t index, const vask_ui::KeyPress& key)
{
    return ExplorerAction{action::MoveSelection{index, key.modifiers.has(vask_ui::Modifier::Shift)}};
}

std::optional<KeyCommand> primary_shortcut(const vask_ui::KeyPress& key)
{
    using vask_ui::Modifier;
    const bool shift = key.modifiers.has(Modifier::Shift);
    if (is_letter(key, 'l'))
        return key_command::FocusLocation{};
    if (is_letter(key, 'a'))
        return ExplorerAction{action::SelectAll{}};
    if (is_letter(key, 'c'))
        return ExplorerAction{action::Copy{}};
    if (is_letter(key, 'x'))
        return ExplorerAction{action::Cut{}};
    if (is_letter(key, 'v'))
        return ExplorerAction{action::Paste{}};
    if (is_letter(key, 'z'))
        return ExplorerAction{action::UndoTrash{}};
    if (is_letter(key, 'n'))
        return shift ? std::optional<KeyCommand>(ExplorerAction{action::NewFolder{}}) : std::nullopt;
    if (is_letter(key, 'h'))
        return ExplorerAction{action::ToggleHidden{}};
    if (is_text(key, "+", "="))
        return ExplorerAction{action::ZoomIn{}};
    if (is_text(key, "-", "_"))
        return ExplorerAction{action::ZoomOut{}};
    if (is_text(key, "1"))
        return ExplorerAction{action::SetViewMode{ViewMode::List}};
    if (is_text(key, "2"))
        return ExplorerAction{action::SetViewMode{ViewMode::Grid}};
    return std::nullopt;
}

} // namespace

std::optional<KeyCommand> key_command_for(const FileExplorerWidget& e, const vask_ui::KeyPress& key)
{
    using vask_ui::Key;
    using vask_ui::Modifier;
    const std::size_t count = e.entries().size();
    const auto primary = e.selection().primary();
    const bool alt = key.modifiers.has(Modifier::Alt);
    const bool grid = e.view_mode() == ViewMode::Grid;

    if (key.key == Key::F1 || is_text(key, "?"))
        return ExplorerAction{action::ShowShortcuts{}};
    if (key.modifiers.primary() && key.key == Key::Character) {
        if (is_text(key, "0"))
            return key_command::ResetItemSize{};
        return primary_shortcut(key);
    }
    switch (key.key) {
    case Key::Enter:
        if (primary && *primary < count)
            return ExplorerAction{action::ActivateIndex{*primary}};
        return std::nullopt;
    case Key::Down:
        if (count == 0 || grid)
            return std::nullopt;
        return move_to(primary ? std::min(*primary + 1, count - 1) : 0, key);
    case Key::Up:
        if (alt)
            return ExplorerAction{action::GoUp{}};
        if (count == 0 || grid)
            return std::nullopt;
        return move_to(primary ? (*primary > 0 ? *primary - 1 : 0) : 0, key);
    case Key::End: return count ? move_to(count - 1, key) : std::nullopt;
    case Key::Home: return count ? move_to(0, key) : std::nullopt;
    case Key::PageDown:
    case Key::PageUp: {
        if (count == 0)
            return std::nullopt;
        const long page = long(e.page_rows()), from = primary ? long(*primary) : 0;
        long to = key.key == Key::PageDown ? from + page : from - page;
        return move_to(std::size_t(std::clamp(to, 0L, long(count) - 1)), key);
    }
    case Key::Left: return alt ? std::optional<KeyCommand>(ExplorerAction{action::GoBack{}}) : std::nullopt;
    case Key::Right: return alt ? std::optional<KeyCommand>(ExplorerAction{action::GoForward{}}) : std::nullopt;
    case Key::BrowserBack: return ExplorerAction{action::GoBack{}};
    case Key::BrowserForward: return ExplorerAction{action::GoForward{}};
    case Key::Backspace: return ExplorerAction{action::GoUp{}};
    case Key::Delete: return ExplorerAction{action::DeleteSelection{}};
    case Key::Menu:
        if (e.selection().is_empty())
            return std::nullopt;
        return key_command::OpenContextMenu{};
    case Key::Escape:
        if (e.selection().is_empty())
            return std::nullopt;
        return key_command::ClearSelection{};
    case Key::F2: return ExplorerAction{action::StartRename{}};
    case Key::F5: return ExplorerAction{action::Reload{}};
    default: return std::nullopt;
    }
}

} // namespace file_explorer
