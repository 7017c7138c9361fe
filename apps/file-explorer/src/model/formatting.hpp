#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "model/directory_entry.hpp"

namespace file_explorer {

// Shown for values that do not apply (a folder's size, an absent time).
inline constexpr const char* kNotApplicable = "\u2014";

// Decimal units "B" to "EB", one decimal at most, a no-break space before the unit ("1.2 kB").
std::string format_bytes(std::uint64_t bytes);

// Local wall time with year, month, day, hour and minute in the active locale.
std::string format_time(const FileTime& instant);

// format_time of milliseconds since 1970, or "unknown time" out of range.
std::string format_epoch_millis(std::int64_t milliseconds);

std::string size_text(const DirectoryEntry& entry);
std::string modified_text(const DirectoryEntry& entry);

// The explorer's status line: the override (or the item count) and the selection count.
std::string status_text(std::size_t entry_count, std::size_t selected_count, const std::optional<std::string>& override_text);

} // namespace file_explorer
