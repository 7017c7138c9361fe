#pragma once

#include <string_view>

#include "platform/ui/scene.hpp"
#include "platform/ui/theme.hpp"

namespace vask_ui::icons {

// The families of items that get their own icon.
enum class IconKind {
    Folder, File, Text, Document, Spreadsheet, Presentation, Pdf, Image, Audio, Video, Archive, Code, Executable, Font,
};

// The icon for an item of MIME type `mime` (a folder when `is_dir`).
IconKind icon_for(std::string_view mime, bool is_dir);

// Paints the icon as vector shapes filling the square `box`.
void draw(Scene& scene, IconKind kind, Rect box, const Theme& theme);

} // namespace vask_ui::icons
