#include <gtest/gtest.h>

#include <chrono>
#include <fcntl.h>
#include <filesystem>
#include <future>
#include <sys/stat.h>
#include <unistd.h>

#include "fileops/fileops_fixtures.hpp"
#include "fileops/transfer.hpp"
#include "support/temp_dir.hpp"

using namespace file_explorer;
using fileops_test::has_staging_entry;
using fileops_test::read_file;
namespace fs = std::filesystem;

namespace {

constexpr std::size_t kBigFile = std::size_t(64) << 20;

TEST(Transfer, MoveWithinOneFileSystemIsOneRename)
{
    test_support::TempDir dir;
    auto source = dir.mkdir("src") / "big.bin";
    fileops_test::write_pattern_file(source, kBigFile);
    auto dest = dir.mkdir("dest");
    auto before = fileops_test::device_inode(source);

    auto outcome = transfer(source, dest, TransferMode::Move);
    ASSERT_TRUE(outcome) << outcome.error();
    EXPECT_EQ(*outcome, dest / "big.bin");
    EXPECT_EQ(fileops_test::device_inode(dest / "big.bin"), before);
    EXPECT_FALSE(fs::exists(source));
    EXPECT_FALSE(has_staging_entry(dest));
    EXPECT_FALSE(has_staging_entry(dir / "src"));
}

TEST(Transfer, MoveOntoTakenNamePublishesNextNameAndKeepsExisting)
{
    test_support::TempDir dir;
    auto source = dir.write("src/name.ext", "new");
    auto existing = dir.write("dest/name.ext", "old");
    auto outcome = transfer(source, dir / "dest", TransferMode::Move);
    ASSERT_TRUE(outcome) << outcome.error();
    EXPECT_EQ(*outcome, dir / "dest" / "name 2.ext");
    EXPECT_EQ(read_file(existing), "old");
    EXPECT_EQ(read_file(*outcome), "new");
}

TEST(Transfer, CrossDeviceMoveCopiesQuarantinesAndRemoves)
{
    fileops_test::TmpfsMount mount("64m");
    if (!mount.is_mounted())
        GTEST_SKIP() << "cannot mount a tmpfs here: " << mount.error();
    test_support::TempDir dir;
    auto tree = dir.mkdir("src/Tree");
    dir.write("src/Tree/a.txt", "alpha");
    dir.write("src/Tree/sub/b.txt", "beta");
    fs::create_symlink("../missing", tree / "sub" / "dangling");
    ::chmod((tree / "a.txt").c_str(), 0640);

    auto outcome = transfer(tree, mount.path(), TransferMode::Move);
    ASSERT_TRUE(outcome) << outcome.error();
    auto moved = mount.path() / "Tree";
    EXPECT_EQ(*outcome, moved);
    EXPECT_FALSE(fs::exists(tree));
    EXPECT_EQ(read_file(moved / "a.txt"), "alpha");
    EXPECT_EQ(read_file(moved / "sub" / "b.txt"), "beta");
    EXPECT_EQ(fs::read_symlink(moved / "sub" / "dangling"), "../missing");
    EXPECT_EQ(fs::status(moved / "a.txt").permissions(), fs::perms(0640));
    EXPECT_FALSE(has_staging_entry(mount.path()));
    EXPECT_FALSE(has_staging_entry(dir / "src"));
}

TEST(Transfer, CopyKeepsModeBitsAndReproducesLinks)
{
    test_support::TempDir dir;
    auto tree = dir.mkdir("src/Tree");
    auto script = dir.write("src/Tree/run.sh", "#!/bin/sh\n");
    ::chmod(script.c_str(), 0751);
    ::chmod(tree.c_str(), 0750);
    fs::create_symlink("run.sh", tree / "link");
    auto outcome = transfer(tree, dir.mkdir("dest"), TransferMode::Copy);
    ASSERT_TRUE(outcome) << outcome.error();
    EXPECT_EQ(fs::status(*outcome / "run.sh").permissions(), fs::perms(0751));
    EXPECT_EQ(fs::status(*outcome).permissions(), fs::perms(0750));
    EXPECT_TRUE(fs::is_symlink(*outcome / "link"));
    EXPECT_EQ(fs::read_symlink(*outcome / "link"), "run.sh");
    EXPECT_TRUE(fs::exists(script));
}

TEST(Transfer, FolderIntoItselfOrDescendantFailsBeforeWriting)
{
    test_support::TempDir dir;
    auto a = dir.mkdir("A");
    auto b = dir.mkdir("A/B");
    for (auto mode : {TransferMode::Copy, TransferMode::Move}) {
        for (const auto& dest : {a, b}) {
            auto before = fileops_test::names_in(dest);
            auto outcome = transfer(a, dest, mode);
            ASSERT_FALSE(outcome);
            EXPECT_EQ(outcome.error(), "cannot copy or move a folder into itself");
            EXPECT_EQ(fileops_test::names_in(dest), before);
        }
    }
}

TEST(Transfer, MoveIntoOwnFolderFailsCopySucceeds)
{
    test_support::TempDir dir;
    auto source = dir.write("notes.txt", "x");
    auto moved = transfer(source, dir.path(), TransferMode::Move);
    ASSERT_FALSE(moved);
    EXPECT_EQ(moved.error(), "the item is already in this folder");
    // Another spelling of the same folder is still the same folder.
    auto again = transfer(source, dir / ".", TransferMode::Move);
    ASSERT_FALSE(again);
    EXPECT_EQ(again.error(), "the item is already in this folder");
    auto copied = transfer(source, dir.path(), TransferMode::Copy);
    ASSERT_TRUE(copied) << copied.error();
    EXPECT_EQ(*copied, dir / "notes 2.txt");
}

TEST(Transfer, SourceWithoutNameFails)
{
    test_support::TempDir dir;
    dir.mkdir("sub");
    auto outcome = transfer(dir / "sub" / "..", dir.mkdir("dest"), TransferMode::Copy);
    ASSERT_FALSE(outcome);
}

TEST(Transfer, NamesThatAreNotUtf8CopyAndMove)
{
    const std::string name = "caf\xe9 \xff.txt";
    test_support::TempDir dir;
    auto source = dir.write("src/" + name, "bytes");
    auto dest = dir.mkdir("dest");

    auto copied = transfer(source, dest, TransferMode::Copy);
    ASSERT_TRUE(copied) << copied.error();
    EXPECT_EQ(copied->filename().native(), name);
    EXPECT_EQ(read_file(dest / name), "bytes");

    auto second = transfer(source, dest, TransferMode::Copy);
    ASSERT_TRUE(second) << second.error();
    EXPECT_EQ(second->filename().native(), "caf\xe9 \xff 2.txt");

    auto moved = transfer(source, dir.mkdir("other"), TransferMode::Move);
    ASSERT_TRUE(moved) << moved.error();
    EXPECT_EQ(moved->filename().native(), name);
    EXPECT_FALSE(fs::exists(source));
}

TEST(Transfer, NonUtf8FolderCrossDeviceMove)
{
    fileops_test::TmpfsMount mount("8m");
    if (!mount.is_mounted())
        GTEST_SKIP() << "cannot mount a tmpfs here: " << mount.error();
    test_support::TempDir dir;
    const std::string name = "d\xc3\x28ir";
    dir.write("src/" + name + "/in\xfe.txt", "inner");
    auto outcome = transfer(dir / "src" / name, mount.path(), TransferMode::Move);
    ASSERT_TRUE(outcome) << outcome.error();
    EXPECT_EQ(read_file(mount.path() / name / "in\xfe.txt"), "inner");
    EXPECT_FALSE(fs::exists(dir / "src" / name));
}

TEST(Transfer, FifoIsRefusedWithoutHanging)
{
    test_support::TempDir dir;
    auto folder = dir.mkdir("src/withpipe");
    ASSERT_EQ(::mkfifo((folder / "pipe").c_str(), 0600), 0);
    ASSERT_EQ(::mkfifo((dir / "src" / "lonepipe").c_str(), 0600), 0);
    auto dest = dir.mkdir("dest");

    auto run = std::async(std::launch::async, [&] {
        return std::pair{transfer(folder, dest, TransferMode::Copy),
                         transfer(dir / "src" / "lonepipe", dest, TransferMode::Copy)};
    });
    if (run.wait_for(std::chrono::seconds(10)) != std::future_status::ready) {
        // Release a reader stuck on a pipe so the test ends instead of hanging.
        for (const auto& pipe : {folder / "pipe", dir / "src" / "lonepipe"})
            ::close(::open(pipe.c_str(), O_WRONLY | O_NONBLOCK));
        FAIL() << "the copy blocked on a pipe";
    }
    auto [tree, lone] = run.get();
    ASSERT_FALSE(tree);
    EXPECT_EQ(tree.error(), "source type changed during copy");
    ASSERT_FALSE(lone);
    EXPECT_EQ(lone.error(), "source type changed during copy");
    EXPECT_TRUE(fileops_test::names_in(dest).empty());
}

} // namespace
