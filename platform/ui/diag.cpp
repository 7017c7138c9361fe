#include "platform/ui/diag.hpp"

#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>

namespace vask_ui::diag {

namespace {
std::mutex s_mutex;
std::function<void(std::string_view)> s_sink;
} // namespace

void write_line(std::string_view line)
{
    std::lock_guard lock(s_mutex);
    if (s_sink) {
        s_sink(line);
        return;
    }
    std::string out(line);
    out.push_back('\n');
    std::fwrite(out.data(), 1, out.size(), stderr);
}

void fatal(std::string_view line)
{
    write_line(line);
    std::exit(1);
}

void set_sink(std::function<void(std::string_view)> sink)
{
    std::lock_guard lock(s_mutex);
    s_sink = std::move(sink);
}

} // namespace vask_ui::diag
