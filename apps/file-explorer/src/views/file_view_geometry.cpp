#include "views/file_view_geometry.hpp"

#include <algorithm>
#include <cmath>

namespace file_explorer {

using vask_ui::Point;
using vask_ui::Rect;

ListColumns FileViewMetrics::list_columns(float left, float width) const
{
    const float p = padding(), right = left + width;
    const float modified_w = 158 * z * t, size_w = 96 * z * t;
    const bool modified = width > 560 * z * t, size = width > 340 * z * t;
    ListColumns c;
    c.name_start = left + p;
    if (modified && size) {
        c.modified_start = right - p - modified_w;
        c.size_start = *c.modified_start - p - size_w;
        c.name_end = *c.size_start - p;
    } else if (size) {
        c.size_start = right - p - size_w;
        c.name_end = *c.size_start - p;
    } else if (modified) {
        c.modified_start = right - p - modified_w;
        c.name_end = *c.modified_start - p;
    } else {
        c.name_end = right - p;
    }
    return c;
}

GridTiles FileViewMetrics::grid_tiles(float width) const
{
    const float x = std::max(width - 20 * z, 0.f);
    const float g = 16 * z * std::sqrt(t);
    const float d = 112 * z * t;
    const float q = std::max((x - g) * 0.5f, 0.f);
    GridTiles tiles;
    tiles.gap = g;
    tiles.width = q >= 132 && x < 2 * d + g ? q : d;
    const float a = 104 * z + 36 * z * std::max(t - 1, 0.f);
    tiles.height = tiles.width < d ? std::min(a, 0.9f * tiles.width) : a;
    // Two stretched tiles fill the width exactly; a hair of slack keeps rounding from dropping one.
    tiles.columns = tiles.width + g <= 0
                        ? 1
                        : std::max<std::size_t>(1, std::size_t(std::floor((x + g) / (tiles.width + g) + 1e-4f)));
    return tiles;
}

float FileViewMetrics::list_content_height(std::size_t count) const
{
    return header_height() + row_height() * float(count) + 6;
}

float FileViewMetrics::grid_content_height(std::size_t count, const GridTiles& tiles) const
{
    auto rows = (count + tiles.columns - 1) / tiles.columns;
    return padding() + float(rows) * (tiles.height + tiles.gap);
}

Rect FileViewMetrics::list_row(const Rect& bounds, std::size_t index) const
{
    return {bounds.x, bounds.y + header_height() + row_height() * float(index), bounds.width, row_height()};
}

Rect FileViewMetrics::grid_tile(const Rect& bounds, const GridTiles& tiles, std::size_t index) const
{
    auto column = index % tiles.columns, row = index / tiles.columns;
    return {bounds.x + padding() + float(column) * (tiles.width + tiles.gap),
            bounds.y + padding() + float(row) * (tiles.height + tiles.gap), tiles.width, tiles.height};
}

std::optional<std::size_t> FileViewMetrics::list_hit(const Rect& bounds, Point p, std::size_t count,
                                                     std::optional<float> pinned_top) const
{
    if (p.x < bounds.x || p.x > bounds.right() || p.y < bounds.y)
        return std::nullopt;
    if (p.y < bounds.y + header_height() || (pinned_top && p.y < *pinned_top + header_height()))
        return std::nullopt;
    auto index = std::size_t(std::floor((p.y - bounds.y - header_height()) / row_height()));
    return index < count ? std::optional(index) : std::nullopt;
}

std::optional<std::size_t> FileViewMetrics::grid_hit(const Rect& bounds, const GridTiles& tiles, Point p,
                                                     std::size_t count) const
{
    if (p.x < bounds.x || p.x > bounds.right() || p.y < bounds.y)
        return std::nullopt;
    const float x = p.x - bounds.x - padding(), y = p.y - bounds.y - padding();
    if (x < 0 || y < 0)
        return std::nullopt;
    const float pitch_x = tiles.width + tiles.gap, pitch_y = tiles.height + tiles.gap;
    auto column = std::size_t(std::floor(x / pitch_x)), row = std::size_t(std::floor(y / pitch_y));
    if (x - float(column) * pitch_x > tiles.width || y - float(row) * pitch_y > tiles.height || column >= tiles.columns)
        return std::nullopt;
    auto index = column + tiles.columns * row;
    return index < count ? std::optional(index) : std::nullopt;
}

namespace {
std::pair<std::size_t, std::size_t> row_range(float clip_top, float clip_bottom, float origin, float pitch, std::size_t rows)
{
    auto first = std::max(0.f, std::floor((clip_top - origin) / pitch) - 1);
    auto last = std::max(0.f, std::ceil((clip_bottom - origin) / pitch) + 1);
    return {std::min(std::size_t(first), rows), std::min(std::size_t(last), rows)};
}
} // namespace

std::pair<std::size_t, std::size_t> FileViewMetrics::list_visible(const Rect& bounds, std::optional<Rect> clip,
                                                                  std::size_t count) const
{
    if (!clip)
        return {0, count};
    return row_range(clip->y, clip->bottom(), bounds.y + header_height(), row_height(), count);
}

std::pair<std::size_t, std::size_t> FileViewMetrics::grid_visible(const Rect& bounds, const GridTiles& tiles,
                                                                  std::optional<Rect> clip, std::size_t count) const
{
    if (!clip)
        return {0, count};
    auto rows = (count + tiles.columns - 1) / tiles.columns;
    auto [first, last] = row_range(clip->y, clip->bottom(), bounds.y + padding(), tiles.height + tiles.gap, rows);
    return {std::min(first * tiles.columns, count), std::min(last * tiles.columns, count)};
}

} // namespace file_explorer
