// Files: the file explorer. The toolkit owns the process; everything reaches the explorer
// through the hooks of its launch description.
#include <cstdio>

#include <spdlog/spdlog.h>

#include "launch_hooks.hpp"

int main(int argc, char** argv)
{
    spdlog::set_level(spdlog::level::info);
    auto result = vask_ui::launch::run(file_explorer::launch_description(), argc, argv);
    if (!result) {
        std::fprintf(stderr, "Error: %s\n", result.error().description.c_str());
        return 1;
    }
    return 0;
}
