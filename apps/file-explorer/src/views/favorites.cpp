#include "views/favorites.hpp"

#include <algorithm>
#include <fstream>
#include <sstream>

#include "i18n/messages.hpp"
#include "model/workspace_roots.hpp"
#include "platform/base/utf8.hpp"

namespace file_explorer {

namespace {
using vask_ui::sysdirs::UserDirKind;

// Toolkit classes in their declaration order mapped to place kinds; Desktop and Templates have
// no place icon of their own, Desktop counts as home.
std::optional<PlaceKind> kind_for(UserDirKind kind)
{
    switch (kind) {
    case UserDirKind::Desktop: return PlaceKind::Home;
    case UserDirKind::Documents: return PlaceKind::Documents;
    case UserDirKind::Downloads: return PlaceKind::Downloads;
    case UserDirKind::Music: return PlaceKind::Music;
    case UserDirKind::Pictures: return PlaceKind::Pictures;
    case UserDirKind::PublicShare: return PlaceKind::Folder;
    case UserDirKind::Templates: return PlaceKind::Folder;
    case UserDirKind::Videos: return PlaceKind::Videos;
    }
    return std::nullopt;
}

Favourite home_favourite(const std::filesystem::path& home)
{
    return {i18n::message("files-place-home"), home, true, PlaceKind::Home};
}

std::string last_component_label(const std::filesystem::path& path)
{
    auto normal = path.lexically_normal();
    auto name = normal.has_filename() ? normal.filename() : normal.parent_path().filename();
    return name.empty() ? vask_base::lossy_utf8(path) : vask_base::lossy_utf8(name);
}
} // namespace

Favourite classify_favourite(const std::filesystem::path& path, const std::filesystem::path& home,
                             const vask_ui::sysdirs::UserDirs& dirs)
{
    if (!home.empty() && same_path(path, home))
        return home_favourite(home);
    PlaceKind kind = PlaceKind::Folder;
    if (auto cls = dirs.classify(path))
        kind = kind_for(*cls).value_or(PlaceKind::Folder);
    if (kind == PlaceKind::Home)
        return home_favourite(path);
    return {last_component_label(path), path, false, kind};
}

Favourites Favourites::load(const std::optional<std::filesystem::path>& config_dir, const std::filesystem::path& home,
                            const vask_ui::sysdirs::UserDirs& dirs)
{
    Favourites f;
    f.m_home = home;
    f.m_dirs = dirs;
    if (config_dir) {
        std::ifstream in(*config_dir / "favorites", std::ios::binary);
        std::string line;
        while (in && std::getline(in, line)) {
            auto first = line.find_first_not_of(" \t\r\f\v");
            if (first == std::string::npos)
                continue;
            auto last = line.find_last_not_of(" \t\r\f\v");
            f.m_items.push_back(classify_favourite(line.substr(first, last - first + 1), home, dirs));
        }
    }
    if (f.m_items.empty()) {
        f.m_items.push_back(home_favourite(home));
        for (const auto& [kind, path] : dirs.content_places())
            f.m_items.push_back({last_component_label(path), path, false, kind_for(kind).value_or(PlaceKind::Folder)});
    }
    return f;
}

void Favourites::save(const std::optional<std::filesystem::path>& config_dir) const
{
    if (!config_dir)
        return;
    std::error_code ec;
    std::filesystem::create_directories(*config_dir, ec);
    std::string text;
    for (std::size_t i = 0; i < m_items.size(); ++i) {
        if (i)
            text.push_back('\n');
        text += m_items[i].path.native();
    }
    std::ofstream out(*config_dir / "favorites", std::ios::binary | std::ios::trunc);
    out << text;
}

bool Favourites::add(const std::filesystem::path& path)
{
    if (std::any_of(m_items.begin(), m_items.end(), [&](const Favourite& f) { return f.path == path; }))
        return false;
    m_items.push_back(classify_favourite(path, m_home, m_dirs));
    return true;
}

bool Favourites::remove(const std::filesystem::path& path)
{
    return std::erase_if(m_items, [&](const Favourite& f) { return f.path == path; }) > 0;
}

void Favourites::move(std::size_t from, std::size_t to)
{
    if (from >= m_items.size() || to >= m_items.size() || from == to)
        return;
    Favourite moving = std::move(m_items[from]);
    m_items.erase(m_items.begin() + long(from));
    m_items.insert(m_items.begin() + long(to), std::move(moving));
}

} // namespace file_explorer
