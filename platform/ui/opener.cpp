#include "platform/ui/opener.hpp"

#include <cerrno>
#include <mutex>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>

#include <spdlog/spdlog.h>

#include "platform/base/os_error.hpp"
#include "platform/base/utf8.hpp"

extern char** environ;

namespace vask_ui::opener {

namespace {
std::mutex s_mutex;
std::string s_program = "xdg-open";
} // namespace

void set_desktop_program(std::string program)
{
    std::lock_guard lock(s_mutex);
    s_program = std::move(program);
}

vask_base::Status open_with_desktop(const std::filesystem::path& path)
{
    if (!vask_base::is_valid_utf8(path.native()))
        return vask_base::failure("the desktop opener takes UTF-8 paths");
    std::string program;
    {
        std::lock_guard lock(s_mutex);
        program = s_program;
    }
    // "--" is not understood by xdg-open; a name starting with "-" is made unambiguous instead.
    std::string target = path.native();
    if (target.starts_with('-'))
        target = "./" + target;
    char* argv[] = {program.data(), target.data(), nullptr};
    pid_t pid;
    int error = posix_spawnp(&pid, program.c_str(), nullptr, nullptr, argv, environ);
    if (error != 0)
        return vask_base::failure(vask_base::os_error_text(error));
    // Reap the opener without blocking the UI; a failure is logged since the user already moved on.
    std::thread([pid, program] {
        int status = 0;
        while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
        }
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
            spdlog::warn("{} exited with status {}", program, WIFEXITED(status) ? WEXITSTATUS(status) : -1);
    }).detach();
    return {};
}

} // namespace vask_ui::opener
