#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <vector>

namespace vask_ui {

// The selected items of a listing of `count` items, by index, with the desktop's click and
// keyboard rules. Two indices steer it besides the selected set: the primary index is the
// focused item (keyboard moves start from it, Enter opens it), and the anchor is where range
// selections start (the last plain or toggle click). Indices outside the listing are ignored.
class SelectionModel {
  public:
    // Whether a click flips the item (Ctrl) and whether it selects a range from the anchor (Shift).
    enum class Toggle { No, Yes };
    enum class Range { No, Yes };
    // Whether a keyboard move extends the selection from the anchor (Shift) or replaces it.
    enum class Extend { No, Yes };

    SelectionModel() = default;
    explicit SelectionModel(std::size_t count);

    // Resizes the listing; selected, primary and anchor indices past the new end are dropped.
    void set_count(std::size_t count);
    std::size_t count() const { return m_selected.size(); }

    // Selects `index` alone; it becomes primary and anchor.
    void select_only(std::size_t index);
    // A pointer click: plain selects only `index`; toggle flips it and makes it primary and
    // anchor; range selects anchor..index instead of the selection; toggle with range adds
    // anchor..index to it. A range keeps the anchor and makes `index` primary.
    void click(std::size_t index, Toggle toggle, Range range);
    // Flips `index`, as a toggle click.
    void toggle(std::size_t index);
    // A keyboard move to `index`, clamped to the listing: selects only it, or with extend
    // selects anchor..index keeping the anchor. Nothing happens in an empty listing.
    void move_to(std::size_t index, Extend extend);
    // Selects every item; primary and anchor stay.
    void select_all();
    // Selects nothing; primary and anchor are forgotten.
    void clear();
    // Restores a selection carried over from elsewhere; `primary` also becomes the anchor.
    void set_selection(std::span<const std::size_t> indices, std::optional<std::size_t> primary);

    bool is_selected(std::size_t index) const { return index < m_selected.size() && m_selected[index]; }
    // The selected indices in ascending order.
    std::vector<std::size_t> selected() const;
    std::size_t count_selected() const { return m_count_selected; }
    bool is_empty() const { return m_count_selected == 0; }
    std::optional<std::size_t> primary() const { return m_primary; }
    std::optional<std::size_t> anchor() const { return m_anchor; }

  private:
    void set(std::size_t index, bool selected);
    void clear_flags();
    // Selects the indices between the anchor (or `index` when there is none) and `index`.
    void select_range_to(std::size_t index);

    std::vector<bool> m_selected;
    std::size_t m_count_selected = 0;
    std::optional<std::size_t> m_primary;
    std::optional<std::size_t> m_anchor;
};

} // namespace vask_ui
