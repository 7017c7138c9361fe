#pragma once

#include <cstdint>
#include <expected>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/ui/persist.hpp"
#include "platform/ui/widget.hpp"

namespace vask_ui::launch {

// Why an application could not start; the process reports it and exits with status 1.
struct LaunchError {
    std::string description;
};

// The command line as parsed against the application's declared options.
class LaunchArgs {
public:
    const std::vector<std::string>& positional() const { return m_positional; }
    // The value given to an option that takes one ("--size"), if it was given.
    std::optional<std::string> value(std::string_view option) const;
    bool flag(std::string_view option) const;
    const std::optional<std::string>& screenshot_scenario() const { return m_scenario; }
    const std::optional<std::string>& screenshot_output() const { return m_output; }

    // Parses `args` (without the program name).
    static std::expected<LaunchArgs, LaunchError> parse(std::span<const std::string> args,
                                                        std::span<const std::string_view> value_options,
                                                        std::span<const std::string_view> flag_options,
                                                        std::span<const std::string_view> scenarios);

private:
    std::vector<std::string> m_positional;
    std::map<std::string, std::string, std::less<>> m_values;
    std::vector<std::string> m_flags;
    std::optional<std::string> m_scenario;
    std::optional<std::string> m_output;
};

// A source of the history view, as registered with the desktop.
struct HistorySource {
    int kind = 0;
    std::string_view id;
    std::string_view label;
};
struct HistoryDescriptor {
    std::string_view app_id;
    std::vector<HistorySource> sources;
};

using RootFactory = std::function<std::expected<std::unique_ptr<Widget>, LaunchError>(const LaunchArgs&)>;
using ScreenshotHook = std::function<std::expected<void, LaunchError>(const LaunchArgs&)>;
using StateDocumentHook = std::function<std::unique_ptr<persist::StateDocument>(const persist::OpenOptions&)>;

// Everything the toolkit needs to run an application.
struct LaunchDescription {
    std::string_view app_id;
    std::string_view window_title;
    std::vector<std::string_view> value_options;
    std::vector<std::string_view> flag_options;
    std::vector<std::string_view> screenshot_scenarios;
    const HistoryDescriptor* history = nullptr;
    RootFactory root_factory;
    ScreenshotHook screenshot;
    std::function<std::pair<std::uint32_t, std::uint32_t>()> window_size;
    StateDocumentHook state_document;
};

// Runs the application until its window closes. Parses the process's command line against the
// description; in screenshot mode ("--screenshot NAME --output FILE") calls the screenshot hook instead
// of opening a window.
std::expected<void, LaunchError> run(const LaunchDescription& description, int argc, char** argv);

// The process arguments as the operating system gave them, program name first (valid inside `run`).
const std::vector<std::string>& process_arguments();

// The state document opened at launch, if the application has one.
persist::StateDocument* state_document();

} // namespace vask_ui::launch
