#include <gtest/gtest.h>

#include <filesystem>

#include "fileops/fileops_fixtures.hpp"
#include "fileops/templates.hpp"
#include "i18n/messages.hpp"
#include "platform/base/hex.hpp"
#include "platform/base/sha256.hpp"
#include "support/temp_dir.hpp"

using namespace file_explorer;
namespace fs = std::filesystem;

namespace {

TEST(Templates, FolderRules)
{
    test_support::TempDir home;
    test_support::ScopedEnv home_env("HOME", home.path().string());
    {
        test_support::ScopedEnv env("XDG_TEMPLATES_DIR", std::string("  /srv/tpl \t"));
        EXPECT_EQ(templates_folder(), fs::path("/srv/tpl"));
    }
    {
        test_support::ScopedEnv env("XDG_TEMPLATES_DIR", std::string(" \t "));
        EXPECT_EQ(templates_folder(), home / "Templates");
    }
    {
        test_support::ScopedEnv env("XDG_TEMPLATES_DIR", std::string("/srv/caf\xe9"));
        EXPECT_EQ(templates_folder(), home / "Templates");
    }
    test_support::ScopedEnv env("XDG_TEMPLATES_DIR", std::nullopt);
    EXPECT_EQ(templates_folder(), home / "Templates");
}

TEST(Templates, OnlyVisibleRegularFilesSorted)
{
    test_support::TempDir dir;
    dir.write("Templates/b.odt", "b");
    dir.write("Templates/A.txt", "a");
    dir.write("Templates/.hidden.txt", "h");
    dir.mkdir("Templates/Folder");
    fs::create_symlink("b.odt", dir / "Templates" / "link.odt");
    EXPECT_EQ(list_templates(dir / "Templates"),
              (std::vector<fs::path>{dir / "Templates" / "A.txt", dir / "Templates" / "b.odt"}));
    EXPECT_TRUE(list_templates(dir / "missing").empty());
}

TEST(Templates, IdsAndLabels)
{
    fs::path path = "/home/u/Templates/Letter.odt";
    EXPECT_EQ(template_resource_id(path),
              "files.template:" + vask_base::to_hex(vask_base::sha256(path.native())).substr(0, 32));
    EXPECT_EQ(template_label(path),
              i18n::message_with_args("files-new-from-template", {{"name", std::string("Letter")}}));
}

TEST(Templates, CreateFromTemplateById)
{
    test_support::TempDir dir;
    test_support::ScopedEnv env("XDG_TEMPLATES_DIR", (dir / "Templates").string());
    auto tpl = dir.write("Templates/Letter.odt", "letter");
    auto folder = dir.mkdir("Documents");
    auto id = template_resource_id(tpl);
    auto first = create_from_template_id(id, folder);
    ASSERT_TRUE(first) << first.error();
    EXPECT_EQ(*first, folder / "Letter.odt");
    auto second = create_from_template_id(id, folder);
    ASSERT_TRUE(second) << second.error();
    EXPECT_EQ(*second, folder / "Letter 2.odt");
    EXPECT_EQ(fileops_test::read_file(*second), "letter");
    EXPECT_EQ(create_from_template_id("files.template:0000", folder).error(),
              "the template is no longer available");
}

} // namespace
