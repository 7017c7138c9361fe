// Published commands: what other programs and the desktop's command surfaces can ask the
// explorer to do, with their type checks and failure texts.
#include <algorithm>

#include "fileops/item_operations.hpp"
#include "fileops/templates.hpp"
#include "files_app/file_explorer_widget.hpp"
#include "i18n/messages.hpp"
#include "model/workspace_roots.hpp"
#include "platform/actions/action_args.hpp"
#include "platform/actions/control_invocation.hpp"
#include "platform/actions/resource_id.hpp"
#include "platform/base/fs.hpp"
#include "platform/ui/opener.hpp"

namespace file_explorer {

namespace {

using vask_actions::OperationType;
using vask_ui::InvocationOutcome;
using vask_ui::InvocationStatus;

constexpr std::string_view kInvalidKind = "file command has an invalid operation kind";
constexpr std::string_view kEntryGone = "file entry is no longer visible";

InvocationOutcome handled() { return {InvocationStatus::Handled, {}}; }
InvocationOutcome not_handled() { return {InvocationStatus::NotHandled, {}}; }
InvocationOutcome failed(std::string text) { return {InvocationStatus::Failed, std::move(text)}; }

// Folder command words with the operation type each must be invoked as.
struct FolderWord {
    std::string_view word;
    OperationType type;
};
constexpr FolderWord kFolderWords[] = {
    {"up", OperationType::Navigation},           {"back", OperationType::Navigation},
    {"forward", OperationType::Navigation},      {"list", OperationType::Navigation},
    {"grid", OperationType::Navigation},         {"sort-name", OperationType::Navigation},
    {"sort-size", OperationType::Navigation},    {"sort-type", OperationType::Navigation},
    {"sort-modified", OperationType::Navigation}, {"sort-ascending", OperationType::Navigation},
    {"sort-descending", OperationType::Navigation}, {"zoom-in", OperationType::Navigation},
    {"zoom-out", OperationType::Navigation},     {"hidden", OperationType::Navigation},
    {"shortcuts", OperationType::Navigation},    {"add-favorite", OperationType::Effect},
    {"remove-favorite", OperationType::Effect},  {"empty-trash", OperationType::Effect},
    {"undo-trash", OperationType::Effect},       {"terminal", OperationType::Effect},
};

constexpr std::string_view kNavigationEntryWords[] = {"properties", "sharing", "history", "availability", "send-nearby"};
constexpr std::string_view kEffectEntryWords[] = {"copy",          "cut",          "restore",           "purge",
                                                  "trash",         "keep-offline", "automatic-storage", "free-local-space",
                                                  "retry-transfer", "extract",     "compress"};

std::optional<OperationType> entry_word_type(std::string_view word)
{
    if (std::ranges::find(kNavigationEntryWords, word) != std::end(kNavigationEntryWords))
        return OperationType::Navigation;
    if (std::ranges::find(kEffectEntryWords, word) != std::end(kEffectEntryWords))
        return OperationType::Effect;
    return std::nullopt;
}

// The command word of a folder command: the payload itself when it is a text, else its
// "command" member or first element.
std::optional<std::string> folder_word(const vask_actions::ActionArgs& args)
{
    if (auto named = args.text("command"))
        return named;
    return args.text_at(0);
}

// A positional text argument, or a named one as a fallback for object payloads.
std::optional<std::string> argument(const vask_actions::ActionArgs& args, std::size_t index, std::string_view name)
{
    if (auto t = args.text_at(index); t && !t->empty())
        return t;
    if (auto t = args.text(name); t && !t->empty())
        return t;
    return std::nullopt;
}

// A hyphenated, lower- or upper-case UUID text.
bool is_uuid_text(std::string_view text)
{
    if (text.size() != 36)
        return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        bool hyphen = i == 8 || i == 13 || i == 18 || i == 23;
        if (hyphen ? text[i] != '-' : !std::isxdigit(static_cast<unsigned char>(text[i])))
            return false;
    }
    return true;
}

} // namespace

std::optional<std::size_t> FileExplorerWidget::entry_index_for(std::string_view resource_id) const
{
    for (std::size_t i = 0; i < m_entries.size(); ++i)
        if (entry_resource_id(m_entries[i].path()) == resource_id)
            return i;
    return std::nullopt;
}

std::string entry_resource_id(const std::filesystem::path& path)
{
    return vask_actions::resource_id("files.entry", vask_actions::local_resource_key(path));
}

std::string place_resource_id(const std::filesystem::path& path)
{
    return vask_actions::resource_id("files.place", vask_actions::local_resource_key(path));
}

