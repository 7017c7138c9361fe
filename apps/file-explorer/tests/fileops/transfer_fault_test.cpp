#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include "fileops/fileops_fixtures.hpp"
#include "fileops/transfer.hpp"
#include "support/temp_dir.hpp"

using namespace file_explorer;
using fileops_test::names_in;
using fileops_test::read_file;
namespace fs = std::filesystem;

namespace {

// Every staging or quarantine entry left in `folder` must be named by the failure text.
void expect_leftovers_named(const fs::path& folder, const std::string& text)
{
    for (const auto& name : names_in(folder)) {
        if (name.starts_with(".vask-transfer-")) {
            EXPECT_NE(text.find((folder / name).string()), std::string::npos)
                << name << " left unnamed in: " << text;
        }
    }
}

struct FullDestinationCase {
    const char* label;
    TransferMode mode;
    bool folder;
};

class FullDestination : public testing::TestWithParam<FullDestinationCase> {};

TEST_P(FullDestination, LeavesNoPartialItemAndSourceIntact)
{
    const auto& c = GetParam();
    fileops_test::TmpfsMount mount("1m");
    if (!mount.is_mounted())
        GTEST_SKIP() << "cannot mount a tmpfs here: " << mount.error();
    test_support::TempDir dir;
    fs::path source;
    if (c.folder) {
        source = dir.mkdir("src/Album");
        dir.write("src/Album/small.txt", "small");
        fileops_test::write_pattern_file(source / "large.bin", std::size_t(4) << 20);
    } else {
        source = dir.mkdir("src") / "large.bin";
        fileops_test::write_pattern_file(source, std::size_t(4) << 20);
    }

    auto outcome = transfer(source, mount.path(), c.mode);
    ASSERT_FALSE(outcome);
    EXPECT_EQ(outcome.error(), "No space left on device (os error 28)");
    EXPECT_TRUE(names_in(mount.path()).empty());
    EXPECT_FALSE(fileops_test::has_staging_entry(dir / "src"));
    auto large = c.folder ? source / "large.bin" : source;
    EXPECT_EQ(fs::file_size(large), std::size_t(4) << 20);
    if (c.folder) {
        EXPECT_EQ(read_file(source / "small.txt"), "small");
    }
}

INSTANTIATE_TEST_SUITE_P(Table, FullDestination,
                         testing::Values(FullDestinationCase{"CopyFile", TransferMode::Copy, false},
                                         FullDestinationCase{"MoveFile", TransferMode::Move, false},
                                         FullDestinationCase{"CopyFolder", TransferMode::Copy, true},
                                         FullDestinationCase{"MoveFolder", TransferMode::Move, true}),
                         [](const auto& info) { return std::string(info.param.label); });

struct UnprivilegedMove {
    const char* source;
    const char* destination;
    int fd;
};

int move_and_report(void* data)
{
    auto* job = static_cast<UnprivilegedMove*>(data);
    auto outcome = transfer(job->source, job->destination, TransferMode::Move);
    std::string text = outcome ? "ok" : outcome.error();
    return ::write(job->fd, text.data(), text.size()) == ssize_t(text.size()) ? 0 : 1;
}

TEST(TransferFaults, UnremovableSourceIsPutBackAndNamesWhatWasKept)
{
    fileops_test::TmpfsMount mount("16m");
    if (!mount.is_mounted())
        GTEST_SKIP() << "cannot mount a tmpfs here: " << mount.error();
    test_support::TempDir dir;
    ::chmod(dir.path().c_str(), 0755);
    auto home = dir.mkdir("home");
    auto project = dir.mkdir("home/Project");
    dir.write("home/Project/a.txt", "alpha");
    dir.write("home/Project/locked/kept.txt", "kept");
    for (const auto& p : fs::recursive_directory_iterator(home))
        ASSERT_EQ(::lchown(p.path().c_str(), 65534, 65534), 0);
    ASSERT_EQ(::chown(home.c_str(), 65534, 65534), 0);
    ::chmod((project / "locked").c_str(), 0555);

    int pipe_fds[2];
    ASSERT_EQ(::pipe(pipe_fds), 0);
    std::string source = project.string(), destination = mount.path().string();
    UnprivilegedMove job{source.c_str(), destination.c_str(), pipe_fds[1]};
    int status = test_support::run_unprivileged(move_and_report, &job);
    ::close(pipe_fds[1]);
    std::string text;
    char buffer[4096];
    for (ssize_t n; (n = ::read(pipe_fds[0], buffer, sizeof buffer)) > 0;)
        text.append(buffer, std::size_t(n));
    ::close(pipe_fds[0]);
    if (status < 0)
        GTEST_SKIP() << "cannot drop privileges here";
    ASSERT_EQ(status, 0);

    EXPECT_TRUE(text.starts_with("Permission denied (os error 13)")) << text;
    EXPECT_NE(
        text.find("; partial source quarantine retained at " + (home / ".vask-transfer-source-").string()),
        std::string::npos)
        << text;
    EXPECT_EQ(read_file(project / "a.txt"), "alpha");
    EXPECT_EQ(read_file(project / "locked" / "kept.txt"), "kept");
    EXPECT_FALSE(fs::exists(mount.path() / "Project"));
    expect_leftovers_named(home, text);
    expect_leftovers_named(mount.path(), text);
}

TEST(TransferFaults, KilledCopyLeavesNoItemUnderItsFinalName)
{
    test_support::TempDir dir;
    auto source = dir.mkdir("src") / "big.bin";
    fileops_test::write_pattern_file(source, std::size_t(256) << 20);
    auto dest = dir.mkdir("dest");

    pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0)
        ::_exit(transfer(source, dest, TransferMode::Copy) ? 0 : 1);

