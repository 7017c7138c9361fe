#pragma once

#include <array>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "fileops/clipboard.hpp"
#include "files_app/explorer_action.hpp"
#include "files_app/sheet.hpp"
#include "model/listing.hpp"
#include "model/location.hpp"
#include "platform/actions/invocation.hpp"
#include "platform/ui/opener.hpp"
#include "platform/ui/selection_model.hpp"
#include "platform/ui/widget.hpp"
#include "platform/ui/widgets/button.hpp"
#include "platform/ui/widgets/containers.hpp"
#include "platform/ui/widgets/context_menu.hpp"
#include "platform/ui/widgets/spinner.hpp"
#include "platform/ui/widgets/status_bubble.hpp"
#include "platform/ui/widgets/text_input.hpp"
#include "views/favorites.hpp"
#include "views/file_view.hpp"
#include "views/places_sidebar.hpp"
#include "views/toolbar.hpp"

namespace file_explorer {

inline constexpr int kMinItemSizeStep = -2;
inline constexpr std::size_t kNoticeMaxChars = 512;

// One item of a menu the explorer opens: its label, the action it applies (none: disabled) and
// whether it shows a check mark. An empty label without an action is a separator.
struct MenuEntry {
    std::string label;
    std::optional<ExplorerAction> action;
    bool checked = false;

    static MenuEntry separator() { return {}; }
    bool is_separator() const { return label.empty() && !action; }
};
using Menu = std::vector<MenuEntry>;

// The paths the last move to Trash added to the Trash folder.
using UndoRecord = std::vector<std::filesystem::path>;
inline constexpr int kMaxItemSizeStep = 6;

// What the explorer takes from its host; tests supply their own folders.
struct ExplorerEnvironment {
    // The application's configuration folder ("zoom", "favorites"), or none.
    std::optional<std::filesystem::path> config_dir;
    // The Trash's "files" folder, or none.
    std::optional<std::filesystem::path> trash_files_dir;
    vask_ui::opener::Mode opener_mode = vask_ui::opener::Mode::Desktop;
    // Called instead of the desktop opener when the mode is Embedded.
    std::function<vask_base::Status(const std::filesystem::path&)> embedded_opener;
    // The templates folder for "New file"; none hides the template items.
    std::optional<std::filesystem::path> templates_dir;
    // Where the explorer starts when no workspace root applies; the home folder when empty.
    std::filesystem::path home;

    // The environment of the running desktop session.
    static ExplorerEnvironment from_desktop();
};

// The application's root widget and the owner of all explorer state: the location, its listing,
// view settings, selection and history.
class FileExplorerWidget : public vask_ui::Widget {
public:
    explicit FileExplorerWidget(ExplorerEnvironment environment, vask_ui::Clock::time_point now = vask_ui::Clock::now());

    // Navigation.
    void open_path(const std::filesystem::path& path);
    void go_up();
    void go_back();
    void go_forward();
    void reload();
    void activate_path(const std::filesystem::path& path);
    // A primary click on item `index` (or empty space); returns the path to activate when the click
    // completes a double click.
    std::optional<std::filesystem::path> click_item(std::optional<std::size_t> index, vask_ui::Clock::time_point now);

    // View settings.
    void set_view_mode(ViewMode mode)
    {
        m_view_mode = mode;
        mark_dirty();
    }
    void set_sort_by(SortKey key);
    void set_sort_order(SortOrder order);
    void toggle_sort_order();
    void toggle_hidden();
    void set_item_size(int step);

    // The automatic re-listing, called from every synchronisation.
    void poll(vask_ui::Clock::time_point now);

    // Queries.
    const std::filesystem::path& current_path() const { return m_current; }
    LocationKind location_kind() const;
    // Cheaper than location_kind(): no workspace roots are looked up (it runs while painting).
    bool is_trash() const;
    const std::optional<ArchiveSplit>& archive() const { return m_archive; }
    const Listing& entries() const { return m_entries; }
    const vask_ui::SelectionModel& selection() const { return m_selection; }
    vask_ui::SelectionModel& selection() { return m_selection; }
    ViewMode view_mode() const { return m_view_mode; }
    SortKey sort_by() const { return m_sort_by; }
    SortOrder sort_order() const { return m_sort_order; }
    bool show_hidden() const { return m_show_hidden; }
    int item_size_step() const { return m_item_size_step; }
    float item_zoom() const { return 1.0f + 0.15f * float(m_item_size_step); }
    bool is_loading() const { return m_loading; }
    const std::optional<std::string>& load_error() const { return m_load_error; }
    std::uint64_t load_generation() const { return m_load_generation; }
    const std::vector<std::filesystem::path>& back_history() const { return m_back; }
    const std::vector<std::filesystem::path>& forward_history() const { return m_forward; }
    vask_ui::Clock::time_point poll_deadline() const { return m_poll_deadline; }
    // The notice: the one-line status message (at most 512 characters).
    const std::optional<std::string>& notice() const { return m_status; }
    void set_notice(std::optional<std::string> text);
    // The status pill's text: the notice, else the item count; with a selection, the selected count too.
    std::string status_line() const;
    void set_status_pinned(bool pinned) { m_bubble.set_pinned(pinned); }

