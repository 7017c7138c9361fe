#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include "model/formatting.hpp"
#include "model/listing.hpp"
#include "model/mime_types.hpp"
#include "support/temp_dir.hpp"

namespace file_explorer {
namespace {

using test_support::TempDir;

DirectoryEntry entry(std::string name, bool is_dir = false, std::uint64_t size = 0, std::optional<std::int64_t> mtime = {},
                     std::string_view mime = kOctetStream)
{
    DirectoryEntry e;
    e.name = name;
    e.path_bytes = "/x/" + name;
    e.is_dir = is_dir;
    e.size = size;
    if (mtime)
        e.modified = FileTime{*mtime, 0};
    e.mime_type = mime;
    return e;
}

std::vector<std::string> names(const Listing& entries)
{
    std::vector<std::string> out;
    for (const auto& e : entries)
        out.push_back(e.name);
    return out;
}

DirectoryEntry* find(Listing& entries, std::string_view name)
{
    for (auto& e : entries)
        if (e.name == name)
            return &e;
    return nullptr;
}

TEST(Listing, ReadsNamesSizesTimesAndKinds)
{
    TempDir dir;
    dir.write("notes.txt", "hello");
    dir.mkdir("Photos");
    dir.mkdir("real");
    std::filesystem::create_directory_symlink(dir / "real", dir / "link-to-folder.zip");

    auto listing = read_local_directory(dir.path());
    ASSERT_TRUE(listing) << listing.error();
    ASSERT_EQ(listing->size(), 4u);
    auto* notes = find(*listing, "notes.txt");
    ASSERT_TRUE(notes);
    EXPECT_EQ(notes->size, 5u);
    EXPECT_FALSE(notes->is_dir);
    EXPECT_EQ(notes->mime_type, "text/plain");
    EXPECT_EQ(notes->path(), dir / "notes.txt");
    EXPECT_TRUE(notes->modified.has_value());
    EXPECT_TRUE(find(*listing, "Photos")->is_dir);
    // A link to a folder is a file with its own name's type.
    auto* link = find(*listing, "link-to-folder.zip");
    ASSERT_TRUE(link);
    EXPECT_FALSE(link->is_dir);
    EXPECT_EQ(link->mime_type, "application/zip");
    for (const auto& e : *listing)
        EXPECT_FALSE(e.sync_state || e.record_id || e.content_hash);
}

TEST(Listing, KeepsNonUtf8NamesAsBytes)
{
    TempDir dir;
    std::string raw = "caf\xE9-\xFF.txt";
    dir.write(raw, "x");
    auto listing = read_local_directory(dir.path());
    ASSERT_TRUE(listing);
    ASSERT_EQ(listing->size(), 1u);
    EXPECT_EQ((*listing)[0].name, "caf\uFFFD-\uFFFD.txt");
    EXPECT_EQ((*listing)[0].path().filename().native(), raw);
    EXPECT_EQ(access((*listing)[0].path().c_str(), F_OK), 0);
    sort_entries(*listing, SortKey::Name, SortOrder::Ascending);
    EXPECT_EQ((*listing)[0].path().filename().native(), raw);
}

TEST(Listing, FailsWithTheSystemsWording)
{
    TempDir dir;
    auto missing = read_local_directory(dir / "missing");
    ASSERT_FALSE(missing);
    EXPECT_EQ(missing.error(), "No such file or directory (os error 2)");
    auto file = read_local_directory(dir.write("plain.txt"));
    ASSERT_FALSE(file);
    EXPECT_EQ(file.error(), "Not a directory (os error 20)");
}

TEST(Listing, EmptyFolderListsNothingAndCountsZero)
{
    TempDir dir;
    auto listing = read_local_directory(dir.path());
    ASSERT_TRUE(listing);
    EXPECT_TRUE(listing->empty());
    EXPECT_EQ(status_text(0, 0, std::nullopt), "0 items");
}

TEST(Listing, FilterHiddenRemovesDotNamesKeepingOrder)
{
    Listing entries = {entry("b"), entry(".config", true), entry("a"), entry(".bashrc"), entry("c.")};
    filter_hidden(entries);
    EXPECT_EQ(names(entries), (std::vector<std::string>{"b", "a", "c."}));
}

struct SortCase {
    const char* label;
    SortKey key;
    SortOrder order;
    std::vector<std::string> expected;
};

class SortTable : public ::testing::TestWithParam<SortCase> {};

// Names and times chosen so that every rule shows: folders first, lower-cased names, stable ties,
// absent times first.
Listing sample()
{
    return {
        entry("B.txt", false, 300, 30, "text/plain"),
        entry("a.txt", false, 100, std::nullopt, "text/plain"),
        entry("C", true, 4096, 10, kDirectoryMime),
        entry("README", false, 5, 20, kOctetStream),
        entry("readme", false, 5, 20, kOctetStream),
        entry("Émile.png", false, 200, std::nullopt, "image/png"),
        entry("ärger", true, 4096, std::nullopt, kDirectoryMime),
    };
}

TEST_P(SortTable, Orders)
{
    auto entries = sample();
    sort_entries(entries, GetParam().key, GetParam().order);
    EXPECT_EQ(names(entries), GetParam().expected) << GetParam().label;
}

INSTANTIATE_TEST_SUITE_P(
    Sorting, SortTable,
    ::testing::Values(
        SortCase{"name asc", SortKey::Name, SortOrder::Ascending, {"C", "ärger", "a.txt", "B.txt", "README", "readme", "Émile.png"}},
        SortCase{"name desc", SortKey::Name, SortOrder::Descending, {"ärger", "C", "Émile.png", "README", "readme", "B.txt", "a.txt"}},
        SortCase{"size asc", SortKey::Size, SortOrder::Ascending, {"C", "ärger", "README", "readme", "a.txt", "Émile.png", "B.txt"}},
        SortCase{"size desc", SortKey::Size, SortOrder::Descending, {"C", "ärger", "B.txt", "Émile.png", "a.txt", "README", "readme"}},
        SortCase{"modified asc", SortKey::Modified, SortOrder::Ascending, {"ärger", "C", "a.txt", "Émile.png", "README", "readme", "B.txt"}},
        SortCase{"modified desc", SortKey::Modified, SortOrder::Descending, {"C", "ärger", "B.txt", "README", "readme", "a.txt", "Émile.png"}},
        SortCase{"type asc", SortKey::Type, SortOrder::Ascending, {"C", "ärger", "README", "readme", "Émile.png", "B.txt", "a.txt"}}),
    [](const auto& info) {
        std::string n = info.param.label;
        for (auto& c : n)
            if (c == ' ')
                c = '_';
        return n;
    });

TEST(Sorting, ExampleFromTheFolderView)
{
    Listing entries = {entry("B.txt"), entry("a.txt"), entry("C", true)};
    sort_entries(entries, SortKey::Name, SortOrder::Ascending);
    EXPECT_EQ(names(entries), (std::vector<std::string>{"C", "a.txt", "B.txt"}));
    sort_entries(entries, SortKey::Name, SortOrder::Descending);
    EXPECT_EQ(names(entries), (std::vector<std::string>{"C", "B.txt", "a.txt"}));
}

TEST(Sorting, FullUnicodeLowerCasing)
{
    // "İ" lowers to "i" + combining dot, so it sorts right after a plain "i" and before "j".
    Listing entries = {entry("j"), entry("İx"), entry("ix"), entry("ΣΑΣ"), entry("σαα")};
    sort_entries(entries, SortKey::Name, SortOrder::Ascending);
    EXPECT_EQ(names(entries), (std::vector<std::string>{"ix", "İx", "j", "σαα", "ΣΑΣ"}));
}

struct BytesCase {
    std::uint64_t bytes;
    const char* text;
};

TEST(Formatting, FormatBytes)
{
    const BytesCase cases[] = {
        {0, "0\u00A0B"},         {999, "999\u00A0B"},         {1000, "1\u00A0kB"},
        {1234, "1.2\u00A0kB"},   {1250, "1.3\u00A0kB"},       {1999999, "2\u00A0MB"},
        {999950, "1,000\u00A0kB"}, {1000000, "1\u00A0MB"},    {1049999, "1\u00A0MB"},
        {1050000, "1.1\u00A0MB"}, {1000000000000000000ull, "1\u00A0EB"},
        {18446744073709551615ull, "18.4\u00A0EB"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(format_bytes(c.bytes), c.text) << c.bytes;
}

TEST(Formatting, SizeAndTimeTextsForFoldersAndAbsentTimes)
{
    auto folder = entry("F", true, 4096);
    EXPECT_EQ(size_text(folder), "\u2014");
    EXPECT_EQ(modified_text(folder), "\u2014");
    EXPECT_EQ(size_text(entry("f", false, 1234)), "1.2\u00A0kB");
}

TEST(Formatting, EpochMillisOutOfRangeIsUnknown)
{
    EXPECT_EQ(format_epoch_millis(-1), "unknown time");
    EXPECT_EQ(format_epoch_millis(185480451504000000), "unknown time");
    EXPECT_NE(format_epoch_millis(0), "unknown time");
}

TEST(Formatting, StatusLineWithSelection)
{
    EXPECT_EQ(status_text(1, 0, std::nullopt), "1 item");
    EXPECT_EQ(status_text(5, 2, std::nullopt), "5 items  \u00B7  2 selected");
    EXPECT_EQ(status_text(5, 1, std::string("Copied")), "Copied  \u00B7  1 selected");
}

TEST(MimeTypes, ByExtension)
{
    const std::pair<const char*, std::string_view> cases[] = {
        {"a.TXT", "text/plain"},       {"photo.JPEG", "image/jpeg"}, {".bashrc", kOctetStream},
        {"archive.tar.gz", "application/gzip"}, {"noext", kOctetStream},   {"trailing.", kOctetStream},
        {"report.pdf", "application/pdf"},      {"x.unknownext", kOctetStream},
    };
    for (auto [name, mime] : cases)
        EXPECT_EQ(mime_type_for_name(name), mime) << name;
}

} // namespace
} // namespace file_explorer
