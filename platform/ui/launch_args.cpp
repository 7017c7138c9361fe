#include "platform/ui/launch.hpp"

#include <algorithm>

namespace vask_ui::launch {

namespace {
bool contains(std::span<const std::string_view> list, std::string_view name)
{
    return std::find(list.begin(), list.end(), name) != list.end();
}
} // namespace

std::optional<std::string> LaunchArgs::value(std::string_view option) const
{
    auto it = m_values.find(option);
    if (it == m_values.end())
        return std::nullopt;
    return it->second;
}

bool LaunchArgs::flag(std::string_view option) const
{
    return std::find(m_flags.begin(), m_flags.end(), option) != m_flags.end();
}

std::expected<LaunchArgs, LaunchError> LaunchArgs::parse(std::span<const std::string> args,
                                                         std::span<const std::string_view> value_options,
                                                         std::span<const std::string_view> flag_options,
                                                         std::span<const std::string_view> scenarios)
{
    LaunchArgs out;
    bool options_done = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (options_done || arg.size() < 2 || !arg.starts_with("--")) {
            out.m_positional.push_back(arg);
            continue;
        }
        if (arg == "--") {
            options_done = true;
            continue;
        }
        std::string name = arg;
        std::optional<std::string> inline_value;
        if (auto eq = arg.find('='); eq != std::string::npos) {
            name = arg.substr(0, eq);
            inline_value = arg.substr(eq + 1);
        }
        const bool takes_value = name == "--screenshot" || name == "--output" || contains(value_options, name);
        if (!takes_value) {
            if (!contains(flag_options, name) || inline_value)
                return std::unexpected(LaunchError{"unknown option " + arg});
            out.m_flags.push_back(name);
            continue;
        }
        std::string value;
        if (inline_value) {
            value = *inline_value;
        } else if (i + 1 < args.size()) {
            value = args[++i];
        } else {
            return std::unexpected(LaunchError{"option " + name + " needs a value"});
        }
        if (name == "--screenshot") {
            if (!contains(scenarios, value))
                return std::unexpected(LaunchError{"unknown screenshot scenario \"" + value + "\""});
            out.m_scenario = value;
        } else if (name == "--output") {
            out.m_output = value;
        } else {
            out.m_values[name] = value;
        }
    }
    if (out.m_scenario && !out.m_output)
        return std::unexpected(LaunchError{"--screenshot needs --output FILE"});
    if (out.m_output && !out.m_scenario)
        return std::unexpected(LaunchError{"--output is only used with --screenshot"});
    return out;
}

} // namespace vask_ui::launch
