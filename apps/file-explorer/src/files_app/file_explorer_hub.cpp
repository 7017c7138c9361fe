// The operation hub: every action the explorer takes goes through apply(), behind the archive
// guard. Local file operations run here synchronously; their outcomes become the notice.
#include <algorithm>

#include "fileops/item_operations.hpp"
#include "fileops/templates.hpp"
#include "files_app/file_explorer_widget.hpp"
#include "i18n/messages.hpp"
#include "model/formatting.hpp"
#include "command/menus.hpp"
#include "model/workspace_roots.hpp"
#include "platform/base/utf8.hpp"
#include "platform/ui/opener.hpp"

namespace file_explorer {

namespace {

template <typename... Ts>
struct Overloaded : Ts... {
    using Ts::operator()...;
};

// The first `limit` characters (code points) of `text`.
std::string first_chars(std::string text, std::size_t limit)
{
    auto starts = vask_base::char_starts(text);
    if (starts.size() > limit)
        text.resize(starts[limit]);
    return text;
}



// The parent folder of `path` as text; "/" when it has none.
std::string parent_text(const std::filesystem::path& path)
{
    std::string parent = path.has_relative_path() ? vask_base::lossy_utf8(path.parent_path()) : std::string();
    return parent.empty() ? std::string(1, '/') : parent;
}

} // namespace

bool changes_current_folder(const ExplorerAction& action)
{
    return std::visit(Overloaded{[](const action::OpenTerminal&) { return true; },
                                 [](const action::NewFolder&) { return true; },
                                 [](const action::StartRename&) { return true; },
                                 [](const action::CommitRename&) { return true; },
                                 [](const action::DeleteSelection&) { return true; },
                                 [](const action::Copy&) { return true; },
                                 [](const action::Cut&) { return true; },
                                 [](const action::Paste&) { return true; },
                                 [](const action::ExtractSelection&) { return true; },
                                 [](const action::CompressSelection&) { return true; },
                                 [](const action::NewFromTemplate&) { return true; },
                                 [](const action::ArmDrag&) { return true; },
                                 [](const action::StartDrag&) { return true; },
                                 [](const auto&) { return false; }},
                      action);
}

// Applies one action to the explorer; each overload returns whether anything visible changed.
struct ExplorerHub {
    FileExplorerWidget& w;

    void notice(const char* id) { w.set_notice(i18n::message(id)); }
    void notice(const char* id, std::initializer_list<i18n::MessageArg> args) { w.set_notice(i18n::message_with_args(id, args)); }

