// Compressing a selection into a new ZIP archive, written to "<target>.part" and renamed when
// complete. Folders are walked through descriptors without following links; links and special
// files are left out.
#include <archive_entry.h>
#include <cerrno>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <malloc.h>
#include <memory>
#include <mutex>
#include <sys/stat.h>
#include <unistd.h>

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

constexpr const char* kNoFileNameText = "path has no file name";
constexpr const char* kNothingToCompressText = "nothing to compress";
constexpr std::size_t kFileReadBlock = 256 * 1024;
constexpr std::size_t kOutputBlock = 1 << 20;

// Every member carries 1980-01-01 00:00:00, the first time a ZIP can hold. ZIP stores local
// time, so this is the local midnight of that day.
time_t fixed_member_time()
{
    std::tm fields{};
    fields.tm_year = 80;
    fields.tm_mon = 0;
    fields.tm_mday = 1;
    fields.tm_isdst = -1;
    return std::mktime(&fields);
}

// The bytes of `path` without trailing slashes (keeping a lone "/").
std::string trimmed(const fs::path& path)
{
    std::string text = path.native();
    while (text.size() > 1 && text.back() == '/')
        text.pop_back();
    return text;
}

bool name_taken(const fs::path& path)
{
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0;
}

// The first free "<base>.zip", "<base> 2.zip", ... in `folder`; a dangling link takes its name too.
fs::path free_zip_target(const fs::path& folder, const std::string& base)
{
    fs::path candidate = folder / (base + ".zip");
    for (std::uint64_t n = 2; name_taken(candidate) && n <= UINT32_MAX; ++n)
        candidate = folder / (base + " " + std::to_string(n) + ".zip");
    return candidate;
}

std::string archive_base_name(const std::vector<fs::path>& items)
{
    if (items.size() != 1)
        return "Archive";
    auto name = item_name_bytes(items.front());
    if (!name)
        return "Archive";
    std::string stem(split_stem(*name).stem);
    return vask_base::is_valid_utf8(stem) ? stem : std::string("Archive");
}

// The partial file, removed unless the archive was published.
class PartialFile {
  public:
    explicit PartialFile(fs::path path) : m_path(std::move(path)) {}
    ~PartialFile()
    {
        if (!m_published)
            (void)::unlink(m_path.c_str());
    }
    PartialFile(const PartialFile&) = delete;
    PartialFile& operator=(const PartialFile&) = delete;

    const fs::path& path() const { return m_path; }
    void mark_published() { m_published = true; }

  private:
    fs::path m_path;
    bool m_published = false;
};

// Feeds directory and file members to the codec's ZIP writer, which writes to `fd`.
class ZipWriter {
  public:
    explicit ZipWriter(int fd, const struct stat& own)
        : m_fd(fd), m_own_device(own.st_dev), m_own_inode(own.st_ino)
    {
        m_buffer = std::make_unique<char[]>(kFileReadBlock);
        m_entry = archive_entry_new();
    }
    ~ZipWriter()
    {
        if (m_entry != nullptr)
            archive_entry_free(m_entry);
        if (m_archive != nullptr)
            archive_write_free(m_archive);
    }
    ZipWriter(const ZipWriter&) = delete;
    ZipWriter& operator=(const ZipWriter&) = delete;

    vask_base::Status open()
    {
        keep_freed_memory();
        m_archive = archive_write_new();
        if (m_archive == nullptr || m_entry == nullptr)
            return vask_base::failure(vask_base::os_error_text(ENOMEM));
        // Deflate at the codec's default level is the ZIP writer's default.
        if (archive_write_set_format_zip(m_archive) != ARCHIVE_OK ||
            archive_write_add_filter_none(m_archive) != ARCHIVE_OK ||
            archive_write_set_bytes_per_block(m_archive, static_cast<int>(kOutputBlock)) != ARCHIVE_OK ||
            archive_write_set_bytes_in_last_block(m_archive, 1) != ARCHIVE_OK)
            return vask_base::failure(error_text());
        if (archive_write_open2(m_archive, this, nullptr, &ZipWriter::write_callback, nullptr, nullptr) !=
            ARCHIVE_OK)
            return vask_base::failure(error_text());
        return {};
    }

