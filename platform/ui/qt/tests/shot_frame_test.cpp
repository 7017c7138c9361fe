#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QImage>
#include <cstdlib>
#include <filesystem>

#include "platform/ui/shot_frame.hpp"

namespace vask_ui {
namespace {

// Paints a filled square in logical pixels.
struct Square final : Widget {
    void draw(Scene& scene, const DrawContext&) override { scene.fill_rect({10, 10, 20, 20}, Color::rgb(0xff0000)); }
};

TEST(ShotFrame, RendersAtDisplayScalesOneAndTwo)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    int argc = 1;
    char name[] = "shot";
    char* argv[] = {name, nullptr};
    QGuiApplication app(argc, argv);
    auto file = std::filesystem::temp_directory_path() / "vask-shot-test.png";
    for (float scale : {1.f, 2.f}) {
        Square square;
        ASSERT_TRUE(render_to_png(square, {.size = {100, 60}, .scale = scale}, file));
        QImage image(QString::fromStdString(file.string()));
        ASSERT_EQ(image.width(), int(100 * scale));
        ASSERT_EQ(image.height(), int(60 * scale));
        // The square covers logical (10..30); at scale 2 that is device (20..60).
        EXPECT_EQ(QColor(image.pixel(int(20 * scale), int(20 * scale))), QColor(255, 0, 0)) << scale;
        EXPECT_NE(QColor(image.pixel(int(35 * scale), int(20 * scale))), QColor(255, 0, 0)) << scale;
    }
    std::filesystem::remove(file);
}

} // namespace
} // namespace vask_ui
