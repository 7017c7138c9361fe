#pragma once

#include <filesystem>
#include <string>

#include "platform/base/result.hpp"

namespace file_explorer {

// An operating-system failure kept with its errno, so callers can tell "already exists" apart.
struct OsFailure {
    int error = 0;
    std::string text;
};

template <typename T> using OsResult = std::expected<T, OsFailure>;

// The text for a path holding a NUL byte, which no system call can take.
inline constexpr const char* kNulInPathText = "file name contained an unexpected NUL byte";

// True when `path` holds a NUL byte.
bool holds_nul(const std::filesystem::path& path);

// The failure for errno `error`, worded as the system does.
std::unexpected<OsFailure> os_failure(int error);

// One atomic rename that fails with EEXIST when `to` exists; never replaces anything.
// A path holding a NUL byte fails with EINVAL before any system call.
OsResult<void> no_replace_rename(const std::filesystem::path& from, const std::filesystem::path& to);

// Removes `path`: a missing path is success, a directory (never followed when it is a symbolic
// link) goes recursively, anything else is unlinked. The first error ends the removal.
OsResult<void> remove_path(const std::filesystem::path& path);

// A new random (version 4) UUID in its lower-case hyphenated form.
std::string random_uuid_text();

// Creates a private folder named `prefix` + UUID inside `folder` (bits 0700), retrying up to 32
// times on name collisions; after 32 collisions fails with `exhausted_text`.
OsResult<std::filesystem::path> create_private_folder(const std::filesystem::path& folder,
                                                      std::string_view prefix,
                                                      std::string_view exhausted_text);

// Renames `source` next to itself under `prefix` + UUID without replacing anything, retrying up
// to 32 times on collisions; after 32 collisions fails with `exhausted_text`.
OsResult<std::filesystem::path> rename_to_private_name(const std::filesystem::path& source,
                                                       std::string_view prefix,
                                                       std::string_view exhausted_text);

// Owns one transfer's private staging folder (".vask-transfer-<uuid>" inside the destination).
// Dropped while unfinished, it removes the staging folder and logs when that fails.
class StagingGuard {
  public:
    StagingGuard(std::filesystem::path staging, std::filesystem::path payload);
    ~StagingGuard();
    StagingGuard(const StagingGuard&) = delete;
    StagingGuard& operator=(const StagingGuard&) = delete;

    const std::filesystem::path& staging() const { return m_staging; }
    const std::filesystem::path& payload() const { return m_payload; }
    bool is_finished() const { return m_finished; }
    // After this the guard never touches the file system again.
    void mark_finished() { m_finished = true; }

    // Removes the staging folder and finishes the guard; `message` gains a note naming the
    // retained payload when the removal fails.
    std::string abandon(std::string message);

  private:
    std::filesystem::path m_staging;
    std::filesystem::path m_payload;
    bool m_finished = false;
};

// Logs a staging cleanup warning with its message, path and error (target "file_explorer::fileops").
void log_staging_warning(std::string_view message, const std::filesystem::path& path, std::string_view error);

} // namespace file_explorer
