#include <gtest/gtest.h>

#include "platform/ui/widgets/context_menu.hpp"

namespace vask_ui {
namespace {

using Item = ContextMenu::Item;

struct MenuFixture : ::testing::Test {
    FakeTextRenderer text;
    ContextMenu menu;
    Rect window{0, 0, 800, 600};

    std::vector<Item> items()
    {
        return {{"Open", 1}, Item::separator_item(), {"Cut", 2, false}, {"Copy", 3}, {"Show Hidden", 4, true, true}};
    }
    void key(Key k)
    {
        EventContext context{text, Clock::now()};
        menu.handle_event(KeyPress{k}, context);
    }
};

TEST_F(MenuFixture, KeyboardSkipsSeparatorsAndDisabledItems)
{
    menu.open(items(), {100, 100}, window, text, Theme::light());
    key(Key::Down);
    EXPECT_EQ(menu.highlighted(), 0u);
    key(Key::Down);
    EXPECT_EQ(menu.highlighted(), 3u) << "separator and disabled Cut skipped";
    key(Key::Down);
    key(Key::Down);
    EXPECT_EQ(menu.highlighted(), 4u) << "stops at the end";
    key(Key::Home);
    EXPECT_EQ(menu.highlighted(), 0u);
    key(Key::End);
    key(Key::Enter);
    EXPECT_EQ(menu.take_chosen(), 4);
    EXPECT_FALSE(menu.is_open());
    menu.open(items(), {100, 100}, window, text, Theme::light());
    key(Key::Escape);
    EXPECT_FALSE(menu.is_open());
    EXPECT_FALSE(menu.take_chosen());
}

TEST_F(MenuFixture, StaysInsideTheWindow)
{
    menu.open(items(), {790, 590}, window, text, Theme::light());
    Rect r = menu.menu_rect();
    EXPECT_LE(r.right(), window.right());
    EXPECT_LE(r.bottom(), window.bottom());
    EXPECT_GE(r.x, 0);
    EXPECT_GE(r.y, 0);
    menu.open(items(), {10, 10}, window, text, Theme::light());
    EXPECT_EQ(menu.menu_rect().x, 10);
    EXPECT_EQ(menu.menu_rect().y, 10);
}

TEST_F(MenuFixture, PointerChoosesEnabledItemsAndOutsidePressCloses)
{
    menu.open(items(), {100, 100}, window, text, Theme::light());
    EventContext context{text, Clock::now()};
    Rect cut = menu.item_rect(2);
    menu.handle_event(PointerRelease{{cut.x + 5, cut.y + 5}}, context);
    EXPECT_TRUE(menu.is_open()) << "a disabled item does nothing";
    Rect copy = menu.item_rect(3);
    menu.handle_event(PointerRelease{{copy.x + 5, copy.y + 5}}, context);
    EXPECT_EQ(menu.take_chosen(), 3);

    menu.open(items(), {100, 100}, window, text, Theme::light());
    context.handled = false;
    menu.handle_event(PointerPress{{700, 500}}, context);
    EXPECT_FALSE(menu.is_open());
    EXPECT_TRUE(context.handled) << "the dismissing press is not passed on";
}

} // namespace
} // namespace vask_ui
