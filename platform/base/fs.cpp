#include "platform/base/fs.hpp"

#include <sys/stat.h>

namespace vask_base {

bool directory_exists(const std::filesystem::path& path)
{
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

} // namespace vask_base
