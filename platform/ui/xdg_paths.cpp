#include "platform/ui/xdg_paths.hpp"

#include <cstdlib>
#include <mutex>
#include <pwd.h>
#include <unistd.h>

namespace vask_ui::xdg {

namespace {
std::mutex s_mutex;
std::filesystem::path s_home_override;

// XDG base variables count only when they hold an absolute path.
std::optional<std::filesystem::path> absolute_env(const char* name)
{
    const char* value = std::getenv(name);
    if (value && value[0] == '/')
        return std::filesystem::path(value);
    return std::nullopt;
}

std::optional<std::filesystem::path> home_relative(const char* variable, const char* fallback)
{
    if (auto from_env = absolute_env(variable))
        return from_env;
    auto home = home_dir();
    if (home.empty())
        return std::nullopt;
    return home / fallback;
}
} // namespace

void set_user_home_override(const std::filesystem::path& home)
{
    std::lock_guard lock(s_mutex);
    s_home_override = home;
}

std::filesystem::path home_dir()
{
    {
        std::lock_guard lock(s_mutex);
        if (!s_home_override.empty())
            return s_home_override;
    }
    if (const char* home = std::getenv("HOME"); home && home[0])
        return home;
    struct passwd entry;
    struct passwd* found = nullptr;
    char buffer[4096];
    if (getpwuid_r(getuid(), &entry, buffer, sizeof buffer, &found) == 0 && found && found->pw_dir)
        return found->pw_dir;
    return {};
}

std::optional<std::filesystem::path> config_home() { return home_relative("XDG_CONFIG_HOME", ".config"); }

std::optional<std::filesystem::path> config_dir(const char* app_name)
{
    auto base = config_home();
    if (!base)
        return std::nullopt;
    return *base / app_name;
}

std::optional<std::filesystem::path> data_dir() { return home_relative("XDG_DATA_HOME", ".local/share"); }

std::optional<std::filesystem::path> state_dir() { return home_relative("XDG_STATE_HOME", ".local/state"); }

} // namespace vask_ui::xdg
