#include "command/menus.hpp"

#include <algorithm>

#include "fileops/archive.hpp"
#include "i18n/messages.hpp"
#include "model/workspace_roots.hpp"

namespace file_explorer {

namespace {

MenuEntry item(const char* id, std::optional<ExplorerAction> action, bool checked = false)
{
    return {i18n::message(id), std::move(action), checked};
}

// Opens the primary item; disabled without one.
MenuEntry open_item(const FileExplorerWidget& e)
{
    auto primary = e.selection().primary();
    return item("files-menu-open", primary ? std::optional<ExplorerAction>(action::ActivateIndex{*primary}) : std::nullopt);
}

void add_separator(Menu& menu) { menu.push_back(MenuEntry::separator()); }

bool is_favourite(const FileExplorerWidget& e, const std::filesystem::path& path)
{
    return std::ranges::any_of(e.favourites().items(), [&](const Favourite& f) { return same_path(f.path, path); });
}

std::vector<const DirectoryEntry*> selected_entries(const FileExplorerWidget& e)
{
    std::vector<const DirectoryEntry*> out;
    for (auto i : e.selection().selected())
        if (i < e.entries().size())
            out.push_back(&e.entries()[i]);
    return out;
}

MenuEntry hidden_toggle(const FileExplorerWidget& e)
{
    return item(e.show_hidden() ? "files-menu-hide-hidden" : "files-menu-show-hidden", action::ToggleHidden{});
}

void add_selection_items(const FileExplorerWidget& e, Menu& menu, const std::vector<const DirectoryEntry*>& selected)
{
    menu.push_back(open_item(e));
    menu.push_back(item("files-menu-rename", action::StartRename{}));
    add_separator(menu);
    menu.push_back(item("files-menu-cut", action::Cut{}));
    menu.push_back(item("files-menu-copy", action::Copy{}));
    if (selected.size() == 1)
        menu.push_back(item("files-menu-send-nearby", action::NearbySendStart{}));
    if (std::ranges::any_of(selected, [](const DirectoryEntry* d) { return is_archive_entry(*d); }))
        menu.push_back(item("files-archive-extract-here", action::ExtractSelection{}));
    menu.push_back(item("files-archive-compress", action::CompressSelection{}));
}

void add_availability_items(Menu& menu)
{
    add_separator(menu);
    menu.push_back(item("files-keep-offline", action::KeepOffline{}));
    menu.push_back(item("files-use-automatic-storage", action::UseAutomaticStorage{}));
    menu.push_back(item("files-free-local-space", action::FreeLocalSpace{}));
    menu.push_back(item("files-retry-download", action::RetryTransfer{}));
}

void add_single_item_items(Menu& menu, const DirectoryEntry& entry)
{
    menu.push_back(item("files-menu-properties", action::ShowProperties{}));
    if (!entry.record_id || !is_inside_roots(entry.path(), workspace_roots()))
        return;
    menu.push_back(item("files-copy-one-time-link", action::CopyOneTimeLink{}));
    menu.push_back(item("files-sharing-access", action::ShowSharing{}));
    menu.push_back(item("files-availability-title-short", action::ShowAvailability{}));
    menu.push_back(item("files-version-history", action::ShowHistory{}));
}

} // namespace

bool is_archive_entry(const DirectoryEntry& entry)
{
    return !entry.is_dir && has_archive_name(entry.path());
}

Menu file_context_menu(const FileExplorerWidget& e)
{
    Menu menu;
    const auto selected = selected_entries(e);
    const bool has_selection = !selected.empty();
    if (e.archive()) {
        if (has_selection) {
            menu.push_back(open_item(e));
            add_separator(menu);
        }
        menu.push_back(item("files-archive-extract", action::ExtractCurrentArchive{}));
        return menu;
    }
    if (e.is_trash()) {
        if (has_selection) {
            menu.push_back(open_item(e));
            add_separator(menu);
            menu.push_back(item("files-menu-restore", action::RestoreSelection{}));
            menu.push_back(item("files-menu-delete-permanently", action::DeleteSelection{}));
        }
        add_separator(menu);
        menu.push_back(item("files-menu-empty-trash", action::ConfirmEmptyTrash{}));
        return menu;
    }
    if (has_selection)
        add_selection_items(e, menu, selected);
    if (std::ranges::any_of(selected, [](const DirectoryEntry* d) { return d->sync_state.has_value(); }))
        add_availability_items(menu);
    auto primary = e.selection().primary();
    if (selected.size() == 1 && primary && *primary < e.entries().size())
        add_single_item_items(menu, e.entries()[*primary]);
    if (!e.clipboard().is_empty())
        menu.push_back(item("files-menu-paste", action::Paste{}));
    add_separator(menu);
    menu.push_back(item("files-menu-new-folder", action::NewFolder{}));
    if (!e.template_paths().empty())
        menu.push_back(item("files-menu-new-file", action::OpenTemplateMenu{}));
    if (has_selection) {
        add_separator(menu);
        menu.push_back(item("files-menu-move-trash", action::DeleteSelection{}));
    }
    if (selected.size() == 1 && selected.front()->is_dir) {
        add_separator(menu);
        menu.push_back(item("files-menu-add-favourite", action::AddFavourite{selected.front()->path(), std::nullopt}));
    } else if (is_favourite(e, e.current_path())) {
        add_separator(menu);
        menu.push_back(item("files-menu-remove-favourite", action::RemoveFavourite{e.current_path()}));
    }
    add_separator(menu);
    menu.push_back(hidden_toggle(e));
    add_separator(menu);
    menu.push_back(item("files-menu-sort-name", action::SetSortBy{SortKey::Name}));
    menu.push_back(item("files-menu-sort-size", action::SetSortBy{SortKey::Size}));
    menu.push_back(item("files-menu-sort-type", action::SetSortBy{SortKey::Type}));
    menu.push_back(item("files-menu-sort-date", action::SetSortBy{SortKey::Modified}));
    add_separator(menu);
    menu.push_back(item("files-menu-open-terminal", action::OpenTerminal{}));
    return menu;
}

Menu view_menu(const FileExplorerWidget& e)
{
    Menu menu;
    if (e.toolbar().is_compact()) {
        menu.push_back(item("files-forward", e.forward_history().empty() ? std::nullopt
                                                                          : std::optional<ExplorerAction>(action::GoForward{})));
        add_separator(menu);
        menu.push_back(item("files-view-list", action::SetViewMode{ViewMode::List}, e.view_mode() == ViewMode::List));
        menu.push_back(item("files-view-grid", action::SetViewMode{ViewMode::Grid}, e.view_mode() == ViewMode::Grid));
        add_separator(menu);
        menu.push_back(item("files-sort-by", action::OpenSortMenu{}));
        add_separator(menu);
    }
    if (e.archive()) {
        menu.push_back(item("files-archive-extract", action::ExtractCurrentArchive{}));
        return menu;
    }
    menu.push_back(item("files-menu-new-folder", action::NewFolder{}));
    if (!e.template_paths().empty())
        menu.push_back(item("files-menu-new-file", action::OpenTemplateMenu{}));
    if (e.undo_record())
        menu.push_back(item("files-undo-move-trash", action::UndoTrash{}));
    menu.push_back(hidden_toggle(e));
    if (e.is_trash())
        menu.push_back(item("files-menu-empty-trash", action::ConfirmEmptyTrash{}));
    menu.push_back(item("files-menu-open-terminal", action::OpenTerminal{}));
    menu.push_back(item("files-shortcuts-title", action::ShowShortcuts{}));
    return menu;
}

Menu sort_menu(const FileExplorerWidget& e)
{
    Menu menu;
    const SortKey key = e.sort_by();
    menu.push_back(item("files-sort-name", action::SetSortBy{SortKey::Name}, key == SortKey::Name));
    menu.push_back(item("files-sort-size", action::SetSortBy{SortKey::Size}, key == SortKey::Size));
    menu.push_back(item("files-sort-type", action::SetSortBy{SortKey::Type}, key == SortKey::Type));
    menu.push_back(item("files-sort-date", action::SetSortBy{SortKey::Modified}, key == SortKey::Modified));
    add_separator(menu);
    const SortOrder order = e.sort_order();
    menu.push_back(item("files-sort-ascending", action::SetSortOrder{SortOrder::Ascending}, order == SortOrder::Ascending));
    menu.push_back(item("files-sort-descending", action::SetSortOrder{SortOrder::Descending}, order == SortOrder::Descending));
    return menu;
}

} // namespace file_explorer
