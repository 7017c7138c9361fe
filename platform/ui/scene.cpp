#include "platform/ui/scene.hpp"

#include <fmt/format.h>

namespace vask_ui {

namespace {
std::string r(const Rect& v) { return fmt::format("{:.1f},{:.1f} {:.1f}x{:.1f}", v.x, v.y, v.width, v.height); }
std::string p(const Point& v) { return fmt::format("{:.1f},{:.1f}", v.x, v.y); }
std::string c(const Color& v) { return fmt::format("#{:02x}{:02x}{:02x}{:02x}", v.r, v.g, v.b, v.a); }

struct Dumper {
    std::string& out;
    void operator()(const cmd::FillRect& x) { out += fmt::format("fill {} r{:.1f} {}\n", r(x.rect), x.radius, c(x.color)); }
    void operator()(const cmd::StrokeRect& x)
    {
        out += fmt::format("stroke {} r{:.1f} w{:.1f} {}\n", r(x.rect), x.radius, x.width, c(x.color));
    }
    void operator()(const cmd::Line& x) { out += fmt::format("line {} {} w{:.1f} {}\n", p(x.from), p(x.to), x.width, c(x.color)); }
    void operator()(const cmd::FillPath& x) { out += fmt::format("fill-path {} elements {}\n", x.path.elements.size(), c(x.color)); }
    void operator()(const cmd::StrokePath& x)
    {
        out += fmt::format("stroke-path {} elements w{:.1f} {}\n", x.path.elements.size(), x.width, c(x.color));
    }
    void operator()(const cmd::Text& x)
    {
        out += fmt::format("text \"{}\" {} s{:.1f} {}\n", x.text, r(x.box), x.style.size, c(x.color));
    }
    void operator()(const cmd::Shadow& x) { out += fmt::format("shadow {} blur{:.1f} {}\n", r(x.rect), x.blur, c(x.color)); }
    void operator()(const cmd::PushClip& x) { out += fmt::format("clip {}\n", r(x.rect)); }
    void operator()(const cmd::PopClip&) { out += "unclip\n"; }
    void operator()(const cmd::PushLayer& x) { out += fmt::format("layer {:.2f}\n", x.alpha); }
    void operator()(const cmd::PopLayer&) { out += "unlayer\n"; }
};
} // namespace

std::string Scene::dump() const
{
    std::string out;
    for (const auto& command : m_commands)
        std::visit(Dumper{out}, command);
    return out;
}

} // namespace vask_ui
