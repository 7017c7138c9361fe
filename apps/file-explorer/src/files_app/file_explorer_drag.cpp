// Dragging items inside the window: an armed press becomes a drag after a few pixels, the folder
// under the pointer is highlighted, and a release moves the items there (or adds a dragged folder
// to the favourites when it is dropped on the sidebar).
#include <algorithm>

#include <spdlog/spdlog.h>

#include "fileops/clipboard.hpp"
#include "files_app/file_explorer_widget.hpp"
#include "i18n/messages.hpp"
#include "platform/base/utf8.hpp"
#include "platform/ui/icons.hpp"

namespace file_explorer {

namespace {

constexpr float kDragThreshold = 6;

std::shared_ptr<spdlog::logger> drag_log()
{
    static auto logger = [] {
        auto existing = spdlog::get("file_explorer::drag");
        return existing ? existing : spdlog::default_logger()->clone("file_explorer::drag");
    }();
    return logger;
}

bool contains(const std::vector<std::filesystem::path>& items, const std::filesystem::path& path)
{
    return std::ranges::find(items, path) != items.end();
}

} // namespace

bool FileExplorerWidget::arm_drag(const action::ArmDrag& armed)
{
    m_armed_drag = armed;
    drag_log()->debug("drag armed path={} at=({}, {})", vask_base::lossy_utf8(armed.path), armed.position.x,
                      armed.position.y);
    return false;
}

bool FileExplorerWidget::start_drag(const action::StartDrag& start)
{
    if (m_drag)
        return false;
    m_armed_drag.reset();
    m_drop_target.reset();
    std::vector<std::filesystem::path> items{start.path};
    if (contains(m_drag_candidates, start.path))
        items = m_drag_candidates;
    drag_log()->debug("drag begins path={}", vask_base::lossy_utf8(start.path));
    // The platform offers no drag out of the window yet, so every drag stays inside it.
    m_drag = InternalDrag{std::move(items), start.path, start.is_dir};
    return true;
}

std::optional<std::filesystem::path> FileExplorerWidget::drop_target_at(vask_ui::Point p) const
{
    if (!m_drag)
        return std::nullopt;
    for (const auto& target : m_drop_targets)
        if (target.rect.contains(p) && !contains(m_drag->items, target.path))
            return target.path;
    if (m_current.has_relative_path() && m_current.has_parent_path())
        if (auto up = m_toolbar.control_rect("files.up"); up && up->contains(p))
            return m_current.parent_path();
    return std::nullopt;
}

// While an internal drag runs, pointer moves track the drop target and the primary release drops.
bool FileExplorerWidget::handle_drag_event(const vask_ui::InputEvent& event, vask_ui::EventContext& context)
{
    if (auto* move = std::get_if<vask_ui::PointerMove>(&event)) {
        // The armed press lives here, not in the file view, which a layout rebuild replaces.
        if (!m_drag && m_armed_drag) {
            float dx = move->position.x - m_armed_drag->position.x, dy = move->position.y - m_armed_drag->position.y;
            if (dx * dx + dy * dy > kDragThreshold * kDragThreshold)
                apply(action::StartDrag{m_armed_drag->path, m_armed_drag->is_dir});
        }
        if (!m_drag)
            return false;
        m_drop_target = drop_target_at(move->position);
        mark_redraw();
        context.handled = true;
        return true;
    }
    auto* release = std::get_if<vask_ui::PointerRelease>(&event);
    if (!release || release->button != vask_ui::MouseButton::Primary)
        return false;
    m_armed_drag.reset();
    if (!m_drag)
        return false;
    drop(release->position);
    context.handled = true;
    return true;
}

void FileExplorerWidget::drop(vask_ui::Point p)
{
    auto target = drop_target_at(p);
    InternalDrag drag = std::move(*m_drag);
    m_drag.reset();
    m_drop_target.reset();
    mark_dirty();
    if (!target) {
        const bool over_sidebar = m_sidebar && m_shell.shows_sidebar() && m_sidebar->bounds().contains(p);
        if (over_sidebar && drag.items.size() == 1 && drag.is_dir)
            apply(action::AddFavourite{drag.items.front(), std::nullopt});
        return;
    }
    auto report = move_by_drop(drag.items, *target);
    if (report.moved > 0)
        reload();
    set_notice(std::move(report.notice));
}

void FileExplorerWidget::draw_drag(vask_ui::Scene& scene, const vask_ui::DrawContext& context)
{
    if (!m_drag)
        return;
    const auto& theme = context.theme;
    const float pad_x = theme.spacing / 2, pad_y = theme.spacing / 2;
    std::optional<vask_ui::Rect> highlight;
    if (m_drop_target) {
        for (const auto& t : m_drop_targets)
            if (t.path == *m_drop_target)
                highlight = t.rect;
        if (!highlight && m_current.has_parent_path() && *m_drop_target == m_current.parent_path())
            highlight = m_toolbar.control_rect("files.up");
    }
    if (highlight) {
        vask_ui::Rect r{highlight->x + pad_x, highlight->y + pad_y / 2, highlight->width - 2 * pad_x, highlight->height - pad_y};
        scene.fill_rect(r, theme.accent.with_alpha(std::uint8_t(theme.accent.a / 4)), theme.radius);
        scene.stroke_rect(r, theme.accent, 2, theme.radius);
    }

    // The ghost: a card following the pointer with the item's icon and name, or the item count.
    std::string label;
    if (m_drag->items.size() < 2) {
        auto name = m_drag->path.filename();
        label = name.empty() ? vask_base::lossy_utf8(m_drag->path) : vask_base::lossy_utf8(name);
    } else {
        label = i18n::message_with_args("files-drag-items", {{"count", double(m_drag->items.size())}});
    }
    const float text_h = context.text.line_height(theme.body);
    const float icon = 18;
    const float w = context.text.width(label, theme.body) + 44; // 10 + icon + 8 before, 8 after
    const float h = std::max(2 * pad_y + text_h, 30.f);
    vask_ui::Rect card{m_pointer.x + 14, m_pointer.y + 6, w, h};
    scene.shadow(card, vask_ui::Color::rgb(0x000000, 50), 10, theme.radius);
    scene.fill_rect(card, theme.surface, theme.radius);
    scene.stroke_rect(card, theme.border, 1, theme.radius);
    auto kind = vask_ui::icons::icon_for(m_drag->is_dir ? std::string_view() : std::string_view("application/octet-stream"),
                                         m_drag->is_dir);
    vask_ui::icons::draw(scene, kind, {card.x + 10, card.y + (h - icon) / 2, icon, icon}, theme);
    scene.text(label, {card.x + 10 + icon + 8, card.y, w - icon - 18, h}, theme.body, theme.text);
}

} // namespace file_explorer
