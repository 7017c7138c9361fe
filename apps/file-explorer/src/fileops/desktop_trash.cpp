#include "fileops/desktop_trash.hpp"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>
#include <ctime>
#include <fcntl.h>
#include <map>
#include <memory>
#include <set>
#include <sys/stat.h>
#include <unistd.h>

#include <fmt/format.h>

#include "fileops/collision_names.hpp"
#include "fileops/staging.hpp"
#include "platform/base/fd.hpp"
#include "platform/base/os_error.hpp"
#include "platform/base/utf8.hpp"
#include "platform/ui/xdg_paths.hpp"

namespace file_explorer::desktop_trash {

namespace fs = std::filesystem;
using vask_base::failure;
using vask_base::os_error_text;

namespace {

constexpr std::size_t kMaxRecordBytes = 64 * 1024;
constexpr std::size_t kMaxSizesBytes = 16 * 1024 * 1024;
constexpr std::size_t kMaxMountinfoBytes = 4 * 1024 * 1024;
constexpr std::size_t kNameMax = 255;
constexpr const char* kSizesName = "directorysizes";

// Mounts whose top folder never holds a trash; stat-ing some of them (autofs) would even mount things.
constexpr std::array<std::string_view, 20> kPseudoFileSystems = {
    "autofs", "binfmt_misc", "bpf",        "cgroup",     "cgroup2",   "configfs", "debugfs",
    "devpts", "devtmpfs",    "efivarfs",   "fusectl",    "hugetlbfs", "mqueue",   "nsfs",
    "proc",   "pstore",      "rpc_pipefs", "securityfs", "selinuxfs", "sysfs",
};

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

// A folder that is a folder itself, not a link to one, and belongs to this user.
bool is_own_real_folder(const fs::path& path)
{
    auto st = lstat_of(path);
    return st && S_ISDIR(st->st_mode) && st->st_uid == ::getuid();
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

std::vector<std::string_view> split_lines(std::string_view text)
{
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        auto end = text.find('\n');
        lines.push_back(text.substr(0, end));
        if (end == std::string_view::npos)
            break;
        text.remove_prefix(end + 1);
    }
    return lines;
}

std::string_view trim_blanks(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r'))
        text.remove_suffix(1);
    return text;
}

int hex_value(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// ---- Mounts and top folders ----

std::vector<MountEntry> read_mounts()
{
    auto text = read_small_file("/proc/self/mountinfo", kMaxMountinfoBytes);
    return text ? parse_mountinfo(*text) : std::vector<MountEntry>{};
}

// True when `path` is `folder` or lies inside it, comparing whole components.
bool lies_within(const fs::path& path, const fs::path& folder)
{
    auto p = path.begin();
    for (const auto& part : folder) {
        if (part.empty())
            continue;
        if (p == path.end() || *p != part)
            return false;
        ++p;
    }
    return true;
}

// The top folder of the mount holding `folder` (canonical) whose device is `device`: the deepest
// mount point containing it, or, when the mount table disagrees or cannot be read, the highest
// ancestor on the same device.
fs::path top_dir_of(const fs::path& folder, dev_t device)
{
    const MountEntry* best = nullptr;
    auto mounts = read_mounts();
    for (const auto& mount : mounts) {
        if (lies_within(folder, mount.mount_point) &&
            (!best || mount.mount_point.native().size() >= best->mount_point.native().size()))
            best = &mount; // a later mount on the same point hides the earlier one
    }
    struct stat st {};
    if (best && ::stat(best->mount_point.c_str(), &st) == 0 && st.st_dev == device)
        return best->mount_point;
    fs::path top = folder;
    while (top.has_relative_path()) {
        fs::path parent = top.parent_path();
        if (::stat(parent.c_str(), &st) != 0 || st.st_dev != device)
            break;
        top = parent;
    }
    return top;
}

// ---- Choosing and creating a trash ----

// Whether an existing trash folder may be a link to a folder: the user may point the home trash
// elsewhere, but a link on a shared volume could have been planted by another user.
enum class Links { Refuse, Follow };

// Creates a private folder, or accepts an existing folder.
vask_base::Status make_private_folder(const fs::path& folder, Links links)
{
    if (::mkdir(folder.c_str(), 0700) == 0)
        return {};
    int error = errno;
    if (error != EEXIST)
        return failure(fmt::format("cannot create {}: {}", shown(folder), os_error_text(error)));
    struct stat st {};
    int got = links == Links::Follow ? ::stat(folder.c_str(), &st) : ::lstat(folder.c_str(), &st);
    if (got != 0 || !S_ISDIR(st.st_mode))
        return failure(fmt::format("{} is not a folder", shown(folder)));
    return {};
}

vask_base::Status prepare_trash(const TrashDir& trash, Links links)
{
    if (auto made = make_private_folder(trash.files_dir(), links); !made)
        return made;
    return make_private_folder(trash.info_dir(), links);
}

std::string uid_text()
{
    return std::to_string(::getuid());
}

// The shared $top/.Trash when it is a real sticky folder (a link or a folder without the sticky bit
// could let another user read or swap the items).
bool has_shared_trash(const fs::path& top)
{
    auto st = lstat_of(top / ".Trash");
    return st && S_ISDIR(st->st_mode) && (st->st_mode & S_ISVTX);
}

// The trash on the volume whose top folder is `top`, created when missing.
vask_base::Result<TrashDir> volume_trash(const fs::path& top)
{
    if (has_shared_trash(top)) {
        TrashDir shared{top / ".Trash" / uid_text(), top};
        if (make_private_folder(shared.root, Links::Refuse) && is_own_real_folder(shared.root) &&
            prepare_trash(shared, Links::Refuse))
            return shared;
    }
    TrashDir own{top / (".Trash-" + uid_text()), top};
    auto unusable = [&](const std::string& why) {
        return failure(fmt::format("no usable Trash on the volume at {} ({})", shown(top), why));
    };
    if (auto made = make_private_folder(own.root, Links::Refuse); !made)
        return unusable(made.error());
    if (!is_own_real_folder(own.root))
        return unusable(fmt::format("{} belongs to another user", shown(own.root)));
    if (auto prepared = prepare_trash(own, Links::Refuse); !prepared)
        return unusable(prepared.error());
    return own;
}

vask_base::Result<TrashDir> prepared_home_trash(const TrashDir& home)
{
    std::error_code ec;
    fs::create_directories(home.root.parent_path(), ec);
    if (auto made = make_private_folder(home.root, Links::Follow); !made)
        return failure(fmt::format("cannot use the Trash at {}: {}", shown(home.root), made.error()));
    if (auto prepared = prepare_trash(home, Links::Follow); !prepared)
        return failure(fmt::format("cannot use the Trash at {}: {}", shown(home.root), prepared.error()));
    return home;
}

// The mount top folder of the home trash, found from its nearest existing ancestor.
std::optional<std::pair<fs::path, dev_t>> home_volume(const TrashDir& home)
{
    fs::path anchor = home.root;
    while (!lstat_of(anchor) && anchor.has_relative_path())
        anchor = anchor.parent_path();
    std::error_code ec;
    fs::path real = fs::canonical(anchor, ec);
    struct stat st {};
    if (ec || ::stat(real.c_str(), &st) != 0)
        return std::nullopt;
    return std::pair{top_dir_of(real, st.st_dev), st.st_dev};
}

// The trash for an item in `folder` (canonical, on `device`): the home trash when it shares the
// item's mount, else the volume's own.
vask_base::Result<TrashDir> trash_for(const fs::path& folder, dev_t device)
{
    fs::path top = top_dir_of(folder, device);
    if (auto home = home_trash()) {
        auto volume = home_volume(*home);
        if (volume && volume->second == device && volume->first == top)
            return prepared_home_trash(*home);
    }
    return volume_trash(top);
}

// ---- directorysizes ----

std::uint64_t tree_size(const fs::path& folder)
{
    std::uint64_t total = 0;
    std::error_code ec;
    for (fs::recursive_directory_iterator it(folder, fs::directory_options::skip_permission_denied, ec), end;
         !ec && it != end; it.increment(ec)) {
        if (auto st = lstat_of(it->path()); st && S_ISREG(st->st_mode))
            total += std::uint64_t(st->st_size);
    }
    return total;
}

// Rewrites the trash's size cache keeping only lines whose folder is still in "files", replacing
// any line for `added_name` with `added_line`. The cache is optional, so failures are only logged.
void refresh_directory_sizes(const fs::path& root, const std::string& added_name = {},
                             const std::string& added_line = {})
{
    fs::path file = root / kSizesName;
    std::string old;
    if (auto text = read_small_file(file, kMaxSizesBytes))
        old = std::move(*text);
    else if (added_line.empty())
        return;
    std::string kept;
    bool changed = false;
    for (auto line : split_lines(old)) {
        if (line.empty())
            continue;
        auto first = line.find(' ');
        auto second = first == std::string_view::npos ? first : line.find(' ', first + 1);
        std::string name =
            second == std::string_view::npos ? std::string() : percent_decode(line.substr(second + 1));
        if (name.empty() || name == added_name || name.find('/') != std::string::npos ||
            !lstat_of(root / "files" / name)) {
            changed = true;
            continue;
        }
        kept.append(line).push_back('\n');
    }
    if (!added_line.empty()) {
        kept.append(added_line).push_back('\n');
        changed = true;
    }
    if (!changed)
        return;
    std::string temp = (root / (std::string(kSizesName) + ".XXXXXX")).native();
    int fd = ::mkstemp(temp.data());
    if (fd < 0) {
        log_staging_warning("could not update the Trash size cache", file, os_error_text(errno));
        return;
    }
    vask_base::UniqueFd out(fd);
    auto written = write_all(out.get(), kept);
    out.reset();
    if (!written || ::rename(temp.c_str(), file.c_str()) != 0) {
        log_staging_warning("could not update the Trash size cache", file,
                            written ? os_error_text(errno) : written.error());
        ::unlink(temp.c_str());
    }
}

void record_directory_size(const TrashDir& trash, const std::string& name, const fs::path& info)
{
    auto st = lstat_of(info);
    if (!st)
        return;
    std::string line = fmt::format("{} {} {}", tree_size(trash.files_dir() / name),
                                   static_cast<long long>(st->st_mtime), percent_encode(name));
    refresh_directory_sizes(trash.root, name, line);
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

std::optional<TrashDir> home_trash()
{
    auto data = vask_ui::xdg::data_dir();
    if (!data)
        return std::nullopt;
    return TrashDir{*data / "Trash", {}};
}

std::vector<TrashDir> trash_dirs()
{
    std::vector<TrashDir> dirs;
    std::set<std::pair<dev_t, ino_t>> seen;
    auto add = [&](TrashDir trash, bool follow) {
        struct stat st {};
        int got = follow ? ::stat(trash.root.c_str(), &st) : ::lstat(trash.root.c_str(), &st);
        if (got == 0 && S_ISDIR(st.st_mode) && seen.insert({st.st_dev, st.st_ino}).second)
            dirs.push_back(std::move(trash));
    };
    if (auto home = home_trash())
        add(*home, true);
    for (const auto& mount : read_mounts()) {
        if (std::find(kPseudoFileSystems.begin(), kPseudoFileSystems.end(), mount.fs_type) !=
            kPseudoFileSystems.end())
            continue;
        const fs::path& top = mount.mount_point;
        if (has_shared_trash(top) && is_own_real_folder(top / ".Trash" / uid_text()))
            add({top / ".Trash" / uid_text(), top}, false);
        if (is_own_real_folder(top / (".Trash-" + uid_text())))
            add({top / (".Trash-" + uid_text()), top}, false);
    }
    return dirs;
}

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

// ---- Text forms ----

std::string percent_encode(std::string_view bytes)
{
    constexpr std::string_view kHex = "0123456789ABCDEF";
    std::string out;
    out.reserve(bytes.size());
    for (char c : bytes) {
        auto byte = static_cast<unsigned char>(c);
        bool keep = (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') ||
                    (byte >= '0' && byte <= '9') || byte == '-' || byte == '.' || byte == '_' ||
                    byte == '~' || byte == '/';
        if (keep) {
            out.push_back(c);
        } else {
            out.push_back('%');
            out.push_back(kHex[byte >> 4]);
            out.push_back(kHex[byte & 0xF]);
        }
    }
    return out;
}

std::string percent_decode(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && hex_value(text[i + 1]) >= 0 &&
            hex_value(text[i + 2]) >= 0) {
            out.push_back(static_cast<char>(hex_value(text[i + 1]) * 16 + hex_value(text[i + 2])));
            i += 2;
        } else {
            out.push_back(text[i]);
        }
    }
    return out;
}

std::string format_trash_info(const TrashInfo& info)
{
    return fmt::format("[Trash Info]\nPath={}\nDeletionDate={}\n", info.path, info.deletion_date);
}

std::optional<TrashInfo> parse_trash_info(std::string_view text)
{
    TrashInfo info;
    bool in_group = false, has_path = false, has_date = false;
    for (auto raw : split_lines(text)) {
        auto line = trim_blanks(raw);
        if (line.empty() || line.front() == '#')
            continue;
        if (line.front() == '[') {
            in_group = line == "[Trash Info]";
            continue;
        }
        auto equals = line.find('=');
        if (!in_group || equals == std::string_view::npos)
            continue;
        auto key = trim_blanks(line.substr(0, equals));
        auto value = trim_blanks(line.substr(equals + 1));
        if (key == "Path" && !has_path) {
            info.path = value;
            has_path = true;
        } else if (key == "DeletionDate" && !has_date) {
            info.deletion_date = value;
            has_date = true;
        }
    }
    if (!has_path || info.path.empty())
        return std::nullopt;
    return info;
}

namespace {
// Undoes the kernel's octal escapes (\040 space, \011 tab, \012 newline, \134 backslash).
std::string decode_mount_field(std::string_view field)
{
    std::string out;
    for (std::size_t i = 0; i < field.size(); ++i) {
        auto is_octal = [&](std::size_t at) {
            return at < field.size() && field[at] >= '0' && field[at] <= '7';
        };
        if (field[i] == '\\' && is_octal(i + 1) && is_octal(i + 2) && is_octal(i + 3)) {
            out.push_back(static_cast<char>((field[i + 1] - '0') * 64 + (field[i + 2] - '0') * 8 +
                                            (field[i + 3] - '0')));
            i += 3;
        } else {
            out.push_back(field[i]);
        }
    }
    return out;
}
} // namespace

std::vector<MountEntry> parse_mountinfo(std::string_view text)
{
    std::vector<MountEntry> mounts;
    for (auto line : split_lines(text)) {
        std::vector<std::string_view> fields;
        while (!line.empty()) {
            auto space = line.find(' ');
            if (space != 0)
                fields.push_back(line.substr(0, space));
            if (space == std::string_view::npos)
                break;
            line.remove_prefix(space + 1);
        }
        // id parent major:minor root mount-point options [optional fields...] - type source super-options
        auto separator =
            std::find(fields.begin() + std::min<std::size_t>(fields.size(), 6), fields.end(), "-");
        if (fields.size() < 5 || separator == fields.end() || separator + 1 == fields.end())
            continue;
        mounts.push_back({fs::path(decode_mount_field(fields[4])), decode_mount_field(*(separator + 1))});
    }
    return mounts;
}

} // namespace file_explorer::desktop_trash
