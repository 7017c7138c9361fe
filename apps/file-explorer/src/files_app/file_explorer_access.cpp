// The accessibility tree: the folder's activity, the state panel and the children, or, while a
// sheet is open, only the sheet as a modal dialog.
#include "files_app/file_explorer_widget.hpp"
#include "i18n/messages.hpp"
#include "platform/base/utf8.hpp"

namespace file_explorer {

namespace {

using vask_ui::a11y::AccessNode;
using vask_ui::a11y::Role;

// What the confirm button of each kind of sheet warns about.
const char* confirmation_description_id(ConfirmationKind kind)
{
    switch (kind) {
    case ConfirmationKind::RemoveLocalCopy: return "files-destructive-eviction-loss";
    case ConfirmationKind::MergeApplySafe: return "files-merge-apply-safe-detail";
    case ConfirmationKind::NearbyChooseDestination: return "files-nearby-consent-detail";
    case ConfirmationKind::NearbyRetry: return "files-nearby-retry-detail";
    case ConfirmationKind::DeletePermanently:
    case ConfirmationKind::EmptyTrash: return "files-permanent-delete-loss";
    }
    return "files-permanent-delete-loss";
}

AccessNode sheet_node(const Sheet& sheet, vask_ui::Rect explorer)
{
    const auto geometry = SheetGeometry::of(sheet, explorer);
    AccessNode dialog{.role = Role::Dialog,
                      .name = sheet.title,
                      .description = i18n::message_with_args("files-a11y-dialog-close", {{"summary", sheet.summary}}),
                      .bounds = geometry.card,
                      .focusable = true,
                      .focused = sheet.focused};
    std::string details;
    for (const auto& line : sheet.lines)
        details += (details.empty() ? "" : ". ") + line;
    AccessNode detail_node{.role = Role::Group,
                           .description = i18n::message_with_args(
                               "files-a11y-panel-details", {{"title", sheet.title}, {"summary", sheet.summary}, {"details", details}}),
                           .bounds = geometry.card};
    for (const auto& line : sheet.lines)
        detail_node.children.push_back(AccessNode{.role = Role::Label, .name = line});
    dialog.children.push_back(std::move(detail_node));
    if (sheet.confirmation)
        dialog.children.push_back(AccessNode{.role = Role::Button,
                                             .name = i18n::message(sheet.confirmation->label_id()),
                                             .description = i18n::message(confirmation_description_id(sheet.confirmation->kind)),
                                             .bounds = geometry.confirm,
                                             .focusable = true});
    return dialog;
}

} // namespace

std::optional<vask_ui::a11y::AccessNode> FileExplorerWidget::accessibility() const
{
    AccessNode root{.role = Role::Window, .name = i18n::message("files-app-title"), .bounds = bounds()};
    if (m_sheet) {
        root.children.push_back(sheet_node(*m_sheet, bounds()));
        return root;
    }
    const std::string path = vask_base::lossy_utf8(m_current);
    AccessNode activity{.role = Role::StatusBar,
                        .name = i18n::message("files-a11y-activity"),
                        .description = i18n::message_with_args("files-a11y-current-folder", {{"path", path}})};
    if (m_loading)
        activity.value = i18n::message_with_args("files-loading-folder", {{"path", path}});
    else if (m_load_error)
        activity.value = i18n::message_with_args("files-a11y-load-error", {{"error", *m_load_error}});
    else if (!m_entries.empty())
        activity.value = status_line();
    else
        activity.value = i18n::message(is_trash() ? "files-empty-trash" : "files-empty-folder");
    root.children.push_back(std::move(activity));
    if (m_load_error) {
        AccessNode panel{.role = Role::Group,
                         .name = i18n::message("files-load-error-title"),
                         .description = *m_load_error,
                         .bounds = m_list_rect};
        panel.children.push_back(AccessNode{.role = Role::Button,
                                            .name = i18n::message("files-try-again"),
                                            .bounds = m_retry.bounds(),
                                            .focusable = true,
                                            .control_id = "files-retry-folder"});
        root.children.push_back(std::move(panel));
    }
    for (const auto* child : children())
        if (auto node = child->accessibility())
            root.children.push_back(std::move(*node));
    return root;
}

bool FileExplorerWidget::perform_semantic_action(std::string_view id, std::string_view)
{
    if (id == "files-retry-folder") {
        apply(action::Reload{});
        return true;
    }
    // Version ids ("files-history-version:…") belong to the history view, which is not built yet.
    return false;
}

} // namespace file_explorer