    // The operation hub: the only way an action changes the explorer. Returns whether anything
    // visible changed.
    bool apply(const ExplorerAction& action);
    // A published action invoked by another program or the desktop (command ids "files.*").
    vask_ui::InvocationOutcome invoke(const vask_actions::Invocation& invocation);
    vask_ui::InvocationOutcome invoke_resource_operation_v2(const vask_actions::Invocation& invocation) override
    {
        return invoke(invocation);
    }
    std::vector<vask_actions::Resource> resources() const override;

    // States the screenshot scenarios show without reaching them the slow way.
    void show_loading_state();
    void show_load_error(std::string text);
    void set_undo_record(std::optional<UndoRecord> record) { m_undo_record = std::move(record); }

    // Sheets.
    const std::optional<Sheet>& sheet() const { return m_sheet; }
    void open_sheet(Sheet sheet);
    void close_sheet();
    std::optional<ExplorerAction> sheet_confirmation() const;

    // Menus: the main menu (context, view, sort, place menus) and the template menu.
    void open_context_menu(vask_ui::Point at);
    const vask_ui::ContextMenu& main_menu() const { return m_main_menu; }
    const vask_ui::ContextMenu& template_menu() const { return m_template_menu; }
    const Menu& main_menu_entries() const { return m_main_menu_entries; }

    // Clipboard, undo record, rename and template state.
    const Clipboard& clipboard() const { return m_clipboard; }
    const std::optional<UndoRecord>& undo_record() const { return m_undo_record; }
    std::optional<std::size_t> rename_index() const { return m_rename_index; }
    const vask_ui::TextInput& rename_field() const { return m_rename_field; }
    std::vector<std::filesystem::path> template_paths() const;
    const std::vector<std::filesystem::path>& drag_candidates() const { return m_drag_candidates; }
    // The items of the drag in progress inside the window (empty without one) and its target.
    std::vector<std::filesystem::path> dragged_items() const { return m_drag ? m_drag->items : std::vector<std::filesystem::path>{}; }
    const std::optional<std::filesystem::path>& drop_target() const { return m_drop_target; }
    // The selected entries' paths in index order.
    std::vector<std::filesystem::path> selected_paths() const;
    float scroll_offset() const { return m_scroll_offset; }
    const std::optional<std::filesystem::path>& config_dir() const { return m_env.config_dir; }


    // Widget operations.
    void sync(const vask_ui::SyncContext& context) override;
    void draw(vask_ui::Scene& scene, const vask_ui::DrawContext& context) override;
    void draw_overlay(vask_ui::Scene& scene, const vask_ui::DrawContext& context) override;
    FileToolbar& toolbar() { return m_toolbar; }
    void handle_event(const vask_ui::InputEvent& event, vask_ui::EventContext& context) override;
    bool take_structure_dirty() override;
    bool needs_redraw() const override { return m_dirty || m_redraw; }
    bool needs_animation_frame() const override { return m_bubble.is_animating(vask_ui::Clock::now()); }
    std::optional<vask_ui::Clock::time_point> next_wake_deadline() const override { return m_poll_deadline; }
    bool is_focusable() const override { return m_sheet.has_value(); }
    void set_focus(bool focused) override
    {
        if (m_sheet)
            m_sheet->focused = focused;
    }
    vask_ui::LayoutNodeId build_layout(vask_ui::LayoutTree& tree, const vask_ui::LayoutContext& context) override;
    void apply_layout(const vask_ui::LayoutTree& tree, vask_ui::LayoutNodeId node) override;
    std::vector<const vask_ui::Widget*> children() const override;

