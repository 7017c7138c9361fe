#include "platform/ui/theme.hpp"

namespace vask_ui {

namespace {
Theme make_light()
{
    Theme t;
    t.window = Color::rgb(0xfafafb);
    t.surface = Color::rgb(0xffffff);
    t.sidebar = Color::rgb(0xf1f2f4);
    t.text = Color::rgb(0x1f2328);
    t.text_muted = Color::rgb(0x636c76);
    t.text_disabled = Color::rgb(0xa8aeb5);
    t.accent = Color::rgb(0x2b6fd6);
    t.accent_text = Color::rgb(0xffffff);
    t.selection = Color::rgb(0xd8e6fb);
    t.hover = Color::rgb(0xeef1f5);
    t.border = Color::rgb(0xdfe2e6);
    t.focus_ring = Color::rgb(0x2b6fd6, 180);
    t.error = Color::rgb(0xc42b1c);
    t.folder = Color::rgb(0x5b9be6);
    t.folder_tab = Color::rgb(0x3f7fcf);
    t.scrim = Color::rgb(0x101418, 80);
    return t;
}
} // namespace

const Theme& Theme::light()
{
    static const Theme theme = make_light();
    return theme;
}

const Theme& Theme::screenshot()
{
    static const Theme theme = [] {
        Theme t = make_light();
        t.window = Color::rgb(0xf7f8fa);
        t.fade_status = false;
        return t;
    }();
    return theme;
}

} // namespace vask_ui
