#include <gtest/gtest.h>

#include <filesystem>
#include <stdexcept>

#include "fileops/fileops_fixtures.hpp"
#include "fileops/staging.hpp"
#include "fileops/transfer.hpp"
#include "support/temp_dir.hpp"

using namespace file_explorer;
namespace fs = std::filesystem;

namespace {

TEST(StagingGuard, UnfinishedGuardRemovesItsStagingWhenUnwinding)
{
    test_support::TempDir dir;
    auto staging = create_private_folder(dir.path(), kStagingPrefix, "exhausted");
    ASSERT_TRUE(staging) << staging.error().text;
    EXPECT_EQ(fs::status(*staging).permissions(), fs::perms(0700));
    EXPECT_TRUE(staging->filename().native().starts_with(".vask-transfer-"));
    EXPECT_EQ(staging->filename().native().size(), std::string(".vask-transfer-").size() + 36);
    try {
        StagingGuard guard(*staging, *staging / "payload");
        dir.write(fs::relative(guard.payload() / "part.bin", dir.path()).string(), "partial");
        throw std::runtime_error("abandoned mid-copy");
    } catch (const std::runtime_error&) {
    }
    EXPECT_FALSE(fs::exists(*staging));
}

TEST(StagingGuard, FinishedGuardNeverTouchesTheFileSystem)
{
    test_support::TempDir dir;
    auto staging = create_private_folder(dir.path(), kStagingPrefix, "exhausted");
    ASSERT_TRUE(staging);
    {
        StagingGuard guard(*staging, *staging / "payload");
        guard.mark_finished();
    }
    EXPECT_TRUE(fs::is_directory(*staging));
}

TEST(StagingGuard, AbandonRemovesAndKeepsTheMessage)
{
    test_support::TempDir dir;
    auto staging = create_private_folder(dir.path(), kStagingPrefix, "exhausted");
    ASSERT_TRUE(staging);
    StagingGuard guard(*staging, *staging / "payload");
    EXPECT_EQ(guard.abandon("copy failed"), "copy failed");
    EXPECT_TRUE(guard.is_finished());
    EXPECT_FALSE(fs::exists(*staging));
}

TEST(NoReplaceRename, RefusesExistingTargetAndNulBytes)
{
    test_support::TempDir dir;
    auto a = dir.write("a", "a");
    auto b = dir.write("b", "b");
    auto taken = no_replace_rename(a, b);
    ASSERT_FALSE(taken);
    EXPECT_EQ(taken.error().error, EEXIST);
    EXPECT_EQ(fileops_test::read_file(b), "b");
    auto nul = no_replace_rename(a, fs::path(std::string("c\0d", 3)));
    ASSERT_FALSE(nul);
    EXPECT_EQ(nul.error().text, "file name contained an unexpected NUL byte");
    EXPECT_TRUE(no_replace_rename(a, dir / "c"));
}

TEST(RemovePath, MissingIsSuccessAndLinksAreNotFollowed)
{
    test_support::TempDir dir;
    EXPECT_TRUE(remove_path(dir / "missing"));
    auto kept = dir.write("kept/file.txt", "keep me");
    auto tree = dir.mkdir("tree/sub");
    fs::create_directory_symlink(dir / "kept", tree / "link");
    ASSERT_TRUE(remove_path(dir / "tree"));
    EXPECT_FALSE(fs::exists(dir / "tree"));
    EXPECT_EQ(fileops_test::read_file(kept), "keep me");
}

} // namespace
