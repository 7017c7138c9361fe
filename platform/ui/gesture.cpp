#include "platform/ui/gesture.hpp"

#include <atomic>

namespace vask_ui::gesture {

namespace {
std::atomic<long> s_interval_ms{400};
}

std::chrono::milliseconds multi_click_interval() { return std::chrono::milliseconds(s_interval_ms.load()); }

void set_multi_click_interval(std::chrono::milliseconds interval) { s_interval_ms = long(interval.count()); }

} // namespace vask_ui::gesture
