#include "platform/ui/frame.hpp"

namespace vask_ui {

void Frame::layout(Widget& root, Size size)
{
    LayoutTree tree;
    LayoutContext context{m_text, m_theme, 1};
    // The root knows its size while it builds, so it can choose a compact arrangement.
    root.set_bounds({0, 0, size.width, size.height});
    auto node = root.build_layout(tree, context);
    tree.compute(node, size);
    root.apply_layout(tree, node);
    root.set_bounds({0, 0, size.width, size.height});
    m_laid_out_size = size;
}

void Frame::render(Widget& root, Size size, Clock::time_point now, Scene& scene)
{
    root.sync(SyncContext{now});
    bool dirty = root.take_structure_dirty();
    if (dirty || size != m_laid_out_size)
        layout(root, size);
    // A layout can reveal that the arrangement must change (a toolbar turning compact); one more
    // pass settles it.
    if (root.take_structure_dirty())
        layout(root, size);
    DrawContext context{m_text, m_theme, now};
    scene.clear();
    scene.fill_rect({0, 0, size.width, size.height}, m_theme.window);
    root.draw_with_presence(scene, context);
    root.draw_overlay(scene, context);
    root.mark_drawn();
}

} // namespace vask_ui
