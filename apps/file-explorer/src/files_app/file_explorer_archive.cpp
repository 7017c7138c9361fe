// The archive flows: extracting the selected archives or the one being browsed, and compressing
// the selection to a ZIP archive. Archives cannot be read or written yet; each flow says so.
#include "files_app/file_explorer_widget.hpp"
#include "i18n/messages.hpp"

namespace file_explorer {

namespace {
bool not_available(FileExplorerWidget& explorer, const char* id)
{
    explorer.set_notice(i18n::message_with_args(id, {{"error", "archives are not supported yet"}}));
    return true;
}
} // namespace

bool FileExplorerWidget::extract_selection() { return not_available(*this, "files-archive-extract-failed"); }
bool FileExplorerWidget::extract_current_archive() { return not_available(*this, "files-archive-extract-failed"); }
bool FileExplorerWidget::compress_selection() { return not_available(*this, "files-archive-create-failed"); }

} // namespace file_explorer
