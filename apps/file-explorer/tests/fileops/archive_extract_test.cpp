// Extraction, mostly of hostile archives built here byte by byte: whatever the archive holds,
// nothing may appear outside the destination and no temporary folder may stay behind.
#include <gtest/gtest.h>

#include <archive.h>
#include <archive_entry.h>
#include <filesystem>
#include <map>
#include <string>
#include <unistd.h>
#include <vector>

#include "fileops/archive.hpp"
#include "fileops/archive_internal.hpp"
#include "fileops/fileops_fixtures.hpp"
#include "support/temp_dir.hpp"

using namespace file_explorer;
namespace fs = std::filesystem;
using fileops_test::names_in;
using fileops_test::read_file;
using fileops_test::tree_of;

namespace {

// Fixture builders for the Python scripts below. raw_zip writes every header by hand so that
// names, modes and declared sizes can lie; tar headers come from tarfile and are cut or padded.
constexpr std::string_view kPythonPrelude = R"PY(
import io, os, struct, sys, tarfile, zlib
os.chdir(sys.argv[1])

def deflate(data):
    c = zlib.compressobj(6, zlib.DEFLATED, -15)
    return c.compress(data) + c.flush()

def raw_zip(path, entries):
    body, central = b'', b''
    for e in entries:
        name, data, method = e['name'], e.get('data', b''), e.get('method', 0)
        stored = data if method == 0 else deflate(data)
        crc = zlib.crc32(data) & 0xffffffff
        usize = e.get('declared', len(data))
        mode = e.get('mode')
        made_by = (3 << 8) | 20 if mode is not None else 20
        attrs = (mode << 16) if mode is not None else (0x10 if name.endswith(b'/') else 0)
        offset = len(body)
        body += struct.pack('<IHHHHHIIIHH', 0x04034b50, 20, 0, method, 0, 0x21, crc, len(stored), usize,
                            len(name), 0) + name + stored
        central += struct.pack('<IHHHHHHIIIHHHHHII', 0x02014b50, made_by, 20, 0, method, 0, 0x21, crc,
                               len(stored), usize, len(name), 0, 0, 0, 0, attrs, offset) + name
    end = struct.pack('<IHHHHIIH', 0x06054b50, 0, 0, len(entries), len(entries), len(central), len(body), 0)
    open(path, 'wb').write(body + central + end)

def member(name, kind=tarfile.REGTYPE, data=b'', link='', size=None):
    info = tarfile.TarInfo(os.fsdecode(name) if isinstance(name, bytes) else name)
    info.type, info.linkname, info.mode = kind, link, 0o644
    info.size = len(data) if size is None else size
    return info, data

def header(info, fmt=tarfile.GNU_FORMAT):
    return info.tobuf(fmt, 'utf-8', 'surrogateescape')

def pad(data):
    return data + b'\0' * (-len(data) % 512)

def write_tar(path, members, compress=''):
    with tarfile.open(path, 'w:' + compress, format=tarfile.GNU_FORMAT, encoding='utf-8',
                      errors='surrogateescape') as t:
        for info, data in members:
            t.addfile(info, io.BytesIO(data) if info.isreg() else None)
)PY";