    const Favourites& favourites() const { return m_favourites; }
    const FileToolbar& toolbar() const { return m_toolbar; }
    const PlacesSidebar* sidebar() const { return m_shell.shows_sidebar() ? m_sidebar : nullptr; }
    // Below this width the sidebar is hidden and the content takes the window.
    float compact_breakpoint() const;
    std::optional<vask_ui::a11y::AccessNode> accessibility() const override;
    bool perform_semantic_action(std::string_view id, std::string_view payload) override;
    // Where entry `index` is painted, while the file view is shown.
    std::optional<vask_ui::Rect> item_rect(std::size_t index) const
    {
        return m_view ? std::optional(m_view->item_rect(index)) : std::nullopt;
    }
    // How many rows Page Up and Page Down move: a screenful less two, at least one.
    std::size_t page_rows() const;
    // The explorer's whole rectangle at the last layout.
    vask_ui::Rect explorer_rect() const { return bounds(); }

private:
    friend struct ExplorerHub;
    void load(const std::filesystem::path& path);
    void step_history(std::vector<std::filesystem::path>& from, std::vector<std::filesystem::path>& to);
    // Lists `path`, from the archive when `split` says it lies inside one.
    vask_base::Result<Listing> list_location(const std::filesystem::path& path, const std::optional<ArchiveSplit>& split) const;
    void relist_in_place();
    void replace_entries_keeping_selection(Listing next);
    void mark_dirty() { m_dirty = true; }
    void mark_redraw() { m_redraw = true; }
    std::vector<std::filesystem::path> roots() const;

    // Steps of a load that belong to collaboration, remote accounts and identities.
    bool refresh_record_index_and_search();
    bool collaborative_search_needs_refresh() const;
    void reload_remote_accounts(std::uint64_t generation);
    void check_record_index_changes();
    bool reload_trusted_identities();

    // The window's panes, the file view and their input (file_explorer_view.cpp).
    void ensure_visible(std::size_t index);
    void on_key(const vask_ui::KeyPress& key, vask_ui::EventContext& context);
    void apply_view_events();
    void draw_state_panel(vask_ui::Scene& scene, const vask_ui::DrawContext& context);
    void draw_status_pill(vask_ui::Scene& scene, const vask_ui::DrawContext& context);
    void handle_sheet_event(const vask_ui::InputEvent& event, vask_ui::EventContext& context);
    bool handle_menu_event(const vask_ui::InputEvent& event, vask_ui::EventContext& context);
    bool handle_rename_event(const vask_ui::InputEvent& event, vask_ui::EventContext& context);
    void open_menu(vask_ui::ContextMenu& menu, Menu& entries, Menu items, vask_ui::Point at);
    void run_key_command(const vask_ui::KeyPress& key, vask_ui::EventContext& context);

    // Published commands (command/commands.cpp).
    std::optional<std::size_t> entry_index_for(std::string_view resource_id) const;
    vask_ui::InvocationOutcome invoke_folder_command(const std::string& word, vask_actions::OperationType type);
    vask_ui::InvocationOutcome invoke_entry_command(const std::optional<std::string>& word,
                                                    const std::optional<std::string>& resource,
                                                    vask_actions::OperationType type);
    std::vector<std::filesystem::path> place_paths() const;
    bool end_rename();

    // Dragging inside the window (file_explorer_drag.cpp).
    bool arm_drag(const action::ArmDrag& armed);
    bool start_drag(const action::StartDrag& start);
    std::optional<std::filesystem::path> drop_target_at(vask_ui::Point p) const;
    bool handle_drag_event(const vask_ui::InputEvent& event, vask_ui::EventContext& context);
    void drop(vask_ui::Point p);
    void draw_drag(vask_ui::Scene& scene, const vask_ui::DrawContext& context);

    // Trash flows (file_explorer_trash.cpp).
    bool delete_selection();
    bool undo_trash();
    bool restore_selection();
    bool delete_permanently(const std::vector<std::filesystem::path>& paths);
    bool empty_trash();
    template <typename Operation>
    bool count_trash_operation(const std::vector<std::filesystem::path>& paths, Operation operation,
                               const char* done_id, const char* failed_id);
    // Archive flows (file_explorer_archive.cpp).
    bool extract_selection();
    bool extract_current_archive();
    bool compress_selection();

    // Entry points of the modules that own the synchronisation, sharing, history and Nearby Send
    // actions (file_explorer_hooks.cpp). Each returns whether anything visible changed.
    bool route_availability_action(const ExplorerAction& action);
    bool route_sharing_action(const ExplorerAction& action);
    bool route_history_action(const ExplorerAction& action);
    bool route_nearby_action(const ExplorerAction& action);
    void decline_nearby_transfer(const std::string& transfer);

