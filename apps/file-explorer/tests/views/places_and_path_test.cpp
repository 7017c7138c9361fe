#include <gtest/gtest.h>

#include <fstream>

#include "support/temp_dir.hpp"
#include "views/favorites.hpp"
#include "views/path_bar.hpp"
#include "views/places_sidebar.hpp"
#include "views/toolbar.hpp"

namespace file_explorer {
namespace {

using test_support::TempDir;

TEST(Crumbs, BaseIsWorkspaceRootThenHomeThenRoot)
{
    const std::filesystem::path home = "/home/u";
    const std::vector<std::filesystem::path> roots = {"/home/u/Shared", "/var/workspace"};
    auto labels = [](const std::vector<Crumb>& crumbs) {
        std::vector<std::string> out;
        for (const auto& c : crumbs)
            out.push_back(c.label);
        return out;
    };
    EXPECT_EQ(labels(build_crumbs("/home/u", home, roots)), (std::vector<std::string>{"Home"}));
    EXPECT_EQ(labels(build_crumbs("/", home, roots)), (std::vector<std::string>{"/"}));
    EXPECT_EQ(labels(build_crumbs("/home/u/Shared/team/x", home, roots)), (std::vector<std::string>{"Shared", "team", "x"}));
    EXPECT_EQ(labels(build_crumbs("/home/u/Documents", home, roots)), (std::vector<std::string>{"Home", "Documents"}));
    EXPECT_EQ(labels(build_crumbs("/usr/share", std::nullopt, {})), (std::vector<std::string>{"/", "usr", "share"}));
    auto crumbs = build_crumbs("/home/u/Shared/team", home, roots);
    EXPECT_EQ(crumbs.back().path, "/home/u/Shared/team");
}

TEST(Crumbs, NarrowBarKeepsTheLastCrumbsBehindAnEllipsis)
{
    ViewEventQueue events;
    PathBar bar(events);
    bar.set_location("/srv/projects/alpha/beta/gamma/delta", std::nullopt, {});
    vask_ui::FakeTextRenderer text; // 6.5 px per character at 13 px
    const vask_ui::TextStyle style{13};
    bar.set_bounds({0, 0, 1000, 34});
    auto wide = bar.layout_items(text, style);
    ASSERT_EQ(wide.size(), 7u);
    EXPECT_TRUE(wide.front().crumb.has_value());
    bar.set_bounds({0, 0, 160, 34});
    auto narrow = bar.layout_items(text, style);
    ASSERT_GE(narrow.size(), 2u);
    EXPECT_FALSE(narrow.front().crumb) << "the first item is the ellipsis";
    EXPECT_EQ(narrow.back().label, "delta");
    EXPECT_LE(narrow.back().x + narrow.back().width, 160 - 4);
    bar.set_bounds({0, 0, 40, 34});
    auto tiny = bar.layout_items(text, style);
    EXPECT_EQ(tiny.back().label, "delta") << "the last crumb stays even when nothing fits";
}

TEST(TypedPaths, DisplayAndResolve)
{
    const std::optional<std::filesystem::path> home = "/home/u";
    EXPECT_EQ(display_path("/home/u", home), "~");
    EXPECT_EQ(display_path("/home/u/Documents", home), "~/Documents");
    EXPECT_EQ(display_path("/etc", home), "/etc");
    EXPECT_EQ(resolve_typed_path("~", home, "/a"), "/home/u");
    EXPECT_EQ(resolve_typed_path("~/x", home, "/a"), "/home/u/x");
    EXPECT_EQ(resolve_typed_path("../x", home, "/a/b"), "/a/b/../x");
    EXPECT_EQ(resolve_typed_path("/etc", home, "/a/b"), "/etc");
}

TEST(TypedPaths, SuggestionsFoldersFirstHiddenOnlyOnDot)
{
    TempDir dir;
    dir.mkdir("Documents");
    dir.mkdir("docs");
    dir.write("doc.txt");
    dir.write(".config");
    dir.mkdir(".cache");
    dir.write("cake");
    auto texts = [](const std::vector<PathSuggestion>& s) {
        std::vector<std::string> out;
        for (const auto& x : s)
            out.push_back(x.text);
        return out;
    };
    const std::optional<std::filesystem::path> home = dir.path();
    EXPECT_EQ(texts(path_suggestions("Doc", home, dir.path())),
              (std::vector<std::string>{"~/docs/", "~/Documents/", "~/doc.txt"})); // lower-cased byte order
    EXPECT_EQ(texts(path_suggestions(".c", home, dir.path())), (std::vector<std::string>{"~/.cache/", "~/.config"}));
    EXPECT_EQ(texts(path_suggestions("c", home, dir.path())), (std::vector<std::string>{"~/cake"}));
    EXPECT_EQ(path_suggestions("~", home, "/").size(), 4u);
    for (int i = 0; i < 70; ++i)
        dir.write("many/f" + std::to_string(i));
    EXPECT_EQ(path_suggestions("many/", home, dir.path()).size(), 60u);
    EXPECT_TRUE(path_suggestions("missing/x", home, dir.path()).empty());
}

TEST(PathBarEditing, ClickOutsideCrumbsEditsAndEnterOpensTheTypedPath)
{
    ViewEventQueue events;
    PathBar bar(events);
    bar.set_location("/a/b", std::nullopt, {});
    bar.set_bounds({0, 0, 600, 34});
    vask_ui::FakeTextRenderer text;
    vask_ui::Scene scene;
    vask_ui::DrawContext draw{text, vask_ui::Theme::light(), vask_ui::Clock::now()};
    bar.draw(scene, draw); // lays out the trail
    auto send = [&](vask_ui::InputEvent e) {
        vask_ui::EventContext context{text, vask_ui::Clock::now()};
        bar.handle_event(e, context);
    };
    send(vask_ui::PointerPress{{500, 17}});
    ASSERT_TRUE(bar.is_editing());
    EXPECT_EQ(bar.editor().text(), "/a/b");
    send(vask_ui::KeyPress{vask_ui::Key::Character, "a", vask_ui::Modifier::Ctrl});
    send(vask_ui::TextCommit{"../x"});
    send(vask_ui::KeyPress{vask_ui::Key::Enter});
    EXPECT_FALSE(bar.is_editing());
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(std::get<view_event::OpenItem>(events[0]).path, "/a/b/../x") << "handed over unnormalised";

    bar.begin_edit();
    send(vask_ui::KeyPress{vask_ui::Key::Escape});
    EXPECT_FALSE(bar.is_editing());
    EXPECT_EQ(events.size(), 1u);
}

TEST(Favourites, LoadSaveDefaultsAddRemoveMove)
{
    TempDir dir;
    auto home = dir.mkdir("home");
    dir.mkdir("home/Documents");
    auto dirs = vask_ui::sysdirs::UserDirs::parse("", home);
    auto config = dir / "config";

    auto defaults = Favourites::load(config, home, dirs);
    ASSERT_EQ(defaults.items().size(), 2u);
    EXPECT_TRUE(defaults.items()[0].is_home);
    EXPECT_EQ(defaults.items()[1].kind, PlaceKind::Documents);

    dir.write("config/favorites", "\n   \n");
    EXPECT_EQ(Favourites::load(config, home, dirs).items().size(), 2u) << "blank lines give the defaults";

    dir.write("config/favorites", " /srv/data \n" + home.string() + "\n/srv/data");
    auto f = Favourites::load(config, home, dirs);
    ASSERT_EQ(f.items().size(), 3u) << "duplicates are kept as read";
    EXPECT_EQ(f.items()[0].label, "data");
    EXPECT_TRUE(f.items()[1].is_home);
    EXPECT_FALSE(f.add("/srv/data"));
    EXPECT_TRUE(f.add("/opt"));
    EXPECT_TRUE(f.remove("/srv/data"));
    ASSERT_EQ(f.items().size(), 2u);
    f.move(0, 1);
    EXPECT_EQ(f.items()[0].path, "/opt");
    f.move(0, 9); // out of range: nothing
    f.save(config);
    std::ifstream in(config / "favorites");
    std::string text((std::istreambuf_iterator<char>(in)), {});
    EXPECT_EQ(text, "/opt\n" + home.string());
}

struct SidebarFixture : ::testing::Test {
    std::vector<Favourite> favourites = {{"Home", "/home/u", true, PlaceKind::Home}, {"A", "/a", false, PlaceKind::Folder},
                                         {"B", "/b", false, PlaceKind::Folder}};
    PlacesState state;
    ViewEventQueue events;
    vask_ui::FakeTextRenderer text;
    vask_ui::EventContext context{text, vask_ui::Clock::now()};

