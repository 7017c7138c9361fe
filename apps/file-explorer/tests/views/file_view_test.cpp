#include <gtest/gtest.h>

#include <cmath>

#include "views/file_view.hpp"

namespace file_explorer {
namespace {

using vask_ui::Point;
using vask_ui::Rect;

TEST(FileViewGeometry, ListColumnsAppearAtTheirThresholds)
{
    struct Case {
        float z, t, width_units;
        bool size, modified;
    };
    const Case cases[] = {
        {1, 1, 339, false, false}, {1, 1, 341, true, false},  {1, 1, 561, true, true},
        {1.9f, 1.5f, 339, false, false}, {1.9f, 1.5f, 341, true, false}, {0.7f, 1, 561, true, true},
    };
    for (const auto& c : cases) {
        FileViewMetrics m{c.z, c.t};
        auto cols = m.list_columns(0, c.width_units * c.z * c.t);
        EXPECT_EQ(cols.size_start.has_value(), c.size) << c.width_units << " z" << c.z;
        EXPECT_EQ(cols.modified_start.has_value(), c.modified) << c.width_units << " z" << c.z;
        EXPECT_FLOAT_EQ(cols.name_start, 10 * c.z);
    }
    FileViewMetrics m{1, 1};
    auto both = m.list_columns(0, 800);
    EXPECT_FLOAT_EQ(*both.modified_start, 800 - 10 - 158);
    EXPECT_FLOAT_EQ(*both.size_start, 800 - 10 - 158 - 10 - 96);
    EXPECT_FLOAT_EQ(both.name_end, *both.size_start - 10);
}

TEST(FileViewGeometry, GridTilesStretchOnlyInNarrowViews)
{
    FileViewMetrics m{1, 1};
    // x = W - 20, g = 16, d = 112: two stretched tiles while x < 240 and (x - 16) / 2 >= 132.
    struct Case {
        float width;
        float tile;
        std::size_t columns;
    };
    const Case cases[] = {
        {300, 112, 2},  // x = 280 >= 240: standard tiles
        {250, 112, 1},  // x = 230: half = 107 < 132, one standard tile
        {1000, 112, 7}, // (980 + 16) / 128
        {60, 112, 1},
    };
    for (const auto& c : cases) {
        auto tiles = m.grid_tiles(c.width);
        EXPECT_EQ(tiles.columns, c.columns) << c.width;
        EXPECT_FLOAT_EQ(tiles.width, c.tile) << c.width;
    }
    FileViewMetrics big{1, 2}; // d = 224, g = 22.6: 2d + g = 470.6
    auto stretched = big.grid_tiles(20 + 400); // x = 400, q = 188.7 >= 132
    EXPECT_NEAR(stretched.width, (400 - 16 * std::sqrt(2.f)) / 2, 0.01);
    EXPECT_EQ(stretched.columns, 2u);
    EXPECT_NEAR(stretched.height, std::min(104.f + 36.f, 0.9f * stretched.width), 0.01);
    auto narrow = big.grid_tiles(20 + 250); // q = 113.7 < 132: one standard tile
    EXPECT_FLOAT_EQ(narrow.width, 224);
    EXPECT_EQ(narrow.columns, 1u);
}

TEST(FileViewGeometry, HitTestsRowsTilesGapsAndHeader)
{
    FileViewMetrics m{1, 1};
    Rect bounds{0, 0, 800, 2000};
    const std::size_t n = 10;
    EXPECT_FALSE(m.list_hit(bounds, {100, 29}, n, std::nullopt)) << "header";
    EXPECT_EQ(m.list_hit(bounds, {100, 30}, n, std::nullopt), 0u);
    EXPECT_EQ(m.list_hit(bounds, {100, 30 + 34 * 9.5f}, n, std::nullopt), 9u);
    EXPECT_FALSE(m.list_hit(bounds, {100, 30 + 34 * 10.5f}, n, std::nullopt)) << "past the last entry";
    EXPECT_FALSE(m.list_hit(bounds, {801, 100}, n, std::nullopt));
    // Scrolled so the visible top is at y = 200: the pinned header covers rows beneath it.
    EXPECT_FALSE(m.list_hit(bounds, {100, 220}, n, 200.f));
    EXPECT_EQ(m.list_hit(bounds, {100, 231}, n, 200.f), 5u);

    auto tiles = m.grid_tiles(800); // 112 x 104, gap 16, 6 columns
    ASSERT_EQ(tiles.columns, 6u);
    EXPECT_EQ(m.grid_hit(bounds, tiles, {10 + 5, 10 + 5}, n), 0u);
    EXPECT_FALSE(m.grid_hit(bounds, tiles, {10 + 120, 10 + 5}, n)) << "horizontal gap";
    EXPECT_FALSE(m.grid_hit(bounds, tiles, {10 + 5, 10 + 110}, n)) << "vertical gap";
    EXPECT_EQ(m.grid_hit(bounds, tiles, {10 + 128 + 5, 10 + 120 + 5}, n), 7u);
    EXPECT_FALSE(m.grid_hit(bounds, tiles, {10 + 128 * 5 + 5, 10 + 120 + 5}, n)) << "index 11 past the end";
    EXPECT_FALSE(m.grid_hit(bounds, tiles, {5, 5}, n)) << "padding";
}

TEST(FileViewGeometry, VisibleRangesFollowTheClip)
{
    FileViewMetrics m{1, 1};
    Rect bounds{0, -340, 800, 30 + 34 * 1000 + 6};
    auto [first, last] = m.list_visible(bounds, Rect{0, 0, 800, 340}, 1000);
    EXPECT_EQ(first, 8u);  // floor((0 + 340 - 30) / 34) - 1
    EXPECT_EQ(last, 21u);  // ceil((340 + 340 - 30) / 34) + 1
    auto all = m.list_visible(bounds, std::nullopt, 1000);
    EXPECT_EQ(all, (std::pair<std::size_t, std::size_t>{0, 1000}));
    auto tiles = m.grid_tiles(800);
    auto [gfirst, glast] = m.grid_visible({0, 0, 800, 5000}, tiles, Rect{0, 0, 800, 240}, 100);
    EXPECT_EQ(gfirst, 0u);
    EXPECT_EQ(glast, 3u * tiles.columns); // ceil((240 - 10) / 120) + 1 rows
}

struct ViewFixture : ::testing::Test {
    Listing entries;
    vask_ui::SelectionModel selection;
    ViewEventQueue events;
    vask_ui::FakeTextRenderer text;
    vask_ui::EventContext context{text, vask_ui::Clock::now()};