    // Navigation and view settings.
    bool operator()(const action::OpenPath& a) { return w.open_path(a.path), true; }
    bool operator()(const action::OpenItem& a)
    {
        std::error_code ec;
        if (std::filesystem::is_regular_file(a.path, ec))
            w.activate_path(a.path);
        else
            w.open_path(a.path);
        return true;
    }
    bool operator()(const action::GoUp&) { return w.go_up(), true; }
    bool operator()(const action::GoBack&) { return w.go_back(), true; }
    bool operator()(const action::GoForward&) { return w.go_forward(), true; }
    bool operator()(const action::Reload&) { return w.reload(), true; }
    bool operator()(const action::ItemPress& a)
    {
        if (a.index >= w.m_entries.size())
            return false;
        if (a.toggle || a.range) {
            using vask_ui::SelectionModel;
            w.m_selection.click(a.index, a.toggle ? SelectionModel::Toggle::Yes : SelectionModel::Toggle::No,
                                a.range ? SelectionModel::Range::Yes : SelectionModel::Range::No);
            w.m_last_click.reset();
            w.mark_dirty();
            return true;
        }
        w.m_drag_candidates.clear();
        if (w.m_selection.is_selected(a.index) && w.m_selection.count_selected() >= 2)
            w.m_drag_candidates = w.selected_paths();
        if (auto target = w.click_item(a.index, w.m_now))
            w.activate_path(*target);
        return true;
    }
    bool operator()(const action::SecondaryPress& a)
    {
        if (!a.index || *a.index >= w.m_entries.size())
            w.m_selection.clear();
        else if (!w.m_selection.is_selected(*a.index))
            w.m_selection.select_only(*a.index);
        w.m_last_click.reset();
        w.mark_dirty();
        return true;
    }
    bool operator()(const action::ActivateIndex& a)
    {
        if (a.index >= w.m_entries.size())
            return false;
        w.activate_path(w.m_entries[a.index].path());
        return true;
    }
    bool operator()(const action::MoveSelection& a)
    {
        if (a.index >= w.m_entries.size())
            return false;
        w.m_selection.move_to(a.index, a.extend ? vask_ui::SelectionModel::Extend::Yes : vask_ui::SelectionModel::Extend::No);
        w.ensure_visible(a.index);
        w.mark_dirty();
        return true;
    }
    bool operator()(const action::SortColumn& a)
    {
        if (a.column < 1 || a.column > 3)
            return false;
        SortKey key = a.column == 1 ? SortKey::Name : a.column == 2 ? SortKey::Size : SortKey::Modified;
        if (key == w.m_sort_by)
            w.toggle_sort_order();
        else
            w.set_sort_by(key);
        return true;
    }
    bool operator()(const action::SetViewMode& a) { return w.set_view_mode(a.mode), true; }
    bool operator()(const action::OpenSortMenu&)
    {
        auto anchor = w.m_toolbar.control_rect("files.sort_menu");
        vask_ui::Point at = anchor ? vask_ui::Point{anchor->x, anchor->bottom() + 4} : w.m_pointer;
        w.open_menu(w.m_main_menu, w.m_main_menu_entries, sort_menu(w), at);
        return true;
    }
    bool operator()(const action::OpenViewMenu&)
    {
        auto anchor = w.m_toolbar.control_rect("files.view_menu");
        if (!anchor) // inside an archive the Extract button stands where the menu button was
            anchor = w.m_toolbar.control_rect("files.archive.extract");
        // Right-aligned under its button; the menu keeps itself inside the window.
        vask_ui::Point at = anchor ? vask_ui::Point{anchor->right() - vask_ui::ContextMenu::kMinWidth, anchor->bottom() + 4}
                                   : w.m_pointer;
        w.open_menu(w.m_main_menu, w.m_main_menu_entries, view_menu(w), at);
        return true;
    }
    bool operator()(const action::SetSortBy& a) { return w.set_sort_by(a.key), true; }
    bool operator()(const action::ToggleSortOrder&) { return w.toggle_sort_order(), true; }
    bool operator()(const action::ShowShortcuts&)
    {
        Sheet sheet{i18n::message("files-shortcuts-title"), i18n::message("files-shortcuts-summary"), {}, std::nullopt};
        for (const char* id : {"files-shortcuts-primary", "files-shortcuts-navigate", "files-shortcuts-grid",
                               "files-shortcuts-open", "files-shortcuts-location", "files-shortcuts-new-folder",
                               "files-shortcuts-edit", "files-shortcuts-hidden", "files-shortcuts-size",
                               "files-shortcuts-context", "files-shortcuts-close"})
            sheet.lines.push_back(i18n::message(id));
        w.open_sheet(std::move(sheet));
        return true;
    }
    bool operator()(const action::SetSortOrder& a) { return w.set_sort_order(a.order), true; }
    bool operator()(const action::SelectAll&)
    {
        w.m_selection.select_all();
        w.mark_dirty();
        return true;
    }
    bool operator()(const action::OpenTerminal&)
    {
        // A terminal that cannot be started is not reported here; the published command reports it.
        (void)vask_ui::opener::start_in_folder("terminal", w.m_current);
        return false;
    }

