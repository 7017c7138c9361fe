// Browsing an archive without unpacking it: member records, folder children and what opening does.
#include <map>

#include "fileops/archive.hpp"
#include "fileops/archive_internal.hpp"

namespace file_explorer {

namespace fs = std::filesystem;
using namespace archive_detail;

vask_base::Result<std::vector<ArchiveEntryRecord>> list_archive(const fs::path& archive)
{
    ArchiveReader reader;
    if (auto opened = reader.open(archive); !opened)
        return std::unexpected(std::move(opened.error()));
    EntryLimits limits;
    std::vector<ArchiveEntryRecord> records;
    for (;;) {
        auto header = reader.next(limits);
        if (!header)
            return std::unexpected(std::move(header.error()));
        if (!*header)
            return records;
        records.push_back(
            {std::move((*header)->path), (*header)->size, (*header)->kind == EntryKind::Folder});
    }
}

vask_base::Result<std::vector<ArchiveChild>> list_archive_folder(const fs::path& archive,
                                                                 const fs::path& inner)
{
    std::string prefix;
    if (!inner.empty()) {
        auto sanitised = sanitise_entry_path(inner.native());
        if (!sanitised)
            return std::unexpected(std::move(sanitised.error()));
        prefix = std::move(*sanitised);
    }
    auto records = list_archive(archive);
    if (!records)
        return std::unexpected(std::move(records.error()));

    std::map<std::string, ArchiveChild> children;
    for (const auto& record : *records) {
        std::string_view rest = record.path;
        if (!prefix.empty()) {
            if (!rest.starts_with(prefix) || rest.size() <= prefix.size() + 1 || rest[prefix.size()] != '/')
                continue;
            rest.remove_prefix(prefix.size() + 1);
        }
        std::size_t slash = rest.find('/');
        std::string name(rest.substr(0, slash));
        bool is_folder = slash != std::string_view::npos || record.is_folder;
        std::string child_path = prefix.empty() ? name : prefix + "/" + name;
        auto [it, inserted] = children.try_emplace(child_path);
        if (inserted) {
            it->second = ArchiveChild{std::move(name), child_path, is_folder, is_folder ? 0 : record.size};
        } else if (is_folder && !it->second.is_folder) {
            it->second.is_folder = true;
            it->second.size = 0;
        }
    }
    std::vector<ArchiveChild> result;
    result.reserve(children.size());
    for (auto& [path, child] : children)
        result.push_back(std::move(child));
    return result;
}

ArchiveOpen resolve_archive_open(const std::vector<ArchiveEntryRecord>& records, const fs::path& inner)
{
    if (inner.empty())
        return ArchiveOpen::Root;
    auto wanted = sanitise_entry_path(inner.native());
    if (!wanted)
        return ArchiveOpen::NeedsExtract;
    for (const auto& record : records)
        if (record.path == *wanted)
            return record.is_folder ? ArchiveOpen::Folder : ArchiveOpen::NeedsExtract;
    std::string folder_prefix = *wanted + "/";
    for (const auto& record : records)
        if (record.path.starts_with(folder_prefix))
            return ArchiveOpen::Folder;
    return ArchiveOpen::NeedsExtract;
}

} // namespace file_explorer
