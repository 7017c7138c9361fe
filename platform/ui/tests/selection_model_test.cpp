#include "platform/ui/selection_model.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vask_ui {
namespace {

using Indices = std::vector<std::size_t>;
using Toggle = SelectionModel::Toggle;
using Range = SelectionModel::Range;
using Extend = SelectionModel::Extend;

// One pointer click of a scripted sequence.
struct Click {
    std::size_t index;
    Toggle toggle = Toggle::No;
    Range range = Range::No;
};

struct ClickCase {
    const char* name;
    std::vector<Click> clicks;
    Indices selected;
    std::optional<std::size_t> primary;
    std::optional<std::size_t> anchor;
};

constexpr auto Ctrl = Toggle::Yes;
constexpr auto Shift = Range::Yes;

TEST(SelectionModel, ClicksFollowDesktopRules)
{
    const ClickCase cases[] = {
        {"plain click selects only", {{3}, {5}}, {5}, 5, 5},
        {"ctrl adds and becomes primary", {{1}, {4, Ctrl}}, {1, 4}, 4, 4},
        {"ctrl on a selected item removes it", {{1}, {4, Ctrl}, {1, Ctrl}}, {4}, 1, 1},
        {"shift selects from the anchor", {{2}, {5, Toggle::No, Shift}}, {2, 3, 4, 5}, 5, 2},
        {"shift backwards", {{5}, {2, Toggle::No, Shift}}, {2, 3, 4, 5}, 2, 5},
        {"shift replaces the range, anchor kept",
         {{4}, {7, Toggle::No, Shift}, {2, Toggle::No, Shift}},
         {2, 3, 4},
         2,
         4},
        {"shift replaces ctrl picks", {{0}, {9, Ctrl}, {3, Toggle::No, Shift}}, {3, 4, 5, 6, 7, 8, 9}, 3, 9},
        {"ctrl+shift adds the range", {{0}, {5, Ctrl}, {7, Ctrl, Shift}}, {0, 5, 6, 7}, 7, 5},
        {"shift without anchor selects one", {{6, Toggle::No, Shift}}, {6}, 6, 6},
        {"out of range is ignored", {{2}, {10}, {12, Ctrl}}, {2}, 2, 2},
    };
    for (const auto& c : cases) {
        SelectionModel model(10);
        for (const auto& click : c.clicks)
            model.click(click.index, click.toggle, click.range);
        EXPECT_EQ(model.selected(), c.selected) << c.name;
        EXPECT_EQ(model.count_selected(), c.selected.size()) << c.name;
        EXPECT_EQ(model.primary(), c.primary) << c.name;
        EXPECT_EQ(model.anchor(), c.anchor) << c.name;
    }
}

struct MoveCase {
    const char* name;
    std::size_t start; // plain click first
    std::vector<std::pair<std::size_t, Extend>> moves;
    Indices selected;
    std::optional<std::size_t> primary;
};

TEST(SelectionModel, KeyboardMovesSelectOrExtendFromTheAnchor)
{
    const MoveCase cases[] = {
        {"move selects only", 2, {{3, Extend::No}}, {3}, 3},
        {"extend grows step by step", 2, {{3, Extend::Yes}, {4, Extend::Yes}}, {2, 3, 4}, 4},
        {"extend back across the anchor", 2, {{3, Extend::Yes}, {1, Extend::Yes}}, {1, 2}, 1},
        {"clamped to the last item", 2, {{99, Extend::No}}, {9}, 9},
        {"extend clamped", 7, {{50, Extend::Yes}}, {7, 8, 9}, 9},
        {"plain move resets the anchor",
         2,
         {{4, Extend::Yes}, {6, Extend::No}, {8, Extend::Yes}},
         {6, 7, 8},
         8},
    };
    for (const auto& c : cases) {
        SelectionModel model(10);
        model.select_only(c.start);
        for (auto [to, extend] : c.moves)
            model.move_to(to, extend);
        EXPECT_EQ(model.selected(), c.selected) << c.name;
        EXPECT_EQ(model.primary(), c.primary) << c.name;
    }

    SelectionModel empty;
    empty.move_to(0, Extend::No);
    EXPECT_TRUE(empty.is_empty());
    EXPECT_FALSE(empty.primary());
}

TEST(SelectionModel, SelectAllClearAndToggle)
{
    SelectionModel model(5);
    model.select_only(2);
    model.select_all();
    EXPECT_EQ(model.selected(), (Indices{0, 1, 2, 3, 4}));
    EXPECT_EQ(model.primary(), 2u);
    model.toggle(3);
    EXPECT_EQ(model.selected(), (Indices{0, 1, 2, 4}));
    EXPECT_FALSE(model.is_selected(3));
    EXPECT_TRUE(model.is_selected(4));
    EXPECT_FALSE(model.is_selected(99));
    model.clear();
    EXPECT_TRUE(model.is_empty());
    EXPECT_EQ(model.count_selected(), 0u);
    EXPECT_FALSE(model.primary());
    EXPECT_FALSE(model.anchor());
}

TEST(SelectionModel, SetCountDropsIndicesPastTheEnd)
{
    SelectionModel model(10);
    model.click(2, Toggle::No, Range::No);
    model.click(8, Toggle::Yes, Range::No);
    model.set_count(5);
    EXPECT_EQ(model.selected(), (Indices{2}));
    EXPECT_FALSE(model.primary());
    EXPECT_FALSE(model.anchor());
    model.set_count(20); // growing keeps what is there and adds unselected items
    EXPECT_EQ(model.selected(), (Indices{2}));
    EXPECT_EQ(model.count(), 20u);
}

TEST(SelectionModel, SetSelectionRestoresACarriedSelection)
{
    SelectionModel model(6);
    const Indices carried{5, 1, 3, 9};
    model.set_selection(carried, 3);
    EXPECT_EQ(model.selected(), (Indices{1, 3, 5}));
    EXPECT_EQ(model.primary(), 3u);
    model.click(5, Toggle::No, Range::Yes); // ranges start at the restored primary
    EXPECT_EQ(model.selected(), (Indices{3, 4, 5}));

    model.set_selection(Indices{0}, 7);
    EXPECT_EQ(model.selected(), (Indices{0}));
    EXPECT_FALSE(model.primary());
}

TEST(SelectionModel, LargeListingsStayCheap)
{
    SelectionModel model(100000);
    model.select_only(10);
    model.click(99990, Toggle::No, Range::Yes);
    EXPECT_EQ(model.count_selected(), 99981u);
    model.set_count(50000);
    EXPECT_EQ(model.count_selected(), 49990u);
    EXPECT_EQ(model.selected().back(), 49999u);
}

} // namespace
} // namespace vask_ui
