#pragma once

#include <functional>
#include <string>

namespace vask_ui::clipboard {

// The desktop clipboard's text. Without a window host the text stays inside the process.
void set_text(const std::string& text);
std::string text();

// Installed by the window host to reach the desktop clipboard.
struct Backend {
    std::function<void(const std::string&)> set_text;
    std::function<std::string()> text;
};
void set_backend(Backend backend);

} // namespace vask_ui::clipboard