    // Adds the item at `path` under `name`: a folder with everything below it, or a regular file.
    vask_base::Status add_item(const fs::path& path, const std::string& name)
    {
        struct stat st {};
        if (::lstat(path.c_str(), &st) != 0)
            return vask_base::last_os_failure();
        if (S_ISDIR(st.st_mode)) {
            int fd = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
            if (fd < 0)
                return vask_base::last_os_failure();
            return add_folder(UniqueFd(fd), name);
        }
        if (S_ISREG(st.st_mode))
            return add_file(AT_FDCWD, path.c_str(), name);
        return {};
    }

    vask_base::Status finish()
    {
        if (archive_write_close(m_archive) != ARCHIVE_OK)
            return vask_base::failure(error_text());
        return {};
    }

  private:
    // The writer sets up and tears down a deflate stream of about 270 KB for every member. With
    // glibc's default trim threshold each teardown hands that memory back to the kernel and the
    // next member faults it in again, which costs several times the compression of a small file.
    // Letting the heap keep a few MiB of free memory avoids that churn; this is process-wide.
    static void keep_freed_memory()
    {
        static std::once_flag s_tuned;
        std::call_once(s_tuned, [] { ::mallopt(M_TRIM_THRESHOLD, 8 << 20); });
    }

    // Starts a member. The writer marks a name as UTF-8 when the thread's locale is UTF-8 and the
    // name is not ASCII, so names that are not UTF-8 are written under the "C" locale: as bytes,
    // without the flag.
    vask_base::Status write_header(const std::string& name, mode_t mode, std::uint64_t size)
    {
        archive_entry_clear(m_entry);
        archive_entry_copy_pathname(m_entry, name.c_str());
        archive_entry_set_mode(m_entry, mode);
        archive_entry_set_size(m_entry, static_cast<la_int64_t>(size));
        archive_entry_set_mtime(m_entry, m_time, 0);
        NameLocaleScope names(vask_base::is_valid_utf8(name) ? NameText::Utf8 : NameText::Bytes);
        if (archive_write_header(m_archive, m_entry) < ARCHIVE_WARN)
            return vask_base::failure(error_text());
        return {};
    }

