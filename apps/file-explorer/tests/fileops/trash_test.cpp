#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "fileops/desktop_trash.hpp"
#include "fileops/fileops_fixtures.hpp"
#include "fileops/trash.hpp"
#include "support/temp_dir.hpp"

using namespace file_explorer;
using fileops_test::names_in;
using fileops_test::read_file;
namespace fs = std::filesystem;

namespace {

std::string uid_text()
{
    return std::to_string(::getuid());
}

// A private data folder (so a private home trash) for each test. Mounts are made private to the
// test process so that emptying the Trash never reaches another test's volume; a test is skipped
// rather than run when the user already has trashed items on a mounted volume, as emptying would
// destroy them.
class TrashTest : public testing::Test {
  protected:
    void SetUp() override
    {
        std::string ignored;
        fileops_test::isolate_mounts(ignored); // without it no test here can mount either
        auto listed = list_trash_items();
        ASSERT_TRUE(listed) << listed.error();
        if (!listed->empty())
            GTEST_SKIP() << "this user has trashed items on a mounted volume (" << listed->front().files_path
                         << "); these tests would purge them";
    }

    fs::path trash_root() const { return dir / "data" / "Trash"; }
    fs::path files() const { return trash_root() / "files"; }
    fs::path info() const { return trash_root() / "info"; }

