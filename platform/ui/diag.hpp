#pragma once

#include <functional>
#include <string_view>

namespace vask_ui::diag {

// Writes one diagnostic line (to standard error unless a sink is installed).
void write_line(std::string_view line);

// Writes `line` and ends the process with status 1. For developer facilities (screenshot
// fixtures) where no recovery makes sense.
[[noreturn]] void fatal(std::string_view line);

// Redirects diagnostic lines, e.g. to capture them in tests; an empty function restores stderr.
void set_sink(std::function<void(std::string_view)> sink);

} // namespace vask_ui::diag