std::vector<std::string> sorted(std::vector<std::string> names)
{
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<std::string> as_strings(const std::vector<fs::path>& paths)
{
    std::vector<std::string> texts;
    for (const auto& path : paths)
        texts.push_back(path.native());
    return texts;
}

class ArchiveExtract : public ::testing::Test {
  protected:
    void SetUp() override
    {
        fs::create_directory(work());
        fs::create_directory(outside());
    }

    fs::path work() const { return m_root / "work"; }
    fs::path outside() const { return m_root / "outside"; }

    // Runs the prelude plus `script` with the work folder as the current folder.
    void build(std::string_view script) const
    {
        auto run = fileops_test::run_program({"python3", "-", work().native()},
                                             std::string(kPythonPrelude) + std::string(script));
        ASSERT_EQ(run.exit_code, 0) << run.err;
    }

    // The work folder holds exactly `names` (so no temporary folder) and nothing appeared outside it.
    void expect_only(std::vector<std::string> names) const
    {
        EXPECT_EQ(names_in(work()), sorted(std::move(names)));
        EXPECT_EQ(names_in(outside()), std::vector<std::string>{});
        EXPECT_EQ(names_in(m_root.path()), (std::vector<std::string>{"outside", "work"}));
    }

    // Extracting `archive` into work/out fails with `text` and leaves only the archives behind.
    void expect_refused(const std::string& archive, std::string_view text,
                        std::vector<std::string> kept) const
    {
        auto extracted = extract_archive(work() / archive, work() / "out");
        ASSERT_FALSE(extracted) << archive;
        if (!text.empty()) {
            EXPECT_EQ(extracted.error(), text) << archive;
        }
        expect_only(std::move(kept));
    }

    void expect_links_skipped() const;

    test_support::TempDir m_root;
};

TEST_F(ArchiveExtract, EscapingAndEmptyEntriesFailAndLeaveNothing)
{
    build(R"PY(
for i, bad in enumerate([b'../../evil', b'/etc/x', b'a/../../x', b'./.']):
    raw_zip(f'z{i}.zip', [{'name': b'ok.txt', 'data': b'fine'}, {'name': bad, 'data': b'bad'}])
    write_tar(f't{i}.tar', [member('ok.txt', data=b'fine'), member(bad, data=b'bad')])
)PY");
    const char* texts[] = {"archive entry escapes its destination", "archive entry escapes its destination",
                           "archive entry escapes its destination", "empty archive entry"};
    std::vector<std::string> all = {"z0.zip", "z1.zip", "z2.zip", "z3.zip",
                                    "t0.tar", "t1.tar", "t2.tar", "t3.tar"};
    for (int i = 0; i < 4; ++i) {
        expect_refused("z" + std::to_string(i) + ".zip", texts[i], all);
        expect_refused("t" + std::to_string(i) + ".tar", texts[i], all);
    }
}

TEST_F(ArchiveExtract, LinksAreNeverMaterialised)
{
    build(R"PY(
raw_zip('links.zip', [{'name': b'link', 'data': b'/etc/passwd', 'mode': 0o120777}])
write_tar('links.tar', [member('link', tarfile.SYMTYPE, link='/etc/passwd')])
write_tar('through.tar', [member('evil', tarfile.SYMTYPE, link=os.path.abspath('../outside')),
                          member('evil/planted.txt', data=b'escaped?'),
                          member('rel', tarfile.SYMTYPE, link='../../outside'),
                          member('rel/planted2.txt', data=b'escaped?')])
write_tar('same.tar', [member('evil', tarfile.SYMTYPE, link=os.path.abspath('../outside/file')),
                       member('evil', data=b'plain file')])
write_tar('hard.tar', [member('a.txt', data=b'content'),
                       member('b.txt', tarfile.LNKTYPE, link='a.txt'),
                       member('passwd', tarfile.LNKTYPE, link='/etc/passwd'),
                       member('up', tarfile.LNKTYPE, link='../outside/secret')])
)PY");
    std::vector<std::string> archives = {"links.zip", "links.tar", "through.tar", "same.tar", "hard.tar"};
    // Once with openat2 and once with the component walk of kernels that lack it.
    for (bool openat2 : {true, false}) {
        SCOPED_TRACE(openat2 ? "openat2" : "component walk");
        archive_detail::set_openat2_enabled(openat2);
        expect_links_skipped();
        archive_detail::set_openat2_enabled(true);
        expect_only(archives);
    }
}

void ArchiveExtract::expect_links_skipped() const
{
    for (const char* only_link : {"links.zip", "links.tar"}) {
        auto extracted = extract_archive(work() / only_link, work() / "out");
        ASSERT_TRUE(extracted) << extracted.error();
        EXPECT_TRUE(extracted->empty());
        EXPECT_TRUE(fs::is_directory(work() / "out"));
        EXPECT_EQ(names_in(work() / "out"), std::vector<std::string>{});
        fs::remove_all(work() / "out");
    }

    // The link is skipped, so the members behind it land as plain files inside.
    auto through = extract_archive(work() / "through.tar", work() / "out");
    ASSERT_TRUE(through) << through.error();
    EXPECT_EQ(as_strings(*through), (std::vector<std::string>{"evil/planted.txt", "rel/planted2.txt"}));
    EXPECT_EQ(tree_of(work() / "out"),
              (std::map<std::string, std::string>{{"evil", "<dir>"},
                                                  {"evil/planted.txt", "escaped?"},
                                                  {"rel", "<dir>"},
                                                  {"rel/planted2.txt", "escaped?"}}));
    fs::remove_all(work() / "out");

    auto same = extract_archive(work() / "same.tar", work() / "out");
    ASSERT_TRUE(same) << same.error();
    EXPECT_EQ(tree_of(work() / "out"), (std::map<std::string, std::string>{{"evil", "plain file"}}));
    fs::remove_all(work() / "out");

    auto hard = extract_archive(work() / "hard.tar", work() / "out");
    ASSERT_TRUE(hard) << hard.error();
    EXPECT_EQ(as_strings(*hard), std::vector<std::string>{"a.txt"});
    EXPECT_EQ(tree_of(work() / "out"), (std::map<std::string, std::string>{{"a.txt", "content"}}));
    fs::remove_all(work() / "out");
}

TEST_F(ArchiveExtract, SpecialEntriesAreCountedButNotWritten)
{
    build(R"PY(
write_tar('special.tar', [member('pipe', tarfile.FIFOTYPE), member('dev/null', tarfile.CHRTYPE),
                          member('disk', tarfile.BLKTYPE), member('r.txt', data=b'regular')])
)PY");
    auto listed = list_archive(work() / "special.tar");
    ASSERT_TRUE(listed) << listed.error();
    ASSERT_EQ(listed->size(), 4u);
    EXPECT_EQ((*listed)[1].path, "dev/null");
    EXPECT_FALSE((*listed)[1].is_folder);

    auto extracted = extract_archive(work() / "special.tar", work() / "out");
    ASSERT_TRUE(extracted) << extracted.error();
    EXPECT_EQ(as_strings(*extracted), std::vector<std::string>{"r.txt"});
    EXPECT_EQ(tree_of(work() / "out"), (std::map<std::string, std::string>{{"r.txt", "regular"}}));
}

TEST_F(ArchiveExtract, CollidingMembersFail)
{
    build(R"PY(
raw_zip('dup.zip', [{'name': b'a.txt', 'data': b'one'}, {'name': b'a.txt', 'data': b'two'}])
write_tar('dup.tar', [member('a.txt', data=b'one'), member('./a.txt', data=b'two')])
write_tar('under.tar', [member('a', data=b'file'), member('a/b', data=b'below a file')])
write_tar('folder.tar', [member('a', tarfile.DIRTYPE), member('a', data=b'over a folder')])
)PY");
    std::vector<std::string> all = {"dup.zip", "dup.tar", "under.tar", "folder.tar"};
    for (bool openat2 : {true, false}) {
        SCOPED_TRACE(openat2 ? "openat2" : "component walk");
        archive_detail::set_openat2_enabled(openat2);
        expect_refused("dup.zip", "File exists (os error 17)", all);
        expect_refused("dup.tar", "File exists (os error 17)", all);
        expect_refused("under.tar", "Not a directory (os error 20)", all);
        expect_refused("folder.tar", "File exists (os error 17)", all);
        archive_detail::set_openat2_enabled(true);
    }
}

TEST_F(ArchiveExtract, DeclaredSizesBoundTheBytesWritten)
{
    build(R"PY(
big = bytes(range(256)) * 4096
raw_zip('stored_short.zip', [{'name': b'f', 'data': b'0123456789', 'declared': 5}])
raw_zip('deflate_short.zip', [{'name': b'f', 'data': big, 'method': 8, 'declared': 1000}])
raw_zip('stored_long.zip', [{'name': b'f', 'data': b'0123456789', 'declared': 100}])
raw_zip('deflate_long.zip', [{'name': b'f', 'data': big, 'method': 8, 'declared': len(big) + 1}])
info, _ = member('f', size=100)
open('tar_long.tar', 'wb').write(header(info) + b'only ten b')
info, _ = member('f', size=5)
open('tar_short.tar', 'wb').write(header(info) + pad(b'0123456789') + b'\0' * 1024)
)PY");
    std::vector<std::string> all = {"stored_short.zip", "deflate_short.zip", "stored_long.zip",
                                    "deflate_long.zip", "tar_long.tar",      "tar_short.tar"};
    const std::pair<const char*, const char*> cases[] = {
        {"stored_short.zip", "archive entry is larger than declared"},
        {"deflate_short.zip", "archive entry is larger than declared"},
        {"stored_long.zip", "truncated ZIP entry"},
        {"deflate_long.zip", "truncated ZIP entry"},
        {"tar_long.tar", "truncated TAR entry"},
    };
    for (const auto& [archive, text] : cases)
        expect_refused(archive, text, all);

    // A tar header is the only size there is: the bytes past it are padding and never written.
    auto extracted = extract_archive(work() / "tar_short.tar", work() / "out");
    ASSERT_TRUE(extracted) << extracted.error();
    EXPECT_EQ(read_file(work() / "out/f"), "01234");
}

TEST_F(ArchiveExtract, TruncatedArchivesFailAndLeaveNothing)
{
    build(R"PY(
import random
random.seed(7)
noise = bytes(random.getrandbits(8) for _ in range(200000))
members = [member('first.txt', data=b'complete'), member('last.bin', data=noise)]
write_tar('full.tar', members)
write_tar('full.tar.gz', members, 'gz')
open('cut.tar', 'wb').write(open('full.tar', 'rb').read()[:1536 + 50000])
gz = open('full.tar.gz', 'rb').read()
open('cut.tar.gz', 'wb').write(gz[:len(gz) // 2])
import zipfile
with zipfile.ZipFile('full.zip', 'w', zipfile.ZIP_DEFLATED) as z:
    z.writestr('first.txt', b'complete')
    z.writestr('last.bin', noise)
z = open('full.zip', 'rb').read()
open('cut.zip', 'wb').write(z[:len(z) // 2])
for name in ('full.tar', 'full.tar.gz', 'full.zip'):
    os.remove(name)
)PY");
    std::vector<std::string> all = {"cut.tar", "cut.tar.gz", "cut.zip"};
    expect_refused("cut.tar", "truncated TAR entry", all);
    expect_refused("cut.tar.gz", "truncated TAR entry", all);
    expect_refused("cut.zip", "", all);
    EXPECT_FALSE(list_archive(work() / "cut.zip"));
}

TEST_F(ArchiveExtract, EntryCountIsCapped)
{
    // Written with the codec's own tar writer; FIFO entries count without creating anything.
    auto write_fifos = [&](const fs::path& path, int count) {
        struct archive* writer = archive_write_new();
        archive_write_set_format_ustar(writer);
        archive_write_add_filter_gzip(writer);
        ASSERT_EQ(archive_write_open_filename(writer, path.c_str()), ARCHIVE_OK);
        archive_entry* entry = archive_entry_new();
        for (int i = 0; i < count; ++i) {
            archive_entry_clear(entry);
            archive_entry_copy_pathname(entry, ("p" + std::to_string(i)).c_str());
            archive_entry_set_mode(entry, AE_IFIFO | 0644);
            ASSERT_EQ(archive_write_header(writer, entry), ARCHIVE_OK);
        }
        archive_entry_free(entry);
        archive_write_close(writer);
        archive_write_free(writer);
    };
    write_fifos(work() / "at_limit.tar.gz", 100'000);
    write_fifos(work() / "over_limit.tar.gz", 100'001);

    auto at_limit = list_archive(work() / "at_limit.tar.gz");
    ASSERT_TRUE(at_limit) << at_limit.error();
    EXPECT_EQ(at_limit->size(), 100'000u);
    auto over = list_archive(work() / "over_limit.tar.gz");
    ASSERT_FALSE(over);
    EXPECT_EQ(over.error(), "archive has too many entries");
    expect_refused("over_limit.tar.gz", "archive has too many entries",
                   {"at_limit.tar.gz", "over_limit.tar.gz"});
}

TEST_F(ArchiveExtract, DeclaredTotalIsCapped)
{
    // Headers alone: the data is missing, so only the header sizes can stop the walk first.
    build(R"PY(
info, _ = member('huge', size=16 * 2**30 + 1)
open('huge.tar', 'wb').write(header(info))
open('huge_pax.tar', 'wb').write(header(info, tarfile.PAX_FORMAT))
small, _ = member('small', size=4)
info, _ = member('rest', size=16 * 2**30 - 3)
open('sum.tar', 'wb').write(header(small) + pad(b'1234') + header(info))
)PY");
    std::vector<std::string> all = {"huge.tar", "huge_pax.tar", "sum.tar"};
    for (const char* archive : {"huge.tar", "huge_pax.tar", "sum.tar"}) {
        auto listed = list_archive(work() / archive);
        ASSERT_FALSE(listed) << archive;
        EXPECT_EQ(listed.error(), "archive expands beyond the safety limit") << archive;
        expect_refused(archive, "archive expands beyond the safety limit", all);
    }
}

TEST_F(ArchiveExtract, SparseMembersKeepTheirDeclaredLength)
{
    build(R"PY(
info, _ = member('sparse.bin', size=5)
info.pax_headers = {'GNU.sparse.name': 'sparse.bin', 'GNU.sparse.realsize': str(1 << 20),
                    'GNU.sparse.map': '4096,5'}
open('sparse.tar', 'wb').write(header(info, tarfile.PAX_FORMAT) + pad(b'hello') + b'\0' * 1024)
exact, _ = member('edge.bin', size=5)
exact.pax_headers = dict(info.pax_headers, **{'GNU.sparse.name': 'edge.bin', 'GNU.sparse.realsize': str(16 * 2**30)})
open('edge.tar', 'wb').write(header(exact, tarfile.PAX_FORMAT) + pad(b'hello') + b'\0' * 1024)
)PY");
    auto extracted = extract_archive(work() / "sparse.tar", work() / "out");
    ASSERT_TRUE(extracted) << extracted.error();
    std::string content = read_file(work() / "out/sparse.bin");
    ASSERT_EQ(content.size(), 1u << 20);
    EXPECT_EQ(content.substr(4096, 5), "hello");
    EXPECT_EQ(content.find_first_not_of('\0'), 4096u);

    // Exactly 16 GiB declared is still allowed.
    auto edge = list_archive(work() / "edge.tar");
    ASSERT_TRUE(edge) << edge.error();
    ASSERT_EQ(edge->size(), 1u);
    EXPECT_EQ((*edge)[0].size, 17'179'869'184ull);
}

TEST_F(ArchiveExtract, NamesAreBytes)
{
    build(R"PY(
raw_zip('bytes.zip', [{'name': b'caf\xe9/\xff.txt', 'data': b'latin'}, {'name': b'a\\..\\..\\evil.txt', 'data': b'bs'}])
write_tar('bytes.tar', [member(b'caf\xe9/\xff.txt', data=b'latin'), member('a\\..\\..\\evil.txt', data=b'bs')])
)PY");
    const std::string odd = "caf\xe9/\xff.txt";
    for (const char* archive : {"bytes.zip", "bytes.tar"}) {
        auto listed = list_archive(work() / archive);
        ASSERT_TRUE(listed) << listed.error();
        ASSERT_EQ(listed->size(), 2u);
        EXPECT_EQ((*listed)[0].path, odd) << archive;
        EXPECT_EQ((*listed)[1].path, "a\\..\\..\\evil.txt") << archive;

        auto extracted = extract_archive(work() / archive, work() / "out");
        ASSERT_TRUE(extracted) << extracted.error();
        EXPECT_EQ(as_strings(*extracted), (std::vector<std::string>{odd, "a\\..\\..\\evil.txt"}));
        EXPECT_EQ(read_file(work() / "out" / odd), "latin");
        EXPECT_EQ(read_file(work() / "out/a\\..\\..\\evil.txt"), "bs");
        EXPECT_EQ(names_in(work() / "out"), (std::vector<std::string>{"a\\..\\..\\evil.txt", "caf\xe9"}));
        fs::remove_all(work() / "out");
    }
    expect_only({"bytes.zip", "bytes.tar"});
}

TEST_F(ArchiveExtract, DestinationRules)
{
    build(R"PY(
raw_zip('a.zip', [{'name': b'f.txt', 'data': b'x'}])
)PY");
    fs::create_directory(work() / "exists");
    fs::create_symlink(work() / "exists", work() / "link");
    const std::pair<fs::path, const char*> refused[] = {
        {work() / "exists", "the destination already exists"},
        {work() / "link", "the destination already exists"},
        {fs::path("/"), "the destination already exists"},
        {fs::path(""), "destination has no parent"},
        {work() / "..", "the destination already exists"},
        {fs::path("nowhere/.."), "destination has no name"},
    };
    for (const auto& [destination, text] : refused) {
        auto extracted = extract_archive(work() / "a.zip", destination);
        ASSERT_FALSE(extracted) << destination;
        EXPECT_EQ(extracted.error(), text) << destination;
    }
    // Missing parents are created.
    auto deep = extract_archive(work() / "a.zip", work() / "new/parents/out");
    ASSERT_TRUE(deep) << deep.error();
    EXPECT_EQ(read_file(work() / "new/parents/out/f.txt"), "x");
    fs::remove_all(work() / "new");
    expect_only({"a.zip", "exists", "link"});
}

TEST_F(ArchiveExtract, TemporaryFolderIsReservedBesideTheDestination)
{
    build(R"PY(
raw_zip('a.zip', [{'name': b'f.txt', 'data': b'x'}])
)PY");
    const std::string prefix = ".out.extracting-" + std::to_string(::getpid()) + "-";
    fileops_test::write_pattern_file(work() / (prefix + "0"), 3);
    auto extracted = extract_archive(work() / "a.zip", work() / "out");
    ASSERT_TRUE(extracted) << extracted.error();
    EXPECT_EQ(fs::file_size(work() / (prefix + "0")), 3u);
    expect_only({"a.zip", "out", prefix + "0"});

    const std::string taken = ".fresh.extracting-" + std::to_string(::getpid()) + "-";
    for (int n = 0; n < 1000; ++n)
        fs::create_directory(work() / (taken + std::to_string(n)));
    auto reserved = extract_archive(work() / "a.zip", work() / "fresh");
    ASSERT_FALSE(reserved);
    EXPECT_EQ(reserved.error(), "could not reserve a temporary extraction folder");
    EXPECT_FALSE(fs::exists(work() / "fresh"));
    EXPECT_EQ(names_in(work()).size(), 1003u);
}

TEST_F(ArchiveExtract, ExtractHereNamesEachDestination)
{
    build(R"PY(
raw_zip('trip.zip', [{'name': b'a/b.txt', 'data': b'zip'}])
write_tar('trip.tgz', [member('c.txt', data=b'tgz')], 'gz')
write_tar('bad.tar', [member('../x', data=b'')])
)PY");
    auto first = extract_archives_here({work() / "trip.zip", work() / "trip.tgz"}, work());
    EXPECT_EQ(first.count, 2u);
    EXPECT_TRUE(first.failures.empty());
    auto second =
        extract_archives_here({work() / "trip.zip", work() / "bad.tar", work() / "missing.zip"}, work());
    EXPECT_EQ(second.count, 1u);
    EXPECT_EQ(second.failures, std::vector<std::string>{(work() / "bad.tar").native() +
                                                        ": archive entry escapes its destination"});
    EXPECT_EQ(read_file(work() / "trip/a/b.txt"), "zip");
    EXPECT_EQ(read_file(work() / "trip 2/a/b.txt"), "zip");
    EXPECT_EQ(read_file(work() / "trip.tgz 2/c.txt"), "tgz");
    expect_only({"trip.zip", "trip.tgz", "bad.tar", "trip", "trip 2", "trip.tgz 2"});
}

TEST_F(ArchiveExtract, PeerToolArchivesRoundTrip)
{
    build(R"PY(
import random, zipfile
random.seed(3)
os.makedirs('src/docs/deep/er')
os.makedirs('src/empty')
files = {'src/read me.txt': b'hello\n', 'src/docs/deep/er/data.bin': bytes(random.getrandbits(8) for _ in range(300000)),
         'src/docs/notes.md': b'# notes\n' * 1000, 'src/zero': b''}
for path, data in files.items():
    open(path, 'wb').write(data)
with zipfile.ZipFile('py.zip', 'w', zipfile.ZIP_DEFLATED) as z:
    for root, dirs, names in os.walk('src'):
        if root != 'src':
            z.write(root, os.path.relpath(root, 'src'))
        for n in names:
            z.write(os.path.join(root, n), os.path.relpath(os.path.join(root, n), 'src'))
with tarfile.open('py.tar.gz', 'w:gz') as t:
    for n in sorted(os.listdir('src')):
        t.add(os.path.join('src', n), n)
)PY");
    auto run = [](std::vector<std::string> argv) {
        auto result = fileops_test::run_program(argv);
        EXPECT_EQ(result.exit_code, 0) << argv[0] << ": " << result.err;
    };
    fs::path src = work() / "src";
    run({"sh", "-c", "cd '" + src.native() + "' && zip -q -r ../zip-r.zip ."});
    // The whole folder as ".": the archive's own top comes first as a "./" folder member.
    auto bsdtar = [&](std::vector<std::string> argv) {
        argv.insert(argv.end(), {"-C", src.native(), "."});
        run(argv);
    };
    bsdtar({"bsdtar", "-czf", (work() / "bsd.tgz").native()});
    bsdtar({"bsdtar", "-cf", (work() / "bsd.tar").native()});
    bsdtar({"bsdtar", "--format", "zip", "-cf", (work() / "bsd.zip").native()});
    auto expected = tree_of(src);
    ASSERT_EQ(expected.size(), 8u);
    for (bool openat2 : {true, false}) {
        archive_detail::set_openat2_enabled(openat2);
        for (const char* archive : {"zip-r.zip", "bsd.tgz", "bsd.tar", "bsd.zip", "py.zip", "py.tar.gz"}) {
            SCOPED_TRACE(std::string(archive) + (openat2 ? " with openat2" : " with the component walk"));
            auto listed = list_archive(work() / archive);
            ASSERT_TRUE(listed) << listed.error();
            auto extracted = extract_archive(work() / archive, work() / "out");
            ASSERT_TRUE(extracted) << extracted.error();
            EXPECT_EQ(extracted->size(), 4u);
            EXPECT_EQ(tree_of(work() / "out"), expected);
            fs::remove_all(work() / "out");
        }
        archive_detail::set_openat2_enabled(true);
    }
}

} // namespace
