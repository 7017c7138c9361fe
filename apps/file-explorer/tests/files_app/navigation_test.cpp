#include <gtest/gtest.h>

#include <fstream>
#include <sys/stat.h>

#include "files_app/explorer_fixture.hpp"
#include "platform/ui/gesture.hpp"
#include "support/temp_dir.hpp"

namespace file_explorer {
namespace {

using namespace std::chrono_literals;
using test_support::ScopedEnv;
using test_support::TempDir;

// An explorer on a temporary tree: root/{a/{b}, c, file.txt}, started in root through the
// workspace roots variable.
struct ExplorerFixture : ::testing::Test {
    TempDir dir;
    std::filesystem::path root = dir.mkdir("root");
    ScopedEnv roots{"VASK_WORKSPACE_ROOTS", root.string()};
    vask_ui::Clock::time_point t0 = vask_ui::Clock::now();
    std::vector<std::filesystem::path> opened;

    ExplorerEnvironment environment() { return testing::fixture_environment(dir, opened); }

    void SetUp() override
    {
        dir.mkdir("root/a/b");
        dir.mkdir("root/c");
        dir.write("root/file.txt", "x");
    }

    std::vector<std::string> names(const FileExplorerWidget& e)
    {
        std::vector<std::string> out;
        for (const auto& entry : e.entries())
            out.push_back(entry.name);
        return out;
    }
};

TEST_F(ExplorerFixture, StartsInTheFirstWorkspaceRootListedAndSorted)
{
    FileExplorerWidget explorer(environment(), t0);
    EXPECT_EQ(explorer.current_path(), root);
    EXPECT_EQ(names(explorer), (std::vector<std::string>{"a", "c", "file.txt"}));
    EXPECT_EQ(explorer.location_kind(), LocationKind::WorkspaceFolder);
    EXPECT_EQ(explorer.load_generation(), 1u);
    EXPECT_EQ(explorer.poll_deadline(), t0 + 750ms);
}

TEST_F(ExplorerFixture, InitialFolderFallsBackToHomeWhenNoRootExists)
{
    ScopedEnv none{"VASK_WORKSPACE_ROOTS", (dir / "missing").string() + "::"};
    auto env = environment();
    dir.mkdir("home");
    FileExplorerWidget explorer(env, t0);
    EXPECT_EQ(explorer.current_path(), dir / "home");
}

TEST_F(ExplorerFixture, HistoryWalksBackForwardAndUp)
{
    FileExplorerWidget e(environment(), t0);
    e.open_path(root / "a");
    e.open_path(root / "a/b");
    e.go_up();
    EXPECT_EQ(e.current_path(), root / "a");
    e.go_back(); // Back after Up returns to the child
    EXPECT_EQ(e.current_path(), root / "a/b");
    e.go_forward(); // Forward then returns to the parent
    EXPECT_EQ(e.current_path(), root / "a");

    e.go_back();
    e.go_back();
    EXPECT_EQ(e.current_path(), root / "a");
    ASSERT_FALSE(e.forward_history().empty());
    e.open_path(root / "c"); // a new path after going back clears Forward
    EXPECT_TRUE(e.forward_history().empty());

    auto back = e.back_history();
    e.open_path(root / "c/"); // the same folder again only reloads
    EXPECT_EQ(e.back_history(), back);
    EXPECT_EQ(e.current_path(), root / "c/");
    e.reload();
    EXPECT_EQ(e.back_history(), back);
}

TEST_F(ExplorerFixture, EmptyHistoriesAndRootDoNothing)
{
    FileExplorerWidget e(environment(), t0);
    auto generation = e.load_generation();
    e.go_back();
    e.go_forward();
    EXPECT_EQ(e.load_generation(), generation);
    e.open_path("/");
    auto depth = e.back_history().size();
    e.go_up();
    EXPECT_EQ(e.current_path(), "/");
    EXPECT_EQ(e.back_history().size(), depth);
}

TEST_F(ExplorerFixture, UnreadableFolderBecomesCurrentWithLoadError)
{
    FileExplorerWidget e(environment(), t0);
    e.selection().select_only(0);
    e.open_path(root / "missing");
    EXPECT_EQ(e.current_path(), root / "missing");
    EXPECT_TRUE(e.entries().empty());
    EXPECT_TRUE(e.selection().is_empty());
    ASSERT_TRUE(e.load_error());
    EXPECT_NE(e.load_error()->find("No such file or directory (os error 2)"), std::string::npos);
    e.open_path(root / "file.txt");
    ASSERT_TRUE(e.load_error());
    EXPECT_NE(e.load_error()->find("os error 20"), std::string::npos);
    e.go_back();
    EXPECT_EQ(e.current_path(), root / "missing");
    e.go_up();
    EXPECT_EQ(e.current_path(), root);
    EXPECT_FALSE(e.load_error());
}

int list_as_nobody(void* data)
{
    // Runs in a child without privileges: the folder's mode bits now apply.
    auto* folder = static_cast<std::filesystem::path*>(data);
    ExplorerEnvironment env;
    FileExplorerWidget e(env);
    e.open_path(*folder);
    return e.load_error() && e.load_error()->find("Permission denied (os error 13)") != std::string::npos ? 0 : 1;
}

TEST_F(ExplorerFixture, PermissionDeniedShowsTheLoadError)
{
    auto locked = dir.mkdir("locked");
    ::chmod(dir.path().c_str(), 0755);
    ::chmod(locked.c_str(), 0700);
    int status = test_support::run_unprivileged(list_as_nobody, &locked);
    if (status < 0)
        GTEST_SKIP() << "cannot drop privileges here";
    EXPECT_EQ(status, 0);
}

TEST_F(ExplorerFixture, DoubleClickNeedsTheSameItemWithinTheInterval)
{
    FileExplorerWidget e(environment(), t0);
    auto interval = vask_ui::gesture::multi_click_interval();
    EXPECT_FALSE(e.click_item(0, t0));
    EXPECT_EQ(e.selection().selected(), (std::vector<std::size_t>{0}));
    auto target = e.click_item(0, t0 + interval / 2);
    ASSERT_TRUE(target);
    EXPECT_EQ(*target, root / "a");

    EXPECT_FALSE(e.click_item(1, t0 + 1s));
    EXPECT_FALSE(e.click_item(2, t0 + 1s + 10ms)); // another item in between starts over
    EXPECT_FALSE(e.click_item(1, t0 + 1s + 20ms));
    EXPECT_FALSE(e.click_item(1, t0 + 1s + 20ms + interval)); // too slow
    EXPECT_EQ(e.selection().primary(), 1u);
    e.click_item(std::nullopt, t0 + 5s);
    EXPECT_TRUE(e.selection().is_empty());
}

TEST_F(ExplorerFixture, ActivationOpensFoldersAndHandsFilesToTheOpener)
{
    FileExplorerWidget e(environment(), t0);
    e.activate_path(root / "a");
    EXPECT_EQ(e.current_path(), root / "a");
    e.activate_path(root / "file.txt");
    EXPECT_EQ(opened, (std::vector<std::filesystem::path>{root / "file.txt"}));

    auto env = environment();
    env.opener_mode = vask_ui::opener::Mode::Unavailable;
    FileExplorerWidget without(env, t0);
    without.activate_path(root / "file.txt");
    EXPECT_EQ(without.notice(), "Document opening is unavailable");
}

TEST_F(ExplorerFixture, DesktopOpenerRefusesNonUtf8AndReportsSpawnFailures)
{
    auto env = environment();
    env.opener_mode = vask_ui::opener::Mode::Desktop;
    FileExplorerWidget e(env, t0);
    auto odd = dir.write("root/\xFF.txt", "x");
    e.activate_path(odd);
    EXPECT_EQ(e.notice(), "the desktop opener takes UTF-8 paths");
    vask_ui::opener::set_desktop_program("/nonexistent/opener");
    e.activate_path(root / "file.txt");
    vask_ui::opener::set_desktop_program("xdg-open");
    EXPECT_EQ(e.notice(), "No such file or directory (os error 2)");
}

TEST_F(ExplorerFixture, HiddenToggleReloadsAndClearsSelection)
{
    dir.write("root/.hidden");
    FileExplorerWidget e(environment(), t0);
    EXPECT_EQ(e.entries().size(), 3u);
    e.selection().select_only(1);
    e.toggle_hidden();
    EXPECT_EQ(e.entries().size(), 4u);
    EXPECT_TRUE(e.selection().is_empty());
}

TEST_F(ExplorerFixture, SortChangesKeepTheSelectedItems)
{
    FileExplorerWidget e(environment(), t0);
    e.selection().select_only(2); // file.txt
    e.set_sort_order(SortOrder::Descending);
    EXPECT_EQ(names(e), (std::vector<std::string>{"c", "a", "file.txt"}));
    EXPECT_EQ(e.selection().primary(), 2u);
    e.set_sort_order(SortOrder::Descending);
    EXPECT_EQ(e.sort_order(), SortOrder::Descending);
    e.set_sort_by(SortKey::Size);
    EXPECT_EQ(e.sort_by(), SortKey::Size);
    EXPECT_EQ(e.entries()[*e.selection().primary()].name, "file.txt");
}

TEST_F(ExplorerFixture, ItemSizeIsClampedAndStored)
{
    FileExplorerWidget e(environment(), t0);
    EXPECT_EQ(e.item_size_step(), 0);
    e.set_item_size(6);
    e.set_item_size(7);
    EXPECT_EQ(e.item_size_step(), 6);
    std::ifstream in(dir / "config/zoom");
    std::string text;
    in >> text;
    EXPECT_EQ(text, "6");
    std::filesystem::remove(dir / "config/zoom");
    e.set_item_size(6); // unchanged: nothing written
    EXPECT_FALSE(std::filesystem::exists(dir / "config/zoom"));
    e.set_item_size(-100);
    EXPECT_EQ(e.item_size_step(), -2);

    FileExplorerWidget restarted(environment(), t0);
    EXPECT_EQ(restarted.item_size_step(), -2);
}

TEST(ZoomFile, ParsesTrimsAndClamps)
{
    const std::pair<const char*, int> cases[] = {
        {"3", 3}, {" +4\n", 4}, {"-2", -2}, {"-3", -2}, {"99", 6}, {"abc", 0}, {"", 0}, {"2x", 0},
        {"99999999999", 0}, {"-2147483648", -2},
    };
    for (auto [text, step] : cases)
        EXPECT_EQ(parse_item_size_step(text), step) << text;
}

TEST_F(ExplorerFixture, PollingLadderFollowsTheFolderSize)
{
    const std::pair<std::size_t, std::chrono::milliseconds> cases[] = {
        {0, 750ms}, {511, 750ms}, {512, 3s}, {4095, 3s}, {4096, 12s}, {19999, 12s}, {20000, 30s},
    };
    for (auto [count, interval] : cases) {
        TempDir big;
        for (std::size_t i = 0; i < count; ++i)
            std::ofstream(big / std::to_string(i));
        FileExplorerWidget e(environment(), t0);
        e.open_path(big.path());
        ASSERT_EQ(e.entries().size(), count);
        e.poll(t0 + 1ms);
        EXPECT_EQ(e.poll_deadline(), t0 + 750ms) << "not due yet";
        e.poll(t0 + 750ms);
        EXPECT_EQ(e.poll_deadline(), t0 + 750ms + interval) << count;
    }
}

TEST_F(ExplorerFixture, PollingPicksUpChangesAndCarriesTheSelectionByPath)
{
    FileExplorerWidget e(environment(), t0);
    e.selection().click(2, vask_ui::SelectionModel::Toggle::No, vask_ui::SelectionModel::Range::No); // file.txt
    e.selection().click(1, vask_ui::SelectionModel::Toggle::Yes, vask_ui::SelectionModel::Range::No); // c, primary
    auto generation = e.load_generation();
    e.take_structure_dirty();

    e.poll(t0 + 750ms); // nothing changed: nothing happens
    EXPECT_FALSE(e.take_structure_dirty());

    dir.write("root/b.txt");
    std::filesystem::rename(root / "c", root / "renamed");
    e.set_notice("kept");
    e.poll(t0 + 2s);
    EXPECT_EQ(names(e), (std::vector<std::string>{"a", "renamed", "b.txt", "file.txt"}));
    EXPECT_EQ(e.selection().selected(), (std::vector<std::size_t>{3})); // file.txt moved to 3, c is gone
    EXPECT_FALSE(e.selection().primary());
    EXPECT_EQ(e.notice(), "kept");
    EXPECT_EQ(e.load_generation(), generation);
    EXPECT_TRUE(e.take_structure_dirty());
}

TEST_F(ExplorerFixture, PollingWaitsWhileRenaming)
{
    FileExplorerWidget e(environment(), t0);
    e.selection().select_only(0);
    e.apply(action::StartRename{});
    ASSERT_TRUE(e.rename_index());
    dir.write("root/new.txt");
    e.poll(t0 + 1s);
    EXPECT_EQ(e.entries().size(), 3u);
    e.apply(action::CancelRename{});
    e.poll(t0 + 2s);
    EXPECT_EQ(e.entries().size(), 4u);
}

TEST_F(ExplorerFixture, EnteringTheTrashCreatesIt)
{
    FileExplorerWidget e(environment(), t0);
    e.open_path(dir / "data/Trash/files");
    EXPECT_TRUE(e.is_trash());
    EXPECT_FALSE(e.load_error());
    EXPECT_TRUE(std::filesystem::is_directory(dir / "data/Trash/files"));
}

} // namespace
} // namespace file_explorer

