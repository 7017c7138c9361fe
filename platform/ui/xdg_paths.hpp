#pragma once

#include <filesystem>
#include <optional>

namespace vask_ui::xdg {

// The user's home folder: the host's override when one is set, else $HOME, else the account's.
std::filesystem::path home_dir();

// Lets a host (or a test) pin the home folder; an empty path removes the override.
void set_user_home_override(const std::filesystem::path& home);

// The user's configuration folder: $XDG_CONFIG_HOME, else ~/.config.
std::optional<std::filesystem::path> config_home();

// The application's configuration folder: $XDG_CONFIG_HOME/<name>, else ~/.config/<name>.
// None when neither the variable nor a home folder is known.
std::optional<std::filesystem::path> config_dir(const char* app_name);

// The user's data folder: $XDG_DATA_HOME, else ~/.local/share.
std::optional<std::filesystem::path> data_dir();

// The user's state folder: $XDG_STATE_HOME, else ~/.local/state.
std::optional<std::filesystem::path> state_dir();

} // namespace vask_ui::xdg
