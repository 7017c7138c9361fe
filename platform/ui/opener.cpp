#include "platform/ui/opener.hpp"

#include <cerrno>
#include <mutex>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <vector>

#include <spdlog/spdlog.h>

#include "platform/base/os_error.hpp"
#include "platform/base/utf8.hpp"

extern char** environ;

namespace vask_ui::opener {

namespace {
std::mutex s_mutex;
std::string s_program = "xdg-open";

// Starts `program` (looked up on PATH) with `args`, optionally in `folder`, and reaps it on a
// thread of its own so that the UI never waits for it.
vask_base::Status spawn_detached(std::string program, std::vector<std::string> args, const std::filesystem::path* folder)
{
    std::vector<char*> argv{program.data()};
    for (auto& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (folder)
        posix_spawn_file_actions_addchdir_np(&actions, folder->c_str());
    pid_t pid;
    int error = posix_spawnp(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (error != 0)
        return vask_base::failure(vask_base::os_error_text(error));
    std::thread([pid, program] {
        int status = 0;
        while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
        }
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
            spdlog::warn("{} exited with status {}", program, WIFEXITED(status) ? WEXITSTATUS(status) : -1);
    }).detach();
    return {};
}
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
    return spawn_detached(program, {target}, nullptr);
}

vask_base::Status start_in_folder(const std::string& program, const std::filesystem::path& folder)
{
    return spawn_detached(program, {}, &folder);
}

} // namespace vask_ui::opener