namespace file_explorer {
namespace {

TEST(LoadErrorPanel, ShowsTheSystemPartShortened)
{
    EXPECT_EQ(short_load_error("Could not open this folder: No such file or directory (os error 2)"),
              "No such file or directory\u2026");
    EXPECT_EQ(short_load_error("Could not open this folder: Not a directory (os error 20)"),
              "Not a directory (os error\u2026");
    EXPECT_EQ(short_load_error("Could not open: short"), "short");
    EXPECT_EQ(short_load_error("no colon"), "no colon");
    EXPECT_EQ(short_load_error("x: äääääääääääääääääääääääääää"), "äääääääääääääääääääääääää\u2026");
}

TEST(StatePanels, PathsKeepTheirEndWhenTooLong)
{
    EXPECT_EQ(short_panel_path("/home/ana/Documents", 22), "/home/ana/Documents");
    EXPECT_EQ(short_panel_path("/home/ana/Documents/Reports/2026", 22), "\u2026ocuments/Reports/2026");
    EXPECT_EQ(short_panel_path(std::string(36, 'a'), 36), std::string(36, 'a'));
    EXPECT_EQ(short_panel_path("/ä" + std::string(40, 'b') + "/Übersicht", 22), "\u2026bbbbbbbbbbb/Übersicht");
}

} // namespace
} // namespace file_explorer

