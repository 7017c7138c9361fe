#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/base/result.hpp"

namespace file_explorer {

// True when the last component names a ZIP, tar or gzip-compressed tar archive: after lossy UTF-8
// and ASCII lower-casing, the extension is "zip", "tar" or "tgz", or "gz" on a stem ending ".tar".
bool has_archive_name(const std::filesystem::path& path);

// has_archive_name() and a regular file (symbolic links followed).
bool is_archive(const std::filesystem::path& path);

// One member of an archive as listed: its sanitised path (components joined by '/', raw bytes),
// its declared size and whether the archive marks it as a folder.
struct ArchiveEntryRecord {
    std::string path;
    std::uint64_t size = 0;
    bool is_folder = false;
};

// Every counted member of `archive` in archive order; links are left out. Fails on the first
// escaping or empty member path, on the entry limits, or on a malformed archive.
vask_base::Result<std::vector<ArchiveEntryRecord>> list_archive(const std::filesystem::path& archive);

// One row of a folder inside an archive. `child_path` is the inner path joined with `name`.
struct ArchiveChild {
    std::string name;
    std::string child_path;
    bool is_folder = false;
    std::uint64_t size = 0;
};

// The children of `inner` (empty for the archive's root) ordered by child path. Folders that exist
// only as prefixes of deeper members appear too.
vask_base::Result<std::vector<ArchiveChild>> list_archive_folder(const std::filesystem::path& archive,
                                                                 const std::filesystem::path& inner);

// What opening `inner` inside an already listed archive does: show its root, enter a folder, or
// ask the user to extract first (a file, or nothing by that path).
enum class ArchiveOpen { Root, Folder, NeedsExtract };
ArchiveOpen resolve_archive_open(const std::vector<ArchiveEntryRecord>& records,
                                 const std::filesystem::path& inner);

// Unpacks `archive` into the new folder `destination`, which must not exist yet. The members are
// written into a temporary folder beside it that is renamed to `destination` only when every member
// succeeded; on failure nothing is left behind. Gives the relative paths of the regular files written.
vask_base::Result<std::vector<std::filesystem::path>>
extract_archive(const std::filesystem::path& archive, const std::filesystem::path& destination);

// The first free folder for extracting `archive`: its parent (or `current_folder` when it has none)
// joined with its name less trailing ".gz", ".tar" and ".zip"; then "name 2", "name 3", ...
std::filesystem::path extraction_destination(const std::filesystem::path& archive,
                                             const std::filesystem::path& current_folder);

// The outcome of extracting several archives: files written in all, and "<archive>: <text>" per failure.
struct ExtractSummary {
    std::size_t count = 0;
    std::vector<std::string> failures;
};

// Extracts each of `archives` that is_archive(), in order, into its own extraction_destination().
// A failure does not stop the ones after it.
ExtractSummary extract_archives_here(const std::vector<std::filesystem::path>& archives,
                                     const std::filesystem::path& current_folder);

// Writes `items` (files and folders, links and special files left out) into a new ZIP archive in
// `folder` named after the single item's stem or "Archive", with " 2", " 3", ... when taken.
// Success carries the created archive's path.
vask_base::Result<std::filesystem::path> compress_to_zip(const std::vector<std::filesystem::path>& items,
                                                         const std::filesystem::path& folder);

} // namespace file_explorer
