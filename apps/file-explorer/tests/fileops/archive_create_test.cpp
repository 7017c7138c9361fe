// Compressing a selection into a new ZIP archive, checked against the archive tools on the machine.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <vector>

#include "fileops/archive.hpp"
#include "fileops/fileops_fixtures.hpp"
#include "support/temp_dir.hpp"

using namespace file_explorer;
namespace fs = std::filesystem;
using fileops_test::names_in;
using fileops_test::read_file;
using fileops_test::tree_of;
using fileops_test::run_program;

namespace {

std::vector<std::string> record_paths(const fs::path& archive)
{
    std::vector<std::string> paths;
    auto records = list_archive(archive);
    EXPECT_TRUE(records) << records.error();
    if (records)
        for (const auto& record : *records)
            paths.push_back(record.path + (record.is_folder ? "/" : ""));
    std::sort(paths.begin(), paths.end());
    return paths;
}

class ArchiveCreate : public ::testing::Test {
  protected:
    void SetUp() override
    {
        fs::create_directory(src());
        fs::create_directory(out());
    }
    fs::path src() const { return m_root / "src"; }
    fs::path out() const { return m_root / "out"; }

    test_support::TempDir m_root;
};

TEST_F(ArchiveCreate, TargetNames)
{
    m_root.write("src/report.pdf", "%PDF");
    m_root.write("src/.bashrc", "alias");
    m_root.write("src/noext", "n");
    m_root.write("src/caf\xe9.txt", "latin");
    m_root.mkdir("src/folder.d");
    struct Case {
        std::vector<fs::path> items;
        std::vector<std::string> created;
    };
    const Case cases[] = {
        {{src() / "report.pdf"}, {"report.zip", "report 2.zip"}},
        {{src() / "report.pdf", src() / "noext"}, {"Archive.zip", "Archive 2.zip", "Archive 3.zip"}},
        {{src() / ".bashrc"}, {".bashrc.zip"}},
        {{src() / "noext"}, {"noext.zip"}},
        {{src() / "folder.d/"}, {"folder.zip"}},
        {{src() / "caf\xe9.txt"}, {"Archive 4.zip"}},
    };
    for (const auto& c : cases) {
        for (const auto& expected : c.created) {
            auto created = compress_to_zip(c.items, out());
            ASSERT_TRUE(created) << created.error();
            EXPECT_EQ(*created, out() / expected);
        }
    }
    EXPECT_EQ(names_in(out()), (std::vector<std::string>{".bashrc.zip", "Archive 2.zip", "Archive 3.zip",
                                                         "Archive 4.zip", "Archive.zip", "folder.zip",
                                                         "noext.zip", "report 2.zip", "report.zip"}));
}

TEST_F(ArchiveCreate, LinksAndSpecialFilesAreLeftOut)
{
    m_root.write("src/folder/keep.txt", "kept");
    m_root.write("src/folder/sub/deep.txt", "deep");
    m_root.mkdir("src/folder/empty");
    fs::create_symlink("keep.txt", src() / "folder/link");
    fs::create_directory_symlink(src() / "folder/sub", src() / "folder/dirlink");
    ASSERT_EQ(::mkfifo((src() / "folder/pipe").c_str(), 0644), 0);
    m_root.write("src/top.txt", "top");
    fs::create_symlink(src() / "top.txt", src() / "toplink");

    auto created = compress_to_zip({src() / "folder", src() / "toplink", src() / "top.txt"}, out());
    ASSERT_TRUE(created) << created.error();
    EXPECT_EQ(record_paths(*created),
              (std::vector<std::string>{"folder/", "folder/empty/", "folder/keep.txt", "folder/sub/",
                                        "folder/sub/deep.txt", "top.txt"}));
}

TEST_F(ArchiveCreate, PeerToolsAcceptWhatWeWrite)
{
    std::string big;
    for (int i = 0; i < 300'000; ++i)
        big += static_cast<char>((i * 31) % 251);
    m_root.write("src/tree/a.txt", "alpha\n");
    m_root.write("src/tree/nested/b.bin", big);
    m_root.write("src/tree/nested/zero", "");
    m_root.mkdir("src/tree/empty");
    m_root.write("src/tree/caf\xc3\xa9 \xe2\x82\xac.txt", "utf-8 name");
    m_root.write("src/single.txt", "single");

    auto created = compress_to_zip({src() / "tree", src() / "single.txt"}, out());
    ASSERT_TRUE(created) << created.error();
    EXPECT_EQ(names_in(out()), std::vector<std::string>{"Archive.zip"});

    auto tested = run_program({"unzip", "-tq", created->native()});
    EXPECT_EQ(tested.exit_code, 0) << tested.out << tested.err;
    auto listed = run_program({"bsdtar", "-tf", created->native()});
    EXPECT_EQ(listed.exit_code, 0) << listed.err;
    EXPECT_NE(listed.out.find("tree/nested/b.bin\n"), std::string::npos) << listed.out;

    // Every member: deflated (or stored when empty), 1980-01-01 00:00, folders 040755.
    auto info = run_program({"zipinfo", "-l", created->native()});
    ASSERT_EQ(info.exit_code, 0) << info.err;
    EXPECT_NE(info.out.find("drwxr-xr-x  2.0 unx        0 bx        0 stor 80-Jan-01 00:00 tree/nested/\n"),
              std::string::npos)
        << info.out;
    EXPECT_NE(info.out.find("defN 80-Jan-01 00:00 tree/nested/b.bin\n"), std::string::npos) << info.out;
    std::size_t members = 0, dated = 0;
    std::istringstream lines(info.out);
    for (std::string line; std::getline(lines, line);) {
        if (line.find(" unx ") == std::string::npos)
            continue;
        ++members;
        dated += line.find(" 80-Jan-01 00:00 ") != std::string::npos;
    }
    EXPECT_EQ(members, 8u);
    EXPECT_EQ(dated, 8u) << info.out;

    fs::create_directory(m_root / "unzipped");
    auto unzipped = run_program({"unzip", "-q", created->native(), "-d", (m_root / "unzipped").native()});
    ASSERT_EQ(unzipped.exit_code, 0) << unzipped.err;
    EXPECT_EQ(tree_of(m_root / "unzipped"), tree_of(src()));

    auto ours = extract_archive(*created, m_root / "ours");
    ASSERT_TRUE(ours) << ours.error();
    EXPECT_EQ(ours->size(), 5u);
    EXPECT_EQ(tree_of(m_root / "ours"), tree_of(src()));
}

TEST_F(ArchiveCreate, NamesAreBytes)
{
    m_root.write("src/d/caf\xe9", "latin-1 name");
    auto created = compress_to_zip({src() / "d"}, out());
    ASSERT_TRUE(created) << created.error();
    EXPECT_EQ(record_paths(*created), (std::vector<std::string>{"d/", "d/caf\xe9"}));
    auto ours = extract_archive(*created, m_root / "ours");
    ASSERT_TRUE(ours) << ours.error();
    EXPECT_EQ(read_file(m_root / "ours/d/caf\xe9"), "latin-1 name");
}

TEST_F(ArchiveCreate, AnArchiveWrittenInsideTheItemLeavesItselfOut)
{
    m_root.write("src/file.txt", "x");
    auto created = compress_to_zip({src()}, src());
    ASSERT_TRUE(created) << created.error();
    EXPECT_EQ(*created, src() / "src.zip");
    EXPECT_EQ(record_paths(*created), (std::vector<std::string>{"src/", "src/file.txt"}));
}

TEST_F(ArchiveCreate, FailuresRemoveThePartialFile)
{
    m_root.write("src/a.txt", "a");
    const std::pair<std::vector<fs::path>, const char*> cases[] = {
        {{src() / "a.txt", fs::path("/")}, "path has no file name"},
        {{src() / "a.txt", src() / ".."}, "path has no file name"},
        {{src() / "a.txt", src() / "missing"}, "No such file or directory (os error 2)"},
        {{}, "nothing to compress"},
    };
    for (const auto& [items, text] : cases) {
        auto created = compress_to_zip(items, out());
        ASSERT_FALSE(created);
        EXPECT_EQ(created.error(), text);
        EXPECT_EQ(names_in(out()), std::vector<std::string>{});
    }
    // A link planted under the partial name is neither followed nor removed.
    m_root.write("victim", "untouched");
    fs::create_symlink(m_root / "victim", out() / "a.zip.part");
    auto planted = compress_to_zip({src() / "a.txt"}, out());
    ASSERT_FALSE(planted);
    EXPECT_EQ(read_file(m_root / "victim"), "untouched");
    EXPECT_EQ(names_in(out()), std::vector<std::string>{"a.zip.part"});
}

} // namespace
