#include "fileops/fileops_fixtures.hpp"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <poll.h>
#include <sched.h>
#include <spawn.h>
#include <sstream>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fileops_test {

namespace fs = std::filesystem;

TmpfsMount::TmpfsMount(std::string_view size)
{
    std::string pattern = (fs::temp_directory_path() / "files-tmpfs-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) {
        m_error = std::strerror(errno);
        return;
    }
    m_path = pattern;
    std::string options = "size=" + std::string(size) + ",mode=0777";
    if (::mount("tmpfs", m_path.c_str(), "tmpfs", 0, options.c_str()) != 0) {
        m_error = std::strerror(errno);
        return;
    }
    m_mounted = true;
}

TmpfsMount::~TmpfsMount()
{
    if (m_mounted)
        ::umount2(m_path.c_str(), MNT_DETACH);
    if (!m_path.empty())
        ::rmdir(m_path.c_str());
}

std::vector<std::string> names_in(const fs::path& folder)
{
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(folder, ec))
        names.push_back(entry.path().filename().native());
    std::sort(names.begin(), names.end());
    return names;
}

bool has_staging_entry(const fs::path& folder)
{
    auto names = names_in(folder);
    return std::any_of(names.begin(), names.end(),
                       [](const std::string& name) { return name.starts_with(".vask-transfer-"); });
}

void write_pattern_file(const fs::path& path, std::size_t size)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    std::string block(1 << 20, '\0');
    for (std::size_t i = 0; i < block.size(); ++i)
        block[i] = char('a' + i % 23);
    for (std::size_t written = 0; written < size;) {
        std::size_t n = std::min(block.size(), size - written);
        out.write(block.data(), std::streamsize(n));
        written += n;
    }
}

std::string read_file(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::pair<unsigned long, unsigned long> device_inode(const fs::path& path)
{
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0)
        return {0, 0};
    return {st.st_dev, st.st_ino};
}

bool isolate_mounts(std::string& error)
{
    static const std::string s_error = [] {
        if (::unshare(CLONE_NEWNS) != 0 || ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
            return std::string(std::strerror(errno));
        return std::string();
    }();
    error = s_error;
    return s_error.empty();
}

ProgramRun run_program(const std::vector<std::string>& argv, std::string_view input)
{
    ProgramRun run;
    int in[2], out[2], err[2];
    if (::pipe2(in, O_CLOEXEC) != 0)
        return run;
    if (::pipe2(out, O_CLOEXEC) != 0 || ::pipe2(err, O_CLOEXEC) != 0)
        std::abort(); // a test process out of descriptors cannot go on meaningfully
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, in[0], 0);
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    posix_spawn_file_actions_adddup2(&actions, err[1], 2);
    std::vector<char*> args;
    for (const auto& arg : argv)
        args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);
    pid_t pid = -1;
    int spawned = ::posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(in[0]);
    ::close(out[1]);
    ::close(err[1]);
    if (spawned == 0) {
        // The input is small; a child that stops reading only loses the rest.
        ::signal(SIGPIPE, SIG_IGN);
        (void)!::write(in[1], input.data(), input.size());
    }
    ::close(in[1]);
    pollfd fds[2] = {{out[0], POLLIN, 0}, {err[0], POLLIN, 0}};
    std::string* sinks[2] = {&run.out, &run.err};
    for (int open_count = 2; spawned == 0 && open_count > 0;) {
        if (::poll(fds, 2, -1) < 0 && errno != EINTR)
            break;
        for (int i = 0; i < 2; ++i) {
            if (fds[i].fd < 0 || fds[i].revents == 0)
                continue;
            char buffer[4096];
            ssize_t n = ::read(fds[i].fd, buffer, sizeof buffer);
            if (n > 0) {
                sinks[i]->append(buffer, std::size_t(n));
            } else if (n == 0 || errno != EINTR) {
                fds[i].fd = -1;
                --open_count;
            }
        }
    }
    ::close(out[0]);
    ::close(err[0]);
    int status = 0;
    if (spawned == 0 && ::waitpid(pid, &status, 0) == pid && WIFEXITED(status))
        run.exit_code = WEXITSTATUS(status);
    return run;
}

std::map<std::string, std::string> tree_of(const std::filesystem::path& root)
{
    namespace fs = std::filesystem;
    std::map<std::string, std::string> tree;
    std::error_code ec;
    for (auto it = fs::recursive_directory_iterator(root, ec); !ec && it != fs::recursive_directory_iterator();
         it.increment(ec)) {
        std::string relative = fs::relative(it->path(), root).native();
        if (it->is_symlink())
            tree[relative] = "<link>";
        else if (it->is_directory())
            tree[relative] = "<dir>";
        else
            tree[relative] = read_file(it->path());
    }
    return tree;
}

} // namespace fileops_test
