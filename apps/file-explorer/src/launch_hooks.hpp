#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/base/result.hpp"
#include "platform/ui/launch.hpp"
#include "received_shares/received_link.hpp"

namespace file_explorer {

inline constexpr std::size_t kReceivedLinkLimit = 16384;

// The launch description of Files: options, screenshot scenarios and hooks.
const vask_ui::launch::LaunchDescription& launch_description();

// The root-widget factory: reads a shared-file link from standard input when asked to, creates the
// explorer and opens the first positional path.
std::expected<std::unique_ptr<vask_ui::Widget>, vask_ui::launch::LaunchError>
make_root_widget(const vask_ui::launch::LaunchArgs& args, const std::vector<std::string>& process_args, int stdin_fd);

// Reads a shared-file link from `fd`: at most 16384 bytes of UTF-8, trailing CR and LF removed.
// A failure is the translated text of what went wrong.
vask_base::Result<std::string> read_received_link(int fd);

// `path` made absolute against `cwd` lexically ("." and ".." kept); an empty path fails.
vask_base::Result<std::filesystem::path> make_absolute(const std::filesystem::path& path, const std::filesystem::path& cwd);

// The state document's actor text: $QUICK_APP_ID, else "files-" + $VASK_USER_ID, else "files-" and
// the first 12 hex digits of the document's own actor.
std::string choose_actor_text(const std::vector<std::uint8_t>& current_actor);

// Opens the state document and gives it the chosen actor.
std::unique_ptr<vask_ui::persist::StateDocument> open_state_document(const vask_ui::persist::OpenOptions& options);

// The screenshot hook: renders the explorer at "--path" into the output file.
// The screenshot size from "--size" (WIDTHxHEIGHT, x in either case); 1200 × 720 when absent or unreadable.
vask_ui::Size screenshot_size(const std::optional<std::string>& text);

std::expected<void, vask_ui::launch::LaunchError> render_screenshot(const vask_ui::launch::LaunchArgs& args);

} // namespace file_explorer
