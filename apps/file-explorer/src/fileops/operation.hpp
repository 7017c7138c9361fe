#pragma once

#include <filesystem>

#include "platform/base/result.hpp"

namespace file_explorer {

// Whether a transfer leaves the source in place (Copy) or takes it away (Move).
enum class TransferMode { Copy, Move };

// The result of one local file operation: the path it produced (the published item, the renamed
// or created entry; empty when the kind has none), or the finished user-facing failure text.
using OperationOutcome = vask_base::Result<std::filesystem::path>;

} // namespace file_explorer