    // New folder, templates and rename.
    bool operator()(const action::NewFolder&)
    {
        auto created = create_folder(w.m_current, i18n::message("files-new-folder-default-name"));
        return finish_creation(created, "files-new-folder-failed", "files-created-folder");
    }
    bool operator()(const action::NewFromTemplate& a)
    {
        auto created = create_from_template(a.template_path, w.m_current);
        return finish_creation(created, "files-new-file-failed", "files-created-file");
    }
    bool finish_creation(const OperationOutcome& created, const char* failed_id, const char* done_id)
    {
        if (!created) {
            notice(failed_id, {{"error", created.error()}});
            return true;
        }
        w.reload();
        select_path(*created);
        (*this)(action::StartRename{});
        notice(done_id);
        return true;
    }
    void select_path(const std::filesystem::path& path)
    {
        for (std::size_t i = 0; i < w.m_entries.size(); ++i)
            if (same_path(w.m_entries[i].path(), path)) {
                w.m_selection.select_only(i);
                w.ensure_visible(i);
                w.mark_dirty();
                return;
            }
    }
    bool operator()(const action::StartRename&)
    {
        auto primary = w.m_selection.primary();
        if (!primary || *primary >= w.m_entries.size())
            return false;
        w.m_rename_index = *primary;
        w.m_rename_field.set_text(w.m_entries[*primary].name);
        w.m_rename_focus_pending = true;
        w.m_status.reset();
        w.mark_dirty();
        return true;
    }
    bool operator()(const action::CommitRename&)
    {
        if (!w.m_rename_index)
            return false;
        if (*w.m_rename_index >= w.m_entries.size())
            return w.end_rename();
        const DirectoryEntry& entry = w.m_entries[*w.m_rename_index];
        std::string typed(trim_unicode_whitespace(w.m_rename_field.text()));
        if (typed.empty() || typed == entry.name)
            return w.end_rename();
        auto renamed = rename_item(entry.path(), typed);
        if (!renamed) {
            notice("files-rename-failed", {{"error", renamed.error()}});
            return true;
        }
        w.end_rename();
        w.reload();
        select_path(*renamed);
        notice("files-renamed");
        return true;
    }
    bool operator()(const action::CancelRename&) { return w.end_rename(); }

    // Clipboard.
    bool operator()(const action::Copy&) { return clip(TransferMode::Copy); }
    bool operator()(const action::Cut&) { return clip(TransferMode::Move); }
    bool clip(TransferMode mode)
    {
        w.set_notice(copy_to_clipboard(w.m_clipboard, w.selected_paths(), mode));
        return true;
    }
    bool operator()(const action::Paste&)
    {
        auto text = paste_command(w.m_clipboard, w.m_current);
        if (!text)
            return false;
        w.reload();
        w.set_notice(std::move(*text));
        return true;
    }

    // Trash and archives (file_explorer_trash.cpp, file_explorer_archive.cpp).
    bool operator()(const action::DeleteSelection&) { return w.delete_selection(); }
    bool operator()(const action::UndoTrash&) { return w.undo_trash(); }
    bool operator()(const action::RestoreSelection&) { return w.restore_selection(); }
    bool operator()(const action::ConfirmEmptyTrash&)
    {
        if (w.m_entries.empty()) {
            notice("files-trash-already-empty");
            return true;
        }
        Sheet sheet{i18n::message("files-empty-trash-title"),
                    i18n::message_with_args("files-empty-trash-summary", {{"count", double(w.m_entries.size())}}),
                    {i18n::message("files-permanent-delete-loss")},
                    SheetConfirmation{ConfirmationKind::EmptyTrash, {}, {}}};
        w.open_sheet(std::move(sheet));
        return true;
    }
    bool operator()(const action::DeletePermanently& a) { return w.delete_permanently(a.paths); }
    bool operator()(const action::EmptyTrash&) { return w.empty_trash(); }
    bool operator()(const action::ExtractSelection&) { return w.extract_selection(); }
    bool operator()(const action::ExtractCurrentArchive&) { return w.extract_current_archive(); }
    bool operator()(const action::CompressSelection&) { return w.compress_selection(); }

