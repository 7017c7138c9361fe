#include "fileops/templates.hpp"

#include <algorithm>
#include <cstdlib>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include "fileops/collision_names.hpp"
#include "fileops/item_operations.hpp"
#include "fileops/transfer.hpp"
#include "i18n/messages.hpp"
#include "platform/actions/resource_id.hpp"
#include "platform/base/fd.hpp"
#include "platform/base/utf8.hpp"

namespace file_explorer {

namespace fs = std::filesystem;

namespace {

std::optional<fs::path> home_folder()
{
    if (const char* home = std::getenv("HOME"); home && *home)
        return fs::path(home);
    struct passwd entry {};
    struct passwd* found = nullptr;
    char buffer[4096];
    if (::getpwuid_r(::getuid(), &entry, buffer, sizeof buffer, &found) == 0 && found && found->pw_dir &&
        *found->pw_dir)
        return fs::path(found->pw_dir);
    return std::nullopt;
}

} // namespace

std::optional<fs::path> templates_folder()
{
    if (const char* value = std::getenv("XDG_TEMPLATES_DIR")) {
        std::string_view text(value);
        if (vask_base::is_valid_utf8(text)) {
            auto trimmed = trim_unicode_whitespace(text);
            if (!trimmed.empty())
                return fs::path(trimmed);
        }
    }
    auto home = home_folder();
    if (!home)
        return std::nullopt;
    return *home / "Templates";
}

std::vector<fs::path> list_templates(const fs::path& folder)
{
    std::vector<fs::path> found;
    auto dir = vask_base::open_directory(AT_FDCWD, folder.c_str());
    if (!dir)
        return found;
    auto stream = std::make_unique<vask_base::DirectoryStream>(dir->get());
    stream->for_each([&](std::string_view name, unsigned char) {
        if (name.starts_with('.'))
            return;
        struct stat st {};
        if (::fstatat(dir->get(), name.data(), &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(st.st_mode))
            found.push_back(folder / name);
    });
    std::sort(found.begin(), found.end());
    return found;
}

std::vector<fs::path> templates()
{
    auto folder = templates_folder();
    return folder ? list_templates(*folder) : std::vector<fs::path>{};
}

std::string template_resource_id(const fs::path& template_path)
{
    return vask_actions::resource_id(
        "files.template", vask_actions::path_digest_key(fs::path(vask_base::lossy_utf8(template_path))));
}

std::string template_label(const fs::path& template_path)
{
    std::string name = item_name_bytes(template_path).value_or(std::string());
    std::string_view stem = split_stem(name).stem;
    return i18n::message_with_args("files-new-from-template", {{"name", vask_base::lossy_utf8(stem)}});
}

OperationOutcome create_from_template(const fs::path& template_path, const fs::path& folder)
{
    return transfer(template_path, folder, TransferMode::Copy);
}

OperationOutcome create_from_template_id(std::string_view resource_id, const fs::path& folder)
{
    auto templates_dir = templates_folder();
    if (!templates_dir)
        return vask_base::failure("the Templates directory is unavailable");
    for (const auto& candidate : list_templates(*templates_dir)) {
        if (template_resource_id(candidate) == resource_id)
            return create_from_template(candidate, folder);
    }
    return vask_base::failure("the template is no longer available");
}

} // namespace file_explorer
