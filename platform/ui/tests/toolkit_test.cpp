#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "platform/ui/icons.hpp"
#include "platform/ui/persist.hpp"
#include "platform/ui/scene.hpp"
#include "platform/ui/sysdirs.hpp"
#include "platform/ui/text_renderer.hpp"

namespace vask_ui {
namespace {

TEST(Scene, RecordsCommandsAndDumpsThem)
{
    Scene scene;
    scene.fill_rect({1, 2, 3, 4}, Color::rgb(0x102030), 2);
    scene.push_clip({0, 0, 10, 10});
    scene.text("hi", {5, 6, 7, 8}, TextStyle{14}, Color::rgb(0xffffff, 128));
    scene.pop_clip();
    EXPECT_EQ(scene.dump(), "fill 1.0,2.0 3.0x4.0 r2.0 #102030ff\n"
                            "clip 0.0,0.0 10.0x10.0\n"
                            "text \"hi\" 5.0,6.0 7.0x8.0 s14.0 #ffffff80\n"
                            "unclip\n");
}

TEST(TextRenderer, FakeMetricsAndElision)
{
    FakeTextRenderer text;
    TextStyle style{10};
    EXPECT_FLOAT_EQ(text.width("abcd", style), 20);
    EXPECT_FLOAT_EQ(text.width("äöü", style), 15); // code points, not bytes
    EXPECT_EQ(text.elide_end("abcdefghij", style, 50), "abcdefghij");
    EXPECT_EQ(text.elide_end("abcdefghij", style, 25), "abcd\u2026");
    // 8 code points fit: i = 7 keeps 2 at the start and 5 at the end.
    EXPECT_EQ(text.elide_middle("holiday-photo.jpeg", style, 40), "ho\u2026.jpeg");
    EXPECT_EQ(text.elide_middle("äöüäöüäöü", style, 20), "ä\u2026öü");
    EXPECT_EQ(text.elide_middle("abc", style, 5), "\u2026");
    EXPECT_EQ(text.elide_middle("abc", style, 0), "");
    text.set_text_scale(1.5f);
    EXPECT_FLOAT_EQ(text.width("ab", style), 15);
}

TEST(Icons, KindsForCommonTypes)
{
    using icons::IconKind;
    const std::pair<const char*, IconKind> cases[] = {
        {"image/png", IconKind::Image},   {"audio/ogg", IconKind::Audio},        {"video/mp4", IconKind::Video},
        {"application/pdf", IconKind::Pdf}, {"application/zip", IconKind::Archive}, {"text/plain", IconKind::Text},
        {"text/x-csrc", IconKind::Code},  {"application/octet-stream", IconKind::File},
        {"application/vnd.oasis.opendocument.spreadsheet", IconKind::Spreadsheet},
    };
    for (auto [mime, kind] : cases)
        EXPECT_EQ(icons::icon_for(mime, false), kind) << mime;
    EXPECT_EQ(icons::icon_for("image/png", true), IconKind::Folder);
    Scene scene;
    icons::draw(scene, IconKind::Folder, {0, 0, 32, 32}, Theme::light());
    EXPECT_FALSE(scene.commands().empty());
}

TEST(UserDirs, ParsesTheUsersFile)
{
    auto dirs = sysdirs::UserDirs::parse("# comment\n"
                                         "XDG_DOCUMENTS_DIR=\"$HOME/Dokumente\"\n"
                                         "XDG_MUSIC_DIR=\"/srv/music\"\n"
                                         "XDG_VIDEOS_DIR=\"relative\"\n"
                                         "XDG_DESKTOP_DIR=\"$HOME/\"\n",
                                         "/home/u");
    using sysdirs::UserDirKind;
    EXPECT_EQ(dirs.path(UserDirKind::Documents), "/home/u/Dokumente");
    EXPECT_EQ(dirs.path(UserDirKind::Music), "/srv/music");
    EXPECT_EQ(dirs.path(UserDirKind::Videos), "/home/u/Videos"); // invalid entries fall back
    EXPECT_EQ(dirs.path(UserDirKind::Desktop), "/home/u");
    EXPECT_EQ(dirs.classify("/home/u/Dokumente/"), UserDirKind::Documents);
    EXPECT_FALSE(dirs.classify("/home/u/Other"));
}

TEST(UserDirs, ContentPlacesThatExist)
{
    auto home = std::filesystem::temp_directory_path() / "vask-userdirs-test";
    std::filesystem::remove_all(home);
    std::filesystem::create_directories(home / "Downloads");
    std::filesystem::create_directories(home / "Bilder");
    auto dirs = sysdirs::UserDirs::parse("XDG_PICTURES_DIR=\"$HOME/Bilder\"\n", home);
    auto places = dirs.content_places();
    std::filesystem::remove_all(home);
    ASSERT_EQ(places.size(), 2u);
    EXPECT_EQ(places[0].first, sysdirs::UserDirKind::Downloads);
    EXPECT_EQ(places[1].second, home / "Bilder");
}

TEST(Persist, KeepsValuesAcrossOpensWithAFreshActorEach)
{
    auto folder = std::filesystem::temp_directory_path() / "vask-persist-test";
    std::filesystem::remove_all(folder);
    std::vector<std::uint8_t> first_actor;
    {
        auto doc = persist::open({"app", folder});
        ASSERT_EQ(doc->actor().size(), 16u);
        first_actor = doc->actor();
        doc->set("k", "v");
    }
    {
        auto doc = persist::open({"app", folder});
        EXPECT_EQ(doc->actor().size(), 16u);
        EXPECT_NE(doc->actor(), first_actor) << "each opening is a new writer session";
        EXPECT_EQ(doc->get("k"), "v");
        doc->set_actor({'x'});
    }
    std::ofstream(folder / "state.json") << "{ not json";
    auto doc = persist::open({"app", folder});
    EXPECT_EQ(doc->actor().size(), 16u) << "a broken file starts a new document";
    std::filesystem::remove_all(folder);
}

} // namespace
} // namespace vask_ui

