// Unpacking an archive into a new folder, written for hostile input: every member is created
// beneath a private temporary folder without following links, sizes are held to what the archive
// declares, and the folder gets its final name only once everything has been written.
#include <algorithm>
#include <archive_entry.h>
#include <atomic>
#include <cerrno>
#include <fcntl.h>
#include <linux/openat2.h>
#include <string>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <fmt/format.h>

#include "fileops/archive.hpp"
#include "fileops/archive_internal.hpp"
#include "fileops/collision_names.hpp"
#include "fileops/staging.hpp"
#include "platform/base/os_error.hpp"
#include "platform/base/utf8.hpp"

namespace file_explorer {

namespace fs = std::filesystem;
using namespace archive_detail;
using vask_base::UniqueFd;

namespace {

constexpr const char* kDestinationExistsText = "the destination already exists";
constexpr const char* kNoParentText = "destination has no parent";
constexpr const char* kNoNameText = "destination has no name";
constexpr const char* kNoTemporaryText = "could not reserve a temporary extraction folder";
constexpr int kTemporaryAttempts = 1000;

// Cleared the first time the kernel turns out not to know openat2.
std::atomic<bool> s_has_openat2{true};

// openat2 beneath `dir_fd`, refusing to leave it or to pass any symbolic link. Gives -1 with errno
// set, ENOSYS included when the kernel lacks openat2.
int openat2_beneath(int dir_fd, const char* relative, int flags, mode_t mode)
{
    if (!s_has_openat2.load(std::memory_order_relaxed)) {
        errno = ENOSYS;
        return -1;
    }
    open_how how{};
    how.flags = static_cast<std::uint64_t>(flags);
    how.mode = (flags & O_CREAT) != 0 ? mode : 0;
    how.resolve = RESOLVE_BENEATH | RESOLVE_NO_SYMLINKS | RESOLVE_NO_MAGICLINKS;
    long fd;
    do {
        fd = ::syscall(SYS_openat2, dir_fd, relative, &how, sizeof how);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0 && errno == ENOSYS)
        s_has_openat2.store(false, std::memory_order_relaxed);
    return static_cast<int>(fd);
}

// Opens the single component `name` inside `dir_fd` without following a link: openat2 where the
// kernel has it, else openat() with O_NOFOLLOW.
int open_component(int dir_fd, const char* name, int flags, mode_t mode)
{
    int fd = openat2_beneath(dir_fd, name, flags, mode);
    if (fd >= 0 || errno != ENOSYS)
        return fd;
    do {
        fd = ::openat(dir_fd, name, flags | O_NOFOLLOW, mode);
    } while (fd < 0 && errno == EINTR);
    return fd;
}

constexpr int kFolderFlags = O_PATH | O_DIRECTORY | O_CLOEXEC;

// The folders and files of one extraction, all beneath the temporary folder's descriptor. The
// descriptor of the folder used last is kept, since members of one folder usually come together.
class ExtractionTree {
  public:
    explicit ExtractionTree(UniqueFd root) : m_root(std::move(root)) {}

    // The descriptor of folder `relative` (sanitised; empty for the root), creating what is missing.
    vask_base::Result<int> folder(std::string_view relative)
    {
        if (relative.empty())
            return m_root.get();
        if (m_cached_fd.is_valid() && relative == m_cached_path)
            return m_cached_fd.get();
        int base = m_root.get();
        std::string_view rest = relative;
        // Continue below the cached folder when the new one lies inside it.
        if (m_cached_fd.is_valid() && relative.size() > m_cached_path.size() &&
            relative.starts_with(m_cached_path) && relative[m_cached_path.size()] == '/') {
            base = m_cached_fd.get();
            rest.remove_prefix(m_cached_path.size() + 1);
        }
        // One openat2 finds an existing folder at any depth; a missing one (or a kernel without
        // openat2) means walking it component by component.
        std::string rest_text(rest);
        int fd = openat2_beneath(base, rest_text.c_str(), kFolderFlags, 0);
        if (fd < 0 && errno != ENOENT && errno != ENOSYS)
            return vask_base::last_os_failure();
        UniqueFd opened(fd);
        if (!opened.is_valid()) {
            auto created = create_folders(base, rest);
            if (!created)
                return std::unexpected(std::move(created.error()));
            opened = std::move(*created);
        }
        m_cached_fd = std::move(opened);
        m_cached_path.assign(relative);
        return m_cached_fd.get();
    }

