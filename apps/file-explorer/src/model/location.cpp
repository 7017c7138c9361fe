#include "model/location.hpp"

#include "platform/ui/xdg_paths.hpp"

namespace file_explorer {

std::optional<std::filesystem::path> trash_files_dir()
{
    auto data = vask_ui::xdg::data_dir();
    if (!data)
        return std::nullopt;
    return *data / "Trash" / "files";
}

std::optional<ArchiveSplit> archive_split(const std::filesystem::path&) { return std::nullopt; }

} // namespace file_explorer
