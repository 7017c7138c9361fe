#include <gtest/gtest.h>

#include <fstream>
#include <sys/stat.h>

#include "command/menus.hpp"
#include "files_app/explorer_fixture.hpp"
#include "i18n/messages.hpp"
#include "platform/actions/resource.hpp"

namespace file_explorer {
namespace {

using testing::ExplorerWindow;
using vask_actions::Invocation;
using vask_actions::OperationType;
using vask_ui::InvocationStatus;
namespace fs = std::filesystem;

constexpr auto kEffect = OperationType::Effect;
constexpr auto kNav = OperationType::Navigation;

struct Commands : ExplorerWindow {
    void SetUp() override
    {
        dir.write("root/alpha.txt", "alpha");
        dir.write("root/trip.zip", "not really");
        dir.mkdir("root/folder");
    }

    vask_ui::InvocationOutcome invoke(OperationType type, std::string id, nlohmann::json payload = nullptr)
    {
        auto outcome = explorer->invoke(Invocation{type, std::move(id), std::move(payload)});
        paint();
        return outcome;
    }

    std::string entry_id(std::string_view name) { return entry_resource_id(root / name); }

    std::vector<std::string> labels(const Menu& menu)
    {
        std::vector<std::string> out;
        for (const auto& item : menu)
            out.push_back(item.is_separator() ? "\u2014" : item.action ? item.label : "[" + item.label + "]");
        return out;
    }
    std::vector<std::string> ids(std::initializer_list<const char*> message_ids)
    {
        std::vector<std::string> out;
        for (const char* id : message_ids)
            out.push_back(std::string_view(id) == "-" ? "\u2014" : i18n::message(id));
        return out;
    }
};

TEST_F(Commands, DispatchAnswersByIdTypeAndWord)
{
    start();
    struct Case {
        OperationType type;
        std::string id;
        nlohmann::json payload;
        InvocationStatus status;
        std::string text;
    };
    const std::string missing_entry = entry_resource_id(root / "gone.txt");
    const Case cases[] = {
        {kNav, "files.refresh", nullptr, InvocationStatus::NotHandled, ""},
        {kEffect, "files.unknown", nullptr, InvocationStatus::NotHandled, ""},
        {kEffect, "files.folder-command", "up", InvocationStatus::Failed, "file command has an invalid operation kind"},
        {kNav, "files.folder-command", "dance", InvocationStatus::NotHandled, ""},
        {kEffect, "files.folder-command", "empty-trash", InvocationStatus::NotHandled, ""},
        {kEffect, "files.paste", nullptr, InvocationStatus::Failed, "The clipboard is empty"},
        {kEffect, "files.entry-command", nlohmann::json::array(), InvocationStatus::Failed, "missing file command"},
        {kEffect, "files.entry-command", {"copy"}, InvocationStatus::Failed, "missing file resource"},
        {kEffect, "files.entry-command", {"copy", missing_entry}, InvocationStatus::Failed, "file entry is no longer visible"},
        {kNav, "files.entry-command", {"copy", entry_id("alpha.txt")}, InvocationStatus::Failed, "file command has an invalid operation kind"},
        {kEffect, "files.entry-command", {"purge", entry_id("alpha.txt")}, InvocationStatus::NotHandled, ""},
        {kEffect, "files.entry-command", {"juggle", entry_id("alpha.txt")}, InvocationStatus::NotHandled, ""},
        {kEffect, "files.entry-command", {"keep-offline", entry_id("alpha.txt")}, InvocationStatus::Failed, "file operation could not be applied"},
        {kEffect, "files.rename", nlohmann::json::array(), InvocationStatus::Failed, "missing file resource"},
        {kEffect, "files.rename", {entry_id("alpha.txt")}, InvocationStatus::Failed, "missing new file name"},
        {kEffect, "files.rename", {missing_entry, "x"}, InvocationStatus::Failed, "file entry is no longer visible"},
        {kNav, "files.open", {missing_entry}, InvocationStatus::Failed, "file location is no longer available"},
        {kNav, "files.reveal-record", {"nope"}, InvocationStatus::Failed, "invalid collaborative record id"},
        {kEffect, "files.new-from-template", {"files.template:00"}, InvocationStatus::Failed, "the template is no longer available"},
        {kNav, "files.remote-account", nlohmann::json::array(), InvocationStatus::Failed, "missing remote account operation"},
        {kNav, "files.remote-account", {"details"}, InvocationStatus::Failed, "missing remote account id"},
        {kNav, "files.remote-dav", nullptr, InvocationStatus::Failed, "remote file operations must be effect actions"},
        {kEffect, "files.nearby-cancel", {"t"}, InvocationStatus::Failed, "nearby transfer is no longer available"},
        {kEffect, "vask.ui.control.invoke", "files.nowhere", InvocationStatus::NotHandled, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.id + " " + c.payload.dump());
        auto outcome = invoke(c.type, c.id, c.payload);
        EXPECT_EQ(outcome.status, c.status);
        EXPECT_EQ(outcome.text, c.text);
    }
    EXPECT_FALSE(explorer->notice()) << "failed invocations leave the status message alone";
}

TEST_F(Commands, SuccessfulCommandsChangeTheExplorer)
{
    start();
    EXPECT_EQ(invoke(kNav, "files.folder-command", "grid").status, InvocationStatus::Handled);
    EXPECT_EQ(explorer->view_mode(), ViewMode::Grid);
    EXPECT_EQ(invoke(kNav, "files.folder-command", "sort-size").status, InvocationStatus::Handled);
    EXPECT_EQ(explorer->sort_by(), SortKey::Size);
    EXPECT_EQ(invoke(kEffect, "files.new-folder", {"Made"}).status, InvocationStatus::Handled);
    EXPECT_TRUE(fs::is_directory(root / "Made"));
    EXPECT_EQ(invoke(kEffect, "files.rename", {entry_id("alpha.txt"), "omega.txt"}).status, InvocationStatus::Handled);
    EXPECT_TRUE(fs::exists(root / "omega.txt"));
    EXPECT_EQ(invoke(kEffect, "files.entry-command", {"copy", entry_id("omega.txt")}).status, InvocationStatus::Handled);
    EXPECT_EQ(invoke(kEffect, "files.paste").status, InvocationStatus::Handled);
    EXPECT_TRUE(fs::exists(root / "omega 2.txt"));
    EXPECT_EQ(invoke(kEffect, "files.folder-command", "add-favorite").status, InvocationStatus::Handled);
    EXPECT_EQ(explorer->notice(), i18n::message("files-added-favourite"));
    EXPECT_EQ(invoke(kEffect, "files.entry-command", {"trash", entry_id("omega 2.txt")}).status, InvocationStatus::Handled);
    EXPECT_FALSE(fs::exists(root / "omega 2.txt"));
    EXPECT_EQ(invoke(kNav, "files.open", {entry_id("folder")}).status, InvocationStatus::Handled);
    EXPECT_EQ(explorer->current_path(), root / "folder");
    EXPECT_EQ(invoke(kNav, "files.folder-command", "up").status, InvocationStatus::Handled);
    EXPECT_EQ(explorer->current_path(), root);
    EXPECT_EQ(invoke(kEffect, "files.refresh").status, InvocationStatus::Handled);

    explorer->apply(action::OpenPath{dir / "data/Trash/files"});
    auto in_trash = invoke(kEffect, "files.entry-command", {"trash", entry_resource_id(dir / "data/Trash/files/omega 2.txt")});
    EXPECT_EQ(in_trash.text, "Use the separately confirmed permanent-delete action for items already in Trash");
    EXPECT_EQ(invoke(kEffect, "files.entry-command", {"restore", entry_resource_id(dir / "data/Trash/files/omega 2.txt")}).status,
              InvocationStatus::Handled);
    EXPECT_TRUE(fs::exists(root / "omega 2.txt"));
}

TEST_F(Commands, TheRetryButtonAndToolbarButtonsAnswerControlInvocations)
{
    start();
    explorer->apply(action::OpenPath{root / "missing"});
    dir.mkdir("root/missing");
    EXPECT_EQ(invoke(kEffect, "vask.ui.control.invoke", "files.retry").status, InvocationStatus::Handled);
    EXPECT_FALSE(explorer->load_error());
    EXPECT_EQ(invoke(kEffect, "vask.ui.control.invoke", "files.up").status, InvocationStatus::Handled);
    EXPECT_EQ(explorer->current_path(), root);
}

TEST_F(Commands, TerminalStartsInTheCurrentFolder)
{
    start();
    auto bin = dir.mkdir("bin");
    {
        std::ofstream script(bin / "terminal");
        script << "#!/bin/sh\npwd > \"" << (dir / "terminal-ran").string() << "\"\n";
    }
    ::chmod((bin / "terminal").c_str(), 0755);
    test_support::ScopedEnv path{"PATH", bin.string()};
    EXPECT_EQ(invoke(kEffect, "files.folder-command", "terminal").status, InvocationStatus::Handled);
    for (int i = 0; i < 200 && !fs::exists(dir / "terminal-ran"); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    std::ifstream ran(dir / "terminal-ran");
    std::string cwd;
    std::getline(ran, cwd);
    EXPECT_EQ(cwd, root.string());

    test_support::ScopedEnv none{"PATH", (dir / "nothing-here").string()};
    auto outcome = invoke(kEffect, "files.folder-command", "terminal");
    EXPECT_EQ(outcome.status, InvocationStatus::Failed);
    EXPECT_TRUE(outcome.text.starts_with("could not open terminal: ")) << outcome.text;
}

TEST_F(Commands, ResourcesPublishTheFolderEntriesAndPlaces)
{
    start();
    auto resources = explorer->resources();
    ASSERT_FALSE(resources.empty());
    const auto& folder = resources.front();
    EXPECT_EQ(folder.kind, "files.folder");
    EXPECT_EQ(folder.label, "root");
    std::vector<std::string> action_ids;
    for (const auto& a : folder.actions)
        action_ids.push_back(a.action_id());
    EXPECT_EQ(action_ids, (std::vector<std::string>{"refresh", "up", "back", "forward", "open-terminal", "toggle-hidden", "list",
                                                    "grid", "sort-name", "sort-size", "sort-type", "sort-modified",
                                                    "sort-ascending", "sort-descending", "zoom-in", "zoom-out",
                                                    "keyboard-shortcuts", "add-favorite", "new-folder", "paste"}));
    const auto* paste = folder.find_action("paste");
    ASSERT_FALSE(paste->is_available());
    EXPECT_EQ(paste->contract()->unavailable->reason_code, "clipboard_empty");
    EXPECT_EQ(folder.find_action("up")->contract()->risk, vask_actions::RiskClass::Low);
    EXPECT_EQ(folder.find_action("new-folder")->contract()->risk, vask_actions::RiskClass::Confirm);
    EXPECT_EQ(folder.find_action("new-folder")->input()->default_text, "New Folder");

    auto entry = std::ranges::find(resources, entry_id("alpha.txt"), &vask_actions::Resource::id);
    ASSERT_NE(entry, resources.end());
    EXPECT_TRUE(entry->find_action("trash")->is_destructive());
    EXPECT_EQ(entry->find_action("copy")->payload(), nlohmann::json({"copy", entry_id("alpha.txt")}));
    EXPECT_FALSE(entry->find_action("extract"));
    auto zip = std::ranges::find(resources, entry_id("trip.zip"), &vask_actions::Resource::id);
    ASSERT_NE(zip, resources.end());
    EXPECT_TRUE(zip->find_action("extract"));
    EXPECT_TRUE(std::ranges::any_of(resources, [](const auto& r) { return r.kind == "files.place" && r.label == "Root"; }));
}

TEST_F(Commands, ContextMenusFollowTheLocationSelectionAndClipboard)
{
    start();
    auto menu = [&] { return labels(file_context_menu(*explorer)); };
    const auto tail = ids({"-", "files-menu-show-hidden", "-", "files-menu-sort-name", "files-menu-sort-size",
                           "files-menu-sort-type", "files-menu-sort-date", "-", "files-menu-open-terminal"});
    auto with_tail = [&](std::vector<std::string> head) {
        head.insert(head.end(), tail.begin(), tail.end());
        return head;
    };
    EXPECT_EQ(menu(), with_tail(ids({"-", "files-menu-new-folder"})));

    explorer->selection().select_only(std::size_t(index_of("alpha.txt")));
    EXPECT_EQ(menu(), with_tail(ids({"files-menu-open", "files-menu-rename", "-", "files-menu-cut", "files-menu-copy",
                                     "files-menu-send-nearby", "files-archive-compress", "files-menu-properties", "-",
                                     "files-menu-new-folder", "-", "files-menu-move-trash"})));
    explorer->apply(action::Copy{});
    explorer->selection().clear();
    EXPECT_EQ(menu(), with_tail(ids({"files-menu-paste", "-", "files-menu-new-folder"})));

    dir.write("templates/Letter.odt");
    explorer->selection().select_only(std::size_t(index_of("folder")));
    EXPECT_EQ(menu(), with_tail(ids({"files-menu-open", "files-menu-rename", "-", "files-menu-cut", "files-menu-copy",
                                     "files-menu-send-nearby", "files-archive-compress", "files-menu-properties",
                                     "files-menu-paste", "-", "files-menu-new-folder", "files-menu-new-file", "-",
                                     "files-menu-move-trash", "-", "files-menu-add-favourite"})));

    explorer->selection().select_only(std::size_t(index_of("alpha.txt")));
    explorer->selection().toggle(std::size_t(index_of("trip.zip")));
    EXPECT_EQ(menu(), with_tail(ids({"files-menu-open", "files-menu-rename", "-", "files-menu-cut", "files-menu-copy",
                                     "files-archive-extract-here", "files-archive-compress", "files-menu-paste", "-",
                                     "files-menu-new-folder", "files-menu-new-file", "-", "files-menu-move-trash"})));

    explorer->apply(action::DeleteSelection{});
    explorer->apply(action::OpenPath{dir / "data/Trash/files"});
    EXPECT_EQ(menu(), ids({"-", "files-menu-empty-trash"}));
    explorer->selection().select_only(0);
    EXPECT_EQ(menu(), ids({"files-menu-open", "-", "files-menu-restore", "files-menu-delete-permanently", "-",
                           "files-menu-empty-trash"}));
}

TEST_F(Commands, ViewAndSortMenusCheckTheCurrentChoice)
{
    start();
    explorer->apply(action::SetSortBy{SortKey::Size});
    auto sort = labels(sort_menu(*explorer));
    EXPECT_EQ(sort, ids({"files-sort-name", "files-sort-size", "files-sort-type", "files-sort-date", "-",
                         "files-sort-ascending", "files-sort-descending"}));
    auto checked = sort_menu(*explorer);
    EXPECT_TRUE(checked[1].checked);
    EXPECT_TRUE(checked[5].checked);
    EXPECT_FALSE(checked[0].checked);

    EXPECT_EQ(labels(view_menu(*explorer)), ids({"files-menu-new-folder", "files-menu-show-hidden", "files-menu-open-terminal",
                                                 "files-shortcuts-title"}));
    size = {600, 500}; // a compact toolbar folds Forward and the view controls into the menu
    paint();
    paint();
    auto compact = labels(view_menu(*explorer));
    ASSERT_GE(compact.size(), 7u);
    EXPECT_EQ(compact[0], "[" + i18n::message("files-forward") + "]");
    EXPECT_EQ(compact[2], i18n::message("files-view-list"));
    EXPECT_EQ(compact[5], i18n::message("files-sort-by"));
}

template <std::size_t... I>
std::vector<std::size_t> guarded_indices(std::index_sequence<I...>)
{
    std::vector<std::size_t> out;
    ((changes_current_folder(ExplorerAction(std::in_place_index<I>)) ? out.push_back(I) : void()), ...);
    return out;
}

TEST(ArchiveGuard, CoversExactlyTheActionsThatWouldChangeTheFolder)
{
    // OpenTerminal, NewFolder, StartRename, CommitRename, DeleteSelection, Copy, Cut, Paste, ExtractSelection,
    // CompressSelection, NewFromTemplate, ArmDrag, StartDrag; nothing else.
    const std::vector<std::size_t> expected{19, 20, 21, 22, 24, 26, 27, 28, 29, 31, 39, 41, 42};
    EXPECT_EQ(guarded_indices(std::make_index_sequence<std::variant_size_v<ExplorerAction>>{}), expected);
}

} // namespace
} // namespace file_explorer