    // Creates the regular file `relative` (sanitised) exclusively, with its missing parent folders.
    vask_base::Result<UniqueFd> create_file(std::string_view relative)
    {
        std::size_t slash = relative.rfind('/');
        std::string_view parent =
            slash == std::string_view::npos ? std::string_view() : relative.substr(0, slash);
        std::string name(slash == std::string_view::npos ? relative : relative.substr(slash + 1));
        auto parent_fd = folder(parent);
        if (!parent_fd)
            return std::unexpected(std::move(parent_fd.error()));
        int fd = open_component(*parent_fd, name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0)
            return vask_base::last_os_failure();
        return UniqueFd(fd);
    }

  private:
    // Walks `relative` below `base` one component at a time, creating missing folders (0777 before
    // the umask) and never following a link; gives the last folder's descriptor.
    static vask_base::Result<UniqueFd> create_folders(int base, std::string_view relative)
    {
        UniqueFd current;
        std::size_t start = 0;
        while (start < relative.size()) {
            std::size_t slash = relative.find('/', start);
            if (slash == std::string_view::npos)
                slash = relative.size();
            std::string component(relative.substr(start, slash - start));
            int at = current.is_valid() ? current.get() : base;
            int fd = open_component(at, component.c_str(), kFolderFlags, 0);
            if (fd < 0 && errno == ENOENT) {
                if (::mkdirat(at, component.c_str(), 0777) != 0 && errno != EEXIST)
                    return vask_base::last_os_failure();
                fd = open_component(at, component.c_str(), kFolderFlags, 0);
            }
            if (fd < 0)
                return vask_base::last_os_failure();
            current.reset(fd);
            start = slash + 1;
        }
        return current;
    }

    UniqueFd m_root;
    UniqueFd m_cached_fd;
    std::string m_cached_path;
};

vask_base::Status write_all_at(int fd, const char* data, std::size_t size, std::uint64_t offset)
{
    while (size > 0) {
        ssize_t n = ::pwrite(fd, data, size, static_cast<off_t>(offset));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return vask_base::last_os_failure();
        }
        data += n;
        size -= static_cast<std::size_t>(n);
        offset += static_cast<std::uint64_t>(n);
    }
    return {};
}

// Copies the current member's bytes into `fd`, never writing past its declared size. Sparse
// members arrive as blocks at offsets; the gaps stay holes and count towards the length.
vask_base::Status copy_member(ArchiveReader& reader, int fd, std::uint64_t declared)
{
    std::uint64_t length = 0;  // the member's length so far, holes included
    std::uint64_t written = 0; // the end of the last byte written
    for (;;) {
        const void* block = nullptr;
        std::size_t size = 0;
        la_int64_t offset = 0;
        int status = archive_read_data_block(reader.handle(), &block, &size, &offset);
        if (status == ARCHIVE_EOF) {
            // The end offset covers a sparse member's trailing hole.
            if (offset > 0 && static_cast<std::uint64_t>(offset) <= declared)
                length = std::max(length, static_cast<std::uint64_t>(offset));
            break;
        }
        if (status < ARCHIVE_WARN) {
            if (reader.input_ended() && length < declared)
                return vask_base::failure(reader.truncated_text());
            return vask_base::failure(reader.error_text());
        }
        auto start = static_cast<std::uint64_t>(offset);
        if (offset < 0 || start > declared || size > declared - start)
            return vask_base::failure(kLargerThanDeclaredText);
        if (size > 0) {
            if (auto copied = write_all_at(fd, static_cast<const char*>(block), size, start); !copied)
                return copied;
            written = std::max(written, start + size);
        }
        length = std::max(length, start + size);
        // The codec warns on the last block of a member whose size or checksum does not match.
        if (status == ARCHIVE_WARN) {
            if (length < declared)
                return vask_base::failure(reader.truncated_text());
            return vask_base::failure(reader.error_text());
        }
    }
    if (length < declared)
        return vask_base::failure(reader.truncated_text());
    if (written < length && ::ftruncate(fd, static_cast<off_t>(length)) != 0)
        return vask_base::last_os_failure();
    return {};
}

// Writes every member of the open archive beneath `root`; gives the regular files' relative paths.
vask_base::Result<std::vector<fs::path>> unpack(ArchiveReader& reader, UniqueFd root)
{
    ExtractionTree tree(std::move(root));
    EntryLimits limits;
    std::vector<fs::path> files;
    for (;;) {
        auto header = reader.next(limits);
        if (!header)
            return std::unexpected(std::move(header.error()));
        if (!*header)
            return files;
        EntryHeader& member = **header;
        switch (member.kind) {
        case EntryKind::Folder:
            if (auto made = tree.folder(member.path); !made)
                return std::unexpected(std::move(made.error()));
            break;
        case EntryKind::File: {
            auto file = tree.create_file(member.path);
            if (!file)
                return std::unexpected(std::move(file.error()));
            if (auto copied = copy_member(reader, file->get(), member.size); !copied)
                return std::unexpected(std::move(copied.error()));
            files.emplace_back(std::move(member.path));
            break;
        }
        case EntryKind::Other:
            // Devices, FIFOs and the like are counted but never created.
            break;
        }
    }
}

// The path without its last component, ignoring trailing slashes; none for "" and "/".
std::optional<fs::path> parent_of(const fs::path& path)
{
    std::string_view text = path.native();
    while (text.size() > 1 && text.back() == '/')
        text.remove_suffix(1);
    if (text.empty() || text == "/")
        return std::nullopt;
    std::size_t slash = text.rfind('/');
    if (slash == std::string_view::npos)
        return fs::path();
    return fs::path(text.substr(0, slash == 0 ? 1 : slash));
}

// Removes the temporary folder when the extraction ends without publishing it.
class TemporaryFolder {
  public:
    explicit TemporaryFolder(fs::path path) : m_path(std::move(path)) {}
    ~TemporaryFolder()
    {
        if (!m_published)
            (void)remove_path(m_path);
    }
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;

