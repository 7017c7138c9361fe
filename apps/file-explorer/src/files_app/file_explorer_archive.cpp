// The archive flows: extracting the selected archives or the one being browsed, and compressing
// the selection to a ZIP archive.
#include <algorithm>

#include "fileops/archive.hpp"
#include "files_app/file_explorer_widget.hpp"
#include "i18n/messages.hpp"
#include "model/workspace_roots.hpp"
#include "platform/base/utf8.hpp"

namespace file_explorer {

bool FileExplorerWidget::extract_selection()
{
    std::vector<std::filesystem::path> archives;
    for (const auto& p : selected_paths())
        if (is_archive(p))
            archives.push_back(p);
    if (archives.empty()) {
        set_notice(i18n::message("files-archive-select"));
        return true;
    }
    auto summary = extract_archives_here(archives, m_current);
    reload();
    const double count = double(summary.count);
    if (summary.failures.empty()) {
        set_notice(i18n::message_with_args("files-archive-extracted", {{"count", count}}));
    } else {
        std::string failures;
        for (const auto& f : summary.failures)
            failures += (failures.empty() ? "" : "; ") + f;
        set_notice(i18n::message_with_args("files-archive-extracted-partial", {{"count", count}, {"failures", failures}}));
    }
    return true;
}

bool FileExplorerWidget::extract_current_archive()
{
    if (!m_archive)
        return false;
    const auto archive = m_archive->archive;
    for (std::size_t i = 0; i < m_entries.size(); ++i)
        if (same_path(m_entries[i].path(), archive)) {
            m_selection.select_only(i);
            return extract_selection();
        }
    auto folder = archive.parent_path();
    auto extracted = extract_archive(archive, extraction_destination(archive, folder.empty() ? m_current : folder));
    if (extracted)
        set_notice(i18n::message_with_args("files-archive-extracted", {{"count", double(extracted->size())}}));
    else
        set_notice(i18n::message_with_args("files-archive-extract-failed", {{"error", extracted.error()}}));
    return true;
}

bool FileExplorerWidget::compress_selection()
{
    auto items = selected_paths();
    if (items.empty()) {
        set_notice(i18n::message("files-archive-select-compress"));
        return true;
    }
    auto created = compress_to_zip(items, m_current);
    reload();
    if (!created) {
        set_notice(i18n::message_with_args("files-archive-create-failed", {{"error", created.error()}}));
        return true;
    }
    for (std::size_t i = 0; i < m_entries.size(); ++i)
        if (same_path(m_entries[i].path(), *created))
            m_selection.select_only(i);
    set_notice(i18n::message_with_args("files-archive-created", {{"name", vask_base::lossy_utf8(created->filename())}}));
    return true;
}

} // namespace file_explorer
