#pragma once

#include <chrono>

namespace vask_ui::gesture {

// The longest pause between two clicks that still makes a double click (the desktop's setting
// when the window host knows it, else 400 ms).
std::chrono::milliseconds multi_click_interval();

// Set by the window host from the desktop's settings.
void set_multi_click_interval(std::chrono::milliseconds interval);

} // namespace vask_ui::gesture