    vask_base::Status add_folder(UniqueFd folder, const std::string& name)
    {
        if (auto started = write_header(name + "/", AE_IFDIR | 0755, 0); !started)
            return started;

        std::vector<std::pair<std::string, unsigned char>> children;
        {
            auto stream = std::make_unique<vask_base::DirectoryStream>(folder.get());
            stream->for_each(
                [&](std::string_view child, unsigned char type) { children.emplace_back(child, type); });
        }
        for (auto& [child, type] : children) {
            if (type == DT_UNKNOWN) {
                struct stat st {};
                if (::fstatat(folder.get(), child.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0)
                    return vask_base::last_os_failure();
                type = S_ISDIR(st.st_mode) ? DT_DIR : S_ISREG(st.st_mode) ? DT_REG : DT_LNK;
            }
            std::string child_name = name + "/" + child;
            if (type == DT_DIR) {
                int fd =
                    ::openat(folder.get(), child.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
                if (fd < 0)
                    return vask_base::last_os_failure();
                if (auto added = add_folder(UniqueFd(fd), child_name); !added)
                    return added;
            } else if (type == DT_REG) {
                if (auto added = add_file(folder.get(), child.c_str(), child_name); !added)
                    return added;
            }
        }
        return {};
    }

    vask_base::Status add_file(int at, const char* path, const std::string& name)
    {
        // O_NONBLOCK so that a file replaced by a FIFO meanwhile cannot stall the open.
        int fd = ::openat(at, path, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0)
            return errno == ELOOP ? vask_base::Status{} : vask_base::last_os_failure();
        UniqueFd file(fd);
        struct stat st {};
        if (::fstat(fd, &st) != 0)
            return vask_base::last_os_failure();
        // Links and special files that took the name meanwhile, and the archive being written.
        if (!S_ISREG(st.st_mode) || (st.st_dev == m_own_device && st.st_ino == m_own_inode))
            return {};

        if (auto started = write_header(name, AE_IFREG | 0644, static_cast<std::uint64_t>(st.st_size));
            !started)
            return started;

        auto remaining = static_cast<std::uint64_t>(st.st_size);
        while (remaining > 0) {
            ssize_t n = ::read(fd, m_buffer.get(), std::min<std::uint64_t>(remaining, kFileReadBlock));
            if (n < 0) {
                if (errno == EINTR)
                    continue;
                return vask_base::last_os_failure();
            }
            if (n == 0)
                break; // the file shrank; the entry records what was read
            if (archive_write_data(m_archive, m_buffer.get(), static_cast<std::size_t>(n)) < 0)
                return vask_base::failure(error_text());
            remaining -= static_cast<std::uint64_t>(n);
        }
        if (archive_write_finish_entry(m_archive) < ARCHIVE_WARN)
            return vask_base::failure(error_text());
        return {};
    }

    std::string error_text() const
    {
        const char* text = m_archive != nullptr ? archive_error_string(m_archive) : nullptr;
        return text != nullptr ? std::string(text) : std::string("the archive could not be written");
    }

    static la_ssize_t write_callback(struct archive* handle, void* self_data, const void* buffer,
                                     std::size_t size)
    {
        auto* self = static_cast<ZipWriter*>(self_data);
        const char* data = static_cast<const char*>(buffer);
        std::size_t left = size;
        while (left > 0) {
            ssize_t n = ::write(self->m_fd, data, left);
            if (n < 0) {
                if (errno == EINTR)
                    continue;
                int error = errno;
                archive_set_error(handle, error, "%s", vask_base::os_error_text(error).c_str());
                return -1;
            }
            data += n;
            left -= static_cast<std::size_t>(n);
        }
        return static_cast<la_ssize_t>(size);
    }

    int m_fd;
    dev_t m_own_device;
    ino_t m_own_inode;
    time_t m_time = fixed_member_time();
    struct archive* m_archive = nullptr;
    archive_entry* m_entry = nullptr;
    std::unique_ptr<char[]> m_buffer;
};

// Writes the whole archive into the open partial file and flushes it to stable storage.
vask_base::Status write_zip(const std::vector<fs::path>& items, int fd)
{
    struct stat own {};
    if (::fstat(fd, &own) != 0)
        return vask_base::last_os_failure();
    ZipWriter writer(fd, own);
    if (auto opened = writer.open(); !opened)
        return opened;
    for (const auto& item : items) {
        auto name = item_name_bytes(item);
        if (!name)
            return vask_base::failure(kNoFileNameText);
        if (holds_nul(item))
            return vask_base::failure(kNulInPathText);
        if (auto added = writer.add_item(trimmed(item), *name); !added)
            return added;
    }
    if (auto finished = writer.finish(); !finished)
        return finished;
    if (::fsync(fd) != 0)
        return vask_base::last_os_failure();
    return {};
}

} // namespace

vask_base::Result<fs::path> compress_to_zip(const std::vector<fs::path>& items, const fs::path& folder)
{
    if (items.empty())
        return vask_base::failure(kNothingToCompressText);
    if (holds_nul(folder))
        return vask_base::failure(kNulInPathText);
    fs::path target = free_zip_target(folder, archive_base_name(items));
    fs::path partial_path(target.native() + ".part");
    // Created or truncated, but never through a link planted under the partial name.
    int fd = ::open(partial_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0)
        return vask_base::last_os_failure();
    PartialFile partial(std::move(partial_path));
    UniqueFd output(fd);
    if (auto written = write_zip(items, fd); !written)
        return std::unexpected(std::move(written.error()));
    if (::close(output.release()) != 0)
        return vask_base::last_os_failure();
    if (auto renamed = no_replace_rename(partial.path(), target); !renamed)
        return vask_base::failure(renamed.error().text);
    partial.mark_published();
    return target;
}

} // namespace file_explorer
