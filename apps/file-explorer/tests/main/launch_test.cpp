#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include "files_app/file_explorer_widget.hpp"
#include "launch_hooks.hpp"
#include "platform/base/hex.hpp"
#include "platform/ui/diag.hpp"
#include "support/temp_dir.hpp"

namespace file_explorer {
namespace {

using test_support::ScopedEnv;
using test_support::TempDir;
using vask_ui::launch::LaunchArgs;

std::expected<LaunchArgs, vask_ui::launch::LaunchError> parse(std::vector<std::string> args)
{
    const auto& d = launch_description();
    return LaunchArgs::parse(args, d.value_options, d.flag_options, d.screenshot_scenarios);
}

// A pipe holding `bytes`, closed for writing, as standard input would be.
int pipe_with(const std::string& bytes)
{
    int fds[2];
    EXPECT_EQ(pipe2(fds, O_CLOEXEC), 0);
    fcntl(fds[1], F_SETPIPE_SZ, 1 << 20);
    EXPECT_EQ(write(fds[1], bytes.data(), bytes.size()), ssize_t(bytes.size()));
    close(fds[1]);
    return fds[0];
}

vask_base::Result<std::string> read_link(const std::string& bytes)
{
    int fd = pipe_with(bytes);
    auto result = read_received_link(fd);
    close(fd);
    return result;
}

TEST(LaunchDescription, DeclaresTheOptionsAndScenarios)
{
    const auto& d = launch_description();
    EXPECT_EQ(d.app_id, "so.vask.file-explorer");
    EXPECT_EQ(d.screenshot_scenarios.size(), 20u);
    EXPECT_EQ(d.screenshot_scenarios.front(), "archive");
    EXPECT_EQ(d.screenshot_scenarios.back(), "undo-trash");
    auto [w, h] = d.window_size();
    EXPECT_EQ(w, 1280u);
    EXPECT_EQ(h, 800u);
}

TEST(LaunchArgs, ParsesPathsValuesAndScreenshotMode)
{
    auto args = parse({"--size", "800x600", "/tmp", "--path=/home", "--screenshot", "grid", "--output", "o.png"});
    ASSERT_TRUE(args) << args.error().description;
    EXPECT_EQ(args->positional(), (std::vector<std::string>{"/tmp"}));
    EXPECT_EQ(args->value("--size"), "800x600");
    EXPECT_EQ(args->value("--path"), "/home");
    EXPECT_EQ(args->screenshot_scenario(), "grid");
    EXPECT_EQ(args->screenshot_output(), "o.png");
    EXPECT_FALSE(args->value("--nothing"));

    const std::vector<std::vector<std::string>> bad = {
        {"--screenshot", "nope", "--output", "x.png"}, {"--unknown"}, {"--size"}, {"--screenshot", "grid"},
        {"--open-share-stdin=1"},
    };
    for (const auto& b : bad)
        EXPECT_FALSE(parse(b)) << b.front();
    auto flags = parse({"--open-share-stdin", "--", "--size"});
    ASSERT_TRUE(flags);
    EXPECT_TRUE(flags->flag("--open-share-stdin"));
    EXPECT_EQ(flags->positional(), (std::vector<std::string>{"--size"}));
}

TEST(LaunchArgs, ScreenshotSizeFallsBackToTheDefault)
{
    EXPECT_EQ(screenshot_size("800x600"), (vask_ui::Size{800, 600}));
    EXPECT_EQ(screenshot_size("800X600"), (vask_ui::Size{800, 600}));
    for (const char* bad : {"800", "x600", "800x", "80a0x600", ""})
        EXPECT_EQ(screenshot_size(std::string(bad)), (vask_ui::Size{1200, 720})) << bad;
    EXPECT_EQ(screenshot_size(std::nullopt), (vask_ui::Size{1200, 720}));
}

TEST(LaunchPaths, MadeAbsoluteLexically)
{
    EXPECT_EQ(make_absolute("../x/./y", "/work/dir").value(), "/work/dir/../x/./y");
    EXPECT_EQ(make_absolute("/abs", "/work").value(), "/abs");
    auto empty = make_absolute("", "/work");
    ASSERT_FALSE(empty);
    EXPECT_EQ(empty.error(), "cannot make an empty path absolute");
}

TEST(ReceivedLink, ReadsBoundedTrimmedText)
{
    const std::string limit(16384, 'a');
    EXPECT_EQ(read_link(limit).value(), limit);
    EXPECT_FALSE(read_link(limit + "b"));
    EXPECT_FALSE(read_link(limit + "\n")) << "the bound counts bytes before trimming";
    EXPECT_EQ(read_link("vask://x\r\n").value(), "vask://x");
    EXPECT_EQ(read_link("vask://x\n\n\n").value(), "vask://x");
    EXPECT_EQ(read_link("vask://x \t").value(), "vask://x \t");
    EXPECT_EQ(read_link("\r\nvask://x").value(), "\r\nvask://x");
    EXPECT_FALSE(read_link("\n\r\n"));
    EXPECT_FALSE(read_link(""));
    EXPECT_FALSE(read_link("bad\xFF"));
}

TEST(ReceivedLink, FailureTexts)
{
    EXPECT_EQ(read_link(std::string(16385, 'a')).error(), "Shared-file link exceeds its bound");
    EXPECT_EQ(read_link("\n").error(), "Shared-file link is empty");
    EXPECT_EQ(read_link("\xC3").error(), "Shared-file link is not valid text");
    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    close(fds[0]);
    EXPECT_EQ(read_received_link(fds[1]).error(), "Could not read the shared-file link"); // a write end
    close(fds[1]);
}

struct FactoryFixture : ::testing::Test {
    TempDir dir;
    std::filesystem::path root = dir.mkdir("root");
    ScopedEnv roots{"VASK_WORKSPACE_ROOTS", root.string()};
    ScopedEnv config{"XDG_CONFIG_HOME", (dir / "config").string()};
    ScopedEnv data{"XDG_DATA_HOME", (dir / "data").string()};
};

TEST_F(FactoryFixture, OpensTheFirstPositionalPath)
{
    dir.mkdir("other");
    auto args = parse({(dir / "other").string(), "/ignored"});
    auto widget = make_root_widget(*args, {"files", (dir / "other").string()}, -1);
    ASSERT_TRUE(widget);
    auto* explorer = dynamic_cast<FileExplorerWidget*>(widget->get());
    ASSERT_TRUE(explorer);
    EXPECT_EQ(explorer->current_path(), dir / "other");
    EXPECT_EQ(explorer->back_history(), (std::vector<std::filesystem::path>{root}));
}

TEST_F(FactoryFixture, EmptyPathFailsTheLaunch)
{
    auto args = parse({""});
    auto widget = make_root_widget(*args, {"files", ""}, -1);
    ASSERT_FALSE(widget);
    EXPECT_EQ(widget.error().description, "cannot make an empty path absolute");
}

TEST_F(FactoryFixture, SharedLinkWinsOverThePathAndNeverStopsTheLaunch)
{
    dir.mkdir("other");
    auto args = parse({"--open-share-stdin", (dir / "other").string()});
    int fd = pipe_with("\n\n");
    auto widget = make_root_widget(*args, {"files", "--open-share-stdin", (dir / "other").string()}, fd);
    close(fd);
    ASSERT_TRUE(widget);
    auto* explorer = dynamic_cast<FileExplorerWidget*>(widget->get());
    EXPECT_EQ(explorer->current_path(), root);
    ASSERT_TRUE(explorer->notice());
    EXPECT_EQ(*explorer->notice(), read_link("\n").error());

    fd = pipe_with("vask://share/abc\n");
    widget = make_root_widget(*args, {"files", "--open-share-stdin"}, fd);
    close(fd);
    explorer = dynamic_cast<FileExplorerWidget*>(widget->get());
    EXPECT_EQ(explorer->current_path(), root);
    EXPECT_TRUE(explorer->notice());
}

TEST(ActorChoice, FromTheEnvironmentOrTheDocument)
{
    const std::vector<std::uint8_t> actor = {0xAB, 0xCD, 0xEF, 0x01, 0x23, 0x45, 0x67, 0x89, 0, 0, 0, 0, 0, 0, 0, 0};
    struct Case {
        std::optional<std::string> quick;
        std::optional<std::string> user;
        std::string expected;
    };
    const Case cases[] = {
        {"app.id", "u1", "app.id"},
        {"", "u1", "files-u1"},
        {std::nullopt, "u1", "files-u1"},
        {std::nullopt, std::nullopt, "files-abcdef012345"},
        {std::nullopt, "", "files-abcdef012345"},
        {"bad\xFF", std::nullopt, "files-abcdef012345"},
    };
    for (const auto& c : cases) {
        ScopedEnv quick{"QUICK_APP_ID", c.quick};
        ScopedEnv user{"VASK_USER_ID", c.user};
        EXPECT_EQ(choose_actor_text(actor), c.expected);
    }
}

TEST(ActorChoice, StateDocumentGetsTheActorAndSaysSo)
{
    TempDir dir;
    ScopedEnv quick{"QUICK_APP_ID", std::nullopt};
    ScopedEnv user{"VASK_USER_ID", "42"};
    std::vector<std::string> lines;
    vask_ui::diag::set_sink([&](std::string_view line) { lines.emplace_back(line); });
    auto doc = open_state_document({"so.vask.file-explorer", dir.path()});
    vask_ui::diag::set_sink({});
    const std::string expected = "files-42";
    EXPECT_EQ(doc->actor(), std::vector<std::uint8_t>(expected.begin(), expected.end()));
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NE(lines[0].find("files-42"), std::string::npos);
    EXPECT_TRUE(std::filesystem::exists(dir / "state.json"));
}

} // namespace
} // namespace file_explorer
