#pragma once

#include <string>

#include "platform/base/result.hpp"

namespace vask_base {

// The system's wording of an errno value with its number: "Permission denied (os error 13)".
std::string os_error_text(int error);

// A failure carrying os_error_text(errno), for returning right after a failed system call.
std::unexpected<std::string> last_os_failure();

} // namespace vask_base
