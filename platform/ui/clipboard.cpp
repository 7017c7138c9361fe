#include "platform/ui/clipboard.hpp"

#include <mutex>

namespace vask_ui::clipboard {

namespace {
std::mutex s_mutex;
Backend s_backend;
std::string s_local;
} // namespace

void set_backend(Backend backend)
{
    std::lock_guard lock(s_mutex);
    s_backend = std::move(backend);
}

void set_text(const std::string& text)
{
    std::lock_guard lock(s_mutex);
    if (s_backend.set_text)
        s_backend.set_text(text);
    else
        s_local = text;
}

std::string text()
{
    std::lock_guard lock(s_mutex);
    return s_backend.text ? s_backend.text() : s_local;
}

} // namespace vask_ui::clipboard
