#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "fileops/operation.hpp"

namespace file_explorer {

// The templates folder: XDG_TEMPLATES_DIR trimmed, when set, UTF-8 and not blank; else the home
// folder's "Templates"; none without a home folder.
std::optional<std::filesystem::path> templates_folder();

// Regular files directly inside `folder` whose names do not begin with ".", sorted by path in
// byte order. A missing or unreadable folder yields an empty list.
std::vector<std::filesystem::path> list_templates(const std::filesystem::path& folder);

// The templates of templates_folder(), or none when there is no such folder.
std::vector<std::filesystem::path> templates();

// "files.template:" + the first 16 bytes of the SHA-256 of the path's text, in hex.
std::string template_resource_id(const std::filesystem::path& template_path);

// The menu label "New {stem}".
std::string template_label(const std::filesystem::path& template_path);

// Copies the template into `folder` under its name or its collision names.
OperationOutcome create_from_template(const std::filesystem::path& template_path,
                                      const std::filesystem::path& folder);

// The "files.new-from-template" action: the template named by its resource id, copied into `folder`.
OperationOutcome create_from_template_id(std::string_view resource_id, const std::filesystem::path& folder);

} // namespace file_explorer