#include "platform/ui/widgets/scroll_bar.hpp"

namespace vask_ui {
namespace {

TEST(ScrollBar, ThumbFollowsOffsetAndDragScrolls)
{
    ScrollBar bar;
    bar.set_geometry({0, 0, 100, 200}, 200);
    EXPECT_FALSE(bar.is_needed());
    bar.set_geometry({0, 0, 100, 200}, 1000);
    ASSERT_TRUE(bar.is_needed());
    EXPECT_FLOAT_EQ(bar.max_offset(), 800);
    EXPECT_FLOAT_EQ(bar.thumb(0).height, 196 * 0.2f);
    EXPECT_FLOAT_EQ(bar.thumb(800).bottom(), bar.track().bottom());
    float offset = 0;
    Rect thumb = bar.thumb(offset);
    Point grab{thumb.x + 2, thumb.y + 5};
    EXPECT_TRUE(bar.handle_event(PointerPress{grab}, offset));
    float travel = bar.track().height - thumb.height;
    EXPECT_TRUE(bar.handle_event(PointerMove{{grab.x, grab.y + travel / 2}}, offset));
    EXPECT_NEAR(offset, 400, 0.5);
    EXPECT_TRUE(bar.handle_event(PointerRelease{{grab.x, grab.y}}, offset));
    EXPECT_FALSE(bar.handle_event(PointerMove{{grab.x, grab.y + 50}}, offset)) << "released: moves no longer scroll";
    EXPECT_TRUE(bar.handle_event(PointerPress{{grab.x, bar.track().bottom() - 2}}, offset)) << "a press below pages down";
    EXPECT_NEAR(offset, 580, 0.5);
}

} // namespace
} // namespace vask_ui

#include "platform/ui/widgets/spinner.hpp"
#include "platform/ui/widgets/status_bubble.hpp"

namespace vask_ui {
namespace {

TEST(StatusBubble, HoveringHoldsThePillAndLeavingRestartsItsHold)
{
    StatusBubble bubble;
    auto t0 = Clock::now();
    bubble.show("Moved 2 items to Trash", t0);
    auto late = t0 + StatusBubble::kFadeIn + StatusBubble::kHold + StatusBubble::kFadeOut / 2;
    bubble.set_hovered(true, late);
    EXPECT_EQ(bubble.opacity(late + std::chrono::seconds(30)), 1);
    auto left = late + std::chrono::seconds(30);
    bubble.set_hovered(false, left);
    EXPECT_EQ(bubble.opacity(left + StatusBubble::kHold / 2), 1);
    EXPECT_EQ(bubble.opacity(left + StatusBubble::kHold + StatusBubble::kFadeOut), 0);
    bubble.poke("Moved 2 items to Trash", left + std::chrono::seconds(10));
    EXPECT_EQ(bubble.opacity(left + std::chrono::seconds(10) + StatusBubble::kFadeIn), 1) << "poked: shown again";
}

TEST(StatusBubble, FadesInHoldsAndFadesOutUnlessPinned)
{
    StatusBubble bubble;
    auto t0 = Clock::time_point{} + std::chrono::hours(1);
    EXPECT_EQ(bubble.opacity(t0), 0);
    bubble.show("Copied 2 items", t0);
    EXPECT_NEAR(bubble.opacity(t0 + StatusBubble::kFadeIn / 2), 0.5, 0.01);
    EXPECT_EQ(bubble.opacity(t0 + StatusBubble::kFadeIn + StatusBubble::kHold / 2), 1);
    auto fading = t0 + StatusBubble::kFadeIn + StatusBubble::kHold + StatusBubble::kFadeOut / 2;
    EXPECT_NEAR(bubble.opacity(fading), 0.5, 0.01);
    EXPECT_TRUE(bubble.is_animating(fading));
    EXPECT_EQ(bubble.opacity(fading + StatusBubble::kFadeOut), 0);
    bubble.show("Copied 2 items", fading); // the same text does not restart it
    EXPECT_NEAR(bubble.opacity(fading), 0.5, 0.01);
    bubble.set_pinned(true);
    EXPECT_EQ(bubble.opacity(fading + std::chrono::hours(1)), 1);
}

TEST(Spinner, TurnsOncePerSecond)
{
    auto t0 = Clock::time_point{} + std::chrono::seconds(10);
    EXPECT_FLOAT_EQ(Spinner::angle_at(t0), 0);
    EXPECT_FLOAT_EQ(Spinner::angle_at(t0 + std::chrono::milliseconds(250)), 90);
    EXPECT_FLOAT_EQ(Spinner::angle_at(t0 + std::chrono::milliseconds(1250)), 90);
}

} // namespace
} // namespace vask_ui

