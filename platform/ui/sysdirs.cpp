#include "platform/base/fs.hpp"
#include "platform/ui/sysdirs.hpp"

#include <algorithm>
#include <array>
#include <fstream>
#include <sstream>

#include "platform/ui/xdg_paths.hpp"

namespace vask_ui::sysdirs {

namespace {
struct Known {
    UserDirKind kind;
    const char* key;
    const char* fallback;
};
constexpr std::array<Known, 8> kKnown = {{
    {UserDirKind::Desktop, "XDG_DESKTOP_DIR", "Desktop"},
    {UserDirKind::Documents, "XDG_DOCUMENTS_DIR", "Documents"},
    {UserDirKind::Downloads, "XDG_DOWNLOAD_DIR", "Downloads"},
    {UserDirKind::Music, "XDG_MUSIC_DIR", "Music"},
    {UserDirKind::Pictures, "XDG_PICTURES_DIR", "Pictures"},
    {UserDirKind::PublicShare, "XDG_PUBLICSHARE_DIR", "Public"},
    {UserDirKind::Templates, "XDG_TEMPLATES_DIR", "Templates"},
    {UserDirKind::Videos, "XDG_VIDEOS_DIR", "Videos"},
}};

// The value of a shell-quoted assignment: "$HOME/Documents" or "/abs/path"; backslash escapes kept literal.
std::optional<std::filesystem::path> parse_value(std::string value, const std::filesystem::path& home)
{
    if (value.size() < 2 || value.front() != '"' || value.back() != '"')
        return std::nullopt;
    value = value.substr(1, value.size() - 2);
    std::string unescaped;
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] == '\\' && i + 1 < value.size())
            ++i;
        unescaped.push_back(value[i]);
    }
    if (unescaped.starts_with("$HOME")) {
        std::string rest = unescaped.substr(5);
        if (!rest.empty() && rest.front() != '/')
            return std::nullopt;
        while (!rest.empty() && rest.front() == '/')
            rest.erase(0, 1);
        return rest.empty() ? home : home / rest;
    }
    if (unescaped.starts_with('/'))
        return std::filesystem::path(unescaped);
    return std::nullopt;
}
} // namespace

UserDirs UserDirs::parse(const std::string& text, const std::filesystem::path& home)
{
    UserDirs dirs;
    std::istringstream lines(text);
    std::string line;
    std::vector<std::pair<UserDirKind, std::filesystem::path>> found;
    while (std::getline(lines, line)) {
        auto start = line.find_first_not_of(" \t");
        if (start == std::string::npos || line[start] == '#')
            continue;
        auto eq = line.find('=', start);
        if (eq == std::string::npos)
            continue;
        std::string key = line.substr(start, eq - start);
        for (const auto& known : kKnown)
            if (key == known.key)
                if (auto path = parse_value(line.substr(eq + 1), home))
                    found.emplace_back(known.kind, *path);
    }
    for (const auto& known : kKnown) {
        auto it = std::find_if(found.begin(), found.end(), [&](auto& f) { return f.first == known.kind; });
        dirs.m_dirs.emplace_back(known.kind, it != found.end() ? it->second : home / known.fallback);
    }
    return dirs;
}

UserDirs UserDirs::load()
{
    auto home = xdg::home_dir();
    std::string text;
    if (auto config = xdg::config_home()) {
        std::ifstream in(*config / "user-dirs.dirs");
        std::stringstream buffer;
        buffer << in.rdbuf();
        text = buffer.str();
    }
    return parse(text, home);
}

std::optional<std::filesystem::path> UserDirs::path(UserDirKind kind) const
{
    for (const auto& [k, p] : m_dirs)
        if (k == kind)
            return p;
    return std::nullopt;
}

std::optional<UserDirKind> UserDirs::classify(const std::filesystem::path& path) const
{
    // "a/b/" and "a/b" name the same folder.
    auto normal = [](const std::filesystem::path& p) {
        auto n = p.lexically_normal();
        return n.has_filename() || n == n.root_path() ? n : n.parent_path();
    };
    auto wanted = normal(path);
    for (const auto& [kind, p] : m_dirs)
        if (normal(p) == wanted)
            return kind;
    return std::nullopt;
}

std::vector<std::pair<UserDirKind, std::filesystem::path>> UserDirs::content_places() const
{
    std::vector<std::pair<UserDirKind, std::filesystem::path>> places;
    for (auto kind : {UserDirKind::Documents, UserDirKind::Downloads, UserDirKind::Pictures, UserDirKind::Music,
                      UserDirKind::Videos})
        if (auto p = path(kind); p && vask_base::directory_exists(*p))
            places.emplace_back(kind, *p);
    return places;
}

} // namespace vask_ui::sysdirs
