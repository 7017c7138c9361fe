#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace vask_ui::sysdirs {

// The well-known folders of user-dirs.dirs.
enum class UserDirKind { Desktop, Documents, Downloads, Music, Pictures, PublicShare, Templates, Videos };

// The user's folders as configured in ~/.config/user-dirs.dirs (XDG_*_DIR="$HOME/…").
class UserDirs {
public:
    // Reads the user's file; missing entries fall back to the usual English names under home.
    static UserDirs load();
    // Parses file text; `home` replaces "$HOME".
    static UserDirs parse(const std::string& text, const std::filesystem::path& home);

    std::optional<std::filesystem::path> path(UserDirKind kind) const;
    // Which well-known folder `path` is, if any.
    std::optional<UserDirKind> classify(const std::filesystem::path& path) const;
    // The content folders shown as places (Documents, Downloads, Pictures, Music, Videos) that exist.
    std::vector<std::pair<UserDirKind, std::filesystem::path>> content_places() const;

private:
    std::vector<std::pair<UserDirKind, std::filesystem::path>> m_dirs;
};

} // namespace vask_ui::sysdirs
