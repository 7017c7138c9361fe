#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/ui/sysdirs.hpp"

namespace file_explorer {

// Kinds of place, which pick the icon: home, the five content folders, a plain folder.
enum class PlaceKind : std::uint8_t { Home = 0, Documents = 1, Downloads = 2, Pictures = 3, Music = 4, Videos = 5, Folder = 6 };

// One of the user's favourite folders.
struct Favourite {
    std::string label;
    std::filesystem::path path;
    bool is_home = false;
    PlaceKind kind = PlaceKind::Folder;
    friend bool operator==(const Favourite&, const Favourite&) = default;
};

// A favourite for `path`: Home for the home folder, a content folder's kind, else a plain folder
// named after its last component.
Favourite classify_favourite(const std::filesystem::path& path, const std::filesystem::path& home,
                             const vask_ui::sysdirs::UserDirs& dirs);

// The favourites list, persisted one path per line in the "favorites" file.
class Favourites {
public:
    // From the file in `config_dir`, or the defaults (Home and the content folders) when the file is
    // missing, unreadable or names nothing.
    static Favourites load(const std::optional<std::filesystem::path>& config_dir, const std::filesystem::path& home,
                           const vask_ui::sysdirs::UserDirs& dirs);
    // Writes the file; a failure is ignored (the list stays as it is in memory).
    void save(const std::optional<std::filesystem::path>& config_dir) const;

    bool add(const std::filesystem::path& path);
    bool remove(const std::filesystem::path& path);
    void move(std::size_t from, std::size_t to);

    const std::vector<Favourite>& items() const { return m_items; }

private:
    std::filesystem::path m_home;
    vask_ui::sysdirs::UserDirs m_dirs;
    std::vector<Favourite> m_items;
};

} // namespace file_explorer
