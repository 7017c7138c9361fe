// Browsing archives in place: member records, folder children and their failures.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "fileops/archive.hpp"
#include "fileops/fileops_fixtures.hpp"
#include "support/temp_dir.hpp"

using namespace file_explorer;
namespace fs = std::filesystem;

namespace {

// Hand-written ZIP headers (so names, modes and sizes can be anything) and tarfile members.
constexpr std::string_view kPythonPrelude = R"PY(
import io, os, struct, sys, tarfile, zlib
os.chdir(sys.argv[1])

def raw_zip(path, entries):
    body, central = b'', b''
    for e in entries:
        name, data = e['name'], e.get('data', b'')
        crc = zlib.crc32(data) & 0xffffffff
        mode = e.get('mode')
        made_by = (3 << 8) | 20 if mode is not None else 20
        attrs = (mode << 16) if mode is not None else (0x10 if name.endswith(b'/') else 0)
        offset = len(body)
        flags = e.get('flags', 0)
        body += struct.pack('<IHHHHHIIIHH', 0x04034b50, 20, flags, 0, 0, 0x21, crc, len(data), len(data),
                            len(name), 0) + name + data
        central += struct.pack('<IHHHHHHIIIHHHHHII', 0x02014b50, made_by, 20, flags, 0, 0, 0x21, crc,
                               len(data), len(data), len(name), 0, 0, 0, 0, attrs, offset) + name
    end = struct.pack('<IHHHHIIH', 0x06054b50, 0, 0, len(entries), len(entries), len(central), len(body), 0)
    open(path, 'wb').write(body + central + end)

def member(name, kind=tarfile.REGTYPE, data=b'', link=''):
    info = tarfile.TarInfo(name)
    info.type, info.linkname, info.size = kind, link, len(data)
    return info, data

def write_tar(path, members, compress=''):
    with tarfile.open(path, 'w:' + compress, format=tarfile.GNU_FORMAT) as t:
        for info, data in members:
            t.addfile(info, io.BytesIO(data) if info.isreg() else None)
)PY";

class ArchiveRead : public ::testing::Test {
  protected:
    void build(std::string_view script) const
    {
        auto run = fileops_test::run_program({"python3", "-", m_dir.path().native()},
                                             std::string(kPythonPrelude) + std::string(script));
        ASSERT_EQ(run.exit_code, 0) << run.err;
    }

    fs::path operator/(std::string_view name) const { return m_dir / name; }

    test_support::TempDir m_dir;
};

std::string describe(const std::vector<ArchiveEntryRecord>& records)
{
    std::string text;
    for (const auto& record : records)
        text += record.path + (record.is_folder ? "/" : "") + "=" + std::to_string(record.size) + " ";
    return text;
}

std::string describe(const std::vector<ArchiveChild>& children)
{
    std::string text;
    for (const auto& child : children)
        text += child.child_path + "|" + child.name + (child.is_folder ? "/" : "") + "=" +
                std::to_string(child.size) + " ";
    return text;
}

TEST_F(ArchiveRead, RecordsKeepArchiveOrderAndLeaveLinksOut)
{
    build(R"PY(
raw_zip('mixed.zip', [{'name': b'z.txt', 'data': b'zz'}, {'name': b'link', 'data': b'z.txt', 'mode': 0o120777},
                      {'name': b'./d/', 'mode': 0o40755}, {'name': b'd/e.bin', 'data': b'12345'},
                      {'name': b'fifo', 'data': b'f', 'mode': 0o10644}])
write_tar('mixed.tgz', [member('z.txt', data=b'zz'), member('sym', tarfile.SYMTYPE, link='z.txt'),
                        member('hard', tarfile.LNKTYPE, link='z.txt'), member('d', tarfile.DIRTYPE),
                        member('d/e.bin', data=b'12345'), member('fifo', tarfile.FIFOTYPE)], 'gz')
)PY");
    // A ZIP member is a folder or a file whatever else its mode says; a tar FIFO is a sized-0 record.
    const std::pair<const char*, const char*> cases[] = {
        {"mixed.zip", "z.txt=2 d/=0 d/e.bin=5 fifo=1 "},
        {"mixed.tgz", "z.txt=2 d/=0 d/e.bin=5 fifo=0 "},
    };
    for (const auto& [archive, expected] : cases) {
        auto records = list_archive(*this / archive);
        ASSERT_TRUE(records) << archive << ": " << records.error();
        EXPECT_EQ(describe(*records), expected) << archive;
    }
}

