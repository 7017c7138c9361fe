#pragma once

#include <filesystem>
#include <optional>

namespace file_explorer {

// Where a path points inside an archive: the archive file and the member path below it.
struct ArchiveSplit {
    std::filesystem::path archive;
    std::filesystem::path inner;
};

enum class LocationKind { Trash, Archive, WorkspaceFolder, Folder };

// The Trash's "files" folder in the user's data folder (~/.local/share/Trash/files).
std::optional<std::filesystem::path> trash_files_dir();

// The nearest archive file (is_archive) among `path` and its ancestors, with the rest of the path
// as the inner path (empty for the archive's root); none for an ordinary path.
std::optional<ArchiveSplit> archive_split(const std::filesystem::path& path);

} // namespace file_explorer
