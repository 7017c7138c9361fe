#include "fileops/trash.hpp"

#include <algorithm>
#include <fcntl.h>
#include <memory>
#include <set>

#include "fileops/collision_names.hpp"
#include "fileops/desktop_trash.hpp"
#include "model/location.hpp"
#include "model/workspace_roots.hpp"
#include "platform/base/fd.hpp"
#include "platform/base/utf8.hpp"

namespace file_explorer {

namespace fs = std::filesystem;

namespace {

TrashItem to_trash_item(desktop_trash::Item item)
{
    return TrashItem{std::move(item.info_path), std::move(item.files_path), std::move(item.name),
                     std::move(item.original_path), std::move(item.deletion_date)};
}

// The name by which the explorer knows an item: its record's file name without ".trashinfo",
// only when that is UTF-8.
std::optional<std::string> matchable_name(const fs::path& info_path)
{
    std::string file = info_path.filename().native();
    if (!file.ends_with(desktop_trash::kInfoSuffix) || !vask_base::is_valid_utf8(file))
        return std::nullopt;
    file.resize(file.size() - desktop_trash::kInfoSuffix.size());
    return file;
}

// The library's items for `paths`, in listing order. A path that is itself an item in a Trash's
// "files" folder names exactly that item; any other path names every item with its file name.
// Without the first rule, undoing a move to the home Trash would also bring back an unrelated
// item of the same name from a volume's Trash.
vask_base::Result<std::vector<desktop_trash::Item>> find_library_items(const std::vector<fs::path>& paths)
{
    auto listed = desktop_trash::list_items();
    if (!listed)
        return std::unexpected(listed.error());
    std::set<std::string> exact;
    std::set<std::string> wanted;
    for (const auto& path : paths) {
        bool named_exactly = false;
        for (const auto& item : *listed) {
            if (same_path(item.files_path, path)) {
                exact.insert(item.files_path.native());
                named_exactly = true;
            }
        }
        if (!named_exactly)
            if (auto name = item_name_bytes(path))
                wanted.insert(std::move(*name));
    }
    std::vector<desktop_trash::Item> found;
    for (auto& item : *listed) {
        auto name = matchable_name(item.info_path);
        if (exact.contains(item.files_path.native()) || (name && wanted.contains(*name)))
            found.push_back(std::move(item));
    }
    return found;
}

} // namespace

vask_base::Status move_to_trash(const std::vector<fs::path>& paths)
{
    if (paths.empty())
        return {};
    return desktop_trash::trash_items(paths);
}

vask_base::Result<std::vector<TrashItem>> list_trash_items()
{
    auto listed = desktop_trash::list_items();
    if (!listed)
        return std::unexpected(listed.error());
    std::vector<TrashItem> items;
    items.reserve(listed->size());
    for (auto& item : *listed)
        items.push_back(to_trash_item(std::move(item)));
    return items;
}

vask_base::Result<std::vector<TrashItem>> find_trash_items(const std::vector<fs::path>& paths)
{
    auto found = find_library_items(paths);
    if (!found)
        return std::unexpected(found.error());
    std::vector<TrashItem> items;
    items.reserve(found->size());
    for (auto& item : *found)
        items.push_back(to_trash_item(std::move(item)));
    return items;
}

vask_base::Result<std::size_t> restore_from_trash(const std::vector<fs::path>& paths)
{
    auto found = find_library_items(paths);
    if (!found)
        return std::unexpected(found.error());
    if (auto restored = desktop_trash::restore(*found); !restored)
        return std::unexpected(restored.error());
    return found->size();
}

vask_base::Result<std::size_t> delete_from_trash(const std::vector<fs::path>& paths)
{
    auto found = find_library_items(paths);
    if (!found)
        return std::unexpected(found.error());
    if (auto purged = desktop_trash::purge(*found); !purged)
        return std::unexpected(purged.error());
    return found->size();
}

vask_base::Result<std::size_t> empty_trash()
{
    return desktop_trash::empty_all();
}

std::optional<TrashSnapshot> trash_snapshot()
{
    auto folder = trash_files_dir();
    if (!folder)
        return std::nullopt;
    auto dir = vask_base::open_directory(AT_FDCWD, folder->c_str());
    if (!dir)
        return std::nullopt;
    TrashSnapshot entries;
    auto stream = std::make_unique<vask_base::DirectoryStream>(dir->get());
    stream->for_each([&](std::string_view name, unsigned char) { entries.push_back(*folder / name); });
    std::sort(entries.begin(), entries.end());
    return entries;
}

std::optional<TrashSnapshot> undo_record_after(const std::optional<TrashSnapshot>& before,
                                               const std::optional<TrashSnapshot>& after,
                                               std::size_t selected_count)
{
    if (!before || !after)
        return std::nullopt;
    std::set<fs::path> known(before->begin(), before->end());
    TrashSnapshot added;
    for (const auto& path : *after) {
        if (!known.contains(path))
            added.push_back(path);
    }
    if (added.size() != selected_count)
        return std::nullopt;
    return added;
}

UndoOutcome undo_move_to_trash(std::optional<TrashSnapshot>& record)
{
    if (!record)
        return {UndoKind::Unavailable};
    auto snapshot = trash_snapshot();
    bool all_present = false;
    if (snapshot) {
        std::set<fs::path> present(snapshot->begin(), snapshot->end());
        all_present = std::all_of(record->begin(), record->end(),
                                  [&](const fs::path& path) { return present.contains(path); });
    }
    if (!all_present) {
        record.reset();
        return {UndoKind::Unavailable};
    }
    auto restored = restore_from_trash(*record);
    if (!restored)
        return {UndoKind::Failed, 0, restored.error()};
    std::size_t expected = record->size();
    record.reset();
    if (*restored == expected)
        return {UndoKind::Restored, *restored};
    return {UndoKind::Unavailable};
}

bool is_trash_location(const fs::path& path)
{
    auto folder = trash_files_dir();
    return folder && same_path(path, *folder);
}

void ensure_trash_folder()
{
    auto folder = trash_files_dir();
    if (!folder)
        return;
    std::error_code ec;
    fs::create_directories(*folder, ec);
}

} // namespace file_explorer
