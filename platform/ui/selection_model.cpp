#include "platform/ui/selection_model.hpp"

#include <algorithm>

namespace vask_ui {

SelectionModel::SelectionModel(std::size_t count) : m_selected(count, false) {}

void SelectionModel::set_count(std::size_t count)
{
    if (count < m_selected.size()) {
        for (std::size_t i = count; i < m_selected.size(); ++i)
            m_count_selected -= m_selected[i] ? 1 : 0;
        if (m_primary && *m_primary >= count)
            m_primary.reset();
        if (m_anchor && *m_anchor >= count)
            m_anchor.reset();
    }
    m_selected.resize(count, false);
}

void SelectionModel::set(std::size_t index, bool selected)
{
    if (m_selected[index] == selected)
        return;
    m_selected[index] = selected;
    if (selected)
        ++m_count_selected;
    else
        --m_count_selected;
}

void SelectionModel::clear_flags()
{
    if (m_count_selected == 0)
        return;
    std::fill(m_selected.begin(), m_selected.end(), false);
    m_count_selected = 0;
}

void SelectionModel::select_only(std::size_t index)
{
    if (index >= count())
        return;
    clear_flags();
    set(index, true);
    m_primary = index;
    m_anchor = index;
}

void SelectionModel::select_range_to(std::size_t index)
{
    std::size_t from = m_anchor.value_or(index);
    auto [low, high] = std::minmax(from, index);
    for (std::size_t i = low; i <= high; ++i)
        set(i, true);
    if (!m_anchor)
        m_anchor = index;
    m_primary = index;
}

void SelectionModel::click(std::size_t index, Toggle toggle, Range range)
{
    if (index >= count())
        return;
    if (range == Range::Yes) {
        if (toggle == Toggle::No)
            clear_flags();
        select_range_to(index);
    } else if (toggle == Toggle::Yes) {
        set(index, !m_selected[index]);
        m_primary = index;
        m_anchor = index;
    } else {
        select_only(index);
    }
}

void SelectionModel::toggle(std::size_t index)
{
    click(index, Toggle::Yes, Range::No);
}

void SelectionModel::move_to(std::size_t index, Extend extend)
{
    if (count() == 0)
        return;
    index = std::min(index, count() - 1);
    if (extend == Extend::No) {
        select_only(index);
        return;
    }
    clear_flags();
    select_range_to(index);
}

void SelectionModel::select_all()
{
    std::fill(m_selected.begin(), m_selected.end(), true);
    m_count_selected = m_selected.size();
}

void SelectionModel::clear()
{
    clear_flags();
    m_primary.reset();
    m_anchor.reset();
}

void SelectionModel::set_selection(std::span<const std::size_t> indices, std::optional<std::size_t> primary)
{
    clear_flags();
    for (std::size_t index : indices)
        if (index < count())
            set(index, true);
    m_primary = primary && *primary < count() ? primary : std::nullopt;
    m_anchor = m_primary;
}

std::vector<std::size_t> SelectionModel::selected() const
{
    std::vector<std::size_t> out;
    out.reserve(m_count_selected);
    for (std::size_t i = 0; i < m_selected.size() && out.size() < m_count_selected; ++i)
        if (m_selected[i])
            out.push_back(i);
    return out;
}

} // namespace vask_ui
