#pragma once

#include <filesystem>

#include "fileops/copy_tree.hpp"
#include "fileops/operation.hpp"

namespace file_explorer {

// Staging names inside a destination and next to a quarantined source.
inline constexpr std::string_view kStagingPrefix = ".vask-transfer-";
inline constexpr std::string_view kQuarantinePrefix = ".vask-transfer-source-";

// Copies or moves `source` into `destination` without ever overwriting anything and without a
// partial item under a final name. A move within one file system is one rename; otherwise the
// item is copied into a private staging folder inside `destination` and published with a
// no-replace rename under the first free collision name. Success carries the published path.
OperationOutcome transfer(const std::filesystem::path& source, const std::filesystem::path& destination,
                          TransferMode mode, const CopyTreeHooks& hooks = {});

} // namespace file_explorer
