// The text forms of the desktop Trash: percent-encoded paths, the .trashinfo record and the
// kernel's mount table.

#include <algorithm>

#include <fmt/format.h>

#include "fileops/desktop_trash.hpp"
#include "fileops/desktop_trash_internal.hpp"
#include "platform/base/hex.hpp"

namespace file_explorer::desktop_trash {

namespace fs = std::filesystem;
using detail::split_lines;

namespace detail {

std::vector<std::string_view> split_lines(std::string_view text)
{
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        auto end = text.find('\n');
        lines.push_back(text.substr(0, end));
        if (end == std::string_view::npos)
            break;
        text.remove_prefix(end + 1);
    }
    return lines;
}

} // namespace detail

namespace {

std::string_view trim_blanks(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r'))
        text.remove_suffix(1);
    return text;
}

// Undoes the kernel's octal escapes (\040 space, \011 tab, \012 newline, \134 backslash).
std::string decode_mount_field(std::string_view field)
{
    std::string out;
    for (std::size_t i = 0; i < field.size(); ++i) {
        auto is_octal = [&](std::size_t at) {
            return at < field.size() && field[at] >= '0' && field[at] <= '7';
        };
        if (field[i] == '\\' && is_octal(i + 1) && is_octal(i + 2) && is_octal(i + 3)) {
            out.push_back(static_cast<char>((field[i + 1] - '0') * 64 + (field[i + 2] - '0') * 8 +
                                            (field[i + 3] - '0')));
            i += 3;
        } else {
            out.push_back(field[i]);
        }
    }
    return out;
}

} // namespace

std::string percent_encode(std::string_view bytes)
{
    constexpr std::string_view kHex = "0123456789ABCDEF";
    std::string out;
    out.reserve(bytes.size());
    for (char c : bytes) {
        auto byte = static_cast<unsigned char>(c);
        bool keep = (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') ||
                    (byte >= '0' && byte <= '9') || byte == '-' || byte == '.' || byte == '_' ||
                    byte == '~' || byte == '/';
        if (keep) {
            out.push_back(c);
        } else {
            out.push_back('%');
            out.push_back(kHex[byte >> 4]);
            out.push_back(kHex[byte & 0xF]);
        }
    }
    return out;
}

std::string percent_decode(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && vask_base::hex_digit_value(text[i + 1]) >= 0 &&
            vask_base::hex_digit_value(text[i + 2]) >= 0) {
            out.push_back(static_cast<char>(vask_base::hex_digit_value(text[i + 1]) * 16 + vask_base::hex_digit_value(text[i + 2])));
            i += 2;
        } else {
            out.push_back(text[i]);
        }
    }
    return out;
}

std::string format_trash_info(const TrashInfo& info)
{
    return fmt::format("[Trash Info]\nPath={}\nDeletionDate={}\n", info.path, info.deletion_date);
}

std::optional<TrashInfo> parse_trash_info(std::string_view text)
{
    TrashInfo info;
    bool in_group = false, has_path = false, has_date = false;
    for (auto raw : split_lines(text)) {
        auto line = trim_blanks(raw);
        if (line.empty() || line.front() == '#')
            continue;
        if (line.front() == '[') {
            in_group = line == "[Trash Info]";
            continue;
        }
        auto equals = line.find('=');
        if (!in_group || equals == std::string_view::npos)
            continue;
        auto key = trim_blanks(line.substr(0, equals));
        auto value = trim_blanks(line.substr(equals + 1));
        if (key == "Path" && !has_path) {
            info.path = value;
            has_path = true;
        } else if (key == "DeletionDate" && !has_date) {
            info.deletion_date = value;
            has_date = true;
        }
    }
    if (!has_path || info.path.empty())
        return std::nullopt;
    return info;
}

std::vector<MountEntry> parse_mountinfo(std::string_view text)
{
    std::vector<MountEntry> mounts;
    for (auto line : split_lines(text)) {
        std::vector<std::string_view> fields;
        while (!line.empty()) {
            auto space = line.find(' ');
            if (space != 0)
                fields.push_back(line.substr(0, space));
            if (space == std::string_view::npos)
                break;
            line.remove_prefix(space + 1);
        }
        // id parent major:minor root mount-point options [optional fields...] - type source super-options
        auto separator =
            std::find(fields.begin() + std::min<std::size_t>(fields.size(), 6), fields.end(), "-");
        if (fields.size() < 5 || separator == fields.end() || separator + 1 == fields.end())
            continue;
        mounts.push_back({fs::path(decode_mount_field(fields[4])), decode_mount_field(*(separator + 1))});
    }
    return mounts;
}

} // namespace file_explorer::desktop_trash
