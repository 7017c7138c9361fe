#include <gtest/gtest.h>

#include <fstream>

#include "files_app/explorer_fixture.hpp"
#include "i18n/messages.hpp"

namespace file_explorer {
namespace {

using testing::ExplorerWindow;
using vask_ui::Key;
using vask_ui::Modifier;
namespace fs = std::filesystem;

struct Hub : ExplorerWindow {
    void SetUp() override
    {
        dir.write("root/alpha.txt", "alpha");
        dir.write("root/beta.txt", "beta");
        dir.mkdir("root/folder");
    }
};

TEST_F(Hub, CopyThenPasteTwiceKeepsTheClipboardAndPicksCollisionNames)
{
    start();
    click("alpha.txt");
    shortcut("c");
    EXPECT_EQ(explorer->notice(), i18n::message_with_args("files-copied", {{"count", 1.0}}));
    shortcut("v");
    shortcut("V");
    EXPECT_TRUE(fs::exists(root / "alpha 2.txt"));
    EXPECT_TRUE(fs::exists(root / "alpha 3.txt"));
    EXPECT_TRUE(fs::exists(root / "alpha.txt"));
    EXPECT_EQ(explorer->clipboard().items, (std::vector<fs::path>{root / "alpha.txt"}));
    EXPECT_EQ(explorer->notice(), i18n::message_with_args("files-pasted", {{"count", 1.0}}));
}

TEST_F(Hub, CutThenPasteKeepsOnlyTheFailedItemOnTheClipboard)
{
    start();
    click("alpha.txt");
    click("beta.txt", Modifier::Ctrl);
    shortcut("x");
    ASSERT_EQ(explorer->clipboard().items.size(), 2u);
    explorer->apply(action::OpenPath{root / "folder"});
    fs::remove(root / "beta.txt"); // gone before the paste: its move fails
    shortcut("v");
    EXPECT_TRUE(fs::exists(root / "folder/alpha.txt"));
    EXPECT_FALSE(fs::exists(root / "alpha.txt"));
    EXPECT_EQ(explorer->clipboard().items, (std::vector<fs::path>{root / "beta.txt"}));
    EXPECT_EQ(explorer->notice(), i18n::message_with_args("files-pasted-with-failures", {{"count", 1.0}, {"failed", 1.0}}));
}

TEST_F(Hub, RenameCommitsCancelsAndIgnoresUnchangedOrBlankNames)
{
    start();
    struct Case {
        std::string typed;
        Key finish;
        std::string expect_present;
        std::string expect_absent;
    };
    const Case cases[] = {
        {"gamma.txt", Key::Enter, "gamma.txt", "alpha.txt"},
        {"delta.txt", Key::Escape, "gamma.txt", "delta.txt"},
        {"gamma.txt", Key::Enter, "gamma.txt", ""},
        {"   ", Key::Enter, "gamma.txt", ""},
    };
    click("alpha.txt");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        key(Key::F2);
        ASSERT_TRUE(explorer->rename_index());
        EXPECT_TRUE(explorer->rename_field().is_focused());
        type(c.typed); // the field starts with the whole name selected

        key(c.finish);
        EXPECT_FALSE(explorer->rename_index());
        EXPECT_TRUE(fs::exists(root / c.expect_present));
        if (!c.expect_absent.empty()) {
            EXPECT_FALSE(fs::exists(root / c.expect_absent));
        }
        EXPECT_EQ(names().size(), 3u);
    }
    EXPECT_EQ(selected_names(), (std::vector<std::string>{"gamma.txt"}));
}

TEST_F(Hub, RenameToATakenNameStaysOpenWithTheError)
{
    start();
    click("alpha.txt");
    key(Key::F2);
    type("beta.txt");
    key(Key::Enter);
    EXPECT_TRUE(explorer->rename_index());
    ASSERT_TRUE(explorer->notice());
    EXPECT_TRUE(explorer->notice()->starts_with(i18n::message_with_args("files-rename-failed", {{"error", ""}})));
    EXPECT_EQ(fs::file_size(root / "beta.txt"), 4u);
}

TEST_F(Hub, PrimaryShiftNCreatesSelectedFoldersInRenameWhilePrimaryNDoesNothing)
{
    start();
    shortcut("n");
    EXPECT_EQ(names().size(), 3u);
    shortcut("N", Modifier::Shift);
    EXPECT_EQ(selected_names(), (std::vector<std::string>{"New Folder"}));
    EXPECT_TRUE(explorer->rename_index());
    EXPECT_EQ(explorer->rename_field().text(), "New Folder");
    EXPECT_GT(explorer->rename_field().bounds().width, 100) << "the field sits in the row's name box";
    EXPECT_EQ(explorer->notice(), i18n::message("files-created-folder"));
    key(Key::Escape);
    shortcut("n", Modifier::Shift);
    EXPECT_EQ(selected_names(), (std::vector<std::string>{"New Folder 2"}));
    EXPECT_TRUE(explorer->rename_index());
    EXPECT_TRUE(fs::is_directory(root / "New Folder 2"));
}

TEST_F(Hub, KeysOpenTheShortcutsSheetAndMenusOnlyWhenTheyShould)
{
    size = {1000, 1000}; // tall enough for the menu to open right at the row
    start();
    type("h");
    EXPECT_FALSE(explorer->sheet());
    EXPECT_FALSE(explorer->show_hidden());
    for (vask_ui::Modifiers m : {vask_ui::Modifiers{}, vask_ui::Modifiers(Modifier::Shift), Modifier::Ctrl | Modifier::Shift}) {
        type("?", m);
        ASSERT_TRUE(explorer->sheet());
        EXPECT_EQ(explorer->sheet()->title, i18n::message("files-shortcuts-title"));
        EXPECT_EQ(explorer->sheet()->lines.size(), 11u);
        EXPECT_TRUE(explorer->is_focusable());
        EXPECT_TRUE(explorer->children().empty()) << "a sheet takes all input";
        key(Key::Escape);
        EXPECT_FALSE(explorer->sheet());
    }
    key(Key::F1);
    EXPECT_TRUE(explorer->sheet());
    key(Key::Escape);

    key(Key::Menu);
    EXPECT_FALSE(explorer->main_menu().is_open()) << "nothing selected";
    click("beta.txt");
    key(Key::Menu);
    ASSERT_TRUE(explorer->main_menu().is_open());
    auto row = *explorer->item_rect(std::size_t(index_of("beta.txt")));
    EXPECT_EQ(explorer->main_menu().menu_rect().x, row.x + 24);
    EXPECT_EQ(explorer->main_menu().menu_rect().y, row.y + 24);
    key(Key::Escape); // closes the menu
    EXPECT_FALSE(explorer->main_menu().is_open());
    EXPECT_EQ(selected_names().size(), 1u);
    key(Key::Escape); // clears the selection
    EXPECT_TRUE(selected_names().empty());
}

TEST_F(Hub, ChoosingAContextMenuItemAppliesIt)
{
    start();
    right_click({700, 600}); // empty space: the menu's model starts with a separator, the drawn menu does not
    ASSERT_TRUE(explorer->main_menu().is_open());
    EXPECT_TRUE(explorer->main_menu_entries().front().is_separator());
    EXPECT_EQ(explorer->main_menu().items().front().label, i18n::message("files-menu-new-folder"));
    key(Key::Escape);
    right_click(centre_of("alpha.txt"));
    ASSERT_TRUE(explorer->main_menu().is_open());
    EXPECT_EQ(selected_names(), (std::vector<std::string>{"alpha.txt"}));
    const auto& items = explorer->main_menu().items();
    auto copy = std::ranges::find(items, i18n::message("files-menu-copy"), &vask_ui::ContextMenu::Item::label);
    ASSERT_NE(copy, items.end());
    auto rect = explorer->main_menu().item_rect(std::size_t(copy - items.begin()));
    vask_ui::Point p{rect.x + 10, rect.y + rect.height / 2};
    send(vask_ui::PointerPress{p});
    send(vask_ui::PointerRelease{p});
    EXPECT_FALSE(explorer->main_menu().is_open());
    EXPECT_EQ(explorer->clipboard().items, (std::vector<fs::path>{root / "alpha.txt"}));
}

TEST_F(Hub, ASecondaryPressOnAFavouriteOffersItsPlaceMenu)
{
    start();
    explorer->apply(action::AddFavourite{root / "folder", std::nullopt});
    paint();
    ASSERT_TRUE(explorer->sidebar());
    const auto count = explorer->favourites().items().size();
    // The favourites come first below a 12 px margin and a 26 px heading, 34 px per row.
    auto places = explorer->sidebar()->bounds();
    vask_ui::Point last_favourite{places.x + 60, places.y + 12 + 26 + 34 * float(count - 1) + 17};
    right_click(last_favourite);
    ASSERT_TRUE(explorer->main_menu().is_open());
    ASSERT_EQ(explorer->main_menu_entries().size(), 3u);
    EXPECT_EQ(explorer->main_menu_entries()[2].label, i18n::message("files-menu-remove-favourite"));
    key(Key::Up); // the last item
    key(Key::Enter);
    EXPECT_EQ(explorer->favourites().items().size(), count - 1);
    EXPECT_EQ(explorer->notice(), i18n::message("files-removed-favourite"));
}

TEST_F(Hub, EnterOnTheErrorPanelLoadsAgain)
{
    start();
    explorer->apply(action::OpenPath{root / "later"});
    ASSERT_TRUE(explorer->load_error());
    dir.write("root/later/inside.txt");
    key(Key::Enter);
    EXPECT_FALSE(explorer->load_error());
    EXPECT_EQ(names(), (std::vector<std::string>{"inside.txt"}));
}

TEST_F(Hub, DeleteMovesToTrashAndPrimaryZBringsItBack)
{
    start();
    click("alpha.txt");
    click("beta.txt", Modifier::Shift);
    key(Key::Delete);
    EXPECT_FALSE(fs::exists(root / "alpha.txt"));
    EXPECT_FALSE(fs::exists(root / "beta.txt"));
    EXPECT_EQ(explorer->notice(), i18n::message_with_args("files-moved-to-trash", {{"count", 2.0}}));
    ASSERT_TRUE(explorer->undo_record());
    EXPECT_EQ(explorer->undo_record()->size(), 2u);
    shortcut("z");
    EXPECT_EQ(fs::file_size(root / "alpha.txt"), 5u);
    EXPECT_EQ(fs::file_size(root / "beta.txt"), 4u);
    EXPECT_EQ(explorer->notice(), i18n::message_with_args("files-undo-trash-restored", {{"count", 2.0}}));
    shortcut("z");
    EXPECT_EQ(explorer->notice(), i18n::message("files-undo-trash-unavailable"));
}

TEST_F(Hub, DeleteInTheTrashAsksFirstAndEnterConfirms)
{
    start();
    click("alpha.txt");
    key(Key::Delete);
    explorer->apply(action::OpenPath{dir / "data/Trash/files"});
    ASSERT_TRUE(explorer->is_trash());
    ASSERT_EQ(names(), (std::vector<std::string>{"alpha.txt"}));
    click("alpha.txt");
    key(Key::Delete);
    ASSERT_TRUE(explorer->sheet());
    EXPECT_EQ(explorer->sheet()->confirmation->kind, ConfirmationKind::DeletePermanently);
    key(Key::Escape);
    EXPECT_TRUE(fs::exists(dir / "data/Trash/files/alpha.txt"));

    key(Key::Delete);
    auto card = SheetGeometry::of(*explorer->sheet(), explorer->explorer_rect()).card;
    send(vask_ui::PointerPress{{card.x - 5, card.y - 5}}); // outside closes
    EXPECT_FALSE(explorer->sheet());
    EXPECT_TRUE(fs::exists(dir / "data/Trash/files/alpha.txt"));

    key(Key::Delete);
    // A screen reader sees only the sheet, as a dialog whose button says what is lost.
    auto tree = explorer->accessibility();
    ASSERT_EQ(tree->children.size(), 1u);
    const auto& dialog = tree->children[0];
    EXPECT_EQ(dialog.role, vask_ui::a11y::Role::Dialog);
    EXPECT_EQ(dialog.name, explorer->sheet()->title);
    ASSERT_EQ(dialog.children.size(), 2u);
    EXPECT_EQ(dialog.children[1].name, i18n::message("files-permanent-delete-confirm"));
    EXPECT_EQ(dialog.children[1].description, i18n::message("files-permanent-delete-loss"));
    key(Key::Enter);
    EXPECT_FALSE(explorer->sheet());
    EXPECT_FALSE(fs::exists(dir / "data/Trash/files/alpha.txt"));
    EXPECT_FALSE(fs::exists(dir / "data/Trash/info/alpha.txt.trashinfo"));
    EXPECT_EQ(explorer->notice(), i18n::message_with_args("files-permanently-deleted", {{"count", 1.0}}));
    explorer->apply(action::ConfirmEmptyTrash{});
    EXPECT_FALSE(explorer->sheet());
    EXPECT_EQ(explorer->notice(), i18n::message("files-trash-already-empty"));
}

TEST_F(Hub, StatusLineShowsTheNoticeOrTheCountsAndCutsLongNotices)
{
    start();
    EXPECT_EQ(explorer->status_line(), i18n::message_with_args("files-item-count", {{"count", 3.0}}));
    click("alpha.txt");
    click("folder", Modifier::Ctrl);
    EXPECT_EQ(explorer->status_line(),
              i18n::message_with_args("files-selected-count", {{"base", i18n::message_with_args("files-item-count", {{"count", 3.0}})},
                                                               {"count", 2.0}}));
    explorer->set_notice(std::string(600, 'n'));
    EXPECT_EQ(explorer->notice()->size(), 512u);
    std::string umlauts;
    for (int i = 0; i < 600; ++i)
        umlauts += "\u00e4";
    explorer->set_notice(umlauts);
    EXPECT_EQ(explorer->notice()->size(), 1024u) << "512 characters, not bytes";
    EXPECT_TRUE(explorer->status_line().starts_with("\u00e4\u00e4"));
}

TEST_F(Hub, ThePillFadesUnlessThePointerIsNearIt)
{
    start();
    explorer->set_notice("Pill text");
    auto shows_pill = [&] { return paint().dump().find("Pill text") != std::string::npos; };
    paint(); // the pill starts fading in
    now += std::chrono::milliseconds(300);
    EXPECT_TRUE(shows_pill());
    now += std::chrono::seconds(10);
    EXPECT_FALSE(shows_pill()) << "faded out";

    explorer->set_notice("Pill text again");
    send(vask_ui::PointerMove{{size.width - 30, size.height - 20}}); // inside the pill's hover zone
    now += std::chrono::seconds(10);
    EXPECT_NE(paint().dump().find("Pill text again"), std::string::npos) << "held while hovered";
    send(vask_ui::PointerMove{{300, 300}});
    now += std::chrono::seconds(10);
    EXPECT_EQ(paint().dump().find("Pill text again"), std::string::npos);
}

TEST(SheetGeometry, HeightIsCappedAtFourteenLinesAndWidthFollowsTheWindow)
{
    Sheet fourteen{"t", "s", std::vector<std::string>(14, "line"), std::nullopt};
    Sheet twenty{"t", "s", std::vector<std::string>(20, "line"), std::nullopt};
    const vask_ui::Rect big{0, 0, 1280, 1000};
    EXPECT_EQ(SheetGeometry::of(fourteen, big).card.height, 116 + 27 * 14);
    EXPECT_EQ(SheetGeometry::of(twenty, big).card, SheetGeometry::of(fourteen, big).card);

    Sheet plain{"t", "s", {}, std::nullopt};
    EXPECT_EQ(SheetGeometry::of(plain, {0, 0, 300, 600}).card.width, 288);
    EXPECT_EQ(SheetGeometry::of(plain, {0, 0, 2000, 600}).card.width, 648);
    EXPECT_EQ(SheetGeometry::of(plain, {0, 0, 2000, 600}).card.height, 180) << "never below 180";

    Sheet confirm{"t", "s", {"x"}, SheetConfirmation{ConfirmationKind::EmptyTrash, {}, {}}};
    auto g = SheetGeometry::of(confirm, {100, 50, 800, 600});
    EXPECT_EQ(g.card.height, 116 + 27 + 58);
    EXPECT_EQ(g.card.x, 100 + (800 - 648) / 2.f);
    EXPECT_EQ(g.confirm, (vask_ui::Rect{g.card.x + 24, g.card.bottom() - 50, 648 - 48, 36}));
    EXPECT_EQ(g.close, (vask_ui::Rect{g.card.right() - 48, g.card.y + 6, 40, 40}));
    EXPECT_EQ(SheetGeometry::of(confirm, {0, 0, 800, 100}).card.height, 180) << "a short window keeps the minimum";
}

} // namespace
} // namespace file_explorer
