#include "platform/ui/icons.hpp"

#include <algorithm>

namespace vask_ui::icons {

IconKind icon_for(std::string_view mime, bool is_dir)
{
    if (is_dir)
        return IconKind::Folder;
    auto has = [&](std::string_view part) { return mime.find(part) != std::string_view::npos; };
    if (mime.starts_with("image/"))
        return IconKind::Image;
    if (mime.starts_with("audio/"))
        return IconKind::Audio;
    if (mime.starts_with("video/"))
        return IconKind::Video;
    if (mime.starts_with("font/"))
        return IconKind::Font;
    if (mime == "application/pdf" || mime == "application/postscript")
        return IconKind::Pdf;
    if (has("spreadsheet") || has("excel") || mime == "text/csv")
        return IconKind::Spreadsheet;
    if (has("presentation") || has("powerpoint"))
        return IconKind::Presentation;
    if (has("wordprocessing") || has("msword") || has("opendocument.text") || mime == "application/rtf" ||
        mime == "application/epub+zip")
        return IconKind::Document;
    if (has("zip") || has("tar") || has("compressed") || has("x-xz") || has("bzip") || has("zstd") || has("rar") ||
        has("lzip") || has("lzma") || has("package") || has("cd-image") || has("disk-image"))
        return IconKind::Archive;
    if (has("shellscript") || has("msdownload") || has("appimage") || has("x-msi"))
        return IconKind::Executable;
    if (mime.starts_with("text/x-") || mime == "text/rust" || mime == "text/javascript" || mime == "application/json" ||
        mime == "application/xml" || mime == "text/html" || mime == "text/css" || has("x-python") || has("x-php") ||
        has("x-ruby") || has("x-perl") || mime == "application/sql" || mime == "application/yaml" ||
        mime == "application/toml" || mime == "application/wasm")
        return IconKind::Code;
    if (mime.starts_with("text/"))
        return IconKind::Text;
    return IconKind::File;
}

namespace {

struct Palette {
    Color band;
    Color glyph;
};

Palette palette(IconKind kind)
{
    switch (kind) {
    case IconKind::Document: return {Color::rgb(0x3d7be0), Color::rgb(0x3d7be0)};
    case IconKind::Spreadsheet: return {Color::rgb(0x2e9a5a), Color::rgb(0x2e9a5a)};
    case IconKind::Presentation: return {Color::rgb(0xe07b2e), Color::rgb(0xe07b2e)};
    case IconKind::Pdf: return {Color::rgb(0xd64545), Color::rgb(0xd64545)};
    case IconKind::Image: return {Color::rgb(0x8e5bd6), Color::rgb(0x8e5bd6)};
    case IconKind::Audio: return {Color::rgb(0xd6458e), Color::rgb(0xd6458e)};
    case IconKind::Video: return {Color::rgb(0x6b4fd6), Color::rgb(0x6b4fd6)};
    case IconKind::Archive: return {Color::rgb(0xb08a3c), Color::rgb(0x8a6a2a)};
    case IconKind::Code: return {Color::rgb(0x4a5a6e), Color::rgb(0x4a5a6e)};
    case IconKind::Executable: return {Color::rgb(0x4a5a6e), Color::rgb(0x4a5a6e)};
    case IconKind::Font: return {Color::rgb(0x5a6270), Color::rgb(0x5a6270)};
    default: return {Color::rgb(0x9aa3ad), Color::rgb(0x9aa3ad)};
    }
}

void draw_folder(Scene& scene, Rect b, const Theme& theme)
{
    float u = b.width / 16;
    Rect tab{b.x + 1 * u, b.y + 3 * u, 6 * u, 3 * u};
    Rect back{b.x + 1 * u, b.y + 4 * u, 14 * u, 10 * u};
    Rect front{b.x + 1 * u, b.y + 5.5f * u, 14 * u, 8.5f * u};
    scene.fill_rect(tab, theme.folder_tab, 1 * u);
    scene.fill_rect(back, theme.folder_tab, 1.2f * u);
    scene.fill_rect(front, theme.folder, 1.2f * u);
    scene.line({front.x + 1 * u, front.y + 0.6f * u}, {front.right() - 1 * u, front.y + 0.6f * u},
               Color::rgb(0xffffff, 90), std::max(0.5f, 0.4f * u));
}

void draw_page(Scene& scene, Rect b, float u, Color edge)
{
    float l = b.x + 3 * u, t = b.y + 1 * u, r = b.x + 13 * u, bot = b.y + 15 * u, fold = 3.5f * u;
    PathData page;
    page.move_to({l, t}).line_to({r - fold, t}).line_to({r, t + fold}).line_to({r, bot}).line_to({l, bot}).close();
    scene.fill_path(page, Color::rgb(0xffffff));
    scene.stroke_path(page, edge, std::max(0.75f, 0.45f * u));
    PathData corner;
    corner.move_to({r - fold, t}).line_to({r - fold, t + fold}).line_to({r, t + fold}).close();
    scene.fill_path(corner, edge.with_alpha(110));
}

void draw_glyph(Scene& scene, IconKind kind, Rect b, float u, Color color)
{
    float cx = b.x + 8 * u, cy = b.y + 10 * u;
    float w = std::max(0.75f, 0.9f * u);
    switch (kind) {
    case IconKind::Text:
    case IconKind::Document:
        for (int i = 0; i < 4; ++i)
            scene.line({b.x + 5 * u, b.y + (6.5f + 2 * i) * u}, {b.x + (i == 3 ? 9 : 11) * u, b.y + (6.5f + 2 * i) * u},
                       color, w);
        break;
    case IconKind::Spreadsheet:
        scene.stroke_rect({b.x + 5 * u, b.y + 6 * u, 6 * u, 7 * u}, color, w);
        scene.line({b.x + 8 * u, b.y + 6 * u}, {b.x + 8 * u, b.y + 13 * u}, color, w);
        scene.line({b.x + 5 * u, b.y + 9.5f * u}, {b.x + 11 * u, b.y + 9.5f * u}, color, w);
        break;
    case IconKind::Presentation:
        scene.fill_rect({b.x + 5 * u, b.y + 7 * u, 6 * u, 4.5f * u}, color, 0.5f * u);
        break;
    case IconKind::Pdf:
        scene.fill_rect({b.x + 4.5f * u, b.y + 9 * u, 7 * u, 3.5f * u}, color, 0.6f * u);
        break;
    case IconKind::Image: {
        PathData hill;
        hill.move_to({b.x + 4.5f * u, b.y + 13 * u})
            .line_to({b.x + 7.5f * u, b.y + 8.5f * u})
            .line_to({b.x + 9.5f * u, b.y + 11 * u})
            .line_to({b.x + 10.5f * u, b.y + 10 * u})
            .line_to({b.x + 11.5f * u, b.y + 13 * u})
            .close();
        scene.fill_path(hill, color);
        scene.fill_rect({b.x + 9.5f * u, b.y + 5.5f * u, 2 * u, 2 * u}, color.with_alpha(170), u);
        break;
    }
    case IconKind::Audio: {
        scene.fill_rect({cx - 2.6f * u, cy + 1 * u, 2.4f * u, 2 * u}, color, u);
        scene.line({cx - 0.3f * u, cy + 2 * u}, {cx - 0.3f * u, cy - 3.5f * u}, color, w);
        scene.line({cx - 0.3f * u, cy - 3.5f * u}, {cx + 2.5f * u, cy - 2.5f * u}, color, w);
        break;
    }
    case IconKind::Video: {
        PathData play;
        play.move_to({cx - 2 * u, cy - 3 * u}).line_to({cx + 3 * u, cy}).line_to({cx - 2 * u, cy + 3 * u}).close();
        scene.fill_path(play, color);
        break;
    }
    case IconKind::Archive:
        for (int i = 0; i < 5; ++i)
            scene.fill_rect({b.x + (i % 2 ? 8 : 7) * u, b.y + (2 + 1.6f * i) * u, 1 * u, 1 * u}, color);
        scene.stroke_rect({b.x + 6.5f * u, b.y + 10 * u, 3 * u, 3 * u}, color, w, 0.5f * u);
        break;
    case IconKind::Code: {
        PathData left, right;
        left.move_to({cx - 1.5f * u, cy - 2.5f * u}).line_to({cx - 3.5f * u, cy}).line_to({cx - 1.5f * u, cy + 2.5f * u});
        right.move_to({cx + 1.5f * u, cy - 2.5f * u}).line_to({cx + 3.5f * u, cy}).line_to({cx + 1.5f * u, cy + 2.5f * u});
        scene.stroke_path(left, color, w);
        scene.stroke_path(right, color, w);
        break;
    }
    case IconKind::Executable: {
        scene.stroke_rect({cx - 3 * u, cy - 2.5f * u, 6 * u, 5 * u}, color, w, 0.6f * u);
        scene.line({cx - 1.8f * u, cy - 0.8f * u}, {cx - 0.6f * u, cy}, color, w);
        scene.line({cx - 0.6f * u, cy}, {cx - 1.8f * u, cy + 0.8f * u}, color, w);
        break;
    }
    case IconKind::Font: {
        PathData a;
        a.move_to({cx - 3 * u, cy + 3 * u}).line_to({cx, cy - 3.5f * u}).line_to({cx + 3 * u, cy + 3 * u});
        scene.stroke_path(a, color, w);
        scene.line({cx - 1.6f * u, cy + 0.8f * u}, {cx + 1.6f * u, cy + 0.8f * u}, color, w);
        break;
    }
    default:
        break;
    }
}

} // namespace

void draw(Scene& scene, IconKind kind, Rect box, const Theme& theme)
{
    float side = std::min(box.width, box.height);
    Rect b{box.x + (box.width - side) / 2, box.y + (box.height - side) / 2, side, side};
    if (kind == IconKind::Folder) {
        draw_folder(scene, b, theme);
        return;
    }
    float u = side / 16;
    Palette p = palette(kind);
    draw_page(scene, b, u, p.band.with_alpha(150));
    draw_glyph(scene, kind, b, u, p.glyph);
}

} // namespace vask_ui::icons
