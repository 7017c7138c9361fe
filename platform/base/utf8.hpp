#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace vask_base {

// True when `bytes` is well-formed UTF-8 (no overlongs, surrogates or values past U+10FFFF).
bool is_valid_utf8(std::string_view bytes);

// `bytes` as UTF-8 text with every ill-formed sequence replaced by U+FFFD (maximal subparts, as WHATWG).
std::string lossy_utf8(std::string_view bytes);

// The byte offsets where the characters (code points) of UTF-8 `text` start.
std::vector<std::size_t> char_starts(std::string_view text);

// A path's bytes as displayable text.
inline std::string lossy_utf8(const std::filesystem::path& path) { return lossy_utf8(std::string_view(path.native())); }

// Full Unicode lower-casing of UTF-8 text (ill-formed input is taken lossily first).
std::string to_lower_unicode(std::string_view text);

// Appends the lower-cased `text` to `out`.
void append_lower_unicode(std::string& out, std::string_view text);

} // namespace vask_base
