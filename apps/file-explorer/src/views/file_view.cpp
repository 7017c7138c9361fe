#include "views/file_view.hpp"

#include <algorithm>
#include <cmath>

#include "i18n/messages.hpp"
#include "model/formatting.hpp"
#include "platform/ui/icons.hpp"

namespace file_explorer {

using vask_ui::Point;
using vask_ui::Rect;

namespace {
constexpr float kDragDistance = 6;

bool has_open_conflict(const DirectoryEntry&)
{
    // Conflicts come from the history projection, which carries none until it is read.
    return false;
}
} // namespace

FileView::FileView(FileViewInputs inputs) : m_in(inputs)
{
    m_metrics.z = std::clamp(1.0f + 0.15f * float(m_in.item_size_step), 0.5f, 3.0f);
    m_metrics.t = std::clamp(m_in.text_scale, 0.5f, 4.0f);
    m_tiles = m_metrics.grid_tiles(0);
}

float FileView::content_height(float width) const
{
    if (m_in.mode == ViewMode::List)
        return m_metrics.list_content_height(entries().size());
    return m_metrics.grid_content_height(entries().size(), m_metrics.grid_tiles(width));
}

vask_ui::Size FileView::measure(float known_width, float available_width, const vask_ui::LayoutContext& context)
{
    m_metrics.t = context.text.text_scale();
    float width = known_width;
    if (std::isnan(width))
        width = std::isfinite(available_width) ? available_width : m_metrics.grid_tiles(bounds().width).width + 20 * m_metrics.z;
    return {width, content_height(width)};
}

void FileView::apply_layout(const vask_ui::LayoutTree& tree, vask_ui::LayoutNodeId node)
{
    set_view_bounds(tree.layout(node));
}

void FileView::set_view_bounds(Rect bounds)
{
    set_bounds(bounds);
    m_tiles = m_metrics.grid_tiles(bounds.width);
}

Rect FileView::item_rect(std::size_t index) const
{
    return m_in.mode == ViewMode::List ? m_metrics.list_row(bounds(), index) : m_metrics.grid_tile(bounds(), m_tiles, index);
}

std::optional<std::size_t> FileView::hit_test(Point p) const
{
    if (m_in.mode == ViewMode::List) {
        std::optional<float> pinned;
        if (m_clip && m_clip->y > bounds().y)
            pinned = m_clip->y;
        return m_metrics.list_hit(bounds(), p, entries().size(), pinned);
    }
    return m_metrics.grid_hit(bounds(), m_tiles, p, entries().size());
}

std::vector<DropTarget> FileView::item_rects() const
{
    std::vector<DropTarget> out;
    out.reserve(entries().size());
    for (std::size_t i = 0; i < entries().size(); ++i)
        out.push_back({entries()[i].path(), item_rect(i)});
    return out;
}

std::optional<int> FileView::header_column_at(Point p) const
{
    if (m_in.mode != ViewMode::List)
        return std::nullopt;
    float top = m_clip && m_clip->y > bounds().y ? m_clip->y : bounds().y;
    if (p.y < top || p.y >= top + m_metrics.header_height() || p.x < bounds().x || p.x > bounds().right())
        return std::nullopt;
    auto c = m_metrics.list_columns(bounds().x, bounds().width);
    if (c.modified_start && p.x >= *c.modified_start)
        return 3;
    if (c.size_start && p.x >= *c.size_start)
        return 2;
    return p.x >= c.name_start && p.x <= c.name_end ? std::optional(1) : std::nullopt;
}

void FileView::handle_event(const vask_ui::InputEvent& event, vask_ui::EventContext& context)
{
    using vask_ui::Modifier;
    if (auto* move = std::get_if<vask_ui::PointerMove>(&event)) {
        m_pointer = move->position;
        m_hover = hit_test(m_pointer);
        if (m_press && std::hypot(m_pointer.x - m_press->position.x, m_pointer.y - m_press->position.y) > kDragDistance) {
            queue(view_event::StartDrag{m_press->path, m_press->is_dir});
            m_press.reset();
        }
        return;
    }
    if (auto* press = std::get_if<vask_ui::PointerPress>(&event)) {
        m_pointer = press->position;
        if (press->button == vask_ui::MouseButton::Secondary) {
            queue(view_event::SecondaryPress{hit_test(m_pointer)});
            context.handled = true;
            return;
        }
        if (press->button != vask_ui::MouseButton::Primary)
            return;
        if (auto column = header_column_at(m_pointer)) {
            queue(view_event::SortColumn{*column});
            context.handled = true;
            return;
        }
        auto index = hit_test(m_pointer);
        if (!index)
            return;
        const bool toggle = press->modifiers.primary();
        const bool range = press->modifiers.has(Modifier::Shift);
        queue(view_event::ItemPress{*index, toggle, range});
        if (!toggle && !range) {
            const auto& entry = entries()[*index];
            m_press = Press{m_pointer, entry.path(), entry.is_dir};
            queue(view_event::ArmDrag{m_pointer, entry.path(), entry.is_dir});
        }
        context.handled = true;
        return;
    }
    if (auto* release = std::get_if<vask_ui::PointerRelease>(&event)) {
        if (release->button == vask_ui::MouseButton::Primary)
            m_press.reset();
        return;
    }
    if (auto* leave = std::get_if<vask_ui::PointerLeave>(&event)) {
        (void)leave;
        m_hover.reset();
        return;
    }
    auto* key = std::get_if<vask_ui::KeyPress>(&event);
    if (!key || !m_in.focused || m_in.mode != ViewMode::Grid || entries().empty())
        return;
    const std::size_t last = entries().size() - 1;
    std::size_t current = std::min(m_in.cursor.value_or(0), last);
    const std::size_t columns = m_tiles.columns;
    std::size_t target;
    switch (key->key) {
    case vask_ui::Key::Down: target = std::min(current + columns, last); break;
    case vask_ui::Key::Up: target = current >= columns ? current - columns : 0; break;
    case vask_ui::Key::Right: target = std::min(current + 1, last); break;
    case vask_ui::Key::Left: target = current > 0 ? current - 1 : 0; break;
    default: return;
    }
    queue(view_event::MoveSelection{target, key->modifiers.has(Modifier::Shift)});
    context.handled = true;
}

void FileView::draw_item_background(vask_ui::Scene& scene, std::size_t index, Rect rect, float radius,
                                    const vask_ui::Theme& theme) const
{
    if (m_in.selection->is_selected(index))
        scene.fill_rect(rect, theme.selection, radius);
    else if (m_hover == index)
        scene.fill_rect(rect, theme.hover, radius);
}

void FileView::draw_icon(vask_ui::Scene& scene, const DirectoryEntry& entry, Rect box, const vask_ui::Theme& theme) const
{
    vask_ui::icons::draw(scene, vask_ui::icons::icon_for(entry.mime_type, entry.is_dir), box, theme);
    if (!entry.sync_state)
        return;
    // A badge on the icon's bottom-right corner for what the synchronisation service reports.
    float e = std::max(0.62f * box.width, 9.f);
    Point corner{box.right(), box.bottom()};
    float r = 0.62f * e;
    scene.fill_rect({corner.x - r, corner.y - r, 2 * r, 2 * r}, theme.window, r);
    vask_ui::Color color = *entry.sync_state == SyncState::Downloading ? theme.accent : theme.text_muted;
    float stroke = 1.5f * std::max(m_metrics.z, 1.f);
    Rect glyph{corner.x - e / 2, corner.y - e / 2, e, e};
    switch (*entry.sync_state) {
    case SyncState::Local: scene.fill_rect(glyph.inset(e * 0.25f), color, e * 0.25f); break;
    case SyncState::Projected: scene.stroke_rect(glyph.inset(e * 0.2f), color, stroke, e * 0.3f); break;
    case SyncState::Downloading:
        scene.line({glyph.x + e / 2, glyph.y + e * 0.15f}, {glyph.x + e / 2, glyph.y + e * 0.85f}, color, stroke);
        scene.line({glyph.x + e * 0.25f, glyph.y + e * 0.6f}, {glyph.x + e / 2, glyph.y + e * 0.85f}, color, stroke);
        scene.line({glyph.x + e * 0.75f, glyph.y + e * 0.6f}, {glyph.x + e / 2, glyph.y + e * 0.85f}, color, stroke);
        break;
    }
}

void FileView::draw(vask_ui::Scene& scene, const vask_ui::DrawContext& context)
{
    if (m_in.drop_targets)
        m_in.drop_targets->clear();
    if (m_in.rename_editor_box)
        m_in.rename_editor_box->reset();
    if (m_in.mode == ViewMode::List)
        draw_list(scene, context);
    else
        draw_grid(scene, context);

    if (m_in.focused && m_in.cursor && *m_in.cursor < entries().size()) {
        Rect r = item_rect(*m_in.cursor);
        if (m_in.mode == ViewMode::List)
            r = {r.x + 8, r.y + 2, r.width - 16, r.height - 4};
        Rect extended = m_clip ? Rect{m_clip->x - 4, m_clip->y - 4, m_clip->width + 8, m_clip->height + 8} : r;
        if (!extended.intersected(r).is_empty())
            scene.stroke_rect(r, context.theme.focus_ring, 2, std::min(std::min(r.width, r.height) / 2, 8.f));
    }
}

void FileView::draw_list(vask_ui::Scene& scene, const vask_ui::DrawContext& context)
{
    const auto& theme = context.theme;
    const auto& text = context.text;
    const float z = m_metrics.z;
    auto columns = m_metrics.list_columns(bounds().x, bounds().width);
    vask_ui::TextStyle body{theme.body.size * z, theme.body.weight};
    const float icon = 18 * z;
    const float text_h = text.line_height(body);
    auto [first, last] = m_metrics.list_visible(bounds(), m_clip, entries().size());
    for (std::size_t i = first; i < last; ++i) {
        const auto& entry = entries()[i];
        Rect row = m_metrics.list_row(bounds(), i);
        if (m_clip && row.bottom() > m_clip->bottom() && row.y >= m_clip->bottom())
            continue;
        if (entry.is_dir && m_in.drop_targets)
            m_in.drop_targets->push_back({entry.path(), row});
        draw_item_background(scene, i, {row.x + 8, row.y + 2, row.width - 16, row.height - 4}, 8, theme);
        Rect icon_box{columns.name_start + 4, row.y + (row.height - icon) / 2, icon, icon};
        draw_icon(scene, entry, icon_box, theme);
        const float name_x = icon_box.right() + 12;
        const float name_w = columns.name_end - name_x - 12;
        if (m_in.rename_index == i) {
            if (m_in.rename_editor_box)
                *m_in.rename_editor_box = Rect{name_x - 6, row.y + 2, columns.name_end - 4 - (name_x - 6), row.height - 4};
        } else {
            std::string name = has_open_conflict(entry) ? entry.name + "  \u26A0" : entry.name;
            scene.text(text.elide_middle(name, body, name_w), {name_x, row.y + (row.height - text_h) / 2, std::max(0.f, name_w), text_h},
                       body, theme.text);
        }
        // Sizes and dates are secondary: smaller type keeps long dates inside their column.
        vask_ui::TextStyle detail{theme.caption.size * z, theme.caption.weight};
        if (columns.size_start)
            scene.text(size_text(entry), {*columns.size_start, row.y, 96 * z * m_metrics.t, row.height}, detail, theme.text_muted);
        if (columns.modified_start) {
            const float w = 158 * z * m_metrics.t;
            scene.text(text.elide_end(modified_text(entry), detail, w), {*columns.modified_start, row.y, w, row.height}, detail,
                       theme.text_muted);
        }
    }

    // The header band stays at the visible top while the rows scroll beneath it.
    float top = m_clip && m_clip->y > bounds().y ? m_clip->y : bounds().y;
    Rect band{bounds().x, top, bounds().width, m_metrics.header_height()};
    scene.fill_rect(band, theme.window);
    auto label = [&](const char* id, float x, float w, SortKey key) {
        std::string title = i18n::message(id);
        scene.text(title, {x, band.y, w, band.height}, theme.caption, theme.text_muted);
        if (key == m_in.sort_key) {
            float after = x + text.width(title, theme.caption) + 4;
            scene.text(m_in.descending ? "\u25BE" : "\u25B4", {after, band.y, 16, band.height}, theme.caption, theme.accent);
        }
    };
    label("files-column-name", columns.name_start + 4, columns.name_end - columns.name_start, SortKey::Name);
    if (columns.size_start)
        label("files-column-size", *columns.size_start, 96 * z * m_metrics.t, SortKey::Size);
    if (columns.modified_start)
        label("files-column-modified", *columns.modified_start, 158 * z * m_metrics.t, SortKey::Modified);
    float sep = band.bottom() - 0.5f;
    scene.line({band.x + m_metrics.padding(), sep}, {band.right() - m_metrics.padding(), sep}, theme.border);
}

void FileView::draw_grid(vask_ui::Scene& scene, const vask_ui::DrawContext& context)
{
    const auto& theme = context.theme;
    const auto& text = context.text;
    const float z = m_metrics.z;
    vask_ui::TextStyle body{theme.body.size * z, theme.body.weight};
    const float line = text.line_height(body);
    auto [first, last] = m_metrics.grid_visible(bounds(), m_tiles, m_clip, entries().size());
    for (std::size_t i = first; i < last; ++i) {
        const auto& entry = entries()[i];
        Rect tile = m_metrics.grid_tile(bounds(), m_tiles, i);
        if (m_clip && tile.y >= m_clip->bottom())
            continue;
        if (entry.is_dir && m_in.drop_targets)
            m_in.drop_targets->push_back({entry.path(), tile});
        draw_item_background(scene, i, tile, 8 * z, theme);
        const float area_top = tile.y + 12 * z;
        const float area_h = std::min(59.8f * z, std::max(tile.height - 12 * z - line - 14 * z, 44.f));
        const float box = entry.is_dir ? std::min(46 * z, area_h) : area_h;
        Rect icon_box{tile.x + (tile.width - box) / 2, area_top + (area_h - box) / 2, box, box};
        draw_icon(scene, entry, icon_box, theme);
        const float label_top = area_top + area_h + 6 * z;
        if (m_in.rename_index == i) {
            if (m_in.rename_editor_box)
                *m_in.rename_editor_box = Rect{tile.x + 6, label_top - 4, tile.width - 12, line + 10};
            continue;
        }
        std::string name = text.elide_middle(entry.name, body, tile.width - 10);
        float w = text.width(name, body);
        scene.text(name, {tile.x + (tile.width - w) / 2, label_top, w + 1, line}, body, theme.text);
    }
}

std::optional<vask_ui::a11y::AccessNode> FileView::accessibility() const
{
    vask_ui::a11y::AccessNode list;
    list.role = vask_ui::a11y::Role::List;
    list.name = i18n::message("files-a11y-list");
    list.bounds = m_clip ? bounds().intersected(*m_clip) : bounds();
    list.focusable = true;
    list.focused = m_in.focused;
    const std::size_t n = entries().size();
    if (m_in.cursor && *m_in.cursor < n) {
        list.value = entries()[*m_in.cursor].name;
        list.description = std::to_string(*m_in.cursor + 1) + " / " + std::to_string(n);
    }
    for (std::size_t i = 0; i < n; ++i) {
        const auto& entry = entries()[i];
        vask_ui::a11y::AccessNode item;
        item.role = vask_ui::a11y::Role::ListItem;
        item.name = entry.name;
        item.bounds = item_rect(i);
        item.selected = m_in.selection->is_selected(i);
        item.value = std::to_string(i + 1) + " / " + std::to_string(n);
        std::string description = entry.is_dir ? i18n::message("files-a11y-folder")
                                               : i18n::message_with_args("files-a11y-file", {{"size", size_text(entry)}});
        if (entry.sync_state) {
            const char* id = *entry.sync_state == SyncState::Local       ? "files-a11y-available-offline"
                             : *entry.sync_state == SyncState::Projected ? "files-a11y-online-only"
                                                                         : "files-a11y-downloading";
            description += ". " + i18n::message(id);
        }
        item.description = std::move(description);
        list.children.push_back(std::move(item));
    }
    return list;
}

} // namespace file_explorer
