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

// Runs a Trash operation on `paths` that gives a count, forgetting the undo record first (the
// Trash changes under it), then reloads and reports `done_id` with the count or `failed_id`.
template <typename Operation>
bool FileExplorerWidget::count_trash_operation(const std::vector<std::filesystem::path>& paths, Operation operation,
                                               const char* done_id, const char* failed_id)
{
    if (paths.empty())
        return false;
    m_undo_record.reset();
    auto done = operation(paths);
    reload();
    if (done)
        set_notice(i18n::message_with_args(done_id, {{"count", double(*done)}}));
    else
        set_notice(i18n::message_with_args(failed_id, {{"error", done.error()}}));
    return true;
}

bool FileExplorerWidget::restore_selection()
{
    return count_trash_operation(selected_paths(), restore_from_trash, "files-restored", "files-restore-failed");
}

bool FileExplorerWidget::delete_permanently(const std::vector<std::filesystem::path>& paths)
{
    return count_trash_operation(paths, delete_from_trash, "files-permanently-deleted", "files-delete-failed");
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
