#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "model/listing.hpp"
#include "platform/ui/geometry.hpp"
#include "views/file_view.hpp"

namespace file_explorer {

// Every user-level thing the explorer does, one value each. Keys, menus, the views and published
// actions all become one of these and go through FileExplorerWidget::apply.
namespace action {
using Path = std::filesystem::path;

struct OpenPath { Path path; };
// A regular file is opened, anything else navigated to.
struct OpenItem { Path path; };
struct GoUp {};
struct GoBack {};
struct GoForward {};
struct Reload {};
struct ItemPress { std::size_t index; bool toggle = false; bool range = false; };
struct SecondaryPress { std::optional<std::size_t> index; };
struct ActivateIndex { std::size_t index; };
struct MoveSelection { std::size_t index; bool extend = false; };
// Column 1 name, 2 size, 3 modified.
struct SortColumn { int column; };
struct SetViewMode { ViewMode mode; };
struct OpenSortMenu {};
struct OpenViewMenu {};
struct SetSortBy { SortKey key; };
struct ToggleSortOrder {};
struct ShowShortcuts {};
struct SetSortOrder { SortOrder order; };
struct SelectAll {};
struct OpenTerminal {};
struct NewFolder {};
struct StartRename {};
struct CommitRename {};
struct CancelRename {};
struct DeleteSelection {};
struct UndoTrash {};
struct Copy {};
struct Cut {};
struct Paste {};
struct ExtractSelection {};
struct ExtractCurrentArchive {};
struct CompressSelection {};
struct NearbySendStart {};
struct NearbySendTo { std::string device; };
struct NearbyChooseDestination { std::string transfer; };
struct NearbyAccept { std::string transfer; Path destination; bool remember = false; };
struct NearbyRetry { std::string transfer; };
struct NearbyCancel { std::string transfer; };
struct OpenTemplateMenu {};
struct NewFromTemplate { Path template_path; };
struct RequestPlaceMenu { Path place; };
struct ArmDrag { vask_ui::Point position; Path path; bool is_dir = false; };
struct StartDrag { Path path; bool is_dir = false; };
struct AddFavourite { Path path; std::optional<std::string> title; };
struct RemoveFavourite { Path path; };
struct MoveFavourite { std::size_t from; std::size_t to; };
struct ZoomIn {};
struct ZoomOut {};
struct ToggleHidden {};
struct RestoreSelection {};
struct ConfirmEmptyTrash {};
struct DeletePermanently { std::vector<Path> paths; };
struct EmptyTrash {};
struct KeepOffline {};
struct UseAutomaticStorage {};
struct FreeLocalSpace {};
struct RemoveLocalCopyAnyway { std::vector<Path> paths; };
struct RetryTransfer {};
struct ShowProperties {};
struct ShowAvailability {};
struct ShowSharing {};
struct CopyOneTimeLink {};
struct ShareWith { std::string recipient; std::string role; std::optional<std::string> expiry; };
struct ShareWithOptions { std::string options; };
struct RevokeShare { std::string grant; };
struct ShowHistory {};
struct SelectHistoryVersion { std::string version; };
struct OpenHistory {};
struct HandOffVersion { std::string record; std::string version; };
struct RestorePrevious { std::string version; };
struct ResolveConflict { std::string strategy; std::string conflict; };
struct ReviewMerge { std::string conflict; };
struct CloseSheet {};
} // namespace action

// The alternatives keep this order: published positions and tests rely on the index.
using ExplorerAction = std::variant<
    action::OpenPath, action::OpenItem, action::GoUp, action::GoBack, action::GoForward, action::Reload,
    action::ItemPress, action::SecondaryPress, action::ActivateIndex, action::MoveSelection, action::SortColumn,
    action::SetViewMode, action::OpenSortMenu, action::OpenViewMenu, action::SetSortBy, action::ToggleSortOrder,
    action::ShowShortcuts, action::SetSortOrder, action::SelectAll, action::OpenTerminal, action::NewFolder,
    action::StartRename, action::CommitRename, action::CancelRename, action::DeleteSelection, action::UndoTrash,
    action::Copy, action::Cut, action::Paste, action::ExtractSelection, action::ExtractCurrentArchive,
    action::CompressSelection, action::NearbySendStart, action::NearbySendTo, action::NearbyChooseDestination,
    action::NearbyAccept, action::NearbyRetry, action::NearbyCancel, action::OpenTemplateMenu,
    action::NewFromTemplate, action::RequestPlaceMenu, action::ArmDrag, action::StartDrag, action::AddFavourite,
    action::RemoveFavourite, action::MoveFavourite, action::ZoomIn, action::ZoomOut, action::ToggleHidden,
    action::RestoreSelection, action::ConfirmEmptyTrash, action::DeletePermanently, action::EmptyTrash,
    action::KeepOffline, action::UseAutomaticStorage, action::FreeLocalSpace, action::RemoveLocalCopyAnyway,
    action::RetryTransfer, action::ShowProperties, action::ShowAvailability, action::ShowSharing,
    action::CopyOneTimeLink, action::ShareWith, action::ShareWithOptions, action::RevokeShare, action::ShowHistory,
    action::SelectHistoryVersion, action::OpenHistory, action::HandOffVersion, action::RestorePrevious,
    action::ResolveConflict, action::ReviewMerge, action::CloseSheet>;

static_assert(std::variant_size_v<ExplorerAction> == 73);

// True for the actions that would change the folder being shown; inside an archive they are
// refused with "files-archive-read-only".
bool changes_current_folder(const ExplorerAction& action);

} // namespace file_explorer
