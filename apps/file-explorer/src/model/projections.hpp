#pragma once

// Records the synchronisation service publishes about an item through extended attributes.
// They are filled only for items inside workspace roots; their readers arrive with the
// projection support, so for now every listed item leaves them absent.

namespace file_explorer {

// Where the item's content lives and what keeps it there.
struct AvailabilityProjection {
    friend bool operator==(const AvailabilityProjection&, const AvailabilityProjection&) = default;
};

// Sharing grants known for the item.
struct ShareProjection {
    friend bool operator==(const ShareProjection&, const ShareProjection&) = default;
};

// Version history and open conflicts.
struct HistoryProjection {
    friend bool operator==(const HistoryProjection&, const HistoryProjection&) = default;
};

// Descriptive metadata of a file's content.
struct MetadataProjection {
    friend bool operator==(const MetadataProjection&, const MetadataProjection&) = default;
};

} // namespace file_explorer