    // Kill the child as soon as its payload holds some data.
    bool seen_payload = false;
    for (int i = 0; i < 20000 && !seen_payload; ++i) {
        for (const auto& name : names_in(dest)) {
            std::error_code ec;
            if (name.starts_with(".vask-transfer-") && fs::file_size(dest / name / "payload", ec) > 0 && !ec)
                seen_payload = true;
        }
        if (!seen_payload)
            std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);
    if (!WIFSIGNALED(status))
        GTEST_SKIP() << "the copy finished before it could be interrupted";
    ASSERT_TRUE(seen_payload);
    EXPECT_FALSE(fs::exists(dest / "big.bin"));
    for (const auto& name : names_in(dest))
        EXPECT_TRUE(name.starts_with(".vask-transfer-")) << name;
    EXPECT_EQ(fs::file_size(source), std::size_t(256) << 20);
}

TEST(TransferFaults, FolderSwappedForLinkBeforeOpenIsNotFollowed)
{
    test_support::TempDir dir;
    auto tree = dir.mkdir("src/Tree");
    dir.write("src/Tree/sub/own.txt", "own");
    auto outside = dir.mkdir("outside");
    dir.write("outside/secret.txt", "secret");
    auto dest = dir.mkdir("dest");

    CopyTreeHooks hooks;
    hooks.before_open = [&](const fs::path& entry) {
        if (entry == tree / "sub") {
            fs::rename(tree / "sub", tree / "sub.orig");
            fs::create_directory_symlink(outside, tree / "sub");
        }
    };
    auto outcome = transfer(tree, dest, TransferMode::Copy, hooks);
    ASSERT_FALSE(outcome);
    EXPECT_EQ(outcome.error(), "Too many levels of symbolic links (os error 40)");
    EXPECT_TRUE(names_in(dest).empty());
}

TEST(TransferFaults, OpenFolderSwappedForLinkKeepsCopyingTheOriginal)
{
    test_support::TempDir dir;
    auto tree = dir.mkdir("src/Tree");
    dir.write("src/Tree/sub/a.txt", "original a");
    dir.write("src/Tree/sub/b.txt", "original b");
    auto outside = dir.mkdir("outside");
    dir.write("outside/a.txt", "secret a");
    dir.write("outside/b.txt", "secret b");
    auto dest = dir.mkdir("dest");

    bool swapped = false;
    CopyTreeHooks hooks;
    hooks.before_open = [&](const fs::path& entry) {
        if (!swapped && entry.parent_path() == tree / "sub") {
            fs::rename(tree / "sub", tree / "moved");
            fs::create_directory_symlink(outside, tree / "sub");
            swapped = true;
        }
    };
    auto outcome = transfer(tree, dest, TransferMode::Copy, hooks);
    ASSERT_TRUE(swapped);
    ASSERT_TRUE(outcome) << outcome.error();
    EXPECT_EQ(read_file(*outcome / "sub" / "a.txt"), "original a");
    EXPECT_EQ(read_file(*outcome / "sub" / "b.txt"), "original b");
    EXPECT_FALSE(fs::is_symlink(*outcome / "sub"));
}

} // namespace