    test_support::TempDir dir;
    test_support::ScopedEnv data_home{"XDG_DATA_HOME", (dir / "data").string()};
    fs::path work = dir.mkdir("work");
};

// A move to Trash of `paths` as the explorer makes it, giving the undo record.
std::optional<TrashSnapshot> trash_with_record(const std::vector<fs::path>& paths)
{
    auto before = trash_snapshot();
    auto moved = move_to_trash(paths);
    EXPECT_TRUE(moved) << moved.error();
    return undo_record_after(before, trash_snapshot(), paths.size());
}

std::optional<desktop_trash::Item> library_item(std::string_view name)
{
    auto listed = desktop_trash::list_items();
    if (!listed)
        return std::nullopt;
    for (auto& item : *listed) {
        if (item.name == name)
            return item;
    }
    return std::nullopt;
}

// ---- Undo ----

TEST_F(TrashTest, UndoRestoresBothTrashedFiles)
{
    ensure_trash_folder();
    auto a = dir.write("work/a.txt", "alpha");
    auto b = dir.write("work/b.txt", "beta");

    auto record = trash_with_record({a, b});
    ASSERT_TRUE(record);
    EXPECT_EQ(*record, (TrashSnapshot{files() / "a.txt", files() / "b.txt"}));
    EXPECT_FALSE(fs::exists(a));

    auto outcome = undo_move_to_trash(record);
    EXPECT_EQ(outcome.kind, UndoKind::Restored) << outcome.error;
    EXPECT_EQ(outcome.count, 2u);
    EXPECT_FALSE(record);
    EXPECT_EQ(read_file(a), "alpha");
    EXPECT_EQ(read_file(b), "beta");
    EXPECT_TRUE(names_in(files()).empty());
    EXPECT_TRUE(names_in(info()).empty());
}

TEST_F(TrashTest, UndoAfterEmptyingIsUnavailable)
{
    ensure_trash_folder();
    auto record = trash_with_record({dir.write("work/a.txt", "alpha")});
    ASSERT_TRUE(record);
    auto emptied = empty_trash();
    ASSERT_TRUE(emptied) << emptied.error();
    EXPECT_EQ(*emptied, 1u);

    EXPECT_EQ(undo_move_to_trash(record).kind, UndoKind::Unavailable);
    EXPECT_FALSE(record);
    EXPECT_FALSE(fs::exists(work / "a.txt"));
}

TEST_F(TrashTest, UndoAfterOutsideRemovalIsUnavailableAndLeavesTrashAlone)
{
    ensure_trash_folder();
    auto record = trash_with_record({dir.write("work/a.txt"), dir.write("work/b.txt")});
    ASSERT_TRUE(record);
    fs::remove(files() / "a.txt");

    EXPECT_EQ(undo_move_to_trash(record).kind, UndoKind::Unavailable);
    EXPECT_FALSE(record);
    EXPECT_EQ(names_in(files()), std::vector<std::string>{"b.txt"});
    EXPECT_EQ(names_in(info()), (std::vector<std::string>{"a.txt.trashinfo", "b.txt.trashinfo"}));
    EXPECT_FALSE(fs::exists(work / "b.txt"));
}

TEST_F(TrashTest, UndoKeepsItsRecordWhenThePlaceIsTaken)
{
    ensure_trash_folder();
    auto a = dir.write("work/a.txt", "old");
    auto record = trash_with_record({a});
    ASSERT_TRUE(record);
    dir.write("work/a.txt", "new");

    auto outcome = undo_move_to_trash(record);
    EXPECT_EQ(outcome.kind, UndoKind::Failed);
    EXPECT_NE(outcome.error.find("already exists"), std::string::npos) << outcome.error;
    EXPECT_TRUE(record);
    EXPECT_EQ(read_file(a), "new");
    EXPECT_EQ(read_file(files() / "a.txt"), "old");
}

TEST(TrashUndoRecord, IsWhatTheMoveAddedOnlyWhenItAccountsForEveryItem)
{
    TrashSnapshot before{"/t/x"};
    TrashSnapshot after{"/t/x", "/t/y", "/t/z"};
    struct Case {
        std::optional<TrashSnapshot> before, after;
        std::size_t selected;
        std::optional<TrashSnapshot> expected;
    } cases[] = {
        {before, after, 2, TrashSnapshot{"/t/y", "/t/z"}},
        {before, after, 3, std::nullopt},
        {std::nullopt, after, 2, std::nullopt},
        {before, std::nullopt, 0, std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(undo_record_after(c.before, c.after, c.selected), c.expected);
}

TEST_F(TrashTest, SnapshotAndLocationFollowTheTrashFolder)
{
    EXPECT_FALSE(trash_snapshot());
    ensure_trash_folder();
    auto snapshot = trash_snapshot();
    ASSERT_TRUE(snapshot);
    EXPECT_TRUE(snapshot->empty());

    EXPECT_TRUE(is_trash_location(files()));
    EXPECT_TRUE(is_trash_location(fs::path(files().string() + "/")));
    EXPECT_FALSE(is_trash_location(trash_root()));
    EXPECT_FALSE(is_trash_location(files() / "sub"));
    EXPECT_TRUE(move_to_trash({}));
}

// ---- Restore ----

TEST_F(TrashTest, RestoreStopsAtTheFirstTakenPlace)
{
    auto a = dir.write("work/a.txt", "alpha");
    auto b = dir.write("work/deep/b.txt", "beta");
    ASSERT_TRUE(move_to_trash({a, b}));
    fs::remove_all(work / "deep");
    dir.write("work/deep/b.txt", "squatter");

    auto restored = restore_from_trash({a, b});
    ASSERT_FALSE(restored);
    EXPECT_NE(restored.error().find(b.string() + " already exists"), std::string::npos) << restored.error();
    EXPECT_EQ(read_file(a), "alpha");
    EXPECT_EQ(read_file(b), "squatter");
    EXPECT_EQ(read_file(files() / "b.txt"), "beta");
    EXPECT_EQ(names_in(info()), std::vector<std::string>{"b.txt.trashinfo"});
}

TEST_F(TrashTest, RestoreCreatesMissingParentFolders)
{
    auto b = dir.write("work/deep/er/b.txt", "beta");
    ASSERT_TRUE(move_to_trash({b}));
    fs::remove_all(work / "deep");

    auto restored = restore_from_trash({b});
    ASSERT_TRUE(restored) << restored.error();
    EXPECT_EQ(*restored, 1u);
    EXPECT_EQ(read_file(b), "beta");
}

TEST_F(TrashTest, SameNameTwiceGivesTwoItemsThatCannotBothReturn)
{
    auto a = dir.write("work/a.txt", "first");
    ASSERT_TRUE(move_to_trash({a}));
    dir.write("work/a.txt", "second");
    ASSERT_TRUE(move_to_trash({a}));

    EXPECT_EQ(names_in(files()), (std::vector<std::string>{"a 2.txt", "a.txt"}));
    EXPECT_EQ(read_file(files() / "a 2.txt"), "second");
    auto found = find_trash_items({work / "a.txt", work / "a 2.txt"});
    ASSERT_TRUE(found) << found.error();
    ASSERT_EQ(found->size(), 2u);
    EXPECT_EQ((*found)[0].original_path, a);
    EXPECT_EQ((*found)[1].original_path, a);

    auto restored = restore_from_trash({a, work / "a 2.txt"});
    ASSERT_FALSE(restored);
    EXPECT_NE(restored.error().find("both would return to"), std::string::npos) << restored.error();
    EXPECT_FALSE(fs::exists(a));
    EXPECT_EQ(names_in(files()).size(), 2u);
}

TEST_F(TrashTest, SymbolicLinkIsTrashedItselfNotItsTarget)
{
    auto target = dir.write("work/target.txt", "kept");
    fs::create_symlink(target, work / "link");
    ASSERT_TRUE(move_to_trash({work / "link"}));
    EXPECT_TRUE(fs::is_symlink(files() / "link"));
    EXPECT_EQ(read_file(target), "kept");

    auto purged = delete_from_trash({work / "link"});
    ASSERT_TRUE(purged) << purged.error();
    EXPECT_EQ(*purged, 1u);
    EXPECT_EQ(read_file(target), "kept");
    EXPECT_TRUE(names_in(info()).empty());
}

// ---- Names ----

struct NameCase {
    const char* label;
    std::string name;
    std::string encoded;
    bool matchable; // found by name through the explorer's operations
};

void PrintTo(const NameCase& c, std::ostream* out)
{
    *out << c.label;
}

class TrashNames : public TrashTest, public testing::WithParamInterface<NameCase> {};

TEST_P(TrashNames, RoundTripThroughTheRecord)
{
    const auto& c = GetParam();
    auto item_path = dir.write("work/" + c.name, "payload");
    ASSERT_TRUE(move_to_trash({item_path}));

    std::string record = read_file(info() / (c.name + ".trashinfo"));
    EXPECT_TRUE(record.starts_with("[Trash Info]\nPath=" + desktop_trash::percent_encode(work.string()) +
                                   "/" + c.encoded + "\nDeletionDate="))
        << record;
    auto item = library_item(c.name);
    ASSERT_TRUE(item);
    EXPECT_EQ(item->original_path, item_path);
    EXPECT_EQ(item->deletion_date.size(), std::string("2024-01-31T12:00:00").size()) << item->deletion_date;

    auto found = find_trash_items({item_path});
    ASSERT_TRUE(found) << found.error();
    EXPECT_EQ(found->size(), c.matchable ? 1u : 0u);

    ASSERT_TRUE(desktop_trash::restore({*item}));
    EXPECT_EQ(read_file(item_path), "payload");
    EXPECT_TRUE(names_in(info()).empty());
}

INSTANTIATE_TEST_SUITE_P(Cases, TrashNames,
                         testing::Values(NameCase{"space", "with space.txt", "with%20space.txt", true},
                                         NameCase{"percent", "100%.txt", "100%25.txt", true},
                                         NameCase{"newline", "line\nbreak", "line%0Abreak", true},
                                         NameCase{"reserved", "a#b?c&d", "a%23b%3Fc%26d", true},
                                         NameCase{"utf8", "caf\xc3\xa9", "caf%C3%A9", true},
                                         NameCase{"not_utf8", "caf\xe9", "caf%E9", false}),
                         [](const auto& info) { return std::string(info.param.label); });

TEST_F(TrashTest, OverlongNameIsShortenedToFitItsRecord)
{
    std::string name = std::string(250, 'n') + ".txt";
    auto item_path = dir.write("work/" + name, "long");
    ASSERT_TRUE(move_to_trash({item_path}));
    auto names = names_in(files());
    ASSERT_EQ(names.size(), 1u);
    EXPECT_EQ(names[0].size(), 255u - std::string(".trashinfo").size());
    EXPECT_TRUE(names[0].ends_with(".txt"));
    auto restored = restore_from_trash({files() / names[0]});
    ASSERT_TRUE(restored) << restored.error();
    EXPECT_EQ(read_file(item_path), "long");
}

// ---- Orphans ----

TEST_F(TrashTest, OrphanedRecordsAndFilesDoNotBreakListing)
{
    ASSERT_TRUE(move_to_trash({dir.write("work/kept.txt", "kept")}));
    dir.write("data/Trash/info/ghost.trashinfo",
              "[Trash Info]\nPath=/nowhere/ghost\nDeletionDate=2024-01-01T00:00:00\n");
    dir.write("data/Trash/files/stray", "stray");
    dir.write("data/Trash/files/garbled", "garbled");
    dir.write("data/Trash/info/garbled.trashinfo", "not a record");

    auto listed = list_trash_items();
    ASSERT_TRUE(listed) << listed.error();
    std::vector<std::string> names;
    for (const auto& item : *listed)
        names.push_back(item.name + (item.original_path.empty() ? " (no record)" : ""));
    EXPECT_EQ(names, (std::vector<std::string>{"garbled (no record)", "kept.txt", "stray (no record)"}));

    auto restored = restore_from_trash({work / "stray"});
    ASSERT_FALSE(restored);
    EXPECT_NE(restored.error().find("record is missing or unreadable"), std::string::npos)
        << restored.error();
    auto purged = delete_from_trash({work / "stray"});
    ASSERT_TRUE(purged) << purged.error();
    EXPECT_EQ(*purged, 1u);

    auto emptied = empty_trash();
    ASSERT_TRUE(emptied) << emptied.error();
    EXPECT_EQ(*emptied, 2u);
    EXPECT_TRUE(names_in(files()).empty());
    EXPECT_TRUE(names_in(info()).empty());
}

// ---- directorysizes ----

TEST_F(TrashTest, TrashedFolderSizeIsCachedUntilItLeaves)
{
    dir.write("work/My Album/a.bin", "123");
    dir.write("work/My Album/inner/b.bin", "12345");
    fs::create_symlink("/etc/hostname", work / "My Album" / "link");
    dir.write("data/Trash/directorysizes", "99 1 stale%20entry\n");
    ASSERT_TRUE(move_to_trash({work / "My Album"}));

    struct stat st {};
    ASSERT_EQ(::stat((info() / "My Album.trashinfo").c_str(), &st), 0);
    EXPECT_EQ(read_file(trash_root() / "directorysizes"),
              "8 " + std::to_string(st.st_mtime) + " My%20Album\n");

    ASSERT_TRUE(restore_from_trash({work / "My Album"}));
    EXPECT_EQ(read_file(trash_root() / "directorysizes"), "");
    EXPECT_EQ(read_file(work / "My Album" / "inner" / "b.bin"), "12345");
}

// ---- Per-volume trash ----

class TrashVolume : public TrashTest {
  protected:
    void SetUp() override
    {
        TrashTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        std::string error;
        if (!fileops_test::isolate_mounts(error))
            GTEST_SKIP() << "cannot make mounts private here: " << error;
        mount.emplace("4m");
        if (!mount->is_mounted())
            GTEST_SKIP() << "cannot mount a tmpfs here: " << mount->error();
    }
    const fs::path& top() const { return mount->path(); }

    std::optional<fileops_test::TmpfsMount> mount;
};

TEST_F(TrashVolume, ItemGoesToTheVolumeTrashWithARelativePathAndNoUndo)
{
    ensure_trash_folder();
    fs::create_directories(top() / "sub");
    auto item_path = top() / "sub" / "v w.txt";
    fileops_test::write_pattern_file(item_path, 10);

    EXPECT_FALSE(trash_with_record({item_path}));
    fs::path volume_trash = top() / (".Trash-" + uid_text());
    EXPECT_TRUE(fs::exists(volume_trash / "files" / "v w.txt"));
    EXPECT_TRUE(read_file(volume_trash / "info" / "v w.txt.trashinfo")
                    .starts_with("[Trash Info]\nPath=sub/v%20w.txt\n"));
    EXPECT_EQ(fs::status(volume_trash).permissions(), fs::perms::owner_all);
    EXPECT_TRUE(names_in(files()).empty());

    auto found = find_trash_items({item_path});
    ASSERT_TRUE(found) << found.error();
    ASSERT_EQ(found->size(), 1u);
    EXPECT_EQ((*found)[0].original_path, item_path);
    auto restored = restore_from_trash({item_path});
    ASSERT_TRUE(restored) << restored.error();
    EXPECT_TRUE(fs::exists(item_path));
}

TEST_F(TrashVolume, UndoBringsBackItsOwnItemNotANamesakeFromAnotherTrash)
{
    ensure_trash_folder();
    auto on_volume = top() / "same.txt";
    fileops_test::write_pattern_file(on_volume, 7);
    ASSERT_TRUE(move_to_trash({on_volume}));
    auto at_home = dir.write("work/same.txt", "home");
    auto record = trash_with_record({at_home});
    ASSERT_TRUE(record);

    auto outcome = undo_move_to_trash(record);
    EXPECT_EQ(outcome.kind, UndoKind::Restored) << outcome.error;
    EXPECT_EQ(outcome.count, 1u);
    EXPECT_EQ(read_file(at_home), "home");
    EXPECT_FALSE(fs::exists(on_volume)) << "the volume's item stays in its Trash";
    EXPECT_TRUE(fs::exists(top() / (".Trash-" + uid_text()) / "files" / "same.txt"));
}

struct VolumeCase {
    const char* label;
    void (*prepare)(const fs::path& top);
    const char* expected_root; // relative to the top folder, with {uid}; nullptr when trashing fails
};

void PrintTo(const VolumeCase& c, std::ostream* out)
{
    *out << c.label;
}

class TrashVolumeChoice : public TrashVolume, public testing::WithParamInterface<VolumeCase> {};

TEST_P(TrashVolumeChoice, UsesASharedTrashOnlyWhenItIsARealStickyFolder)
{
    const auto& c = GetParam();
    c.prepare(top());
    auto item_path = top() / "v.txt";
    fileops_test::write_pattern_file(item_path, 3);

    auto moved = move_to_trash({item_path});
    if (!c.expected_root) {
        ASSERT_FALSE(moved);
        EXPECT_NE(moved.error().find("no usable Trash on the volume at " + top().string()), std::string::npos)
            << moved.error();
        EXPECT_TRUE(fs::exists(item_path));
        return;
    }
    ASSERT_TRUE(moved) << moved.error();
    std::string root = c.expected_root;
    root.replace(root.find("{uid}"), 5, uid_text());
    EXPECT_TRUE(fs::exists(top() / root / "files" / "v.txt"));
    EXPECT_EQ(read_file(top() / root / "info" / "v.txt.trashinfo").substr(0, 24),
              "[Trash Info]\nPath=v.txt\n");
    auto listed = list_trash_items();
    ASSERT_TRUE(listed) << listed.error();
    ASSERT_EQ(listed->size(), 1u);
    EXPECT_EQ((*listed)[0].files_path, top() / root / "files" / "v.txt");
    EXPECT_EQ((*listed)[0].original_path, item_path);
}

INSTANTIATE_TEST_SUITE_P(Cases, TrashVolumeChoice,
                         testing::Values(VolumeCase{"no_shared_trash", [](const fs::path&) {},
                                                    ".Trash-{uid}"},
                                         VolumeCase{"sticky_shared_trash",
                                                    [](const fs::path& top) {
                                                        fs::create_directory(top / ".Trash");
                                                        ::chmod((top / ".Trash").c_str(), 01777);
                                                    },
                                                    ".Trash/{uid}"},
                                         VolumeCase{"shared_trash_without_sticky_bit",
                                                    [](const fs::path& top) {
                                                        fs::create_directory(top / ".Trash");
                                                        ::chmod((top / ".Trash").c_str(), 0777);
                                                    },
                                                    ".Trash-{uid}"},
                                         VolumeCase{"shared_trash_is_a_link",
                                                    [](const fs::path& top) {
                                                        fs::create_directory(top / "real");
                                                        ::chmod((top / "real").c_str(), 01777);
                                                        fs::create_directory_symlink("real", top / ".Trash");
                                                    },
                                                    ".Trash-{uid}"},
                                         VolumeCase{"own_trash_is_a_file",
                                                    [](const fs::path& top) {
                                                        fileops_test::write_pattern_file(
                                                            top / (".Trash-" + std::to_string(::getuid())),
                                                            1);
                                                    },
                                                    nullptr}),
                         [](const auto& info) { return std::string(info.param.label); });

// ---- Permission failures ----

struct PermissionCase {
    const char* label;
    bool trash_writable;  // the home trash belongs to the unprivileged user
    bool folder_writable; // the item's folder belongs to the unprivileged user
};

void PrintTo(const PermissionCase& c, std::ostream* out)
{
    *out << c.label;
}

class TrashPermissions : public TrashTest, public testing::WithParamInterface<PermissionCase> {};

struct TrashAsNobody {
    const char* path;
    int report_fd;
};

int trash_and_report(void* data)
{
    auto* job = static_cast<TrashAsNobody*>(data);
    auto moved = move_to_trash({job->path});
    if (moved)
        return 1;
    (void)!::write(job->report_fd, moved.error().data(), moved.error().size());
    return 0;
}

TEST_P(TrashPermissions, FailureLosesNothing)
{
    const auto& c = GetParam();
    ::chmod(dir.path().c_str(), 0755);
    fs::create_directories(files());
    fs::create_directories(info());
    auto item_path = dir.write("work/keep.txt", "kept");
    auto give = [](const fs::path& path) {
        ::chown(path.c_str(), 65534, 65534);
        for (const auto& entry : fs::recursive_directory_iterator(path))
            ::lchown(entry.path().c_str(), 65534, 65534);
    };
    if (c.trash_writable)
        give(dir / "data");
    if (c.folder_writable)
        give(work);

    int pipe_fds[2];
    ASSERT_EQ(::pipe(pipe_fds), 0);
    TrashAsNobody job{item_path.c_str(), pipe_fds[1]};
    int status = test_support::run_unprivileged(trash_and_report, &job);
    ::close(pipe_fds[1]);
    std::string text(4096, '\0');
    auto n = ::read(pipe_fds[0], text.data(), text.size());
    text.resize(n > 0 ? std::size_t(n) : 0);
    ::close(pipe_fds[0]);
    if (status < 0)
        GTEST_SKIP() << "cannot drop privileges here";
    ASSERT_EQ(status, 0) << "the move to Trash succeeded";

    EXPECT_TRUE(text.starts_with("Cannot move " + item_path.string() + " to Trash: ")) << text;
    EXPECT_NE(text.find("Permission denied (os error 13)"), std::string::npos) << text;
    EXPECT_EQ(read_file(item_path), "kept");
    EXPECT_TRUE(names_in(files()).empty());
    EXPECT_TRUE(names_in(info()).empty());
}

INSTANTIATE_TEST_SUITE_P(Cases, TrashPermissions,
                         testing::Values(PermissionCase{"folder_not_writable", true, false},
                                         PermissionCase{"trash_not_writable", false, true}),
                         [](const auto& info) { return std::string(info.param.label); });

// ---- Text forms ----

TEST(TrashText, RecordsParseLikeDesktopEntries)
{
    struct Case {
        const char* text;
        std::optional<std::string> path;
    } cases[] = {
        {"[Trash Info]\nPath=/a%20b\nDeletionDate=2024-01-02T03:04:05\n", "/a%20b"},
        {"# note\n[Trash Info]\r\nPath = rel/x \r\n", "rel/x"},
        {"[Other]\nPath=/wrong\n[Trash Info]\nPath=/right\nPath=/second\n", "/right"},
        {"[Trash Info]\nDeletionDate=2024-01-02T03:04:05\n", std::nullopt},
        {"Path=/outside/group\n", std::nullopt},
    };
    for (const auto& c : cases) {
        auto info = desktop_trash::parse_trash_info(c.text);
        EXPECT_EQ(info ? std::optional(info->path) : std::nullopt, c.path) << c.text;
    }
    EXPECT_EQ(desktop_trash::parse_trash_info(desktop_trash::format_trash_info({"/p", "2024-01-02T03:04:05"}))
                  ->deletion_date,
              "2024-01-02T03:04:05");
}

TEST(TrashText, PercentDecodingKeepsMalformedEscapes)
{
    EXPECT_EQ(desktop_trash::percent_decode("a%20b%2fc%zz%4"), "a b/c%zz%4");
    EXPECT_EQ(desktop_trash::percent_decode(desktop_trash::percent_encode(std::string("\x00\xff/ %~", 6))),
              std::string("\x00\xff/ %~", 6));
}

TEST(TrashText, MountTableEntriesDecodeEscapes)
{
    auto mounts = desktop_trash::parse_mountinfo(
        "27 1 254:0 / / rw,relatime - ext4 /dev/vda rw\n"
        "40 27 0:50 / /media/My\\040Disk rw shared:7 master:2 - vfat /dev/sdb1 rw\n"
        "broken line\n"
        "41 27 0:51 / /tab\\011and\\134 rw - tmpfs tmpfs rw\n");
    ASSERT_EQ(mounts.size(), 3u);
    EXPECT_EQ(mounts[0].mount_point, "/");
    EXPECT_EQ(mounts[1].mount_point, "/media/My Disk");
    EXPECT_EQ(mounts[1].fs_type, "vfat");
    EXPECT_EQ(mounts[2].mount_point, "/tab\tand\\");
}

} // namespace
