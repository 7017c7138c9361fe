#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace test_support {

// A fresh folder under the system's temporary folder, removed with everything in it when dropped.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return m_path; }
    std::filesystem::path operator/(std::string_view name) const { return m_path / name; }

    // Creates a file (and its parents) with `content`; returns its path.
    std::filesystem::path write(std::string_view relative, std::string_view content = {}) const;
    // Creates a folder (and its parents); returns its path.
    std::filesystem::path mkdir(std::string_view relative) const;

private:
    std::filesystem::path m_path;
};

// Sets (or with nullopt unsets) an environment variable and restores the old value when dropped.
class ScopedEnv {
public:
    ScopedEnv(const char* name, std::optional<std::string> value);
    ~ScopedEnv();
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    std::string m_name;
    std::optional<std::string> m_old;
};

// Runs `fn` in a child process as uid/gid 65534 and returns its exit status (0 = success); the
// child exits with `fn`'s return value. Returns -1 when privileges cannot be dropped.
int run_unprivileged(int (*fn)(void*), void* data);

} // namespace test_support