#include "platform/ui/widgets/containers.hpp"

namespace vask_ui {
namespace {

// A widget that records what reaches it.
struct Probe final : Widget {
    int presses = 0;
    float height = 1000;
    Size measure(float, float available, const LayoutContext&) override { return {available, height}; }
    void handle_event(const InputEvent& e, EventContext& c) override
    {
        if (std::holds_alternative<PointerPress>(e)) {
            ++presses;
            c.handled = true;
        }
    }
};

TEST(NavShell, CompactShellShowsTheSidebarAboveTheContentOnRequest)
{
    FakeTextRenderer text;
    LayoutContext context{text, Theme::light(), 1};
    NavShell shell;
    auto sidebar = std::make_unique<Probe>();
    auto content = std::make_unique<Probe>();
    Probe* side = sidebar.get();
    Probe* main = content.get();
    shell.set_sidebar(std::move(sidebar));
    shell.set_content(std::move(content));
    auto lay_out = [&](float width) {
        shell.set_bounds({0, 0, width, 500});
        LayoutTree tree;
        auto node = shell.build_layout(tree, context);
        tree.compute(node, {width, 500});
        shell.apply_layout(tree, node);
    };
    lay_out(800);
    EXPECT_FALSE(shell.is_compact());
    EXPECT_FLOAT_EQ(shell.overview_content_rect().x, NavShell::kSidebarWidth);
    lay_out(600);
    ASSERT_TRUE(shell.is_compact());
    EXPECT_FLOAT_EQ(shell.overview_content_rect().x, 0);
    EXPECT_FALSE(shell.shows_sidebar());

    EventContext events{text, Clock::now()};
    Rect toggle = shell.toggle_rect();
    shell.handle_event(PointerPress{{toggle.x + 4, toggle.y + 4}}, events);
    shell.handle_event(PointerRelease{{toggle.x + 4, toggle.y + 4}}, events);
    EXPECT_TRUE(shell.is_sidebar_open());
    EXPECT_TRUE(shell.take_structure_dirty());
    lay_out(600);
    events.handled = false;
    shell.handle_event(PointerPress{{100, 100}}, events);
    EXPECT_EQ(side->presses, 1) << "the open sidebar takes presses first";
    events.handled = false;
    shell.handle_event(PointerPress{{500, 100}}, events);
    EXPECT_FALSE(shell.is_sidebar_open()) << "a press on the dimmed content closes it";
    EXPECT_EQ(main->presses, 0);
}

TEST(Scrollable, OffsetLivesInTheOwnersCellAndIsClamped)
{
    FakeTextRenderer text;
    LayoutContext context{text, Theme::light(), 1};
    float offset = 5000;
    auto probe = std::make_unique<Probe>();
    Probe* child = probe.get();
    auto scroll = Scrollable::with_persisted_offset(std::move(probe), offset);
    LayoutTree tree;
    auto node = scroll->build_layout(tree, context);
    tree.compute(node, {300, 400});
    scroll->apply_layout(tree, node);
    EXPECT_FLOAT_EQ(offset, 600) << "clamped to content minus viewport";
    EXPECT_FLOAT_EQ(child->bounds().y, -600);
    EventContext events{text, Clock::now()};
    scroll->handle_event(Wheel{{10, 10}, 0, -1}, events);
    EXPECT_FLOAT_EQ(offset, 600 - Scrollable::kLinesPerNotch * Scrollable::kLineHeight);
    scroll->scroll_to_show({0, 390, 300, 30}); // 20 px below the viewport
    EXPECT_FLOAT_EQ(offset, 600 - Scrollable::kLinesPerNotch * Scrollable::kLineHeight + 20);
    EXPECT_FLOAT_EQ(child->bounds().y, -offset);
}

} // namespace
} // namespace vask_ui