    // Menus, places and favourites.
    bool operator()(const action::OpenTemplateMenu&)
    {
        Menu items;
        for (const auto& t : w.template_paths())
            items.push_back({template_label(t), action::NewFromTemplate{t}});
        if (items.empty())
            return false;
        w.open_menu(w.m_template_menu, w.m_template_menu_entries, std::move(items), w.m_pointer);
        return true;
    }
    bool operator()(const action::RequestPlaceMenu& a)
    {
        Menu items{{i18n::message("files-menu-open"), action::OpenPath{a.place}},
                   MenuEntry::separator(),
                   {i18n::message("files-menu-remove-favourite"), action::RemoveFavourite{a.place}}};
        w.open_menu(w.m_main_menu, w.m_main_menu_entries, std::move(items), w.m_pointer);
        return true;
    }
    bool operator()(const action::ArmDrag& a) { return w.arm_drag(a); }
    bool operator()(const action::StartDrag& a) { return w.start_drag(a); }
    bool operator()(const action::AddFavourite& a)
    {
        if (!w.m_favourites.add(a.path))
            return false;
        w.m_favourites.save(w.m_env.config_dir);
        notice("files-added-favourite");
        return true;
    }
    bool operator()(const action::RemoveFavourite& a)
    {
        if (!w.m_favourites.remove(a.path))
            return false;
        w.m_favourites.save(w.m_env.config_dir);
        notice("files-removed-favourite");
        return true;
    }
    bool operator()(const action::MoveFavourite& a)
    {
        w.m_favourites.move(a.from, a.to);
        w.m_favourites.save(w.m_env.config_dir);
        w.mark_dirty();
        return true;
    }
    bool operator()(const action::ZoomIn&) { return w.set_item_size(w.m_item_size_step + 1), true; }
    bool operator()(const action::ZoomOut&) { return w.set_item_size(w.m_item_size_step - 1), true; }
    bool operator()(const action::ToggleHidden&) { return w.toggle_hidden(), true; }

    // Sheets.
    bool operator()(const action::ShowProperties&)
    {
        auto primary = w.m_selection.primary();
        if (!primary || *primary >= w.m_entries.size())
            return false;
        const DirectoryEntry& e = w.m_entries[*primary];
        const auto path = e.path();
        const std::string& name = e.name;
        std::string location = parent_text(path);
        std::string type = e.is_dir ? i18n::message("files-a11y-folder") : std::string(e.mime_type);
        std::string time = e.modified ? format_time(*e.modified) : i18n::message("files-property-unknown");
        Sheet sheet{i18n::message_with_args("files-properties-title", {{"name", name}}),
                    i18n::message(e.record_id ? "files-properties-collab-summary" : "files-properties-summary"),
                    {i18n::message_with_args("files-property-type", {{"type", type}}),
                     i18n::message_with_args("files-property-location", {{"location", location}}),
                     i18n::message_with_args("files-property-size", {{"size", e.is_dir ? "\u2014" : size_text(e)}}),
                     i18n::message_with_args("files-property-modified", {{"time", time}})},
                    std::nullopt};
        w.open_sheet(std::move(sheet));
        return true;
    }
    bool operator()(const action::CloseSheet&)
    {
        if (!w.m_sheet)
            return false;
        if (w.m_sheet->confirmation && w.m_sheet->confirmation->kind == ConfirmationKind::NearbyChooseDestination)
            w.decline_nearby_transfer(w.m_sheet->confirmation->subject);
        w.close_sheet();
        return true;
    }

