#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "fileops/archive.hpp"
#include "fileops/archive_internal.hpp"
#include "model/location.hpp"
#include "support/temp_dir.hpp"

using namespace file_explorer;
namespace fs = std::filesystem;

namespace {

TEST(ArchiveNames, NameRuleTable)
{
    struct Case {
        const char* name;
        bool archive;
    };
    const Case cases[] = {
        {"trip.zip", true},     {"TRIP.ZIP", true},   {"a.tar", true},
        {"a.TgZ", true},        {"a.tar.gz", true},   {"a.TAR.GZ", true},
        {"dir/a.tar.gz", true}, {"trip.zip/", true},  {"\xff\xfe.zip", true},
        {"a.gz", false},        {"a.tar.bz2", false}, {"a.zip.txt", false},
        {".zip", false},        {".tar.gz", false},   {"zip", false},
        {"a.tgz.gz", false},    {"", false},          {"/", false},
        {"a.zip.", false},      {"tar.gz", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(has_archive_name(c.name), c.archive) << c.name;
}

TEST(ArchiveNames, IsArchiveNeedsARegularFileAndFollowsLinks)
{
    test_support::TempDir dir;
    auto zip = dir.write("trip.zip", "not really a zip");
    dir.write("notes.txt", "x");
    dir.mkdir("folder.zip");
    fs::create_symlink(zip, dir / "link.tar");
    fs::create_symlink(dir / "missing.zip", dir / "dangling.zip");
    fs::create_symlink(dir / "notes.txt", dir / "named.tgz");
    EXPECT_TRUE(is_archive(zip));
    EXPECT_TRUE(is_archive(dir / "link.tar"));
    EXPECT_TRUE(is_archive(dir / "named.tgz"));
    EXPECT_FALSE(is_archive(dir / "notes.txt"));
    EXPECT_FALSE(is_archive(dir / "folder.zip"));
    EXPECT_FALSE(is_archive(dir / "dangling.zip"));
    EXPECT_FALSE(is_archive(dir / "missing.tar"));
}

TEST(ArchiveNames, SplitFindsTheNearestArchiveAncestor)
{
    test_support::TempDir dir;
    auto zip = dir.write("trip.zip", "zip bytes");
    dir.mkdir("plain/sub");
    struct Case {
        fs::path path;
        std::optional<std::pair<fs::path, fs::path>> split;
    };
    const Case cases[] = {
        {zip, std::pair{zip, fs::path()}},
        {zip / "", std::pair{zip, fs::path()}},
        {zip / "photos", std::pair{zip, fs::path("photos")}},
        {zip / "photos/coast/a.jpg", std::pair{zip, fs::path("photos/coast/a.jpg")}},
        {zip / "photos/./coast/", std::pair{zip, fs::path("photos/coast")}},
        {dir / "plain/sub", std::nullopt},
        {dir / "missing.zip/x", std::nullopt},
        {fs::path("/"), std::nullopt},
        {fs::path(), std::nullopt},
    };
    for (const auto& c : cases) {
        auto split = archive_split(c.path);
        ASSERT_EQ(split.has_value(), c.split.has_value()) << c.path;
        if (split) {
            EXPECT_EQ(split->archive, c.split->first) << c.path;
            EXPECT_EQ(split->inner, c.split->second) << c.path;
        }
    }
}

TEST(ArchiveNames, SanitisingTable)
{
    using archive_detail::sanitise_entry_path;
    const std::pair<const char*, const char*> kept[] = {
        {"a/b.txt", "a/b.txt"},   {"./a//b/", "a/b"},       {"dir/", "dir"},
        {"a\\..\\b", "a\\..\\b"}, {"..\\evil", "..\\evil"}, {"C:\\x", "C:\\x"},
        {"a/./b/.", "a/b"},       {"...", "..."},           {"\xff/\xfe", "\xff/\xfe"},
    };
    for (const auto& [stored, joined] : kept) {
        auto result = sanitise_entry_path(stored);
        ASSERT_TRUE(result) << stored << ": " << result.error();
        EXPECT_EQ(*result, joined);
    }
    const std::pair<const char*, const char*> refused[] = {
        {"../../evil", "archive entry escapes its destination"},
        {"/etc/x", "archive entry escapes its destination"},
        {"a/../b", "archive entry escapes its destination"},
        {"a/..", "archive entry escapes its destination"},
        {"//x", "archive entry escapes its destination"},
        {"", "empty archive entry"},
        {".", "empty archive entry"},
        {"./", "empty archive entry"},
        {".//.", "empty archive entry"},
    };
    for (const auto& [stored, text] : refused) {
        auto result = sanitise_entry_path(stored);
        ASSERT_FALSE(result) << stored;
        EXPECT_EQ(result.error(), text) << stored;
    }
}

TEST(ArchiveNames, LimitsCountEntriesAndSizes)
{
    using archive_detail::EntryLimits;
    {
        EntryLimits limits;
        for (int i = 0; i < 100'000; ++i)
            ASSERT_TRUE(limits.count(0));
        auto over = limits.count(0);
        ASSERT_FALSE(over);
        EXPECT_EQ(over.error(), "archive has too many entries");
    }
    {
        EntryLimits limits;
        EXPECT_TRUE(limits.count(17'179'869'184ull)); // exactly 16 GiB is allowed
        auto over = limits.count(1);
        ASSERT_FALSE(over);
        EXPECT_EQ(over.error(), "archive expands beyond the safety limit");
        EXPECT_EQ(limits.counted(), 1u);
    }
    {
        EntryLimits limits;
        ASSERT_TRUE(limits.count(16));
        auto overflow = limits.count(UINT64_MAX - 8);
        ASSERT_FALSE(overflow);
        EXPECT_EQ(overflow.error(), "archive size overflow");
    }
}

TEST(ArchiveNames, FormatFollowsTheExtension)
{
    using archive_detail::archive_format;
    using archive_detail::ArchiveFormat;
    EXPECT_EQ(archive_format("a.ZIP"), ArchiveFormat::Zip);
    EXPECT_EQ(archive_format("a.tar.gz"), ArchiveFormat::GzipTar);
    EXPECT_EQ(archive_format("a.Tgz"), ArchiveFormat::GzipTar);
    EXPECT_EQ(archive_format("a.gz"), ArchiveFormat::GzipTar);
    EXPECT_EQ(archive_format("a.tar"), ArchiveFormat::Tar);
    EXPECT_EQ(archive_format("noextension"), ArchiveFormat::Tar);
}

TEST(ArchiveNames, ExtractionDestinationTable)
{
    test_support::TempDir dir;
    dir.mkdir("taken");
    dir.mkdir("taken 2");
    dir.write("file", "occupies the name");
    fs::create_symlink(dir / "taken", dir / "linked");
    struct Case {
        fs::path archive;
        fs::path expected;
    };
    const Case cases[] = {
        {dir / "trip.zip", dir / "trip"},         {dir / "trip.tar.gz", dir / "trip"},
        {dir / "trip.tar", dir / "trip"},         {dir / "trip.zip.tar.gz.gz", dir / "trip"},
        {dir / "trip.tgz", dir / "trip.tgz"},     {dir / "trip.ZIP", dir / "trip.ZIP"},
        {dir / "trip.tar.zip", dir / "trip.tar"}, {dir / "taken.zip", dir / "taken 3"},
        {dir / "file.tar", dir / "file 2"},       {dir / "linked.tar", dir / "linked 2"},
        {dir / "caf\xe9.zip", dir / "Archive"},   {fs::path("bare.zip"), dir / "bare"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(extraction_destination(c.archive, dir.path()), c.expected) << c.archive;
}

TEST(ArchiveNames, OpenResolvesRecordsAndImplicitFolders)
{
    const std::vector<ArchiveEntryRecord> records = {
        {"Read me.txt", 9, false},
        {"Photos/Coast/IMG_2048.jpg", 100, false},
        {"Docs", 0, true},
    };
    struct Case {
        const char* inner;
        ArchiveOpen open;
    };
    const Case cases[] = {
        {"", ArchiveOpen::Root},
        {"Docs", ArchiveOpen::Folder},
        {"Photos", ArchiveOpen::Folder},
        {"Photos/Coast", ArchiveOpen::Folder},
        {"Photos/Coast/", ArchiveOpen::Folder},
        {"Read me.txt", ArchiveOpen::NeedsExtract},
        {"Photos/Coast/IMG_2048.jpg", ArchiveOpen::NeedsExtract},
        {"Photo", ArchiveOpen::NeedsExtract},
        {"Missing", ArchiveOpen::NeedsExtract},
        {"../Docs", ArchiveOpen::NeedsExtract},
    };
    for (const auto& c : cases)
        EXPECT_EQ(resolve_archive_open(records, c.inner), c.open) << c.inner;
}

} // namespace
