#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "platform/base/result.hpp"

namespace file_explorer {

// The highest number a collision name may carry ("notes 9999.txt").
inline constexpr int kMaxCandidate = 9999;

// The pieces of an item's name from which its collision names are built. They keep the name's
// bytes, so an item whose name is not UTF-8 is published under its own name, not a lossy one.
struct NamePieces {
    std::string name;
    std::string stem;
    std::optional<std::string> extension;
};

// Stem and extension of a single name: the extension follows the last dot, except that a leading
// dot does not start one (".profile" is all stem, "a.tar.gz" has stem "a.tar").
struct StemSplit {
    std::string_view stem;
    std::optional<std::string_view> extension;
};
StemSplit split_stem(std::string_view name);

// The last component of `path` ignoring trailing slashes; none for "", "/", "." and "..".
std::optional<std::string> item_name_bytes(const std::filesystem::path& path);

// Name pieces of `name` (raw bytes).
NamePieces name_pieces(std::string_view name);

// Candidate `n` (n >= 1): the unchanged name for 1, else "stem n.ext" or "stem n".
std::string candidate_name(const NamePieces& pieces, int n);

// Free (true) or taken (false) without following a final link, so a dangling link takes its name;
// any other error becomes "files-destination-inspect-failed".
vask_base::Result<bool> inspect_destination(const std::filesystem::path& path);

// The "files-destination-names-exhausted" text for `name` in `folder`.
std::string names_exhausted_text(std::string_view name_bytes, const std::filesystem::path& folder);

} // namespace file_explorer