    // Actions whose work belongs to the synchronisation, sharing, history and Nearby Send
    // modules; each is routed to its module's entry point (file_explorer_hooks.cpp).
    bool operator()(const action::NearbySendStart&)
    {
        if (w.m_selection.count_selected() != 1) {
            notice("files-nearby-select-one");
            return true;
        }
        return w.route_nearby_action(action::NearbySendStart{});
    }
    template <typename Later>
        requires(std::is_same_v<Later, action::NearbySendTo> || std::is_same_v<Later, action::NearbyChooseDestination> ||
                 std::is_same_v<Later, action::NearbyAccept> || std::is_same_v<Later, action::NearbyRetry> ||
                 std::is_same_v<Later, action::NearbyCancel>)
    bool operator()(const Later& a)
    {
        return w.route_nearby_action(a);
    }
    template <typename Later>
        requires(std::is_same_v<Later, action::KeepOffline> || std::is_same_v<Later, action::UseAutomaticStorage> ||
                 std::is_same_v<Later, action::FreeLocalSpace> || std::is_same_v<Later, action::RemoveLocalCopyAnyway> ||
                 std::is_same_v<Later, action::RetryTransfer> || std::is_same_v<Later, action::ShowAvailability>)
    bool operator()(const Later& a)
    {
        return w.route_availability_action(a);
    }
    template <typename Later>
        requires(std::is_same_v<Later, action::ShowSharing> || std::is_same_v<Later, action::CopyOneTimeLink> ||
                 std::is_same_v<Later, action::ShareWith> || std::is_same_v<Later, action::ShareWithOptions> ||
                 std::is_same_v<Later, action::RevokeShare>)
    bool operator()(const Later& a)
    {
        return w.route_sharing_action(a);
    }
    template <typename Later>
        requires(std::is_same_v<Later, action::ShowHistory> || std::is_same_v<Later, action::SelectHistoryVersion> ||
                 std::is_same_v<Later, action::OpenHistory> || std::is_same_v<Later, action::HandOffVersion> ||
                 std::is_same_v<Later, action::RestorePrevious> || std::is_same_v<Later, action::ResolveConflict> ||
                 std::is_same_v<Later, action::ReviewMerge>)
    bool operator()(const Later& a)
    {
        return w.route_history_action(a);
    }
};

bool FileExplorerWidget::apply(const ExplorerAction& action)
{
    if (m_archive && changes_current_folder(action)) {
        set_notice(i18n::message("files-archive-read-only"));
        return true;
    }
    bool changed = std::visit(ExplorerHub{*this}, action);
    if (changed)
        mark_dirty();
    return changed;
}

void FileExplorerWidget::set_notice(std::optional<std::string> text)
{
    if (text)
        text = first_chars(std::move(*text), kNoticeMaxChars);
    m_status = std::move(text);
    mark_dirty();
}

std::string FileExplorerWidget::status_line() const
{
    return status_text(m_entries.size(), m_selection.count_selected(), m_status);
}

std::vector<std::filesystem::path> FileExplorerWidget::selected_paths() const
{
    std::vector<std::filesystem::path> paths;
    for (auto i : m_selection.selected())
        if (i < m_entries.size())
            paths.push_back(m_entries[i].path());
    return paths;
}

std::vector<std::filesystem::path> FileExplorerWidget::template_paths() const
{
    return m_env.templates_dir ? list_templates(*m_env.templates_dir) : std::vector<std::filesystem::path>{};
}

bool FileExplorerWidget::end_rename()
{
    if (!m_rename_index)
        return false;
    m_rename_index.reset();
    m_rename_field.set_focus(false);
    mark_dirty();
    return true;
}

void FileExplorerWidget::open_sheet(Sheet sheet)
{
    m_main_menu.close();
    m_template_menu.close();
    m_sheet = std::move(sheet);
    mark_dirty();
}

void FileExplorerWidget::close_sheet()
{
    m_sheet.reset();
    mark_dirty();
}

std::optional<ExplorerAction> FileExplorerWidget::sheet_confirmation() const
{
    if (!m_sheet || !m_sheet->confirmation)
        return std::nullopt;
    const auto& c = *m_sheet->confirmation;
    switch (c.kind) {
    case ConfirmationKind::RemoveLocalCopy: return action::RemoveLocalCopyAnyway{c.paths};
    case ConfirmationKind::DeletePermanently: return action::DeletePermanently{c.paths};
    case ConfirmationKind::EmptyTrash: return action::EmptyTrash{};
    case ConfirmationKind::MergeApplySafe: return action::ResolveConflict{"merge", c.subject};
    case ConfirmationKind::NearbyChooseDestination: return action::NearbyChooseDestination{c.subject};
    case ConfirmationKind::NearbyRetry: return action::NearbyRetry{c.subject};
    }
    return std::nullopt;
}

} // namespace file_explorer
