#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

#include "fileops/fileops_fixtures.hpp"
#include "fileops/trash.hpp"
#include "support/temp_dir.hpp"

using namespace file_explorer;
using fileops_test::names_in;
using fileops_test::read_file;
using fileops_test::run_program;
namespace fs = std::filesystem;

// Our Trash and trash-cli (trash-put, trash-list, trash-restore, trash-empty) sharing one home
// trash and one volume trash: each side must read what the other wrote.
namespace {

class TrashInterop : public testing::Test {
  protected:
    void SetUp() override
    {
        std::string ignored;
        fileops_test::isolate_mounts(ignored);
        if (run_program({"trash-list", "--version"}).exit_code != 0)
            GTEST_SKIP() << "trash-cli is not installed";
        auto listed = list_trash_items();
        ASSERT_TRUE(listed) << listed.error();
        if (!listed->empty())
            GTEST_SKIP() << "this user has trashed items on a mounted volume (" << listed->front().files_path
                         << "); these tests would purge them";
    }

    // Runs a trash-cli program and expects it to succeed; gives what it printed.
    std::string peer(const std::vector<std::string>& argv, std::string_view input = {})
    {
        auto run = run_program(argv, input);
        EXPECT_EQ(run.exit_code, 0) << argv[0] << ": " << run.err;
        return run.out;
    }

    // The original paths trash-list prints, one per item (it prints "date time path").
    std::vector<std::string> peer_listed_paths()
    {
        std::vector<std::string> paths;
        std::string out = peer({"trash-list"});
        for (std::size_t start = 0; start < out.size();) {
            auto end = out.find('\n', start);
            std::string line = out.substr(start, end - start);
            if (auto space = line.find(' ', line.find(' ') + 1); space != std::string::npos)
                paths.push_back(line.substr(space + 1));
            start = end == std::string::npos ? out.size() : end + 1;
        }
        std::sort(paths.begin(), paths.end());
        return paths;
    }

    test_support::TempDir dir;
    test_support::ScopedEnv home{"HOME", (dir / "home").string()};
    test_support::ScopedEnv data_home{"XDG_DATA_HOME", (dir / "data").string()};
    fs::path work = dir.mkdir("work");
};

TEST_F(TrashInterop, ItemsTrashedByPeerListRestoreAndPurgeWithOurs)
{
    auto odd = dir.write("work/a b%c.txt", "odd");
    auto plain = dir.write("work/plain.txt", "plain");
    auto gone = dir.write("work/gone.txt", "gone");
    dir.write("work/Folder/inner.txt", "inner");
    peer({"trash-put", odd.string(), plain.string(), gone.string(), (work / "Folder").string()});
    ASSERT_FALSE(fs::exists(odd));

    auto listed = list_trash_items();
    ASSERT_TRUE(listed) << listed.error();
    std::vector<std::string> originals;
    for (const auto& item : *listed)
        originals.push_back(item.original_path.string());
    EXPECT_EQ(originals, (std::vector<std::string>{(work / "Folder").string(), odd.string(), gone.string(),
                                                   plain.string()}));

    auto restored = restore_from_trash({odd, work / "Folder"});
    ASSERT_TRUE(restored) << restored.error();
    EXPECT_EQ(*restored, 2u);
    EXPECT_EQ(read_file(odd), "odd");
    EXPECT_EQ(read_file(work / "Folder" / "inner.txt"), "inner");
    auto purged = delete_from_trash({gone});
    ASSERT_TRUE(purged) << purged.error();
    EXPECT_EQ(*purged, 1u);
    EXPECT_EQ(peer_listed_paths(), std::vector<std::string>{plain.string()});

    auto emptied = empty_trash();
    ASSERT_TRUE(emptied) << emptied.error();
    EXPECT_EQ(*emptied, 1u);
    EXPECT_TRUE(peer_listed_paths().empty());
    EXPECT_FALSE(fs::exists(gone));
}

TEST_F(TrashInterop, ItemsTrashedByOursListAndRestoreWithPeer)
{
    auto odd = dir.write("work/a b%c.txt", "odd");
    auto folder = dir.mkdir("work/Al bum");
    dir.write("work/Al bum/x.txt", "x");
    auto doomed = dir.write("work/doomed.txt", "doomed");
    ASSERT_TRUE(move_to_trash({odd, folder, doomed}));

    EXPECT_EQ(peer_listed_paths(),
              (std::vector<std::string>{folder.string(), odd.string(), doomed.string()}));
    for (const auto& path : {odd, folder}) {
        std::string out = peer({"trash-restore", path.string()}, "0\n");
        EXPECT_TRUE(fs::exists(path)) << out;
    }
    EXPECT_EQ(read_file(odd), "odd");
    EXPECT_EQ(read_file(folder / "x.txt"), "x");

    peer({"trash-empty"});
    auto listed = list_trash_items();
    ASSERT_TRUE(listed) << listed.error();
    EXPECT_TRUE(listed->empty());
    EXPECT_TRUE(names_in(dir / "data" / "Trash" / "info").empty());
}

TEST_F(TrashInterop, VolumeTrashIsSharedBothWays)
{
    std::string error;
    if (!fileops_test::isolate_mounts(error))
        GTEST_SKIP() << "cannot make mounts private here: " << error;
    fileops_test::TmpfsMount mount("4m");
    if (!mount.is_mounted())
        GTEST_SKIP() << "cannot mount a tmpfs here: " << mount.error();
    fs::create_directories(mount.path() / "sub");
    auto theirs = mount.path() / "sub" / "their file%.txt";
    auto ours = mount.path() / "our file%.txt";
    fileops_test::write_pattern_file(theirs, 5);
    fileops_test::write_pattern_file(ours, 7);
    fs::path volume_trash = mount.path() / (".Trash-" + std::to_string(::getuid()));

    peer({"trash-put", theirs.string()});
    if (!fs::exists(volume_trash / "files" / "their file%.txt"))
        GTEST_SKIP() << "trash-cli did not use the tmpfs volume's own trash";
    auto restored = restore_from_trash({theirs});
    ASSERT_TRUE(restored) << restored.error();
    EXPECT_EQ(*restored, 1u);
    EXPECT_EQ(fs::file_size(theirs), 5u);

    ASSERT_TRUE(move_to_trash({ours}));
    ASSERT_TRUE(fs::exists(volume_trash / "files" / "our file%.txt"));
    auto listed = peer_listed_paths();
    if (listed.empty())
        GTEST_SKIP() << "trash-list does not see the tmpfs volume";
    EXPECT_EQ(listed, std::vector<std::string>{ours.string()});
    peer({"trash-restore", ours.string()}, "0\n");
    EXPECT_EQ(fs::file_size(ours), 7u);
    EXPECT_TRUE(names_in(volume_trash / "info").empty());
}

} // namespace
