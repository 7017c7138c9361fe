#pragma once

#include "platform/ui/geometry.hpp"
#include "platform/ui/scene.hpp"

namespace vask_ui {

// Colours, type sizes, radii and spacing shared by every widget.
struct Theme {
    Color window;          // the window background
    Color surface;         // content panes
    Color sidebar;         // the places pane
    Color text;            // primary text
    Color text_muted;      // secondary text: sizes, dates, captions
    Color text_disabled;
    Color accent;          // selection, focus, links
    Color accent_text;     // text on the accent colour
    Color selection;       // selected row background
    Color hover;           // hovered row background
    Color border;          // hairlines between panes
    Color focus_ring;
    Color error;
    Color folder;          // folder icon body
    Color folder_tab;      // folder icon tab
    Color scrim;           // dims content under a panel shown above it

    TextStyle body{14, FontWeight::Regular};
    TextStyle caption{12, FontWeight::Regular};
    TextStyle heading{16, FontWeight::Bold};
    TextStyle title{20, FontWeight::Bold};

    float radius = 6;
    float panel_radius = 12; // sheets and other floating panels
    float margin = 12;       // distance of floating pills from the pane's edges
    bool fade_status = true; // false keeps a shown status pill at full opacity
    float spacing = 8;
    float row_height = 32;

    // The desktop's light appearance.
    static const Theme& light();
    // The light appearance with fixed metrics, so reference images are stable.
    static const Theme& screenshot();
};

} // namespace vask_ui