namespace file_explorer {
namespace {

TEST_F(ExplorerFixture, SidebarHidesBelowTheCompactBreakpoint)
{
    FileExplorerWidget e(environment(), t0);
    vask_ui::FakeTextRenderer text;
    auto lay_out = [&](float width, float text_scale) {
        text.set_text_scale(text_scale);
        vask_ui::LayoutContext context{text, vask_ui::Theme::light(), 1};
        e.set_bounds({0, 0, width, 700});
        vask_ui::LayoutTree tree;
        auto node = e.build_layout(tree, context);
        tree.compute(node, {width, 700});
        e.apply_layout(tree, node);
    };
    const std::tuple<float, float, bool> cases[] = {
        {639, 1, false}, {640, 1, true}, {1089, 1.5f, false}, {1090, 1.5f, true},
    };
    for (auto [width, scale, shown] : cases) {
        lay_out(width, scale);
        EXPECT_EQ(e.sidebar() != nullptr, shown) << width << " at text scale " << scale;
    }
    EXPECT_FLOAT_EQ(e.compact_breakpoint(), 1090);
}

} // namespace
} // namespace file_explorer

namespace file_explorer {
namespace {

TEST_F(ExplorerFixture, ScrollOffsetSurvivesRebuildsAndResetsOnLoad)
{
    for (int i = 0; i < 100; ++i)
        dir.write("root/f" + std::to_string(1000 + i));
    FileExplorerWidget e(environment(), t0);
    vask_ui::FakeTextRenderer text;
    vask_ui::LayoutContext layout{text, vask_ui::Theme::light(), 1};
    vask_ui::DrawContext draw{text, vask_ui::Theme::light(), t0};
    auto frame = [&] {
        e.set_bounds({0, 0, 1000, 600});
        vask_ui::LayoutTree tree;
        auto node = e.build_layout(tree, layout);
        tree.compute(node, {1000, 600});
        e.apply_layout(tree, node);
        vask_ui::Scene scene;
        e.draw(scene, draw);
    };
    frame();
    vask_ui::EventContext context{text, t0};
    e.handle_event(vask_ui::Wheel{{600, 300}, 0, 2}, context);
    const float scrolled = e.scroll_offset();
    ASSERT_GT(scrolled, 0);
    e.selection().select_only(5);
    frame(); // a rebuild after a selection change keeps the position
    EXPECT_FLOAT_EQ(e.scroll_offset(), scrolled);
    dir.write("root/new-file");
    e.poll(t0 + 1s); // the periodic re-listing keeps it too
    frame();
    EXPECT_FLOAT_EQ(e.scroll_offset(), scrolled);
    e.reload();
    EXPECT_EQ(e.scroll_offset(), 0);
}

} // namespace
} // namespace file_explorer
