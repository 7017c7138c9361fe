#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include "command/menus.hpp"
#include "files_app/explorer_fixture.hpp"
#include "i18n/messages.hpp"

namespace file_explorer {
namespace {

using testing::ExplorerWindow;
using vask_ui::Key;
namespace fs = std::filesystem;

// Runs `zip -q -r archive item…` inside `folder`.
void zip_in(const fs::path& folder, std::vector<std::string> args)
{
    pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        if (::chdir(folder.c_str()) != 0)
            ::_exit(127);
        std::vector<char*> argv{const_cast<char*>("zip"), const_cast<char*>("-q"), const_cast<char*>("-r")};
        for (auto& a : args)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        ::execvp("zip", argv.data());
        ::_exit(127);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "zip failed";
}

struct ArchiveBrowsing : ExplorerWindow {
    void SetUp() override
    {
        auto src = dir.mkdir("src");
        dir.write("src/photos/beach.jpg", "jpeg");
        dir.write("src/readme.txt", "hello");
        zip_in(src, {(root / "trip.zip").string(), "photos", "readme.txt"});
    }
};

TEST_F(ArchiveBrowsing, AnArchiveOpensAsAReadOnlyFolder)
{
    start();
    click("trip.zip");
    key(Key::Enter);
    ASSERT_TRUE(explorer->archive());
    EXPECT_EQ(explorer->current_path(), root / "trip.zip");
    EXPECT_EQ(names(), (std::vector<std::string>{"photos", "readme.txt"}));
    EXPECT_EQ(explorer->notice(), i18n::message("files-archive-read-only"));

    click("readme.txt");
    key(Key::Enter);
    EXPECT_EQ(explorer->notice(), i18n::message("files-archive-open-after-extract"));
    EXPECT_TRUE(opened.empty());

    // Everything that would change the folder is refused with the read-only notice.
    const auto before = fs::file_size(root / "trip.zip");
    for (ExplorerAction a : {ExplorerAction{action::NewFolder{}}, ExplorerAction{action::DeleteSelection{}},
                             ExplorerAction{action::StartRename{}}, ExplorerAction{action::Cut{}},
                             ExplorerAction{action::CompressSelection{}}}) {
        explorer->set_notice(std::nullopt);
        explorer->apply(a);
        EXPECT_EQ(explorer->notice(), i18n::message("files-archive-read-only")) << a.index();
    }
    EXPECT_FALSE(explorer->rename_index());
    EXPECT_EQ(fs::file_size(root / "trip.zip"), before);
    EXPECT_EQ(names().size(), 2u);

    explorer->selection().clear();
    auto menu = file_context_menu(*explorer);
    ASSERT_EQ(menu.size(), 1u);
    EXPECT_EQ(menu[0].label, i18n::message("files-archive-extract"));

    click("photos");
    key(Key::Enter);
    EXPECT_EQ(explorer->current_path(), root / "trip.zip/photos");
    EXPECT_EQ(names(), (std::vector<std::string>{"beach.jpg"}));
}

TEST_F(ArchiveBrowsing, ExtractingTheBrowsedArchiveWritesAFolderBesideIt)
{
    start();
    explorer->apply(action::OpenPath{root / "trip.zip/photos"});
    explorer->apply(action::ExtractCurrentArchive{});
    EXPECT_EQ(explorer->notice(), i18n::message_with_args("files-archive-extracted", {{"count", 2.0}}));
    EXPECT_EQ(fs::file_size(root / "trip/photos/beach.jpg"), 4u);
    EXPECT_EQ(fs::file_size(root / "trip/readme.txt"), 5u);

    explorer->apply(action::OpenPath{root});
    explorer->selection().select_only(std::size_t(index_of("trip.zip")));
    explorer->apply(action::ExtractSelection{});
    EXPECT_TRUE(fs::is_directory(root / "trip 2"));
    explorer->selection().select_only(std::size_t(index_of("trip")));
    explorer->apply(action::CompressSelection{});
    EXPECT_EQ(explorer->notice(), i18n::message_with_args("files-archive-created", {{"name", "trip 2.zip"}}));
    EXPECT_EQ(selected_names(), (std::vector<std::string>{"trip 2.zip"}));
}

} // namespace
} // namespace file_explorer