TEST_F(ArchiveRead, FolderChildrenIncludeImplicitFolders)
{
    build(R"PY(
raw_zip('trip.zip', [{'name': b'a/b.txt', 'data': b'bbb'}, {'name': b'Read me.txt', 'data': b'hello'},
                     {'name': b'a/c/d.txt', 'data': b'dd'}, {'name': b'x', 'data': b'file first'},
                     {'name': b'x/inner', 'data': b'then a folder'}, {'name': b'a/', 'mode': 0o40755},
                     {'name': b'ab', 'data': b'not under a'}])
)PY");
    auto root = list_archive_folder(*this / "trip.zip", "");
    ASSERT_TRUE(root) << root.error();
    EXPECT_EQ(describe(*root), "Read me.txt|Read me.txt=5 a|a/=0 ab|ab=11 x|x/=0 ");

    auto a = list_archive_folder(*this / "trip.zip", "a");
    ASSERT_TRUE(a) << a.error();
    EXPECT_EQ(describe(*a), "a/b.txt|b.txt=3 a/c|c/=0 ");

    auto deep = list_archive_folder(*this / "trip.zip", "./a//c/");
    ASSERT_TRUE(deep) << deep.error();
    EXPECT_EQ(describe(*deep), "a/c/d.txt|d.txt=2 ");

    auto missing = list_archive_folder(*this / "trip.zip", "nothing");
    ASSERT_TRUE(missing) << missing.error();
    EXPECT_TRUE(missing->empty());

    auto escaping = list_archive_folder(*this / "trip.zip", "../a");
    ASSERT_FALSE(escaping);
    EXPECT_EQ(escaping.error(), "archive entry escapes its destination");
}

TEST_F(ArchiveRead, FailuresEndTheListing)
{
    build(R"PY(
raw_zip('escape.zip', [{'name': b'fine.txt'}, {'name': b'../../evil'}])
write_tar('absolute.tar', [member('/etc/x', data=b'x')])
raw_zip('empty_name.zip', [{'name': b'./.'}])
open('garbage.zip', 'wb').write(b'this is not a zip archive at all' * 10)
open('garbage.tar', 'wb').write(b'\x01' * 2048)
write_tar('plain_named.tar.gz', [member('f', data=b'x')])
)PY");
    const std::pair<const char*, const char*> cases[] = {
        {"escape.zip", "archive entry escapes its destination"},
        {"absolute.tar", "archive entry escapes its destination"},
        {"empty_name.zip", "empty archive entry"},
        {"plain_named.tar.gz", "archive is not in gzip format"},
        {"garbage.zip", nullptr},
        {"garbage.tar", nullptr},
        {"missing.zip", "No such file or directory (os error 2)"},
    };
    for (const auto& [archive, text] : cases) {
        auto records = list_archive(*this / archive);
        ASSERT_FALSE(records) << archive;
        EXPECT_FALSE(records.error().empty()) << archive;
        if (text != nullptr) {
            EXPECT_EQ(records.error(), text) << archive;
        }
        EXPECT_FALSE(list_archive_folder(*this / archive, ""));
    }
}

TEST_F(ArchiveRead, NamesAreNotConvertedWhateverTheirFlags)
{
    // Flag 0x800 marks a UTF-8 name; the NFD "é" must keep its bytes, as must Latin-1 without the flag.
    build(R"PY(
raw_zip('names.zip', [{'name': b'cafe\xcc\x81.txt', 'flags': 0x800}, {'name': b'caf\xe9.txt'},
                      {'name': b'dir\\file'}, {'name': b'\xff\xfe', 'flags': 0x800}])
)PY");
    auto records = list_archive(*this / "names.zip");
    ASSERT_TRUE(records) << records.error();
    ASSERT_EQ(records->size(), 4u);
    EXPECT_EQ((*records)[0].path, "cafe\xcc\x81.txt");
    EXPECT_EQ((*records)[1].path, "caf\xe9.txt");
    EXPECT_EQ((*records)[2].path, "dir\\file");
    EXPECT_EQ((*records)[3].path, "\xff\xfe");
}

} // namespace
