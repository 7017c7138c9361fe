#include "model/formatting.hpp"

#include <array>
#include <ctime>

#include "i18n/messages.hpp"

namespace file_explorer {

// Tenths of the largest values overflow 64 bits.
__extension__ typedef unsigned __int128 Wide;

std::string format_bytes(std::uint64_t bytes)
{
    static constexpr std::array<const char*, 7> kUnits = {"B", "kB", "MB", "GB", "TB", "PB", "EB"};
    if (bytes < 1000)
        return i18n::format_tenths(bytes * 10) + "\u00A0B";
    // The unit is chosen before rounding, so 999950 B stays in kB.
    std::size_t unit = 0;
    Wide factor = 1;
    while (unit + 1 < kUnits.size() && factor * 1000 <= bytes) {
        factor *= 1000;
        ++unit;
    }
    Wide tenths = (static_cast<Wide>(bytes) * 10 + factor / 2) / factor;
    return i18n::format_tenths(static_cast<std::uint64_t>(tenths)) + "\u00A0" + kUnits[unit];
}

std::string format_time(const FileTime& instant)
{
    std::time_t seconds = static_cast<std::time_t>(instant.seconds);
    std::tm local{};
    if (!localtime_r(&seconds, &local))
        return i18n::message("files-time-unknown");
    return i18n::format_date_time(local);
}

std::string format_epoch_millis(std::int64_t ms)
{
    // Beyond this the calendar arithmetic of the time library is not defined; such times show as unknown.
    constexpr std::int64_t kMax = 185480451503999999;
    if (ms < 0 || ms > kMax)
        return i18n::message("files-time-unknown");
    return format_time(FileTime{ms / 1000, static_cast<std::uint32_t>(ms % 1000) * 1000000u});
}

std::string size_text(const DirectoryEntry& entry)
{
    return entry.is_dir ? std::string(kNotApplicable) : format_bytes(entry.size);
}

std::string modified_text(const DirectoryEntry& entry)
{
    return entry.modified ? format_time(*entry.modified) : std::string(kNotApplicable);
}

std::string status_text(std::size_t entry_count, std::size_t selected_count, const std::optional<std::string>& override_text)
{
    std::string base = override_text ? *override_text
                                     : i18n::message_with_args("files-item-count", {{"count", double(entry_count)}});
    if (selected_count == 0)
        return base;
    return i18n::message_with_args("files-selected-count", {{"base", base}, {"count", double(selected_count)}});
}

} // namespace file_explorer