vask_ui::InvocationOutcome FileExplorerWidget::invoke(const vask_actions::Invocation& invocation)
{
    const vask_actions::ActionArgs args(invocation.payload);
    const auto& id = invocation.command_id;
    const auto type = invocation.operation_type;
    const bool effect = type == OperationType::Effect;
    const bool navigation = type == OperationType::Navigation;
    const bool in_archive = m_archive.has_value();
    auto read_only = [] { return failed(i18n::message("files-archive-read-only")); };

    if (id == "files.refresh") {
        if (!effect)
            return not_handled();
        reload();
        return handled();
    }
    if (id == "files.new-folder") {
        if (!effect)
            return failed(std::string(kInvalidKind));
        if (in_archive)
            return read_only();
        auto name = argument(args, 0, "name").value_or("");
        auto created = create_folder(m_current, name);
        if (!created)
            return failed(created.error());
        reload();
        return handled();
    }
    if (id == "files.paste") {
        if (!effect)
            return failed(std::string(kInvalidKind));
        if (in_archive)
            return read_only();
        const bool had_items = !m_clipboard.is_empty();
        auto pasted = paste_action(m_clipboard, m_current);
        if (had_items)
            reload();
        return pasted ? handled() : failed(pasted.error());
    }
    if (id == "files.new-from-template") {
        if (!effect)
            return failed(std::string(kInvalidKind));
        if (in_archive)
            return read_only();
        auto template_id = argument(args, 0, "template").value_or("");
        if (!m_env.templates_dir)
            return failed("the Templates directory is unavailable");
        for (const auto& t : template_paths())
            if (template_resource_id(t) == template_id) {
                apply(action::NewFromTemplate{t});
                return handled();
            }
        return failed("the template is no longer available");
    }
    if (id == "files.open") {
        if (!navigation)
            return failed(std::string(kInvalidKind));
        auto resource = argument(args, 0, "resource").value_or("");
        if (auto index = entry_index_for(resource)) {
            activate_path(m_entries[*index].path());
            return handled();
        }
        for (const auto& place : place_paths())
            if (place_resource_id(place) == resource) {
                activate_path(place);
                return handled();
            }
        return failed("file location is no longer available");
    }
    if (id == "files.reveal-record") {
        if (!navigation)
            return failed(std::string(kInvalidKind));
        auto record = argument(args, 0, "record").value_or("");
        if (!is_uuid_text(record))
            return failed("invalid collaborative record id");
        // Records are revealed through the record index, which is not read yet.
        return failed("collaborative record is not indexed yet");
    }
    if (id == "files.folder-command")
        return invoke_folder_command(folder_word(args).value_or(""), type);
    if (id == "files.entry-command")
        return invoke_entry_command(argument(args, 0, "command"), argument(args, 1, "resource"), type);
    if (id == "files.nearby-send") {
        if (!effect)
            return failed(std::string(kInvalidKind));
        return failed("nearby device is no longer available");
    }
    if (id == "files.nearby-decide" || id == "files.nearby-retry" || id == "files.nearby-cancel") {
        if (!effect)
            return failed(std::string(kInvalidKind));
        return failed("nearby transfer is no longer available");
    }
    if (id == "files.rename") {
        if (!effect)
            return failed(std::string(kInvalidKind));
        auto resource = argument(args, 0, "resource");
        if (!resource)
            return failed("missing file resource");
        auto name = args.text_at(1);
        if (!name)
            name = args.text("name");
        if (!name)
            return failed("missing new file name");
        auto index = entry_index_for(*resource);
        if (!index)
            return failed(std::string(kEntryGone));
        if (in_archive)
            return read_only();
        auto renamed = rename_item(m_entries[*index].path(), *name);
        if (!renamed)
            return failed(renamed.error());
        reload();
        return handled();
    }
    if (id == "files.share-link") {
        if (!effect)
            return failed(std::string(kInvalidKind));
        auto index = entry_index_for(argument(args, 0, "resource").value_or(""));
        if (!index)
            return failed(std::string(kEntryGone));
        m_selection.select_only(*index);
        m_status.reset();
        apply(action::CopyOneTimeLink{});
        // No share request can be pending until the share service client exists.
        if (m_status)
            return failed(*m_status);
        return failed("sharing is unavailable for this file");
    }
    if (id == "files.remote-account") {
        if (!navigation)
            return failed(std::string(kInvalidKind));
        if (!argument(args, 0, "operation"))
            return failed("missing remote account operation");
        if (!argument(args, 1, "account"))
            return failed("missing remote account id");
        return failed("remote account is no longer available");
    }
    if (id == "files.remote-dav") {
        if (!effect)
            return failed("remote file operations must be effect actions");
        if (!invocation.payload.is_array() ||
            !std::ranges::all_of(invocation.payload, [](const nlohmann::json& v) { return v.is_string(); }))
            return failed("remote file operation payload must be an array of texts");
        if (invocation.payload.empty())
            return failed("missing remote DAV operation");
        if (invocation.payload.size() == 1)
            return failed("missing remote account id");
        return failed("remote account is no longer available");
    }
    if (id == vask_actions::kControlInvokeCommand) {
        auto control = vask_actions::ControlInvocation::from_invocation(invocation);
        if (!control)
            return not_handled();
        if (control->control_id == m_retry.control_id() && m_load_error) {
            reload();
            return handled();
        }
        if (m_toolbar.invoke_control(control->control_id)) {
            apply_view_events();
            return handled();
        }
        return not_handled();
    }
    return not_handled();
}

