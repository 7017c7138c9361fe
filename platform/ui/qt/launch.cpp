#include "platform/ui/launch.hpp"

#include <QClipboard>
#include <QGuiApplication>
#include <QStyleHints>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/ui/clipboard.hpp"
#include "platform/ui/gesture.hpp"
#include "platform/ui/qt/window_host.hpp"

namespace vask_ui::launch {

namespace {
std::vector<std::string> s_process_arguments;
std::unique_ptr<persist::StateDocument> s_state_document;

bool has_display()
{
    auto set = [](const char* name) {
        const char* v = std::getenv(name);
        return v && *v;
    };
    return set("DISPLAY") || set("WAYLAND_DISPLAY") || set("QT_QPA_PLATFORM");
}

// A local X display (":N" or ":N.S") must have its socket; Qt would abort without one. Remote and
// Wayland displays are left to Qt.
bool local_x_display_missing()
{
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    const char* display = std::getenv("DISPLAY");
    if ((wayland && *wayland) || (platform && *platform) || !display || display[0] != ':')
        return false;
    std::string number(display + 1);
    number = number.substr(0, number.find('.'));
    if (number.empty() || number.find_first_not_of("0123456789") != std::string::npos)
        return false;
    return !std::filesystem::exists("/tmp/.X11-unix/X" + number);
}

// Qt gets only the program name so that it never interprets our options.
struct QtArgs {
    int argc = 1;
    char* argv[2] = {nullptr, nullptr};
};
QtArgs s_qt_args;

void connect_desktop_services()
{
    gesture::set_multi_click_interval(std::chrono::milliseconds(QGuiApplication::styleHints()->mouseDoubleClickInterval()));
    clipboard::set_backend({
        .set_text = [](const std::string& text) { QGuiApplication::clipboard()->setText(QString::fromStdString(text)); },
        .text = [] { return QGuiApplication::clipboard()->text().toStdString(); },
    });
}
} // namespace

const std::vector<std::string>& process_arguments() { return s_process_arguments; }

persist::StateDocument* state_document() { return s_state_document.get(); }

std::expected<void, LaunchError> run(const LaunchDescription& description, int argc, char** argv)
{
    s_process_arguments.assign(argv, argv + argc);
    std::vector<std::string> rest(s_process_arguments.begin() + (argc > 0 ? 1 : 0), s_process_arguments.end());
    auto args = LaunchArgs::parse(rest, description.value_options, description.flag_options,
                                  description.screenshot_scenarios);
    if (!args)
        return std::unexpected(args.error());

    s_qt_args.argv[0] = argc > 0 ? argv[0] : const_cast<char*>("app");
    if (args->screenshot_scenario()) {
        // Screenshots never need a display.
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        QGuiApplication app(s_qt_args.argc, s_qt_args.argv);
        if (!description.screenshot)
            return std::unexpected(LaunchError{"this application has no screenshot mode"});
        return description.screenshot(*args);
    }

    if (!has_display())
        return std::unexpected(LaunchError{
            "no display to open a window on (DISPLAY and WAYLAND_DISPLAY are unset); run headless with "
            "--screenshot NAME --output FILE.png, or under xvfb-run"});

    if (local_x_display_missing())
        return std::unexpected(LaunchError{std::string("the display ") + std::getenv("DISPLAY") +
                                           " is not running; run headless with --screenshot NAME --output FILE.png, "
                                           "or under xvfb-run"});

    QGuiApplication app(s_qt_args.argc, s_qt_args.argv);
    QGuiApplication::setApplicationName(QString::fromUtf8(description.app_id.data(), qsizetype(description.app_id.size())));
    QGuiApplication::setDesktopFileName(QString::fromUtf8(description.app_id.data(), qsizetype(description.app_id.size())));
    connect_desktop_services();

    if (description.state_document)
        s_state_document = description.state_document(persist::OpenOptions{std::string(description.app_id), {}});

    if (!description.root_factory)
        return std::unexpected(LaunchError{"this application has no root widget"});
    auto root = description.root_factory(*args);
    if (!root)
        return std::unexpected(root.error());

    qt::WindowHost window(std::move(*root), Theme::light());
    window.setTitle(QString::fromUtf8(description.window_title.data(), qsizetype(description.window_title.size())));
    auto [width, height] = description.window_size ? description.window_size() : std::pair<std::uint32_t, std::uint32_t>{1280, 800};
    window.resize(int(width), int(height));
    window.show();
    QGuiApplication::exec();
    return {};
}

} // namespace vask_ui::launch
