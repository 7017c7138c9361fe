// Where the desktop Trash folders are: the home trash, the mounted volumes and their top folders,
// and choosing (and creating when missing) the trash for an item's volume.
#include <algorithm>
#include <array>
#include <set>
#include <sys/stat.h>
#include <unistd.h>

#include <fmt/format.h>

#include "fileops/desktop_trash.hpp"
#include "fileops/desktop_trash_internal.hpp"
#include "platform/base/os_error.hpp"
#include "platform/ui/xdg_paths.hpp"

namespace file_explorer::desktop_trash {

namespace fs = std::filesystem;
using namespace detail;
using vask_base::failure;
using vask_base::os_error_text;

namespace {

constexpr std::size_t kMaxMountinfoBytes = 4 * 1024 * 1024;

// Mounts whose top folder never holds a trash; stat-ing some of them (autofs) would even mount things.
constexpr std::array<std::string_view, 20> kPseudoFileSystems = {
    "autofs", "binfmt_misc", "bpf",        "cgroup",     "cgroup2",   "configfs", "debugfs",
    "devpts", "devtmpfs",    "efivarfs",   "fusectl",    "hugetlbfs", "mqueue",   "nsfs",
    "proc",   "pstore",      "rpc_pipefs", "securityfs", "selinuxfs", "sysfs",
};

// A folder that is a folder itself, not a link to one, and belongs to this user.
bool is_own_real_folder(const fs::path& path)
{
    auto st = lstat_of(path);
    return st && S_ISDIR(st->st_mode) && st->st_uid == ::getuid();
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

} // namespace

namespace detail {

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

} // namespace detail

// ---- Public look-ups ----

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

} // namespace file_explorer::desktop_trash
