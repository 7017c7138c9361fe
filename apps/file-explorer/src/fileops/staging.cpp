#include "fileops/staging.hpp"

#include <array>
#include <cerrno>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <sys/random.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>
#include <vector>

#include <fmt/format.h>
#include <spdlog/sinks/stdout_color_sinks.h>
#include <spdlog/spdlog.h>

#include "platform/base/fd.hpp"
#include "platform/base/os_error.hpp"
#include "platform/base/utf8.hpp"

#ifndef RENAME_NOREPLACE
#define RENAME_NOREPLACE (1 << 0)
#endif

namespace file_explorer {

namespace fs = std::filesystem;

std::unexpected<OsFailure> os_failure(int error)
{
    return std::unexpected(OsFailure{error, vask_base::os_error_text(error)});
}

bool holds_nul(const fs::path& path)
{
    return path.native().find('\0') != std::string::npos;
}

namespace {

std::unexpected<OsFailure> nul_failure()
{
    return std::unexpected(OsFailure{EINVAL, kNulInPathText});
}

constexpr int kPrivateNameAttempts = 32;

// Empties and removes the directory `name` inside `parent_fd`, never following links.
OsResult<void> remove_tree_at(int parent_fd, const char* name)
{
    int fd = ::openat(parent_fd, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return os_failure(errno);
    vask_base::UniqueFd dir(fd);
    std::vector<std::pair<std::string, bool>> children;
    {
        auto stream = std::make_unique<vask_base::DirectoryStream>(dir.get());
        stream->for_each([&](std::string_view child, unsigned char type) {
            children.emplace_back(std::string(child), type == DT_DIR);
        });
    }
    for (auto& [child, is_dir_hint] : children) {
        bool is_dir = is_dir_hint;
        if (!is_dir) {
            // d_type may be unknown on some file systems; ask without following.
            struct stat st {};
            if (::fstatat(dir.get(), child.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0)
                is_dir = S_ISDIR(st.st_mode);
        }
        if (is_dir) {
            if (auto removed = remove_tree_at(dir.get(), child.c_str()); !removed)
                return removed;
        } else if (::unlinkat(dir.get(), child.c_str(), 0) != 0 && errno != ENOENT) {
            return os_failure(errno);
        }
    }
    dir.reset();
    if (::unlinkat(parent_fd, name, AT_REMOVEDIR) != 0 && errno != ENOENT)
        return os_failure(errno);
    return {};
}

} // namespace

OsResult<void> no_replace_rename(const fs::path& from, const fs::path& to)
{
    if (holds_nul(from) || holds_nul(to))
        return nul_failure();
    if (::syscall(SYS_renameat2, AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) != 0)
        return os_failure(errno);
    return {};
}

OsResult<void> remove_path(const fs::path& path)
{
    if (holds_nul(path))
        return nul_failure();
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0)
        return errno == ENOENT ? OsResult<void>{} : os_failure(errno);
    if (!S_ISDIR(st.st_mode)) {
        if (::unlink(path.c_str()) != 0 && errno != ENOENT)
            return os_failure(errno);
        return {};
    }
    fs::path parent = path.parent_path();
    fs::path name = path.filename();
    if (name.empty() || name == "." || name == "..") {
        // No last component to remove relative to a parent; fall back to the path itself.
        return remove_tree_at(AT_FDCWD, path.c_str());
    }
    int fd = ::open(parent.empty() ? "." : parent.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return os_failure(errno);
    vask_base::UniqueFd parent_fd(fd);
    return remove_tree_at(parent_fd.get(), name.c_str());
}

std::string random_uuid_text()
{
    std::array<unsigned char, 16> bytes{};
    std::size_t filled = 0;
    while (filled < bytes.size()) {
        ssize_t n = ::getrandom(bytes.data() + filled, bytes.size() - filled, 0);
        if (n > 0)
            filled += std::size_t(n);
        else if (errno != EINTR)
            break;
    }
    bytes[6] = static_cast<unsigned char>((bytes[6] & 0x0f) | 0x40);
    bytes[8] = static_cast<unsigned char>((bytes[8] & 0x3f) | 0x80);
    std::string text;
    text.reserve(36);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (i == 4 || i == 6 || i == 8 || i == 10)
            text.push_back('-');
        text += fmt::format("{:02x}", bytes[i]);
    }
    return text;
}

OsResult<fs::path> create_private_folder(const fs::path& folder, std::string_view prefix,
                                         std::string_view exhausted_text)
{
    for (int attempt = 0; attempt < kPrivateNameAttempts; ++attempt) {
        fs::path candidate = folder / (std::string(prefix) + random_uuid_text());
        if (holds_nul(candidate))
            return nul_failure();
        if (::mkdir(candidate.c_str(), 0700) == 0)
            return candidate;
        if (errno != EEXIST)
            return os_failure(errno);
    }
    return std::unexpected(OsFailure{EEXIST, std::string(exhausted_text)});
}

OsResult<fs::path> rename_to_private_name(const fs::path& source, std::string_view prefix,
                                          std::string_view exhausted_text)
{
    fs::path parent = source.parent_path();
    for (int attempt = 0; attempt < kPrivateNameAttempts; ++attempt) {
        fs::path candidate = parent / (std::string(prefix) + random_uuid_text());
        auto renamed = no_replace_rename(source, candidate);
        if (renamed)
            return candidate;
        if (renamed.error().error != EEXIST)
            return std::unexpected(renamed.error());
    }
    return std::unexpected(OsFailure{EEXIST, std::string(exhausted_text)});
}

StagingGuard::StagingGuard(fs::path staging, fs::path payload)
    : m_staging(std::move(staging)), m_payload(std::move(payload))
{
}

StagingGuard::~StagingGuard()
{
    if (m_finished)
        return;
    if (auto removed = remove_path(m_staging); !removed)
        log_staging_warning("Files transfer staging cleanup failed during unwinding", m_staging,
                            removed.error().text);
}

std::string StagingGuard::abandon(std::string message)
{
    auto removed = remove_path(m_staging);
    m_finished = true;
    if (!removed)
        return fmt::format("{}; private staging retained at {}: {}", message,
                           vask_base::lossy_utf8(m_payload), removed.error().text);
    return message;
}

void log_staging_warning(std::string_view message, const fs::path& path, std::string_view error)
{
    constexpr const char* kTarget = "file_explorer::fileops";
    auto logger = spdlog::get(kTarget);
    if (!logger) {
        try {
            logger = spdlog::stderr_color_mt(kTarget);
        } catch (const spdlog::spdlog_ex&) {
            logger = spdlog::get(kTarget); // another thread registered it first
        }
    }
    if (logger)
        logger->warn("{} path={} error={}", message, vask_base::lossy_utf8(path), error);
}

} // namespace file_explorer
