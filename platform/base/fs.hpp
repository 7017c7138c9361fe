#pragma once

#include <filesystem>

namespace vask_base {

// True when `path` names a directory, following symbolic links; false on any error.
bool directory_exists(const std::filesystem::path& path);

} // namespace vask_base
