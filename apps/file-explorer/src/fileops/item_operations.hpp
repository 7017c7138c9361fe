#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "fileops/operation.hpp"

namespace file_explorer {

// `text` without leading and trailing Unicode white space.
std::string_view trim_unicode_whitespace(std::string_view text);

// A typed text as one valid item name: trimmed; empty → "files-name-empty"; "/" or "." or ".."
// → "files-name-slash".
vask_base::Result<std::string> validate_item_name(std::string_view typed);

// Renames `path` to the validated `typed` name in the same folder. Success carries the new path
// (the old one when the name is unchanged). Never replaces another item.
OperationOutcome rename_item(const std::filesystem::path& path, std::string_view typed);

// Creates a folder in `folder` named by `typed`, or by its first free collision name.
OperationOutcome create_folder(const std::filesystem::path& folder, std::string_view typed);

// Hands a file to the desktop's default application; the path must be UTF-8.
vask_base::Status open_with_desktop_opener(const std::filesystem::path& path);

} // namespace file_explorer
