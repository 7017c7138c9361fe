#include "support/temp_dir.hpp"

#include <cstdlib>
#include <fstream>
#include <grp.h>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

namespace test_support {

TempDir::TempDir()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "files-test-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("mkdtemp failed");
    m_path = pattern;
}

TempDir::~TempDir()
{
    std::error_code ec;
    std::filesystem::remove_all(m_path, ec);
}

std::filesystem::path TempDir::write(std::string_view relative, std::string_view content) const
{
    auto file = m_path / relative;
    std::filesystem::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(content.data(), std::streamsize(content.size()));
    return file;
}

std::filesystem::path TempDir::mkdir(std::string_view relative) const
{
    auto dir = m_path / relative;
    std::filesystem::create_directories(dir);
    return dir;
}

ScopedEnv::ScopedEnv(const char* name, std::optional<std::string> value) : m_name(name)
{
    if (const char* old = std::getenv(name))
        m_old = old;
    if (value)
        setenv(name, value->c_str(), 1);
    else
        unsetenv(name);
}

ScopedEnv::~ScopedEnv()
{
    if (m_old)
        setenv(m_name.c_str(), m_old->c_str(), 1);
    else
        unsetenv(m_name.c_str());
}

int run_unprivileged(int (*fn)(void*), void* data)
{
    pid_t pid = fork();
    if (pid < 0)
        return -1;
    if (pid == 0) {
        if (setgroups(0, nullptr) != 0 || setgid(65534) != 0 || setuid(65534) != 0)
            _exit(99);
        _exit(fn(data));
    }
    int status = 0;
    waitpid(pid, &status, 0);
    if (!WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status) == 99 ? -1 : WEXITSTATUS(status);
}

} // namespace test_support