vask_ui::InvocationOutcome FileExplorerWidget::invoke_folder_command(const std::string& word, OperationType type)
{
    auto known = std::ranges::find(kFolderWords, std::string_view(word), &FolderWord::word);
    if (known == std::end(kFolderWords))
        return not_handled();
    if (known->type != type)
        return failed(std::string(kInvalidKind));
    const bool is_dir = vask_base::directory_exists(m_current);
    if (word == "add-favorite") {
        if (!is_dir)
            return failed("the current location cannot be a favourite");
        apply(action::AddFavourite{m_current, std::nullopt});
        return handled();
    }
    if (word == "empty-trash") {
        if (!is_trash())
            return not_handled();
        apply(action::EmptyTrash{});
        return handled();
    }
    if (word == "terminal") {
        if (m_archive)
            return failed(i18n::message("files-archive-read-only"));
        if (auto started = vask_ui::opener::start_in_folder("terminal", m_current); !started)
            return failed("could not open terminal: " + started.error());
        return handled();
    }
    static const std::pair<std::string_view, ExplorerAction> kActions[] = {
        {"up", action::GoUp{}},
        {"back", action::GoBack{}},
        {"forward", action::GoForward{}},
        {"list", action::SetViewMode{ViewMode::List}},
        {"grid", action::SetViewMode{ViewMode::Grid}},
        {"sort-name", action::SetSortBy{SortKey::Name}},
        {"sort-size", action::SetSortBy{SortKey::Size}},
        {"sort-type", action::SetSortBy{SortKey::Type}},
        {"sort-modified", action::SetSortBy{SortKey::Modified}},
        {"sort-ascending", action::SetSortOrder{SortOrder::Ascending}},
        {"sort-descending", action::SetSortOrder{SortOrder::Descending}},
        {"zoom-in", action::ZoomIn{}},
        {"zoom-out", action::ZoomOut{}},
        {"hidden", action::ToggleHidden{}},
        {"shortcuts", action::ShowShortcuts{}},
        {"undo-trash", action::UndoTrash{}},
    };
    if (word == "remove-favorite") {
        apply(action::RemoveFavourite{m_current});
        return handled();
    }
    for (const auto& [w, a] : kActions)
        if (w == word) {
            apply(a);
            return handled();
        }
    return not_handled();
}

vask_ui::InvocationOutcome FileExplorerWidget::invoke_entry_command(const std::optional<std::string>& word,
                                                                    const std::optional<std::string>& resource,
                                                                    OperationType type)
{
    if (!word)
        return failed("missing file command");
    if (!resource)
        return failed("missing file resource");
    auto index = entry_index_for(*resource);
    if (!index)
        return failed(std::string(kEntryGone));
    auto word_type = entry_word_type(*word);
    if (!word_type)
        return not_handled();
    if (*word_type != type)
        return failed(std::string(kInvalidKind));
    const bool trash = is_trash();
    if ((*word == "restore" || *word == "purge") && !trash)
        return not_handled();
    m_selection.select_only(*index);
    m_last_click.reset();
    mark_dirty();
    if (*word == "trash") {
        if (trash)
            return failed("Use the separately confirmed permanent-delete action for items already in Trash");
        return apply(action::DeleteSelection{}) ? handled() : failed("file operation could not be applied");
    }
    static const std::pair<std::string_view, ExplorerAction> kActions[] = {
        {"copy", action::Copy{}},
        {"cut", action::Cut{}},
        {"extract", action::ExtractSelection{}},
        {"compress", action::CompressSelection{}},
        {"restore", action::RestoreSelection{}},
        {"properties", action::ShowProperties{}},
        {"sharing", action::ShowSharing{}},
        {"history", action::ShowHistory{}},
        {"availability", action::ShowAvailability{}},
        {"keep-offline", action::KeepOffline{}},
        {"automatic-storage", action::UseAutomaticStorage{}},
        {"free-local-space", action::FreeLocalSpace{}},
        {"retry-transfer", action::RetryTransfer{}},
        {"send-nearby", action::NearbySendStart{}},
    };
    ExplorerAction chosen = action::DeletePermanently{{m_entries[*index].path()}};
    if (*word != "purge") {
        auto found = std::ranges::find(kActions, std::string_view(*word), &std::pair<std::string_view, ExplorerAction>::first);
        if (found == std::end(kActions))
            return not_handled();
        chosen = found->second;
    }
    return apply(chosen) ? handled() : failed("file operation could not be applied");
}

std::vector<std::filesystem::path> FileExplorerWidget::place_paths() const
{
    std::vector<std::filesystem::path> paths;
    for (const auto& f : m_favourites.items())
        paths.push_back(f.path);
    for (const auto& p : system_places(m_env.trash_files_dir))
        paths.push_back(p.path);
    return paths;
}

} // namespace file_explorer
