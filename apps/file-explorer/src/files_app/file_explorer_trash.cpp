// The Trash flows: moving the selection to the Trash with an undo record, undo, restore,
// permanent deletion and emptying, each reported through the notice.
#include "fileops/trash.hpp"
#include "files_app/file_explorer_widget.hpp"
#include "i18n/messages.hpp"

namespace file_explorer {


bool FileExplorerWidget::delete_selection()
{
    auto paths = selected_paths();
    if (paths.empty())
        return false;
    const double count = double(paths.size());
    if (is_trash()) {
        // Items already in the Trash are only deleted after the user confirms it.
        open_sheet(Sheet{i18n::message_with_args("files-permanent-delete-title", {{"count", count}}),
                         i18n::message_with_args("files-permanent-delete-summary", {{"count", count}}),
                         {i18n::message("files-permanent-delete-loss")},
                         SheetConfirmation{ConfirmationKind::DeletePermanently, paths, {}}});
        return true;
    }
    // A Trash that was never used has no folder yet; create it so that the first move to the
    // Trash can be undone like any other.
    ensure_trash_folder();
    auto before = trash_snapshot();
    if (auto moved = move_to_trash(paths); !moved) {
        set_notice(i18n::message_with_args("files-delete-failed", {{"error", moved.error()}}));
        return true;
    }
    m_undo_record = undo_record_after(before, trash_snapshot(), paths.size());
    reload();
    set_notice(i18n::message_with_args("files-moved-to-trash", {{"count", count}}));
    return true;
}

bool FileExplorerWidget::undo_trash()
{
    auto outcome = undo_move_to_trash(m_undo_record);
    switch (outcome.kind) {
    case UndoKind::Restored:
        reload();
        set_notice(i18n::message_with_args("files-undo-trash-restored", {{"count", double(outcome.count)}}));
        break;
    case UndoKind::Unavailable: set_notice(i18n::message("files-undo-trash-unavailable")); break;
    case UndoKind::Failed:
        set_notice(i18n::message_with_args("files-undo-trash-failed", {{"error", outcome.error}}));
        break;
    }
    return true;
}

bool FileExplorerWidget::restore_selection()
{
    auto paths = selected_paths();
    if (paths.empty())
        return false;
    m_undo_record.reset();
    auto restored = restore_from_trash(paths);
    reload();
    if (restored)
        set_notice(i18n::message_with_args("files-restored", {{"count", double(*restored)}}));
    else
        set_notice(i18n::message_with_args("files-restore-failed", {{"error", restored.error()}}));
    return true;
}

bool FileExplorerWidget::delete_permanently(const std::vector<std::filesystem::path>& paths)
{
    if (paths.empty())
        return false;
    m_undo_record.reset();
    auto purged = delete_from_trash(paths);
    reload();
    if (purged)
        set_notice(i18n::message_with_args("files-permanently-deleted", {{"count", double(*purged)}}));
    else
        set_notice(i18n::message_with_args("files-delete-failed", {{"error", purged.error()}}));
    return true;
}

bool FileExplorerWidget::empty_trash()
{
    m_undo_record.reset();
    auto purged = file_explorer::empty_trash();
    reload();
    if (!purged)
        set_notice(i18n::message_with_args("files-empty-trash-failed", {{"error", purged.error()}}));
    else if (*purged == 0)
        set_notice(i18n::message("files-trash-already-empty"));
    else
        set_notice(i18n::message_with_args("files-emptied-trash", {{"count", double(*purged)}}));
    return true;
}

} // namespace file_explorer
