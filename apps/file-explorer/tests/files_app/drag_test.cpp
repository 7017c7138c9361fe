#include <gtest/gtest.h>

#include "files_app/explorer_fixture.hpp"
#include "i18n/messages.hpp"

namespace file_explorer {
namespace {

using testing::ExplorerWindow;
using vask_ui::Modifier;
using vask_ui::MouseButton;
using vask_ui::Point;
namespace fs = std::filesystem;

struct Dragging : ExplorerWindow {
    void SetUp() override
    {
        dir.mkdir("root/box");
        dir.mkdir("root/crate");
        dir.write("root/a.txt", "a");
        dir.write("root/b.txt", "b");
        dir.write("root/c.txt", "c");
    }

    // Presses on `from`, moves by `dx` and releases at `to`.
    void drag(std::string_view from, Point to, float dx = 20)
    {
        Point start = centre_of(from);
        send(vask_ui::PointerPress{start, MouseButton::Primary});
        send(vask_ui::PointerMove{{start.x + dx, start.y}});
        send(vask_ui::PointerMove{to});
        send(vask_ui::PointerRelease{to, MouseButton::Primary});
    }
};

TEST_F(Dragging, TheSelectionMovesWhenDraggedByOneOfItsItems)
{
    start();
    click("a.txt");
    click("c.txt", Modifier::Shift);
    ASSERT_EQ(selected_names().size(), 3u);
    drag("b.txt", centre_of("box"));
    for (const char* name : {"a.txt", "b.txt", "c.txt"})
        EXPECT_TRUE(fs::exists(root / "box" / name)) << name;
    EXPECT_EQ(explorer->notice(), i18n::message_with_args("files-moved-to-folder", {{"count", 3.0}, {"destination", "box"}}));
    EXPECT_TRUE(explorer->dragged_items().empty());
}

TEST_F(Dragging, AnUnselectedItemMovesAloneAndTheUpButtonTakesItToTheParent)
{
    start();
    click("a.txt");
    click("b.txt", Modifier::Ctrl);
    drag("c.txt", centre_of("crate"));
    EXPECT_TRUE(fs::exists(root / "crate/c.txt"));
    EXPECT_TRUE(fs::exists(root / "a.txt"));

    explorer->apply(action::OpenPath{root / "crate"});
    paint();
    auto up = explorer->toolbar().control_rect("files.up");
    ASSERT_TRUE(up);
    drag("c.txt", {up->x + up->width / 2, up->y + up->height / 2});
    EXPECT_TRUE(fs::exists(root / "c.txt"));
    EXPECT_FALSE(fs::exists(root / "crate/c.txt"));
}

TEST_F(Dragging, SixPixelsAreNotYetADragAndAFolderDroppedOnThePlacesBecomesAFavourite)
{
    start();
    Point p = centre_of("box");
    send(vask_ui::PointerPress{p, MouseButton::Primary});
    send(vask_ui::PointerMove{{p.x + 6, p.y}});
    EXPECT_TRUE(explorer->dragged_items().empty());
    send(vask_ui::PointerMove{{p.x + 6.5f, p.y}});
    EXPECT_EQ(explorer->dragged_items(), (std::vector<fs::path>{root / "box"}));
    ASSERT_TRUE(explorer->sidebar());
    auto places = explorer->sidebar()->bounds();
    Point over{places.x + places.width / 2, places.bottom() - 40};
    send(vask_ui::PointerMove{over});
    send(vask_ui::PointerRelease{over, MouseButton::Primary});
    EXPECT_TRUE(std::ranges::any_of(explorer->favourites().items(), [&](const Favourite& f) { return f.path == root / "box"; }));
    EXPECT_TRUE(fs::is_directory(root / "box"));

    drag("a.txt", over);
    EXPECT_FALSE(std::ranges::any_of(explorer->favourites().items(), [&](const Favourite& f) { return f.path == root / "a.txt"; }));
    EXPECT_TRUE(fs::exists(root / "a.txt"));
}

TEST_F(Dragging, ADropOnEmptySpaceLeavesEverythingWhereItWas)
{
    start();
    drag("a.txt", {700, 600});
    EXPECT_TRUE(fs::exists(root / "a.txt"));
    EXPECT_FALSE(explorer->notice());
    EXPECT_TRUE(explorer->dragged_items().empty());
    EXPECT_FALSE(explorer->drop_target());
}

} // namespace
} // namespace file_explorer
