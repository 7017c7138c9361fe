#pragma once

#include <string_view>
#include <utility>

#include "platform/base/result.hpp"

namespace vask_base {

// Owns one file descriptor and closes it when dropped.
class UniqueFd {
public:
    UniqueFd() = default;
    explicit UniqueFd(int fd) : m_fd(fd) {}
    UniqueFd(UniqueFd&& other) noexcept : m_fd(std::exchange(other.m_fd, -1)) {}
    UniqueFd& operator=(UniqueFd&& other) noexcept
    {
        if (this != &other)
            reset(std::exchange(other.m_fd, -1));
        return *this;
    }
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;
    ~UniqueFd() { reset(); }

    int get() const { return m_fd; }
    bool is_valid() const { return m_fd >= 0; }
    int release() { return std::exchange(m_fd, -1); }
    void reset(int fd = -1);

private:
    int m_fd = -1;
};

// Opens `path` as a directory for reading (relative to `at`, which may be AT_FDCWD).
Result<UniqueFd> open_directory(int at, const char* path);

// Walks the names of an open directory with getdents64, skipping "." and "..".
// Read errors end the walk early; the caller keeps what was read.
class DirectoryStream {
public:
    explicit DirectoryStream(int dir_fd) : m_fd(dir_fd) {}

    // Calls `visit(name, d_type)` for each entry. `name` views the stream's buffer, is valid only
    // during the call, and is followed by a NUL byte, so `name.data()` can be passed to system calls.
    template <typename Visit>
    void for_each(Visit&& visit)
    {
        while (fill()) {
            while (m_offset < m_length) {
                auto [name, type] = take();
                if (name == "." || name == "..")
                    continue;
                visit(name, type);
            }
        }
    }

private:
    bool fill();
    std::pair<std::string_view, unsigned char> take();

    int m_fd;
    long m_length = 0;
    long m_offset = 0;
    alignas(8) char m_buffer[32768];
};

} // namespace vask_base