    ExplorerEnvironment m_env;
    std::filesystem::path m_current;
    std::optional<ArchiveSplit> m_archive; // where m_current lies inside an archive
    Listing m_entries;
    std::vector<std::filesystem::path> m_back;
    std::vector<std::filesystem::path> m_forward;
    std::optional<std::string> m_load_error;
    bool m_loading = false;
    std::uint64_t m_load_generation = 0;
    vask_ui::Clock::time_point m_poll_deadline;

    ViewMode m_view_mode = ViewMode::List;
    SortKey m_sort_by = SortKey::Name;
    SortOrder m_sort_order = SortOrder::Ascending;
    bool m_show_hidden = false;
    int m_item_size_step = 0;

    vask_ui::SelectionModel m_selection;
    struct LastClick {
        std::size_t index;
        vask_ui::Clock::time_point at;
    };
    std::optional<LastClick> m_last_click;

    // Hub state.
    Clipboard m_clipboard;
    std::optional<UndoRecord> m_undo_record;
    std::optional<Sheet> m_sheet;
    std::optional<std::size_t> m_rename_index;
    bool m_rename_focus_pending = false;
    vask_ui::TextInput m_rename_field{"files.rename_input", ""};
    vask_ui::ContextMenu m_main_menu;
    vask_ui::ContextMenu m_template_menu;
    Menu m_main_menu_entries;
    Menu m_template_menu_entries;
    std::vector<std::filesystem::path> m_drag_candidates;
    std::optional<action::ArmDrag> m_armed_drag;
    struct InternalDrag {
        std::vector<std::filesystem::path> items;
        std::filesystem::path path; // the pressed item
        bool is_dir = false;
    };
    std::optional<InternalDrag> m_drag;
    std::optional<std::filesystem::path> m_drop_target;
    vask_ui::Point m_pointer;
    vask_ui::StatusBubble m_bubble;
    std::string m_bubble_text;
    vask_ui::Clock::time_point m_now{};
    // Where the toolkit measures text; kept from the last layout for menus opened by actions.
    const vask_ui::TextRenderer* m_text = nullptr;
    const vask_ui::Theme* m_theme = nullptr;

    std::optional<std::string> m_status;
    float m_scroll_offset = 0;
    bool m_dirty = true;   // the structure changed: rebuild the layout and the file view
    bool m_redraw = false; // only the painting changed (hover, scrolling)
    ViewEventQueue m_view_events;
    FileToolbar m_toolbar{m_view_events};
    Favourites m_favourites;
    PlacesState m_places;
    vask_ui::NavShell m_shell;
    // Rebuilt at every layout build and owned by the shell.
    PlacesSidebar* m_sidebar = nullptr;
    vask_ui::Scrollable* m_scrollable = nullptr;
    FileView* m_view = nullptr;
    vask_ui::LayoutNodeId m_toolbar_node{}, m_shell_node{};
    vask_ui::Spinner m_spinner;
    vask_ui::Button m_retry{"files.retry", "", vask_ui::Glyph::None};
    float m_text_scale = 1;
    std::vector<DropTarget> m_drop_targets;
    std::optional<vask_ui::Rect> m_rename_box;
    vask_ui::Rect m_list_rect;          // the shell's content rectangle at the last layout
};

// Resource ids of a listed entry and of a place.
std::string entry_resource_id(const std::filesystem::path& path);
std::string place_resource_id(const std::filesystem::path& path);
// A collaborative record id as a hyphenated lower-case UUID.
std::string record_id_text(const std::array<std::uint8_t, 16>& id);

// The explorer's initial folder: the first workspace root, else "/workspace" when the roots
// variable is unset and it exists, else `home`, else the working directory, else "/".
std::filesystem::path initial_folder(const std::filesystem::path& home);

// A load error as the error panel shows it: the text after its first ": " (the system's part),
// cut to 25 characters and "…" when longer than 26.
std::string short_load_error(const std::string& error);

// A path as a state panel shows it: longer than `limit` characters, "…" and its last limit − 1.
std::string short_panel_path(const std::string& path, std::size_t limit);

// The item size step stored in `zoom_file_text`: trimmed, parsed as a signed 32-bit decimal,
// clamped to the allowed steps; unparsable text gives 0.
int parse_item_size_step(std::string_view zoom_file_text);

} // namespace file_explorer
