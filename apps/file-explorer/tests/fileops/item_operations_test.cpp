#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "fileops/fileops_fixtures.hpp"
#include "fileops/item_operations.hpp"
#include "i18n/messages.hpp"
#include "support/temp_dir.hpp"

using namespace file_explorer;
using fileops_test::read_file;
namespace fs = std::filesystem;

namespace {

struct NameCase {
    const char* typed;
    const char* expected_name; // nullptr when validation fails
    const char* failure_id;
};

class NameValidation : public testing::TestWithParam<NameCase> {};

TEST_P(NameValidation, TrimsAndRefuses)
{
    const auto& c = GetParam();
    auto name = validate_item_name(c.typed);
    if (c.expected_name) {
        ASSERT_TRUE(name) << name.error();
        EXPECT_EQ(*name, c.expected_name);
    } else {
        ASSERT_FALSE(name);
        EXPECT_EQ(name.error(), i18n::message(c.failure_id));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, NameValidation,
    testing::Values(NameCase{"  report.pdf \t", "report.pdf", nullptr},
                    NameCase{"\xe3\x80\x80wide\xc2\xa0", "wide", nullptr},
                    NameCase{"", nullptr, "files-name-empty"}, NameCase{" \n ", nullptr, "files-name-empty"},
                    NameCase{".", nullptr, "files-name-slash"}, NameCase{" .. ", nullptr, "files-name-slash"},
                    NameCase{"a/b", nullptr, "files-name-slash"}, NameCase{"/", nullptr, "files-name-slash"},
                    NameCase{"caf\xe9", "caf\xe9", nullptr}));

TEST(Rename, TrimmedNameIsUsed)
{
    test_support::TempDir dir;
    auto source = dir.write("old.txt", "x");
    auto outcome = rename_item(source, "  new.txt  ");
    ASSERT_TRUE(outcome) << outcome.error();
    EXPECT_EQ(*outcome, dir / "new.txt");
    EXPECT_EQ(read_file(dir / "new.txt"), "x");
    EXPECT_FALSE(fs::exists(source));
}

TEST(Rename, SameNameDoesNothing)
{
    test_support::TempDir dir;
    auto source = dir.write("same.txt", "x");
    auto before = fileops_test::device_inode(source);
    auto outcome = rename_item(source, "same.txt ");
    ASSERT_TRUE(outcome) << outcome.error();
    EXPECT_EQ(*outcome, source);
    EXPECT_EQ(fileops_test::device_inode(source), before);
}

TEST(Rename, RefusesEveryOtherExistingItem)
{
    test_support::TempDir dir;
    auto source = dir.write("mine.txt", "mine");
    dir.write("other.txt", "other");
    fs::create_symlink("nowhere", dir / "dangling");
    fs::create_symlink("mine.txt", dir / "alias"); // resolves to the source, but is a link
    fs::create_hard_link(source, dir / "hard");    // the same file under another path
    for (const char* taken : {"other.txt", "dangling", "alias", "hard"}) {
        auto outcome = rename_item(source, taken);
        ASSERT_FALSE(outcome) << taken;
        EXPECT_EQ(outcome.error(),
                  i18n::message_with_args("files-name-exists", {{"name", std::string(taken)}}));
    }
    EXPECT_EQ(read_file(dir / "other.txt"), "other");
    EXPECT_EQ(read_file(source), "mine");
    EXPECT_TRUE(fs::is_symlink(dir / "dangling"));
}

TEST(Rename, InvalidNamesFail)
{
    test_support::TempDir dir;
    auto source = dir.write("a.txt", "x");
    EXPECT_EQ(rename_item(source, "..").error(), i18n::message("files-name-slash"));
    EXPECT_EQ(rename_item(source, "x/y").error(), i18n::message("files-name-slash"));
    EXPECT_EQ(rename_item(source, "   ").error(), i18n::message("files-name-empty"));
    EXPECT_EQ(rename_item("/", "x").error(), i18n::message("files-no-parent"));
    EXPECT_TRUE(fs::exists(source));
}

TEST(Rename, BareNameRenamesInTheCurrentFolder)
{
    test_support::TempDir dir;
    dir.write("bare.txt", "x");
    auto cwd = fs::current_path();
    fs::current_path(dir.path());
    auto outcome = rename_item("bare.txt", "renamed.txt");
    fs::current_path(cwd);
    ASSERT_TRUE(outcome) << outcome.error();
    EXPECT_EQ(*outcome, fs::path("renamed.txt"));
    EXPECT_TRUE(fs::exists(dir / "renamed.txt"));
}

TEST(Rename, NulByteIsRefusedBeforeAnySystemCall)
{
    test_support::TempDir dir;
    auto source = dir.write("a.txt", "x");
    auto outcome = rename_item(source, std::string_view("b\0c", 3));
    ASSERT_FALSE(outcome);
    EXPECT_EQ(outcome.error(), "file name contained an unexpected NUL byte");
    EXPECT_EQ(fileops_test::names_in(dir.path()), std::vector<std::string>{"a.txt"});
}

TEST(Rename, NamesThatAreNotUtf8)
{
    test_support::TempDir dir;
    auto source = dir.write("caf\xe9.txt", "x");
    auto outcome = rename_item(source, "na\xefve.txt");
    ASSERT_TRUE(outcome) << outcome.error();
    EXPECT_EQ(outcome->filename().native(), "na\xefve.txt");
    EXPECT_EQ(read_file(*outcome), "x");
    auto back = rename_item(*outcome, "caf\xe9.txt");
    ASSERT_TRUE(back) << back.error();
    EXPECT_EQ(*back, source);
}

TEST(CreateFolder, RepeatedNamesCount)
{
    test_support::TempDir dir;
    std::string base = i18n::message("files-new-folder-default-name");
    for (const std::string& expected : {base, base + " 2", base + " 3"}) {
        auto outcome = create_folder(dir.path(), base);
        ASSERT_TRUE(outcome) << outcome.error();
        EXPECT_EQ(*outcome, dir / expected);
        EXPECT_TRUE(fs::is_directory(*outcome));
    }
}

TEST(CreateFolder, EmptyAndSlashNames)
{
    test_support::TempDir dir;
    EXPECT_EQ(create_folder(dir.path(), "  ").error(), i18n::message("files-folder-name-empty"));
    EXPECT_EQ(create_folder(dir.path(), "a/b").error(), i18n::message("files-name-slash"));
    EXPECT_TRUE(fileops_test::names_in(dir.path()).empty());
}

TEST(Open, NonUtf8PathIsRefused)
{
    auto status = open_with_desktop_opener("/tmp/caf\xe9.txt");
    ASSERT_FALSE(status);
    EXPECT_EQ(status.error(), "the desktop opener takes UTF-8 paths");
}

} // namespace