    void SetUp() override
    {
        for (int i = 0; i < 20; ++i) {
            DirectoryEntry e;
            e.name = "item " + std::to_string(i);
            e.path_bytes = "/x/" + e.name;
            e.is_dir = i < 3;
            entries.push_back(e);
        }
        selection.set_count(entries.size());
    }

    FileView make(ViewMode mode, std::optional<std::size_t> cursor = std::nullopt)
    {
        FileViewInputs in;
        in.entries = &entries;
        in.selection = &selection;
        in.mode = mode;
        in.events = &events;
        in.cursor = cursor;
        in.focused = true;
        FileView view(in);
        view.set_view_bounds({0, 0, 800, view.content_height(800)});
        return view;
    }

    void send(FileView& view, vask_ui::InputEvent event)
    {
        context.handled = false;
        view.handle_event(event, context);
    }
};

TEST_F(ViewFixture, PressesAreReportedAndLeaveTheSelectionToTheExplorer)
{
    auto view = make(ViewMode::List);
    selection.select_only(1);
    send(view, vask_ui::PointerPress{{100, 30 + 34 * 5 + 5}, vask_ui::MouseButton::Secondary});
    send(view, vask_ui::PointerPress{{100, 30 + 34 * 3 + 5}, vask_ui::MouseButton::Primary, vask_ui::Modifier::Shift});
    send(view, vask_ui::PointerPress{{100, 30 + 34 * 40}, vask_ui::MouseButton::Secondary});
    EXPECT_EQ(selection.selected(), (std::vector<std::size_t>{1}));
    ASSERT_EQ(events.size(), 3u);
    EXPECT_EQ(std::get<view_event::SecondaryPress>(events[0]).index, 5u);
    auto press = std::get<view_event::ItemPress>(events[1]);
    EXPECT_EQ(press.index, 3u);
    EXPECT_TRUE(press.range);
    EXPECT_FALSE(press.toggle);
    EXPECT_EQ(std::get<view_event::SecondaryPress>(events[2]).index, std::nullopt);
}

TEST_F(ViewFixture, PrimaryPressArmsADragOnlyWithoutModifiers)
{
    auto view = make(ViewMode::List);
    send(view, vask_ui::PointerPress{{100, 30 + 5}, vask_ui::MouseButton::Primary, vask_ui::Modifier::Ctrl});
    ASSERT_EQ(events.size(), 1u);
    EXPECT_TRUE(std::holds_alternative<view_event::ItemPress>(events[0]));
    send(view, vask_ui::PointerMove{{100, 30 + 50}});
    EXPECT_EQ(events.size(), 1u) << "a Ctrl press never starts a drag";

    events.clear();
    send(view, vask_ui::PointerPress{{100, 30 + 5}, vask_ui::MouseButton::Primary});
    ASSERT_EQ(events.size(), 2u);
    EXPECT_TRUE(std::holds_alternative<view_event::ArmDrag>(events[1]));
    send(view, vask_ui::PointerMove{{104, 30 + 9}}); // 5.7 px: not yet
    EXPECT_EQ(events.size(), 2u);
    send(view, vask_ui::PointerMove{{105, 30 + 10}});
    ASSERT_EQ(events.size(), 3u);
    EXPECT_EQ(std::get<view_event::StartDrag>(events[2]).path, "/x/item 0");
}

TEST_F(ViewFixture, HeaderPressSortsByColumn)
{
    auto view = make(ViewMode::List);
    send(view, vask_ui::PointerPress{{50, 10}, vask_ui::MouseButton::Primary});
    send(view, vask_ui::PointerPress{{800 - 10 - 158 - 10 - 50, 10}, vask_ui::MouseButton::Primary});
    send(view, vask_ui::PointerPress{{790, 10}, vask_ui::MouseButton::Primary});
    ASSERT_EQ(events.size(), 3u);
    EXPECT_EQ(std::get<view_event::SortColumn>(events[0]).column, 1);
    EXPECT_EQ(std::get<view_event::SortColumn>(events[1]).column, 2);
    EXPECT_EQ(std::get<view_event::SortColumn>(events[2]).column, 3);
}

TEST_F(ViewFixture, GridArrowsMoveByRowsAndColumns)
{
    struct Case {
        std::optional<std::size_t> cursor;
        vask_ui::Key key;
        std::size_t expected;
    };
    const Case cases[] = {
        {2, vask_ui::Key::Up, 0},      // first row: to item 0
        {8, vask_ui::Key::Up, 2},      // 6 columns
        {16, vask_ui::Key::Down, 19},  // capped at the last entry
        {std::nullopt, vask_ui::Key::Right, 1},
        {0, vask_ui::Key::Left, 0},
        {50, vask_ui::Key::Left, 18},  // a cursor past the end counts as the last entry
    };
    for (const auto& c : cases) {
        events.clear();
        auto view = make(ViewMode::Grid, c.cursor);
        send(view, vask_ui::KeyPress{c.key, "", vask_ui::Modifier::Shift});
        ASSERT_EQ(events.size(), 1u);
        auto move = std::get<view_event::MoveSelection>(events[0]);
        EXPECT_EQ(move.index, c.expected);
        EXPECT_TRUE(move.extend);
    }
    events.clear();
    auto list = make(ViewMode::List, 3);
    send(list, vask_ui::KeyPress{vask_ui::Key::Down});
    EXPECT_TRUE(events.empty()) << "list arrows belong to the explorer";
    EXPECT_FALSE(context.handled);
}

TEST_F(ViewFixture, PaintsOnlyVisibleRowsAndPublishesFolderTargets)
{
    std::vector<DropTarget> targets;
    FileViewInputs in;
    in.entries = &entries;
    in.selection = &selection;
    in.drop_targets = &targets;
    FileView view(in);
    view.set_view_bounds({0, -34 * 10, 800, view.content_height(800)});
    view.set_visible_clip(Rect{0, 0, 800, 34 * 3});
    vask_ui::Scene scene;
    vask_ui::DrawContext draw{text, vask_ui::Theme::light(), vask_ui::Clock::now()};
    view.draw(scene, draw);
    auto dump = scene.dump();
    EXPECT_EQ(dump.find("\"item 2\""), std::string::npos);
    EXPECT_NE(dump.find("\"item 10\""), std::string::npos);
    EXPECT_TRUE(targets.empty()) << "the folders are scrolled away";
    view.set_bounds({0, 0, 800, view.content_height(800)});
    view.draw(scene, draw);
    EXPECT_EQ(targets.size(), 3u);
}

} // namespace
} // namespace file_explorer
