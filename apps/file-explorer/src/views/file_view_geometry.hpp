#pragma once

#include <cstddef>
#include <optional>

#include "platform/ui/geometry.hpp"

namespace file_explorer {

// Horizontal spans of the list columns; a hidden column has no span.
struct ListColumns {
    float name_start = 0;
    float name_end = 0;
    std::optional<float> size_start;
    std::optional<float> modified_start;
};

// Grid tile size, gap and column count for a width.
struct GridTiles {
    float width = 0;
    float height = 0;
    float gap = 0;
    std::size_t columns = 1;
};

// Lengths of the file view at zoom `z` and text scale `t`, all in logical pixels.
struct FileViewMetrics {
    float z = 1;
    float t = 1;

    float header_height() const { return 30 * z * t; }
    float row_height() const { return 34 * z * t; }
    float padding() const { return 10 * z; }

    ListColumns list_columns(float left, float width) const;
    GridTiles grid_tiles(float width) const;

    float list_content_height(std::size_t count) const;
    float grid_content_height(std::size_t count, const GridTiles& tiles) const;

    vask_ui::Rect list_row(const vask_ui::Rect& bounds, std::size_t index) const;
    vask_ui::Rect grid_tile(const vask_ui::Rect& bounds, const GridTiles& tiles, std::size_t index) const;

    // The item under `p`, or none (gaps, header, outside, past the last entry). `pinned_top` is the
    // visible top when the header is pinned there.
    std::optional<std::size_t> list_hit(const vask_ui::Rect& bounds, vask_ui::Point p, std::size_t count,
                                        std::optional<float> pinned_top) const;
    std::optional<std::size_t> grid_hit(const vask_ui::Rect& bounds, const GridTiles& tiles, vask_ui::Point p,
                                        std::size_t count) const;

    // Indices [first, last) worth painting for the visible vertical span; all without a clip.
    std::pair<std::size_t, std::size_t> list_visible(const vask_ui::Rect& bounds, std::optional<vask_ui::Rect> clip,
                                                     std::size_t count) const;
    std::pair<std::size_t, std::size_t> grid_visible(const vask_ui::Rect& bounds, const GridTiles& tiles,
                                                     std::optional<vask_ui::Rect> clip, std::size_t count) const;
};

} // namespace file_explorer
