#pragma once

#include <array>
#include <compare>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "model/projections.hpp"

namespace file_explorer {

// A modification instant: seconds and nanoseconds since 1970 (UTC). The local offset is
// applied when the time is shown.
struct FileTime {
    std::int64_t seconds = 0;
    std::uint32_t nanoseconds = 0;
    friend auto operator<=>(const FileTime&, const FileTime&) = default;
};

// What the synchronisation service says about a file's content on this device.
enum class SyncState { Local, Projected, Downloading };

// One listed item: the row type every view of a folder shows.
struct DirectoryEntry {
    std::string name;            // lossy UTF-8 of the file name
    // The full path as exact bytes. Kept as a string because building a std::filesystem::path
    // splits it into components, which dominated the cost of listing large folders.
    std::string path_bytes;
    std::string_view mime_type;  // points into the static MIME table
    std::uint64_t size = 0;
    std::optional<FileTime> modified;
    bool is_dir = false;

    std::optional<SyncState> sync_state;
    std::optional<std::array<std::uint8_t, 32>> content_hash;
    std::optional<std::array<std::uint8_t, 16>> record_id;
    std::optional<AvailabilityProjection> availability;
    std::optional<MetadataProjection> metadata;
    std::optional<ShareProjection> share;
    std::optional<HistoryProjection> history;

    std::filesystem::path path() const { return std::filesystem::path(path_bytes); }

    friend bool operator==(const DirectoryEntry&, const DirectoryEntry&) = default;
};

enum class SortKey { Name, Size, Modified, Type };
enum class SortOrder { Ascending, Descending };

} // namespace file_explorer
