#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/ui/geometry.hpp"
#include "platform/ui/widget.hpp"

namespace file_explorer {

// What a sheet's confirm button does; the payload depends on the kind.
enum class ConfirmationKind { RemoveLocalCopy = 0, DeletePermanently = 1, EmptyTrash = 2, MergeApplySafe = 3,
                              NearbyChooseDestination = 4, NearbyRetry = 5 };

struct SheetConfirmation {
    ConfirmationKind kind;
    std::vector<std::filesystem::path> paths; // kinds 0 and 1
    std::string subject;                      // the conflict (3) or the transfer (4, 5)

    // The catalogue id of the button's label.
    const char* label_id() const;
    // Kinds 0 to 2 destroy data and are drawn in the destructive style.
    bool is_destructive() const { return int(kind) <= 2; }
};

// A modal panel over the explorer: title, summary, detail lines and an optional confirmation.
struct Sheet {
    std::string title;
    std::string summary;
    std::vector<std::string> lines;
    std::optional<SheetConfirmation> confirmation;
    bool focused = true;
};

// Where a sheet sits inside the explorer's rectangle, and its two buttons.
struct SheetGeometry {
    vask_ui::Rect card;
    vask_ui::Rect confirm; // empty without a confirmation
    vask_ui::Rect close;   // the close box (larger than the drawn close icon)

    static constexpr int kMaxLines = 14;
    static SheetGeometry of(const Sheet& sheet, vask_ui::Rect explorer);
};

// Paints the dimmed backdrop, the card, its texts and buttons.
void paint_sheet(vask_ui::Scene& scene, const vask_ui::DrawContext& context, const Sheet& sheet, vask_ui::Rect explorer);

} // namespace file_explorer
