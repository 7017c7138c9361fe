#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

#include "fileops/clipboard.hpp"
#include "fileops/fileops_fixtures.hpp"
#include "i18n/messages.hpp"
#include "support/temp_dir.hpp"

using namespace file_explorer;
using fileops_test::read_file;
namespace fs = std::filesystem;

namespace {

TEST(Clipboard, CopyPasteTwiceKeepsItems)
{
    test_support::TempDir dir;
    auto a = dir.write("a.txt", "a");
    auto b = dir.write("b.txt", "b");
    Clipboard clipboard;
    EXPECT_EQ(copy_to_clipboard(clipboard, {a, b}, TransferMode::Copy),
              i18n::message_with_args("files-copied", {{"count", 2.0}}));
    EXPECT_EQ(paste_command(clipboard, dir.path()),
              i18n::message_with_args("files-pasted", {{"count", 2.0}}));
    EXPECT_TRUE(paste_command(clipboard, dir.path()));
    EXPECT_TRUE(fs::exists(dir / "a 2.txt"));
    EXPECT_TRUE(fs::exists(dir / "a 3.txt"));
    EXPECT_TRUE(fs::exists(dir / "b 3.txt"));
    EXPECT_EQ(clipboard.items, (std::vector<fs::path>{a, b}));
    EXPECT_FALSE(clipboard.cut);
}

TEST(Clipboard, CutPasteKeepsOnlyFailures)
{
    test_support::TempDir dir;
    auto a = dir.write("src/a.txt", "a");
    auto missing = dir / "src" / "missing.txt";
    auto c = dir.write("src/c.txt", "c");
    auto dest = dir.mkdir("dest");
    Clipboard clipboard;
    EXPECT_EQ(copy_to_clipboard(clipboard, {a, missing, c}, TransferMode::Move),
              i18n::message_with_args("files-cut", {{"count", 3.0}}));
    EXPECT_EQ(paste_command(clipboard, dest),
              i18n::message_with_args("files-pasted-with-failures", {{"count", 2.0}, {"failed", 1.0}}));
    EXPECT_EQ(clipboard.items, std::vector<fs::path>{missing});
    EXPECT_TRUE(clipboard.cut);
    EXPECT_EQ(read_file(dest / "a.txt"), "a");
    EXPECT_FALSE(fs::exists(a));

    clipboard.items.clear();
    EXPECT_EQ(paste_command(clipboard, dest), std::nullopt);
}

TEST(Clipboard, PasteActionTexts)
{
    test_support::TempDir dir;
    Clipboard clipboard;
    EXPECT_EQ(paste_action(clipboard, dir.path()).error(), "The clipboard is empty");
    auto missing = dir / "gone.txt";
    copy_to_clipboard(clipboard, {missing}, TransferMode::Copy);
    auto status = paste_action(clipboard, dir.mkdir("dest"));
    ASSERT_FALSE(status);
    EXPECT_EQ(status.error(),
              "paste failed: " + missing.string() + ": No such file or directory (os error 2)");
}

TEST(MoveByDrop, SkipsItemsAlreadyThereAndFoldersIntoThemselves)
{
    test_support::TempDir dir;
    auto folder = dir.mkdir("Folder");
    auto inner = dir.mkdir("Folder/Inner");
    auto in_place = dir.write("Folder/here.txt", "x");
    auto report = move_by_drop({in_place, folder}, folder);
    EXPECT_EQ(report.moved, 0);
    EXPECT_EQ(report.notice, i18n::message("files-nothing-to-move"));
    report = move_by_drop({folder}, inner);
    EXPECT_EQ(report.moved, 0);
    EXPECT_EQ(report.notice, i18n::message("files-nothing-to-move"));
}

TEST(MoveByDrop, MovesAndCountsFailures)
{
    test_support::TempDir dir;
    auto a = dir.write("a.txt", "a");
    auto target = dir.mkdir("Target");
    auto report = move_by_drop({a, dir / "missing"}, target);
    EXPECT_EQ(report.moved, 1);
    EXPECT_EQ(report.failed, 1);
    EXPECT_EQ(report.notice, i18n::message_with_args(
                                 "files-moved-with-failures",
                                 {{"moved", 1.0}, {"failed", 1.0}, {"destination", std::string("Target")}}));
    auto b = dir.write("b.txt", "b");
    report = move_by_drop({b}, target);
    EXPECT_EQ(report.notice,
              i18n::message_with_args("files-moved-to-folder",
                                      {{"count", 1.0}, {"destination", std::string("Target")}}));
    EXPECT_TRUE(fs::exists(target / "b.txt"));
}

} // namespace
