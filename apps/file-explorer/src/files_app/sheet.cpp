#include "files_app/sheet.hpp"

#include <algorithm>

#include "i18n/messages.hpp"
#include "platform/ui/widgets/button.hpp"

namespace file_explorer {

using vask_ui::Rect;

const char* SheetConfirmation::label_id() const
{
    switch (kind) {
    case ConfirmationKind::RemoveLocalCopy: return "files-destructive-eviction-confirm";
    case ConfirmationKind::DeletePermanently: return "files-permanent-delete-confirm";
    case ConfirmationKind::EmptyTrash: return "files-empty-trash-confirm";
    case ConfirmationKind::MergeApplySafe: return "files-merge-apply-safe";
    case ConfirmationKind::NearbyChooseDestination: return "files-nearby-choose-destination";
    case ConfirmationKind::NearbyRetry: return "files-nearby-retry";
    }
    return "";
}

SheetGeometry SheetGeometry::of(const Sheet& sheet, Rect explorer)
{
    const float w = explorer.width, h = explorer.height;
    float base = sheet.lines.empty() ? 143 : 116 + 27 * float(std::min<std::size_t>(sheet.lines.size(), kMaxLines));
    if (sheet.confirmation)
        base += 58;
    const float height = std::max(std::min(base, h - 32), 180.f);
    const float width = std::min(std::max(w, 320.f), 680.f) - 32;
    SheetGeometry g;
    g.card = {explorer.x + (w - width) / 2, explorer.y + (h - height) / 2, width, height};
    if (sheet.confirmation)
        g.confirm = {g.card.x + 24, g.card.bottom() - 50, width - 48, 36};
    g.close = {g.card.right() - 48, g.card.y + 6, 40, 40};
    return g;
}

void paint_sheet(vask_ui::Scene& scene, const vask_ui::DrawContext& context, const Sheet& sheet, Rect explorer)
{
    const auto& theme = context.theme;
    const auto& text = context.text;
    const auto g = SheetGeometry::of(sheet, explorer);
    const Rect card = g.card;
    const float w = card.width;

    auto backdrop = theme.surface;
    scene.fill_rect(explorer, backdrop.with_alpha(std::uint8_t(float(backdrop.a) * 0.72f)));
    scene.shadow(card, vask_ui::Color::rgb(0x000000, 40), 20, theme.panel_radius);
    scene.fill_rect(card, theme.surface, theme.panel_radius);
    scene.stroke_rect(card, theme.border, 1, theme.panel_radius);

    const float title_h = text.line_height(theme.title);
    scene.text(text.elide_end(sheet.title, theme.title, w - 80), {card.x + 24, card.y + 23, w - 80, title_h},
               theme.title, theme.text);
    scene.text(text.elide_end(sheet.summary, theme.caption, w - 48),
               {card.x + 24, card.y + 53, w - 48, text.line_height(theme.caption)}, theme.caption, theme.text_muted);

    float y = card.y + 88;
    for (std::size_t i = 0; i < sheet.lines.size() && i < std::size_t(SheetGeometry::kMaxLines); ++i) {
        if (y > card.bottom() - 26)
            break;
        scene.fill_rect({card.x + 24, y + 5, 5, 5}, theme.accent);
        scene.text(text.elide_end(sheet.lines[i], theme.caption, w - 62),
                   {card.x + 38, y, w - 62, text.line_height(theme.caption)}, theme.caption, theme.text);
        y += 27;
    }

    if (sheet.confirmation) {
        const std::string label = i18n::message(sheet.confirmation->label_id());
        const auto ground = sheet.confirmation->is_destructive() ? theme.error : theme.accent;
        scene.fill_rect(g.confirm, ground, theme.radius);
        float lw = text.width(label, theme.body);
        scene.text(label, {g.confirm.x + (g.confirm.width - lw) / 2, g.confirm.y, lw + 2, g.confirm.height}, theme.body,
                   theme.accent_text);
    }
    vask_ui::draw_glyph(scene, vask_ui::Glyph::Close, {card.right() - 42, card.y + 12, 28, 28}, theme.text_muted, 1.5f);
}

} // namespace file_explorer
