#include "fileops/clipboard.hpp"

#include <fmt/format.h>

#include "fileops/transfer.hpp"
#include "i18n/messages.hpp"
#include "model/workspace_roots.hpp"
#include "platform/base/utf8.hpp"

namespace file_explorer {

namespace fs = std::filesystem;

std::string copy_to_clipboard(Clipboard& clipboard, std::vector<fs::path> paths, TransferMode mode)
{
    clipboard.items = std::move(paths);
    clipboard.cut = mode == TransferMode::Move;
    return i18n::message_with_args(clipboard.cut ? "files-cut" : "files-copied",
                                   {{"count", double(clipboard.items.size())}});
}

PasteReport paste_clipboard(Clipboard& clipboard, const fs::path& destination)
{
    PasteReport report;
    TransferMode mode = clipboard.cut ? TransferMode::Move : TransferMode::Copy;
    std::vector<fs::path> failed_items;
    for (const auto& item : clipboard.items) {
        auto outcome = transfer(item, destination, mode);
        if (outcome) {
            report.published.push_back(*outcome);
        } else {
            report.failures.emplace_back(item, outcome.error());
            failed_items.push_back(item);
        }
    }
    if (clipboard.cut)
        clipboard.items = std::move(failed_items);
    return report;
}

std::optional<std::string> paste_command(Clipboard& clipboard, const fs::path& destination)
{
    if (clipboard.is_empty())
        return std::nullopt;
    std::size_t total = clipboard.items.size();
    auto report = paste_clipboard(clipboard, destination);
    if (report.failures.empty())
        return i18n::message_with_args("files-pasted", {{"count", double(total)}});
    return i18n::message_with_args(
        "files-pasted-with-failures",
        {{"count", double(report.published.size())}, {"failed", double(report.failures.size())}});
}

vask_base::Status paste_action(Clipboard& clipboard, const fs::path& destination)
{
    if (clipboard.is_empty())
        return vask_base::failure("The clipboard is empty");
    auto report = paste_clipboard(clipboard, destination);
    if (report.failures.empty())
        return {};
    std::string text = "paste failed: ";
    for (std::size_t i = 0; i < report.failures.size(); ++i) {
        if (i > 0)
            text += "; ";
        text +=
            fmt::format("{}: {}", vask_base::lossy_utf8(report.failures[i].first), report.failures[i].second);
    }
    return vask_base::failure(std::move(text));
}

DropReport move_by_drop(const std::vector<fs::path>& dragged, const fs::path& target)
{
    DropReport report;
    for (const auto& path : dragged) {
        if (path.parent_path() == target || path == target || path_starts_with(target, path))
            continue;
        if (transfer(path, target, TransferMode::Move))
            ++report.moved;
        else
            ++report.failed;
    }
    std::string destination = target.has_filename()
                                  ? vask_base::lossy_utf8(std::string_view(target.filename().native()))
                                  : vask_base::lossy_utf8(target);
    if (report.failed > 0)
        report.notice =
            i18n::message_with_args("files-moved-with-failures", {{"moved", double(report.moved)},
                                                                  {"failed", double(report.failed)},
                                                                  {"destination", destination}});
    else if (report.moved > 0)
        report.notice = i18n::message_with_args(
            "files-moved-to-folder", {{"count", double(report.moved)}, {"destination", destination}});
    else
        report.notice = i18n::message("files-nothing-to-move");
    return report;
}

} // namespace file_explorer
