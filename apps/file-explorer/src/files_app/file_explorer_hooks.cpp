// Load and poll steps owned by collaboration, remote accounts and the identity directory.
// The explorer calls them at the points where they run; each does nothing until its
// feature is built, and each says so here.
#include "files_app/file_explorer_widget.hpp"
#include "i18n/messages.hpp"

namespace file_explorer {

// After a load: refresh the record index and the collaborative search catalogue. Returns true
// when the search reports that it needs a refresh. No record index is read yet.
bool FileExplorerWidget::refresh_record_index_and_search() { return false; }

// At every synchronisation: whether collaborative search wants a refresh. Nothing to ask yet.
bool FileExplorerWidget::collaborative_search_needs_refresh() const { return false; }

// After a load: reload the remote accounts and republish them tagged with the load generation.
// No remote accounts are known yet.
void FileExplorerWidget::reload_remote_accounts(std::uint64_t) {}

// At each due poll: look for record index changes. No record index is read yet.
void FileExplorerWidget::check_record_index_changes() {}

// At each due poll: re-read the trusted identities; true when they changed. No identity file is
// read yet.
bool FileExplorerWidget::reload_trusted_identities() { return false; }

} // namespace file_explorer

namespace file_explorer {

// Keep offline, automatic storage, free local space (and its confirmation), retry transfer and
// the availability sheet belong to the synchronisation module, which is not built yet: they
// change nothing.
bool FileExplorerWidget::route_availability_action(const ExplorerAction&) { return false; }

// The sharing sheet, one-time links, grants and revocations belong to the sharing module, which
// is not built yet. A one-time link request says that sharing is unavailable.
bool FileExplorerWidget::route_sharing_action(const ExplorerAction& action)
{
    if (std::holds_alternative<action::CopyOneTimeLink>(action)) {
        set_notice(i18n::message("files-share-not-available"));
        return true;
    }
    return false;
}

// The history view, version hand-off and conflict resolution belong to the history module, which
// is not built yet.
bool FileExplorerWidget::route_history_action(const ExplorerAction&) { return false; }

// Nearby Send (device list, offers, destinations) is not built yet: its steps change nothing.
bool FileExplorerWidget::route_nearby_action(const ExplorerAction&) { return false; }

// Declining an incoming Nearby transfer: there are no transfers yet.
void FileExplorerWidget::decline_nearby_transfer(const std::string&) {}

} // namespace file_explorer
