#pragma once

#include "platform/ui/widget.hpp"

namespace vask_ui {

// One frame of a widget tree: synchronise, lay out when needed, paint the base and overlay
// passes. Shared by the window host and the headless screenshot frame.
class Frame {
public:
    Frame(const TextRenderer& text, const Theme& theme) : m_text(text), m_theme(theme) {}

    // Runs `sync`, rebuilds the layout when the structure changed or the size did, and records
    // the painting of `root` filling `size` into `scene`.
    void render(Widget& root, Size size, Clock::time_point now, Scene& scene);

    // Lays out `root` to fill `size`.
    void layout(Widget& root, Size size);

private:
    const TextRenderer& m_text;
    const Theme& m_theme;
    Size m_laid_out_size{-1, -1};
};

} // namespace vask_ui
