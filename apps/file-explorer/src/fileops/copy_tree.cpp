#include "fileops/copy_tree.hpp"

#include <cerrno>
#include <fcntl.h>
#include <memory>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "platform/base/fd.hpp"

namespace file_explorer {

namespace fs = std::filesystem;

namespace {

constexpr const char* kTypeChanged = "source type changed during copy";
constexpr std::size_t kCopyChunk = std::size_t(1) << 30;
constexpr std::size_t kBufferSize = std::size_t(128) << 10;

std::unexpected<OsFailure> type_changed()
{
    return std::unexpected(OsFailure{EINVAL, kTypeChanged});
}

bool is_fallback_error(int error)
{
    return error == EXDEV || error == EINVAL || error == ENOSYS || error == EOPNOTSUPP;
}

OsResult<void> copy_by_read_write(int in, int out)
{
    auto buffer = std::make_unique<char[]>(kBufferSize);
    for (;;) {
        ssize_t got = ::read(in, buffer.get(), kBufferSize);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return os_failure(errno);
        }
        if (got == 0)
            return {};
        for (ssize_t written = 0; written < got;) {
            ssize_t n = ::write(out, buffer.get() + written, std::size_t(got - written));
            if (n < 0) {
                if (errno == EINTR)
                    continue;
                return os_failure(errno);
            }
            written += n;
        }
    }
}

OsResult<void> copy_regular_file(int in, const struct stat& st, const fs::path& target)
{
    int fd = ::open(target.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0)
        return os_failure(errno);
    vask_base::UniqueFd out(fd);
    if (auto copied = copy_file_contents(in, out.get()); !copied)
        return copied;
    if (::fchmod(out.get(), st.st_mode & 07777) != 0)
        return os_failure(errno);
    return {};
}

OsResult<void> copy_entry(int parent_fd, const std::string& name, const fs::path& source,
                          const fs::path& target, const CopyTreeHooks& hooks);

OsResult<void> copy_directory(vask_base::UniqueFd dir, const struct stat& st, const fs::path& source,
                              const fs::path& target, const CopyTreeHooks& hooks)
{
    if (::mkdir(target.c_str(), 0777) != 0)
        return os_failure(errno);
    std::vector<std::string> children;
    {
        auto stream = std::make_unique<vask_base::DirectoryStream>(dir.get());
        stream->for_each([&](std::string_view child, unsigned char) { children.emplace_back(child); });
    }
    for (const auto& child : children) {
        if (auto copied = copy_entry(dir.get(), child, source / child, target / child, hooks); !copied)
            return copied;
    }
    if (::chmod(target.c_str(), st.st_mode & 07777) != 0)
        return os_failure(errno);
    return {};
}

OsResult<void> copy_entry(int parent_fd, const std::string& name, const fs::path& source,
                          const fs::path& target, const CopyTreeHooks& hooks)
{
    struct stat st {};
    if (::fstatat(parent_fd, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0)
        return os_failure(errno);
    if (S_ISLNK(st.st_mode)) {
        std::string link_target(std::size_t(st.st_size > 0 ? st.st_size : 255) + 1, '\0');
        for (;;) {
            ssize_t n = ::readlinkat(parent_fd, name.c_str(), link_target.data(), link_target.size());
            if (n < 0)
                return os_failure(errno);
            if (std::size_t(n) < link_target.size()) {
                link_target.resize(std::size_t(n));
                break;
            }
            link_target.resize(link_target.size() * 2);
        }
        if (::symlink(link_target.c_str(), target.c_str()) != 0)
            return os_failure(errno);
        return {};
    }
    // Devices, pipes and sockets are never opened: a pipe would block the copy.
    if (!S_ISREG(st.st_mode) && !S_ISDIR(st.st_mode))
        return type_changed();
    if (hooks.before_open)
        hooks.before_open(source);
    // O_NONBLOCK keeps a pipe swapped in since the check above from blocking the open.
    int fd = ::openat(parent_fd, name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return os_failure(errno);
    vask_base::UniqueFd handle(fd);
    struct stat opened {};
    if (::fstat(handle.get(), &opened) != 0)
        return os_failure(errno);
    if (S_ISREG(opened.st_mode)) {
        int flags = ::fcntl(handle.get(), F_GETFL);
        if (flags >= 0)
            ::fcntl(handle.get(), F_SETFL, flags & ~O_NONBLOCK);
        return copy_regular_file(handle.get(), opened, target);
    }
    if (S_ISDIR(opened.st_mode))
        return copy_directory(std::move(handle), opened, source, target, hooks);
    return type_changed();
}

} // namespace

OsResult<void> copy_file_contents(int in, int out)
{
    bool copied_any = false;
    for (;;) {
        ssize_t n = ::copy_file_range(in, nullptr, out, nullptr, kCopyChunk, 0);
        if (n > 0) {
            copied_any = true;
            continue;
        }
        if (n == 0) {
            // Some pseudo files report no size to the in-kernel copy; read them plainly.
            return copied_any ? OsResult<void>{} : copy_by_read_write(in, out);
        }
        if (errno == EINTR)
            continue;
        if (!copied_any && is_fallback_error(errno))
            return copy_by_read_write(in, out);
        return os_failure(errno);
    }
}

OsResult<void> copy_tree(const fs::path& source, const fs::path& target, const CopyTreeHooks& hooks)
{
    std::string_view text = source.native();
    while (text.size() > 1 && text.back() == '/')
        text.remove_suffix(1);
    auto slash = text.rfind('/');
    std::string name(slash == std::string_view::npos ? text : text.substr(slash + 1));
    if (text.empty() || text == "/")
        return std::unexpected(OsFailure{EINVAL, "source has no parent directory"});
    if (name.empty() || name == "." || name == "..")
        return std::unexpected(OsFailure{EINVAL, "source has no file name"});
    std::string parent = slash == std::string_view::npos ? std::string(".")
                         : slash == 0                    ? std::string("/")
                                                         : std::string(text.substr(0, slash));
    int fd = ::open(parent.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return os_failure(errno);
    vask_base::UniqueFd parent_fd(fd);
    return copy_entry(parent_fd.get(), name, source, target, hooks);
}

} // namespace file_explorer
