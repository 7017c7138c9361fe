#include "platform/base/os_error.hpp"

#include <cerrno>
#include <cstring>

#include <fmt/format.h>

namespace vask_base {

std::string os_error_text(int error)
{
    char buffer[256];
    // The GNU strerror_r may return a static string instead of filling the buffer.
    const char* text = strerror_r(error, buffer, sizeof buffer);
    return fmt::format("{} (os error {})", text, error);
}

std::unexpected<std::string> last_os_failure() { return failure(os_error_text(errno)); }

} // namespace vask_base
