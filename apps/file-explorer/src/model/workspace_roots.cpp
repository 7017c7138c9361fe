#include "platform/base/fs.hpp"
#include "model/workspace_roots.hpp"

#include <algorithm>
#include <cstdlib>
#include <string_view>

#include "platform/ui/xdg_paths.hpp"

namespace file_explorer {

namespace {
// Path components without empty ones, so trailing and doubled slashes compare equal.
std::vector<std::string_view> components(const std::filesystem::path& p)
{
    std::vector<std::string_view> parts;
    std::string_view s = p.native();
    if (!s.empty() && s.front() == '/')
        parts.push_back("/");
    std::size_t i = 0;
    while (i < s.size()) {
        auto j = s.find('/', i);
        if (j == std::string_view::npos)
            j = s.size();
        if (j > i && s.substr(i, j - i) != ".")
            parts.push_back(s.substr(i, j - i));
        i = j + 1;
    }
    return parts;
}
} // namespace

std::vector<std::filesystem::path> workspace_roots()
{
    std::vector<std::filesystem::path> roots;
    if (const char* list = std::getenv("VASK_WORKSPACE_ROOTS")) {
        std::string_view s(list);
        std::size_t i = 0;
        while (i <= s.size()) {
            auto j = s.find(':', i);
            if (j == std::string_view::npos)
                j = s.size();
            std::string_view item = s.substr(i, j - i);
            if (!item.empty() && vask_base::directory_exists(std::filesystem::path(item)))
                roots.emplace_back(item);
            i = j + 1;
        }
        return roots;
    }
    if (vask_base::directory_exists("/var/workspace"))
        roots.emplace_back("/var/workspace");
    auto home = vask_ui::xdg::home_dir();
    if (!home.empty()) {
        auto shared = home / "Shared";
        bool listed = std::any_of(roots.begin(), roots.end(), [&](auto& r) { return same_path(r, shared); });
        if (!listed && vask_base::directory_exists(shared))
            roots.push_back(shared);
    }
    return roots;
}

bool path_starts_with(const std::filesystem::path& path, const std::filesystem::path& root)
{
    auto p = components(path);
    auto r = components(root);
    return r.size() <= p.size() && std::equal(r.begin(), r.end(), p.begin());
}

bool same_path(const std::filesystem::path& a, const std::filesystem::path& b)
{
    return components(a) == components(b);
}

bool is_inside_roots(const std::filesystem::path& path, const std::vector<std::filesystem::path>& roots)
{
    return std::any_of(roots.begin(), roots.end(), [&](auto& root) { return path_starts_with(path, root); });
}

} // namespace file_explorer
