#include "platform/ui/shot_frame.hpp"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include "platform/ui/frame.hpp"
#include "platform/ui/qt/qt_text_renderer.hpp"
#include "platform/ui/qt/scene_player.hpp"

namespace vask_ui {

vask_base::Status render_to_png(Widget& root, const ShotOptions& options, const std::filesystem::path& output)
{
    if (!QGuiApplication::instance())
        return vask_base::failure("screenshots need the toolkit's application object");
    qt::QtTextRenderer text;
    text.set_text_scale(options.text_scale);
    const Theme& theme = Theme::screenshot();
    root.set_interaction_environment({options.scale, options.text_scale, true});

    Frame frame(text, theme);
    Scene scene;
    frame.render(root, options.size, Clock::now(), scene);
    if (options.interaction) {
        EventContext context{text, Clock::now()};
        options.interaction(root, context);
        scene = Scene();
        frame.render(root, options.size, Clock::now(), scene);
    }

    QImage image(int(options.size.width * options.scale), int(options.size.height * options.scale),
                 QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(options.scale);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        qt::play(scene, painter);
    }
    // QImage::save takes a QString; the output path goes through the local 8-bit codec unchanged.
    if (!image.save(QString::fromLocal8Bit(output.c_str()), "PNG"))
        return vask_base::failure("could not write the image " + output.string());
    return {};
}

} // namespace vask_ui
