// Explorer state and navigation: initial folder, loads, history, activation, view settings and
// the automatic re-listing.
#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <unistd.h>

#include "platform/base/fs.hpp"
#include "files_app/file_explorer_widget.hpp"
#include "i18n/messages.hpp"
#include "fileops/archive.hpp"
#include "fileops/templates.hpp"
#include "model/mime_types.hpp"
#include "model/formatting.hpp"
#include "model/workspace_roots.hpp"
#include "platform/base/utf8.hpp"
#include "platform/ui/gesture.hpp"
#include "platform/ui/xdg_paths.hpp"

namespace file_explorer {

namespace {

using namespace std::chrono_literals;

// The re-listing interval grows with the folder so that large folders cost little.
std::chrono::milliseconds poll_interval(std::size_t entry_count)
{
    if (entry_count < 512)
        return 750ms;
    if (entry_count < 4096)
        return 3s;
    if (entry_count < 20000)
        return 12s;
    return 30s;
}

// What identifies an entry across re-listings: its collaborative record, else its path.
std::string identity(const DirectoryEntry& e)
{
    if (e.record_id)
        return "r:" + std::string(reinterpret_cast<const char*>(e.record_id->data()), e.record_id->size());
    return "p:" + e.path_bytes;
}

std::optional<std::string> read_text_file(const std::filesystem::path& file)
{
    std::ifstream in(file);
    if (!in)
        return std::nullopt;
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

} // namespace

ExplorerEnvironment ExplorerEnvironment::from_desktop()
{
    ExplorerEnvironment env;
    env.config_dir = vask_ui::xdg::config_dir("vask-files");
    env.trash_files_dir = file_explorer::trash_files_dir();
    env.home = vask_ui::xdg::home_dir();
    env.templates_dir = templates_folder();
    return env;
}

std::filesystem::path initial_folder(const std::filesystem::path& home)
{
    auto roots = workspace_roots();
    if (!roots.empty())
        return roots.front();
    if (!std::getenv("VASK_WORKSPACE_ROOTS") && vask_base::directory_exists("/workspace"))
        return "/workspace";
    if (!home.empty())
        return home;
    std::error_code ec;
    auto cwd = std::filesystem::current_path(ec);
    if (!ec && !cwd.empty())
        return cwd;
    return "/";
}

int parse_item_size_step(std::string_view text)
{
    auto first = text.find_first_not_of(" \t\r\n\f\v");
    if (first == std::string_view::npos)
        return 0;
    auto last = text.find_last_not_of(" \t\r\n\f\v");
    text = text.substr(first, last - first + 1);
    if (text.starts_with('+'))
        text.remove_prefix(1);
    std::int32_t value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || text.empty())
        return 0;
    return std::clamp<int>(value, kMinItemSizeStep, kMaxItemSizeStep);
}

FileExplorerWidget::FileExplorerWidget(ExplorerEnvironment environment, vask_ui::Clock::time_point now)
    : m_env(std::move(environment)), m_poll_deadline(now + 750ms)
{
    if (m_env.config_dir)
        if (auto text = read_text_file(*m_env.config_dir / "zoom"))
            m_item_size_step = parse_item_size_step(*text);
    m_favourites = Favourites::load(m_env.config_dir, m_env.home, vask_ui::sysdirs::UserDirs::load());
    m_retry = vask_ui::Button("files.retry", i18n::message("files-try-again"), vask_ui::Glyph::None, i18n::message("files-try-again"));
    m_retry.on_click = [this] { reload(); };
    load(initial_folder(m_env.home));
}

std::vector<std::filesystem::path> FileExplorerWidget::roots() const { return workspace_roots(); }

bool FileExplorerWidget::is_trash() const
{
    return m_env.trash_files_dir && same_path(m_current, *m_env.trash_files_dir);
}

LocationKind FileExplorerWidget::location_kind() const
{
    if (is_trash())
        return LocationKind::Trash;
    if (m_archive)
        return LocationKind::Archive;
    if (is_inside_roots(m_current, roots()))
        return LocationKind::WorkspaceFolder;
    return LocationKind::Folder;
}

// The children of a folder inside an archive as listing entries; paths run through the archive.
static vask_base::Result<Listing> list_archive_location(const ArchiveSplit& split)
{
    auto children = list_archive_folder(split.archive, split.inner);
    if (!children)
        return std::unexpected(children.error());
    Listing listing;
    listing.reserve(children->size());
    for (const auto& child : *children) {
        DirectoryEntry entry;
        entry.name = vask_base::lossy_utf8(std::string_view(child.name));
        entry.path_bytes = (split.archive / child.child_path).native();
        entry.mime_type = mime_type_for_name(child.name);
        entry.size = child.is_folder ? 0 : child.size;
        entry.is_dir = child.is_folder;
        listing.push_back(std::move(entry));
    }
    return listing;
}

vask_base::Result<Listing> FileExplorerWidget::list_location(const std::filesystem::path& path,
                                                             const std::optional<ArchiveSplit>& split) const
{
    auto listing = split ? list_archive_location(*split) : read_local_directory_in_roots(path, roots());
    if (listing) {
        if (!m_show_hidden)
            filter_hidden(*listing);
        sort_entries(*listing, m_sort_by, m_sort_order);
    }
    return listing;
}

void FileExplorerWidget::load(const std::filesystem::path& path)
{
    m_loading = true;
    m_selection.clear();
    m_load_error.reset();
    m_status.reset();
    m_last_click.reset();
    m_scroll_offset = 0;

    if (m_env.trash_files_dir && same_path(path, *m_env.trash_files_dir)) {
        std::error_code ignored;
        std::filesystem::create_directories(path, ignored);
    }

    // Which archive the path lies in is looked up once per load (it costs a stat per ancestor).
    auto split = archive_split(path);
    auto listing = list_location(path, split);
    if (listing) {
        m_entries = std::move(*listing);
    } else {
        m_entries.clear();
        m_load_error = i18n::message_with_args("files-directory-read-failed", {{"error", listing.error()}});
    }
    m_selection.set_count(m_entries.size());
    m_current = path;
    m_archive = std::move(split);
    end_rename();
    m_sheet.reset();
    m_main_menu.close();
    m_template_menu.close();
    if (!m_load_error && m_archive)
        m_status = i18n::message("files-archive-read-only");

    m_loading = false;
    if (refresh_record_index_and_search())
        m_status = "Collaborative search needs a refresh to continue.";
    ++m_load_generation;
    reload_remote_accounts(m_load_generation);
    mark_dirty();
}

void FileExplorerWidget::show_loading_state()
{
    m_loading = true;
    m_load_error.reset();
    mark_dirty();
}

void FileExplorerWidget::show_load_error(std::string text)
{
    m_loading = false;
    m_entries.clear();
    m_selection.set_count(0);
    m_load_error = std::move(text);
    mark_dirty();
}

void FileExplorerWidget::open_path(const std::filesystem::path& path)
{
    if (!same_path(path, m_current)) {
        m_back.push_back(m_current);
        m_forward.clear();
    }
    load(path);
}

// Back and Forward: take the newest path of `from`, remember the current one in `to`.
void FileExplorerWidget::step_history(std::vector<std::filesystem::path>& from, std::vector<std::filesystem::path>& to)
{
    if (from.empty())
        return;
    auto target = std::move(from.back());
    from.pop_back();
    to.push_back(m_current);
    load(target);
}

void FileExplorerWidget::go_back() { step_history(m_back, m_forward); }

void FileExplorerWidget::go_forward() { step_history(m_forward, m_back); }

void FileExplorerWidget::go_up()
{
    auto normal = m_current.lexically_normal();
    std::string text = normal.native();
    while (text.size() > 1 && text.back() == '/')
        text.pop_back();
    std::filesystem::path trimmed(text);
    if (!trimmed.has_relative_path())
        return; // "/" has no parent
    auto parent = trimmed.parent_path();
    if (parent.empty())
        return;
    open_path(parent);
}

void FileExplorerWidget::reload() { load(m_current); }

void FileExplorerWidget::activate_path(const std::filesystem::path& path)
{
    if (auto split = archive_split(path)) {
        // The archive itself and folders inside it are browsed; files inside must be extracted first.
        if (split->inner.empty()) {
            open_path(path);
            return;
        }
        auto records = list_archive(split->archive);
        if (!records) {
            set_notice(records.error());
            return;
        }
        if (resolve_archive_open(*records, split->inner) == ArchiveOpen::NeedsExtract)
            set_notice(i18n::message("files-archive-open-after-extract"));
        else
            open_path(path);
        return;
    }
    if (vask_base::directory_exists(path)) {
        open_path(path);
        return;
    }
    vask_base::Status opened;
    switch (m_env.opener_mode) {
    case vask_ui::opener::Mode::Desktop:
        opened = vask_ui::opener::open_with_desktop(path);
        break;
    case vask_ui::opener::Mode::Embedded:
        opened = m_env.embedded_opener ? m_env.embedded_opener(path) : vask_base::Status{};
        break;
    case vask_ui::opener::Mode::Unavailable:
        opened = vask_base::failure("Document opening is unavailable");
        break;
    }
    if (!opened) {
        m_status = opened.error();
        mark_dirty();
    }
}

std::optional<std::filesystem::path> FileExplorerWidget::click_item(std::optional<std::size_t> index,
                                                                    vask_ui::Clock::time_point now)
{
    mark_dirty();
    if (!index || *index >= m_entries.size()) {
        m_selection.clear();
        m_last_click.reset();
        return std::nullopt;
    }
    if (m_last_click && m_last_click->index == *index && now - m_last_click->at < vask_ui::gesture::multi_click_interval()) {
        m_last_click.reset();
        return m_entries[*index].path();
    }
    m_selection.select_only(*index);
    m_last_click = LastClick{*index, now};
    return std::nullopt;
}

void FileExplorerWidget::set_sort_by(SortKey key)
{
    m_sort_by = key;
    relist_in_place();
}

void FileExplorerWidget::set_sort_order(SortOrder order)
{
    if (order != m_sort_order)
        toggle_sort_order();
}

void FileExplorerWidget::toggle_sort_order()
{
    m_sort_order = m_sort_order == SortOrder::Ascending ? SortOrder::Descending : SortOrder::Ascending;
    relist_in_place();
}

// Re-sorts the current entries, keeping the selected items selected.
void FileExplorerWidget::relist_in_place()
{
    Listing sorted = m_entries;
    sort_entries(sorted, m_sort_by, m_sort_order);
    replace_entries_keeping_selection(std::move(sorted));
}

// Every selected entry still present stays selected at its new index; the primary index follows
// its entry.
void FileExplorerWidget::replace_entries_keeping_selection(Listing next)
{
    std::vector<std::string> selected_ids;
    for (auto i : m_selection.selected())
        if (i < m_entries.size())
            selected_ids.push_back(identity(m_entries[i]));
    std::sort(selected_ids.begin(), selected_ids.end());
    std::optional<std::string> primary_id;
    if (auto p = m_selection.primary(); p && *p < m_entries.size())
        primary_id = identity(m_entries[*p]);

    m_entries = std::move(next);
    std::vector<std::size_t> indices;
    std::optional<std::size_t> primary;
    for (std::size_t i = 0; i < m_entries.size(); ++i) {
        auto id = identity(m_entries[i]);
        if (std::binary_search(selected_ids.begin(), selected_ids.end(), id))
            indices.push_back(i);
        if (primary_id && id == *primary_id)
            primary = i;
    }
    m_selection.set_count(m_entries.size());
    m_selection.set_selection(indices, primary);
    m_last_click.reset();
    mark_dirty();
}

void FileExplorerWidget::toggle_hidden()
{
    m_show_hidden = !m_show_hidden;
    reload();
}

void FileExplorerWidget::set_item_size(int step)
{
    step = std::clamp(step, kMinItemSizeStep, kMaxItemSizeStep);
    if (step == m_item_size_step)
        return;
    m_item_size_step = step;
    mark_dirty();
    if (!m_env.config_dir)
        return;
    // A failure to store the step is not shown: the new size holds until the process ends.
    std::error_code ec;
    std::filesystem::create_directories(*m_env.config_dir, ec);
    std::ofstream out(*m_env.config_dir / "zoom", std::ios::trunc);
    out << step;
}

void FileExplorerWidget::poll(vask_ui::Clock::time_point now)
{
    if (now < m_poll_deadline)
        return;
    m_poll_deadline = now + poll_interval(m_entries.size());
    check_record_index_changes();
    if (reload_trusted_identities())
        mark_dirty();
    // Archives are read-only and costly to read again; they are listed when entered.
    if (m_rename_index || m_drag || m_archive)
        return;
    auto listing = list_location(m_current, m_archive);
    if (!listing || *listing == m_entries)
        return;

    replace_entries_keeping_selection(std::move(*listing));
}

void FileExplorerWidget::sync(const vask_ui::SyncContext& context)
{
    m_now = context.now;
    if (m_rename_focus_pending && m_rename_index) {
        m_rename_field.set_focus(true);
        m_rename_focus_pending = false;
    }
    poll(context.now);
    if (collaborative_search_needs_refresh()) {
        m_status = "Collaborative search needs a refresh to continue.";
        mark_dirty();
    }
}

bool FileExplorerWidget::take_structure_dirty()
{
    bool toolbar = m_toolbar.take_structure_dirty();
    bool shell = m_shell.take_structure_dirty();
    bool dirty = toolbar || shell || m_dirty;
    m_dirty = false;
    return dirty;
}


} // namespace file_explorer
