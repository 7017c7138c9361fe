#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "fileops/collision_names.hpp"
#include "fileops/fileops_fixtures.hpp"
#include "fileops/transfer.hpp"
#include "i18n/messages.hpp"
#include "support/temp_dir.hpp"

using namespace file_explorer;
namespace fs = std::filesystem;

namespace {

struct CandidateCase {
    const char* name;
    int n;
    const char* expected;
};

class CandidateNames : public testing::TestWithParam<CandidateCase> {};

TEST_P(CandidateNames, BuildsStemNumberExtension)
{
    const auto& c = GetParam();
    EXPECT_EQ(candidate_name(name_pieces(c.name), c.n), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Table, CandidateNames,
                         testing::Values(CandidateCase{"notes.txt", 1, "notes.txt"},
                                         CandidateCase{"notes.txt", 2, "notes 2.txt"},
                                         CandidateCase{"Photos", 2, "Photos 2"},
                                         CandidateCase{"archive.tar.gz", 2, "archive.tar 2.gz"},
                                         CandidateCase{".bashrc", 2, ".bashrc 2"},
                                         CandidateCase{"report.pdf", 9999, "report 9999.pdf"},
                                         CandidateCase{"trailing.", 3, "trailing 3."},
                                         CandidateCase{"caf\xe9.txt", 2, "caf\xe9 2.txt"}));

struct CopyCollisionCase {
    const char* existing; // the source, which also occupies its own name
    const char* expected;
    bool folder;
};

class CopyCollision : public testing::TestWithParam<CopyCollisionCase> {};

TEST_P(CopyCollision, CopyIntoOwnFolderPublishesUnderTheNextName)
{
    const auto& c = GetParam();
    test_support::TempDir dir;
    fs::path source = c.folder ? dir.mkdir(c.existing) : dir.write(c.existing, "content");
    if (c.folder)
        dir.write(std::string(c.existing) + "/inner.txt", "inner");
    auto outcome = transfer(source, dir.path(), TransferMode::Copy);
    ASSERT_TRUE(outcome) << outcome.error();
    EXPECT_EQ(*outcome, dir / c.expected);
    EXPECT_TRUE(fs::exists(dir / c.expected));
    EXPECT_FALSE(fileops_test::has_staging_entry(dir.path()));
}

INSTANTIATE_TEST_SUITE_P(Table, CopyCollision,
                         testing::Values(CopyCollisionCase{"notes.txt", "notes 2.txt", false},
                                         CopyCollisionCase{"Photos", "Photos 2", true},
                                         CopyCollisionCase{"archive.tar.gz", "archive.tar 2.gz", false},
                                         CopyCollisionCase{".bashrc", ".bashrc 2", false}));

TEST(CollisionNames, SecondCopyTakesNameThree)
{
    test_support::TempDir dir;
    auto source = dir.write("notes.txt", "x");
    ASSERT_TRUE(transfer(source, dir.path(), TransferMode::Copy));
    auto third = transfer(source, dir.path(), TransferMode::Copy);
    ASSERT_TRUE(third) << third.error();
    EXPECT_EQ(*third, dir / "notes 3.txt");
}

TEST(CollisionNames, DanglingLinkTakesItsName)
{
    test_support::TempDir dir;
    auto source = dir.write("src/notes.txt", "x");
    auto dest = dir.mkdir("dest");
    fs::create_symlink("missing-target", dest / "notes.txt");
    EXPECT_EQ(inspect_destination(dest / "notes.txt"), vask_base::Result<bool>(false));
    auto outcome = transfer(source, dest, TransferMode::Copy);
    ASSERT_TRUE(outcome) << outcome.error();
    EXPECT_EQ(*outcome, dest / "notes 2.txt");
    EXPECT_TRUE(fs::is_symlink(dest / "notes.txt"));
}

TEST(CollisionNames, InspectionFailureNamesThePath)
{
    test_support::TempDir dir;
    auto file = dir.write("plain", "x");
    auto inspected = inspect_destination(file / "child");
    ASSERT_FALSE(inspected);
    EXPECT_EQ(inspected.error(),
              i18n::message_with_args("files-destination-inspect-failed",
                                      {{"path", (file / "child").string()},
                                       {"error", std::string("Not a directory (os error 20)")}}));
}

// Fills name, name 2 … name 9999 and checks both a copy and a move give up with the catalogue text.
TEST(CollisionNames, ExhaustionAfter9999Names)
{
    test_support::TempDir dir;
    auto dest = dir.mkdir("dest");
    for (int n = 1; n <= kMaxCandidate; ++n)
        std::ofstream(dest / candidate_name(name_pieces("a.txt"), n));
    auto source = dir.write("src/a.txt", "payload");
    std::string expected = i18n::message_with_args("files-destination-names-exhausted",
                                                   {{"name", std::string("a.txt")}, {"path", dest.string()}});

    auto copied = transfer(source, dest, TransferMode::Copy);
    ASSERT_FALSE(copied);
    EXPECT_EQ(copied.error(), expected);

    auto moved = transfer(source, dest, TransferMode::Move);
    ASSERT_FALSE(moved);
    EXPECT_EQ(moved.error(), expected);
    EXPECT_EQ(fileops_test::read_file(source), "payload");
    EXPECT_FALSE(fileops_test::has_staging_entry(dest));
    EXPECT_FALSE(fileops_test::has_staging_entry(source.parent_path()));
    EXPECT_FALSE(fs::exists(dest / "a 10000.txt"));
}

} // namespace
