#include "model/location.hpp"

#include <string>

#include "fileops/archive.hpp"
#include "platform/ui/xdg_paths.hpp"

namespace file_explorer {

std::optional<std::filesystem::path> trash_files_dir()
{
    auto data = vask_ui::xdg::data_dir();
    if (!data)
        return std::nullopt;
    return *data / "Trash" / "files";
}

std::optional<ArchiveSplit> archive_split(const std::filesystem::path& path)
{
    std::filesystem::path current = path;
    while (!current.empty()) {
        if (is_archive(current)) {
            // The rest of the path below the archive, with empty and "." components dropped.
            std::string_view rest = std::string_view(path.native()).substr(current.native().size());
            std::string inner;
            std::size_t start = 0;
            while (start < rest.size()) {
                std::size_t slash = rest.find('/', start);
                if (slash == std::string_view::npos)
                    slash = rest.size();
                std::string_view component = rest.substr(start, slash - start);
                if (!component.empty() && component != ".") {
                    if (!inner.empty())
                        inner.push_back('/');
                    inner.append(component);
                }
                start = slash + 1;
            }
            return ArchiveSplit{current, std::filesystem::path(std::move(inner))};
        }
        std::filesystem::path parent = current.parent_path();
        if (parent == current)
            break;
        current = std::move(parent);
    }
    return std::nullopt;
}

} // namespace file_explorer