    PlacesSidebar make(std::optional<std::filesystem::path> trash = std::nullopt)
    {
        PlacesSidebar bar(favourites, system_places(trash), "/a", state, events);
        bar.set_bounds({0, 0, 232, 600});
        return bar;
    }
    void send(PlacesSidebar& bar, vask_ui::InputEvent e)
    {
        context.handled = false;
        bar.handle_event(e, context);
    }
    vask_ui::Point centre(const PlacesSidebar& bar, std::size_t i)
    {
        auto r = bar.row_rect(i);
        return {r.x + r.width / 2, r.y + r.height / 2};
    }
};

TEST_F(SidebarFixture, FavouritesOpenOnReleaseSystemPlacesOnPress)
{
    auto bar = make();
    EXPECT_EQ(bar.place_count(), 4u) << "without a Trash folder only Root";
    send(bar, vask_ui::PointerPress{centre(bar, 1)});
    EXPECT_TRUE(events.empty());
    send(bar, vask_ui::PointerRelease{centre(bar, 1)});
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(std::get<view_event::OpenPath>(events[0]).path, "/a");
    send(bar, vask_ui::PointerPress{centre(bar, 3)});
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(std::get<view_event::OpenPath>(events[1]).path, "/");
    EXPECT_FALSE(bar.hit({5, centre(bar, 0).y})) << "outside the row span";
}

TEST_F(SidebarFixture, DraggingReordersAndDroppingInPlaceSendsNothing)
{
    auto bar = make();
    auto from = centre(bar, 0);
    send(bar, vask_ui::PointerPress{from});
    send(bar, vask_ui::PointerMove{{from.x, from.y + 34 * 2}});
    send(bar, vask_ui::PointerRelease{{from.x, from.y + 34 * 2}});
    ASSERT_EQ(events.size(), 1u);
    auto move = std::get<view_event::MoveFavourite>(events[0]);
    EXPECT_EQ(move.from, 0u);
    EXPECT_EQ(move.to, 2u);

    events.clear();
    send(bar, vask_ui::PointerPress{from});
    send(bar, vask_ui::PointerMove{{from.x, from.y + 10}});
    send(bar, vask_ui::PointerMove{{from.x, from.y + 2}});
    send(bar, vask_ui::PointerRelease{{from.x, from.y + 2}});
    EXPECT_TRUE(events.empty());
}

TEST_F(SidebarFixture, TrashAppearsWhenItsFolderExists)
{
    TempDir dir;
    auto trash = dir.mkdir("Trash/files");
    EXPECT_EQ(make(trash).place_count(), 5u);
}

TEST(Toolbar, CompactBelow760)
{
    ViewEventQueue events;
    vask_ui::FakeTextRenderer text;
    vask_ui::LayoutContext context{text, vask_ui::Theme::light(), 1};
    auto ids_at = [&](float width, bool grid, bool archive) {
        FileToolbar bar(events);
        bar.set_state(true, true, true, grid, archive);
        for (int pass = 0; pass < 2; ++pass) {
            vask_ui::LayoutTree tree;
            auto node = bar.build_layout(tree, context);
            tree.compute(node, {width, 52});
            bar.apply_layout(tree, node);
            bar.take_structure_dirty();
        }
        return bar.control_ids();
    };
    using Ids = std::vector<std::string>;
    EXPECT_EQ(ids_at(759, false, false), (Ids{"files.back", "files.up", "files.view_menu"}));
    EXPECT_EQ(ids_at(760, false, false), (Ids{"files.back", "files.forward", "files.up", "files.view-mode", "files.view_menu"}));
    EXPECT_EQ(ids_at(760, true, false),
              (Ids{"files.back", "files.forward", "files.up", "files.view-mode", "files.sort_menu", "files.view_menu"}));
    EXPECT_EQ(ids_at(700, false, true), (Ids{"files.back", "files.up", "files.archive.extract"}));
}

} // namespace
} // namespace file_explorer
