// Times one frame of the explorer window (layout and painting into an image) for folders of
// different sizes, in list and grid mode. Prints "MODE COUNT MEDIAN_MS" per folder.
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "files_app/file_explorer_widget.hpp"
#include "platform/ui/frame.hpp"
#include "platform/ui/qt/qt_text_renderer.hpp"
#include "platform/ui/qt/scene_player.hpp"

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    int qt_argc = 1;
    QGuiApplication app(qt_argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_frame FOLDER...\n");
        return 2;
    }
    vask_ui::qt::QtTextRenderer text;
    const auto& theme = vask_ui::Theme::light();
    QImage image(1280, 800, QImage::Format_ARGB32_Premultiplied);
    for (int i = 1; i < argc; ++i) {
        for (auto mode : {file_explorer::ViewMode::List, file_explorer::ViewMode::Grid}) {
            file_explorer::ExplorerEnvironment env;
            file_explorer::FileExplorerWidget explorer(env);
            explorer.open_path(argv[i]);
            explorer.set_view_mode(mode);
            vask_ui::Frame frame(text, theme);
            vask_ui::Scene scene;
            std::vector<double> times;
            for (int run = 0; run < 15; ++run) {
                auto start = std::chrono::steady_clock::now();
                explorer.set_view_mode(mode); // marks the structure dirty: every frame lays out again
                frame.render(explorer, {1280, 800}, vask_ui::Clock::now(), scene);
                QPainter painter(&image);
                vask_ui::qt::play(scene, painter);
                painter.end();
                times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
            }
            std::sort(times.begin(), times.end());
            std::printf("%s %zu %.3f\n", mode == file_explorer::ViewMode::List ? "list" : "grid", explorer.entries().size(),
                        times[times.size() / 2]);
        }
    }
    return 0;
}
