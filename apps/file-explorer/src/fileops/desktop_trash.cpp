// Trashing, listing, restoring and purging items. Where the trash folders are lives in
// desktop_trash_volumes.cpp, their size cache in desktop_trash_sizes.cpp and the text forms in
// desktop_trash_text.cpp.
#include "fileops/desktop_trash.hpp"

#include <algorithm>
#include <cerrno>
#include <ctime>
#include <fcntl.h>
#include <map>
#include <memory>
#include <set>
#include <sys/stat.h>
#include <unistd.h>

#include <fmt/format.h>

#include "fileops/collision_names.hpp"
#include "fileops/desktop_trash_internal.hpp"
#include "fileops/staging.hpp"
#include "platform/base/fd.hpp"
#include "platform/base/os_error.hpp"
#include "platform/base/utf8.hpp"

namespace file_explorer::desktop_trash {

namespace fs = std::filesystem;
using namespace detail;
using vask_base::failure;
using vask_base::os_error_text;

// ---- File helpers shared by the trash sources ----

namespace detail {

std::string shown(const fs::path& path)
{
    return vask_base::lossy_utf8(path);
}
std::string shown(const std::string& bytes)
{
    return vask_base::lossy_utf8(std::string_view(bytes));
}

std::optional<struct stat> lstat_of(const fs::path& path)
{
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0)
        return std::nullopt;
    return st;
}

// The whole of a small file, never following a final link; fails past `limit` bytes.
vask_base::Result<std::string> read_small_file(const fs::path& path, std::size_t limit)
{
    int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return vask_base::last_os_failure();
    vask_base::UniqueFd file(fd);
    std::string text;
    char buffer[8192];
    for (;;) {
        ssize_t n = ::read(file.get(), buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return vask_base::last_os_failure();
        if (n == 0)
            return text;
        text.append(buffer, std::size_t(n));
        if (text.size() > limit)
            return failure(fmt::format("{} is too large", shown(path)));
    }
}

vask_base::Status write_all(int fd, std::string_view text)
{
    while (!text.empty()) {
        ssize_t n = ::write(fd, text.data(), text.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return vask_base::last_os_failure();
        text.remove_prefix(std::size_t(n));
    }
    return {};
}

} // namespace detail

namespace {

constexpr std::size_t kMaxRecordBytes = 64 * 1024;
constexpr std::size_t kNameMax = 255;

// Removes a record; a record that cannot be removed is logged, as the item has already moved.
void drop_record(const fs::path& info)
{
    if (::unlink(info.c_str()) != 0 && errno != ENOENT)
        log_staging_warning("could not remove a Trash record", info, os_error_text(errno));
}

std::string local_date_now()
{
    std::time_t now = std::time(nullptr);
    struct tm local {};
    ::localtime_r(&now, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S", &local);
    return text;
}

// ---- Trashing ----

// Candidate `n` for an item's name in the trash, shortened so that its record name still fits.
std::string fitted_candidate(const NamePieces& pieces, int n)
{
    constexpr std::size_t kLimit = kNameMax - kInfoSuffix.size();
    std::string candidate = candidate_name(pieces, n);
    if (candidate.size() <= kLimit)
        return candidate;
    auto cut_at_boundary = [](std::string& text, std::size_t size) {
        while (size > 0 && (static_cast<unsigned char>(text[size]) & 0xC0) == 0x80)
            --size;
        text.resize(size);
    };
    std::size_t excess = candidate.size() - kLimit;
    if (pieces.stem.size() > excess) {
        NamePieces shorter = pieces;
        cut_at_boundary(shorter.stem, shorter.stem.size() - excess);
        shorter.name = shorter.extension ? shorter.stem + "." + *shorter.extension : shorter.stem;
        return candidate_name(shorter, n);
    }
    cut_at_boundary(candidate, kLimit);
    return candidate;
}

// Reserves a name in `trash` by creating its record exclusively, then renames `source` into it.
vask_base::Result<fs::path> move_into(const TrashDir& trash, const fs::path& source, const std::string& name,
                                      const std::string& record_path, bool is_folder)
{
    auto pieces = name_pieces(name);
    std::string record = format_trash_info({percent_encode(record_path), local_date_now()});
    for (int n = 1; n <= kMaxCandidate; ++n) {
        std::string candidate = fitted_candidate(pieces, n);
        fs::path info = trash.info_dir() / (candidate + std::string(kInfoSuffix));
        int fd = ::open(info.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (fd < 0 && errno == EEXIST)
            continue;
        if (fd < 0)
            return failure(fmt::format("cannot write its record in {}: {}", shown(trash.info_dir()),
                                       os_error_text(errno)));
        vask_base::UniqueFd file(fd);
        fs::path target = trash.files_dir() / candidate;
        if (lstat_of(target)) { // an item left without its record holds this name
            file.reset();
            drop_record(info);
            continue;
        }
        auto written = write_all(file.get(), record);
        file.reset();
        if (!written) {
            drop_record(info);
            return failure(
                fmt::format("cannot write its record in {}: {}", shown(trash.info_dir()), written.error()));
        }
        auto renamed = no_replace_rename(source, target);
        if (!renamed) {
            drop_record(info);
            if (renamed.error().error == EEXIST)
                continue;
            return failure(renamed.error().text);
        }
        if (is_folder)
            record_directory_size(trash, candidate, info);
        return target;
    }
    return failure(fmt::format("every name for it is taken in {}", shown(trash.files_dir())));
}

// The folder holding the last component of `path` (trailing slashes ignored).
fs::path folder_of(const fs::path& path)
{
    std::string_view text = path.native();
    while (text.size() > 1 && text.back() == '/')
        text.remove_suffix(1);
    auto slash = text.rfind('/');
    if (slash == std::string_view::npos)
        return ".";
    return fs::path(std::string(text.substr(0, slash == 0 ? 1 : slash)));
}

vask_base::Status check_trashable(const fs::path& path)
{
    auto fail = [&](std::string_view why) {
        return failure(fmt::format("Cannot move {} to Trash: {}", shown(path), why));
    };
    if (holds_nul(path))
        return fail(kNulInPathText);
    if (!item_name_bytes(path))
        return fail("it has no name");
    if (!lstat_of(path))
        return fail(os_error_text(errno));
    return {};
}

// ---- Listing ----

// The names in `folder`, sorted; a missing folder has none.
vask_base::Result<std::vector<std::string>> sorted_names(const fs::path& folder)
{
    int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0 && errno == ENOENT)
        return std::vector<std::string>{};
    if (fd < 0)
        return failure(fmt::format("Cannot read {}: {}", shown(folder), os_error_text(errno)));
    vask_base::UniqueFd dir(fd);
    std::vector<std::string> names;
    auto stream = std::make_unique<vask_base::DirectoryStream>(dir.get());
    stream->for_each([&](std::string_view name, unsigned char) { names.emplace_back(name); });
    std::sort(names.begin(), names.end());
    return names;
}

void fill_from_record(const TrashDir& trash, Item& item)
{
    auto text = read_small_file(item.info_path, kMaxRecordBytes);
    auto info = text ? parse_trash_info(*text) : std::nullopt;
    if (!info)
        return;
    std::string decoded = percent_decode(info->path);
    if (decoded.find('\0') != std::string::npos)
        return;
    fs::path original(decoded);
    if (original.is_relative() && trash.is_home())
        return; // a home record must name an absolute place
    item.original_path = original.is_absolute() ? original : trash.top_dir / original;
    item.deletion_date = info->deletion_date;
}

struct Scan {
    std::vector<Item> items;
    std::vector<fs::path> orphan_records;
};

vask_base::Status scan_trash(const TrashDir& trash, Scan& scan)
{
    auto files = sorted_names(trash.files_dir());
    if (!files)
        return std::unexpected(files.error());
    auto infos = sorted_names(trash.info_dir());
    if (!infos)
        return std::unexpected(infos.error());
    std::set<std::string> records;
    for (const auto& info : *infos) {
        if (info.size() > kInfoSuffix.size() && info.ends_with(kInfoSuffix))
            records.insert(info.substr(0, info.size() - kInfoSuffix.size()));
    }
    for (const auto& name : *files) {
        Item item{trash.info_dir() / (name + std::string(kInfoSuffix)),
                  trash.files_dir() / name,
                  name,
                  {},
                  {},
                  trash.root};
        if (records.erase(name))
            fill_from_record(trash, item);
        scan.items.push_back(std::move(item));
    }
    for (const auto& orphan : records)
        scan.orphan_records.push_back(trash.info_dir() / (orphan + std::string(kInfoSuffix)));
    return {};
}

vask_base::Result<Scan> scan_all()
{
    Scan scan;
    for (const auto& trash : trash_dirs()) {
        if (auto scanned = scan_trash(trash, scan); !scanned)
            return std::unexpected(scanned.error());
    }
    return scan;
}

// ---- Restoring ----

vask_base::Status restore_one(const Item& item)
{
    fs::path parent = item.original_path.parent_path();
    std::error_code ec;
    if (!parent.empty())
        fs::create_directories(parent, ec);
    if (ec)
        return failure(fmt::format("Cannot restore {}: cannot create {}: {}", shown(item.name), shown(parent),
                                   os_error_text(ec.value())));
    auto moved = no_replace_rename(item.files_path, item.original_path);
    if (!moved && moved.error().error == EEXIST)
        return failure(
            fmt::format("Cannot restore {}: {} already exists", shown(item.name), shown(item.original_path)));
    if (!moved)
        return failure(fmt::format("Cannot restore {} to {}: {}", shown(item.name), shown(item.original_path),
                                   moved.error().text));
    drop_record(item.info_path);
    return {};
}

// Checks made before anything is restored.
vask_base::Status check_restorable(const std::vector<Item>& items)
{
    std::map<std::string, const Item*> places;
    for (const auto& item : items) {
        if (item.original_path.empty())
            return failure(fmt::format("Cannot restore {}: its Trash record is missing or unreadable",
                                       shown(item.name)));
        std::string place = item.original_path.lexically_normal().native();
        while (place.size() > 1 && place.back() == '/')
            place.pop_back();
        auto [found, inserted] = places.emplace(place, &item);
        if (!inserted)
            return failure(fmt::format("Cannot restore {} and {}: both would return to {}",
                                       shown(found->second->name), shown(item.name),
                                       shown(item.original_path)));
    }
    return {};
}

void refresh_sizes_of(const std::vector<Item>& items)
{
    std::set<fs::path> roots;
    for (const auto& item : items)
        roots.insert(item.trash_root);
    for (const auto& root : roots)
        refresh_directory_sizes(root);
}

} // namespace

// ---- Public operations ----

vask_base::Result<fs::path> trash_item(const fs::path& path)
{
    auto fail = [&](std::string_view why) {
        return failure(fmt::format("Cannot move {} to Trash: {}", shown(path), why));
    };
    if (auto checked = check_trashable(path); !checked)
        return std::unexpected(checked.error());
    auto st = lstat_of(path);
    if (!st)
        return fail(os_error_text(errno));
    std::string name = *item_name_bytes(path);
    std::error_code ec;
    fs::path folder = fs::canonical(folder_of(path), ec);
    if (ec)
        return fail(os_error_text(ec.value()));
    struct stat folder_st {};
    if (::stat(folder.c_str(), &folder_st) != 0)
        return fail(os_error_text(errno));
    auto trash = trash_for(folder, folder_st.st_dev);
    if (!trash)
        return fail(trash.error());
    fs::path original = folder / name;
    std::string record_path =
        trash->is_home() ? original.native() : original.lexically_relative(trash->top_dir).native();
    auto moved = move_into(*trash, original, name, record_path, S_ISDIR(st->st_mode));
    if (!moved)
        return fail(moved.error());
    return moved;
}

vask_base::Status trash_items(const std::vector<fs::path>& paths)
{
    for (const auto& path : paths) {
        if (auto checked = check_trashable(path); !checked)
            return checked;
    }
    for (const auto& path : paths) {
        if (auto moved = trash_item(path); !moved)
            return std::unexpected(moved.error());
    }
    return {};
}

vask_base::Result<std::vector<Item>> list_items()
{
    auto scan = scan_all();
    if (!scan)
        return std::unexpected(scan.error());
    return std::move(scan->items);
}

vask_base::Status restore(const std::vector<Item>& items)
{
    if (auto checked = check_restorable(items); !checked)
        return checked;
    vask_base::Status outcome;
    for (const auto& item : items) {
        outcome = restore_one(item);
        if (!outcome)
            break;
    }
    refresh_sizes_of(items);
    return outcome;
}

vask_base::Status purge(const std::vector<Item>& items)
{
    vask_base::Status outcome;
    for (const auto& item : items) {
        if (auto removed = remove_path(item.files_path); !removed) {
            outcome = failure(
                fmt::format("Cannot delete {} from Trash: {}", shown(item.name), removed.error().text));
            break;
        }
        if (::unlink(item.info_path.c_str()) != 0 && errno != ENOENT) {
            outcome = failure(fmt::format("Cannot delete the Trash record of {}: {}", shown(item.name),
                                          os_error_text(errno)));
            break;
        }
    }
    refresh_sizes_of(items);
    return outcome;
}

vask_base::Result<std::size_t> empty_all()
{
    auto scan = scan_all();
    if (!scan)
        return std::unexpected(scan.error());
    if (auto purged = purge(scan->items); !purged)
        return std::unexpected(purged.error());
    for (const auto& record : scan->orphan_records)
        drop_record(record);
    return scan->items.size();
}

} // namespace file_explorer::desktop_trash
