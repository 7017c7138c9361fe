// The resources the explorer publishes: the current folder, its entries, the places and the
// templates, each with the actions other programs may invoke.
#include <algorithm>

#include "command/menus.hpp"
#include "fileops/templates.hpp"
#include "files_app/file_explorer_widget.hpp"
#include "i18n/messages.hpp"
#include "model/workspace_roots.hpp"
#include "platform/actions/resource.hpp"
#include "platform/actions/resource_id.hpp"
#include "platform/base/fs.hpp"
#include "platform/base/utf8.hpp"

namespace file_explorer {

namespace {

using vask_actions::ActionSpec;
using vask_actions::Contract;
using vask_actions::OperationType;
using vask_actions::Resource;

constexpr auto kEffect = OperationType::Effect;
constexpr auto kNavigation = OperationType::Navigation;

// An action with the contract of its class: navigation is low-risk, effects confirm.
ActionSpec spec(std::string id, std::string label, OperationType type, std::string command, nlohmann::json payload = nullptr)
{
    ActionSpec a(std::move(id), std::move(label), type, std::move(command), std::move(payload));
    return std::move(a).with_contract(Contract::available(Contract::risk_for(type)));
}

ActionSpec unavailable_unless(ActionSpec a, bool available, const char* reason, const char* message)
{
    if (available)
        return a;
    auto risk = a.contract() ? a.contract()->risk : Contract::risk_for(a.operation_type());
    return std::move(a).with_contract(Contract::unavailable_because(reason, message, risk));
}

ActionSpec folder_word(const char* id, std::string label, OperationType type, const char* word)
{
    return spec(id, std::move(label), type, "files.folder-command", word);
}

std::string display_name(const std::filesystem::path& path)
{
    auto name = path.filename();
    if (name.empty())
        name = path.parent_path().filename();
    return name.empty() ? std::string("/") : vask_base::lossy_utf8(name);
}

} // namespace

std::vector<vask_actions::Resource> FileExplorerWidget::resources() const
{
    std::vector<Resource> out;
    const bool is_dir = vask_base::directory_exists(m_current);
    const bool trash = is_trash();

    // The current folder.
    Resource folder{vask_actions::resource_id("files.folder", vask_actions::local_resource_key(m_current)), "files.folder",
                    display_name(m_current), {}};
    folder.actions.push_back(unavailable_unless(spec("refresh", "Refresh folder", kEffect, "files.refresh"), is_dir,
                                                "location_missing", "The current folder no longer exists"));
    folder.actions.push_back(folder_word("up", "Parent folder", kNavigation, "up"));
    folder.actions.push_back(folder_word("back", "Back", kNavigation, "back"));
    folder.actions.push_back(folder_word("forward", "Forward", kNavigation, "forward"));
    folder.actions.push_back(folder_word("open-terminal", "Open terminal here", kEffect, "terminal"));
    folder.actions.push_back(folder_word("toggle-hidden", "Toggle hidden files", kNavigation, "hidden"));
    folder.actions.push_back(folder_word("list", "Use list view", kNavigation, "list"));
    folder.actions.push_back(folder_word("grid", "Use grid view", kNavigation, "grid"));
    folder.actions.push_back(folder_word("sort-name", "Sort by name", kNavigation, "sort-name"));
    folder.actions.push_back(folder_word("sort-size", "Sort by size", kNavigation, "sort-size"));
    folder.actions.push_back(folder_word("sort-type", "Sort by type", kNavigation, "sort-type"));
    folder.actions.push_back(folder_word("sort-modified", "Sort by modified date", kNavigation, "sort-modified"));
    folder.actions.push_back(folder_word("sort-ascending", "Sort ascending", kNavigation, "sort-ascending"));
    folder.actions.push_back(folder_word("sort-descending", "Sort descending", kNavigation, "sort-descending"));
    folder.actions.push_back(folder_word("zoom-in", "Increase item size", kNavigation, "zoom-in"));
    folder.actions.push_back(folder_word("zoom-out", "Decrease item size", kNavigation, "zoom-out"));
    folder.actions.push_back(folder_word("keyboard-shortcuts", "Keyboard shortcuts", kNavigation, "shortcuts"));
    const bool favourite = std::ranges::any_of(m_favourites.items(), [&](const Favourite& f) { return same_path(f.path, m_current); });
    folder.actions.push_back(unavailable_unless(
        favourite ? folder_word("remove-favorite", "Remove from Favourites", kEffect, "remove-favorite")
                  : folder_word("add-favorite", "Add to Favourites", kEffect, "add-favorite"),
        is_dir, "location_unavailable", "The current location cannot be a favourite"));
    folder.actions.push_back(unavailable_unless(
        spec("new-folder", "New folder", kEffect, "files.new-folder").asks_for({"Folder name", "New Folder"}), is_dir,
        "location_unavailable", "The current location cannot contain a new folder"));
    folder.actions.push_back(unavailable_unless(spec("paste", "Paste", kEffect, "files.paste"), !m_clipboard.is_empty(),
                                                "clipboard_empty", "Copy or cut files before pasting"));
    if (m_undo_record)
        folder.actions.push_back(folder_word("undo-trash", i18n::message("files-undo-move-trash"), kEffect, "undo-trash"));
    if (trash)
        folder.actions.push_back(
            folder_word("empty-trash", i18n::message("files-menu-empty-trash"), kEffect, "empty-trash").destructive());
    out.push_back(std::move(folder));

    // The entries.
    for (const auto& entry : m_entries) {
        const auto path = entry.path();
        const std::string id = entry_resource_id(path);
        Resource r{id, "files.entry", entry.name, {}};
        auto entry_word = [&](const char* action_id, const char* label_id, OperationType type, const char* word) {
            return spec(action_id, i18n::message(label_id), type, "files.entry-command", nlohmann::json::array({word, id}));
        };
        r.actions.push_back(spec("open", i18n::message("files-menu-open"), kNavigation, "files.open", nlohmann::json::array({id})));
        r.actions.push_back(spec("rename", i18n::message("files-menu-rename"), kEffect, "files.rename", nlohmann::json::array({id}))
                                .asks_for({i18n::message("files-action-rename-prompt"), entry.name}));
        if (entry.record_id)
            r.actions.push_back(spec("reveal", i18n::message("files-action-reveal"), kNavigation, "files.reveal-record",
                                     nlohmann::json::array({record_id_text(*entry.record_id)})));
        if (trash) {
            r.actions.push_back(entry_word("restore", "files-menu-restore", kEffect, "restore"));
            r.actions.push_back(entry_word("delete-permanently", "files-menu-delete-permanently", kEffect, "purge").destructive());
        } else {
            r.actions.push_back(entry_word("copy", "files-menu-copy", kEffect, "copy"));
            r.actions.push_back(entry_word("cut", "files-menu-cut", kEffect, "cut"));
            r.actions.push_back(entry_word("trash", "files-menu-move-trash", kEffect, "trash").destructive());
            r.actions.push_back(entry_word("properties", "files-menu-properties", kNavigation, "properties"));
            r.actions.push_back(entry_word("sharing", "files-sharing-access", kNavigation, "sharing"));
            r.actions.push_back(entry_word("history", "files-version-history", kNavigation, "history"));
            r.actions.push_back(entry_word("compress", "files-archive-compress", kEffect, "compress"));
            if (is_archive_entry(entry))
                r.actions.push_back(entry_word("extract", "files-archive-extract-here", kEffect, "extract"));
            r.actions.push_back(entry_word("availability", "files-availability-title-short", kNavigation, "availability"));
            r.actions.push_back(entry_word("keep-offline", "files-keep-offline", kEffect, "keep-offline"));
            r.actions.push_back(entry_word("automatic-storage", "files-use-automatic-storage", kEffect, "automatic-storage"));
            r.actions.push_back(entry_word("free-local-space", "files-free-local-space", kEffect, "free-local-space"));
            r.actions.push_back(entry_word("retry-download", "files-retry-download", kEffect, "retry-transfer"));
            r.actions.push_back(spec("share-link", "Create one-time share link", kEffect, "files.share-link",
                                     nlohmann::json::array({id})));
            r.actions.push_back(entry_word("send-nearby", "files-menu-send-nearby", kNavigation, "send-nearby"));
        }
        out.push_back(std::move(r));
    }

    // The places.
    std::vector<std::pair<std::filesystem::path, std::string>> places;
    for (const auto& f : m_favourites.items())
        places.emplace_back(f.path, f.label);
    for (const auto& p : system_places(m_env.trash_files_dir))
        places.emplace_back(p.path, p.label);
    for (const auto& [path, label] : places) {
        std::string id = place_resource_id(path);
        out.push_back(Resource{id, "files.place", label, {spec("open", "Open", kNavigation, "files.open", nlohmann::json::array({id}))}});
    }

    // The templates.
    for (const auto& t : template_paths()) {
        std::string id = template_resource_id(t);
        out.push_back(Resource{id, "files.template", template_label(t),
                               {unavailable_unless(spec("create", template_label(t), kEffect, "files.new-from-template",
                                                        nlohmann::json::array({id})),
                                                   is_dir, "location_unavailable",
                                                   "The current location cannot contain a new file")}});
    }
    return out;
}

std::string record_id_text(const std::array<std::uint8_t, 16>& id)
{
    static constexpr char kHex[] = "0123456789abcdef";
    std::string out;
    for (std::size_t i = 0; i < id.size(); ++i) {
        if (i == 4 || i == 6 || i == 8 || i == 10)
            out += '-';
        out += kHex[id[i] >> 4];
        out += kHex[id[i] & 15];
    }
    return out;
}

} // namespace file_explorer