    const fs::path& path() const { return m_path; }
    void mark_published() { m_published = true; }

  private:
    fs::path m_path;
    bool m_published = false;
};

// Reserves and creates ".<name>.extracting-<pid>-<n>" beside the destination.
vask_base::Result<fs::path> create_temporary_folder(const fs::path& parent, std::string_view name)
{
    std::string prefix = fmt::format(".{}.extracting-{}-", vask_base::lossy_utf8(name), ::getpid());
    for (int n = 0; n < kTemporaryAttempts; ++n) {
        fs::path candidate = parent / (prefix + std::to_string(n));
        struct stat st {};
        if (::lstat(candidate.c_str(), &st) == 0)
            continue;
        if (::mkdir(candidate.c_str(), 0777) != 0)
            return vask_base::last_os_failure();
        return candidate;
    }
    return vask_base::failure(kNoTemporaryText);
}

} // namespace

void archive_detail::set_openat2_enabled(bool enabled)
{
    s_has_openat2.store(enabled);
}

vask_base::Result<std::vector<fs::path>> extract_archive(const fs::path& archive, const fs::path& destination)
{
    if (holds_nul(destination))
        return vask_base::failure(kNulInPathText);
    struct stat st {};
    if (::stat(destination.c_str(), &st) == 0)
        return vask_base::failure(kDestinationExistsText);
    auto parent = parent_of(destination);
    if (!parent)
        return vask_base::failure(kNoParentText);
    auto name = item_name_bytes(destination);
    if (!name)
        return vask_base::failure(kNoNameText);
    if (!parent->empty()) {
        std::error_code ec;
        fs::create_directories(*parent, ec);
        if (ec)
            return vask_base::failure(vask_base::os_error_text(ec.value()));
    }

    auto reserved = create_temporary_folder(*parent, *name);
    if (!reserved)
        return std::unexpected(std::move(reserved.error()));
    TemporaryFolder temporary(std::move(*reserved));
    int root = ::open(temporary.path().c_str(), O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (root < 0)
        return vask_base::last_os_failure();
    UniqueFd root_fd(root);

    ArchiveReader reader;
    if (auto opened = reader.open(archive); !opened)
        return std::unexpected(std::move(opened.error()));
    auto files = unpack(reader, std::move(root_fd));
    if (!files)
        return files;

    if (auto renamed = no_replace_rename(temporary.path(), destination); !renamed) {
        if (renamed.error().error == EEXIST || renamed.error().error == ENOTEMPTY)
            return vask_base::failure(kDestinationExistsText);
        return vask_base::failure(renamed.error().text);
    }
    temporary.mark_published();
    return files;
}

ExtractSummary extract_archives_here(const std::vector<fs::path>& archives, const fs::path& current_folder)
{
    ExtractSummary summary;
    for (const auto& archive : archives) {
        if (!is_archive(archive))
            continue;
        auto extracted = extract_archive(archive, extraction_destination(archive, current_folder));
        if (extracted)
            summary.count += extracted->size();
        else
            summary.failures.push_back(vask_base::lossy_utf8(archive) + ": " + extracted.error());
    }
    return summary;
}

} // namespace file_explorer
