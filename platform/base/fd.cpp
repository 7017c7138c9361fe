#include "platform/base/fd.hpp"

#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/syscall.h>
#include <unistd.h>

#include "platform/base/os_error.hpp"

namespace vask_base {

void UniqueFd::reset(int fd)
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = fd;
}

Result<UniqueFd> open_directory(int at, const char* path)
{
    int fd;
    do {
        fd = ::openat(at, path, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0)
        return last_os_failure();
    return UniqueFd(fd);
}

namespace {
// Layout of struct linux_dirent64: u64 inode, s64 offset, u16 record length, u8 type, name.
constexpr std::size_t kReclenOffset = 16;
constexpr std::size_t kTypeOffset = 18;
constexpr std::size_t kNameOffset = 19;
} // namespace

bool DirectoryStream::fill()
{
    long n;
    do {
        n = ::syscall(SYS_getdents64, m_fd, m_buffer, sizeof m_buffer);
    } while (n < 0 && errno == EINTR);
    m_offset = 0;
    m_length = n > 0 ? n : 0;
    return n > 0;
}

std::pair<std::string_view, unsigned char> DirectoryStream::take()
{
    const char* record = m_buffer + m_offset;
    unsigned short length;
    std::memcpy(&length, record + kReclenOffset, sizeof length);
    m_offset += length;
    const char* name = record + kNameOffset;
    return {std::string_view(name, std::strlen(name)), static_cast<unsigned char>(record[kTypeOffset])};
}

} // namespace vask_base
