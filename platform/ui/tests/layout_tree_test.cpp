#include "platform/ui/layout_tree.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace vask_ui {
namespace {

using D = Dimension;

std::string show(const Rect& r)
{
    return "{" + std::to_string(r.x) + ", " + std::to_string(r.y) + ", " + std::to_string(r.width) + ", " +
           std::to_string(r.height) + "}";
}

::testing::AssertionResult near(const Rect& actual, const Rect& expected)
{
    auto close = [](float a, float b) { return std::abs(a - b) < 0.01f; };
    if (close(actual.x, expected.x) && close(actual.y, expected.y) && close(actual.width, expected.width) &&
        close(actual.height, expected.height))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "got " << show(actual) << ", want " << show(expected);
}

LayoutStyle sized(D width, D height)
{
    return {.width = width, .height = height};
}
LayoutStyle px(float width, float height)
{
    return sized(D::points(width), D::points(height));
}

// A parent with a list of children, laid out in `available`.
struct FlatCase {
    const char* name;
    LayoutStyle parent;
    std::vector<LayoutStyle> children;
    Size available;
    std::vector<Rect> expected;
};

LayoutStyle row(LayoutStyle s = {})
{
    s.direction = FlexDirection::Row;
    return s;
}
LayoutStyle column(LayoutStyle s = {})
{
    s.direction = FlexDirection::Column;
    return s;
}
LayoutStyle grow(float factor, LayoutStyle s = {})
{
    s.flex_grow = factor;
    return s;
}

TEST(LayoutTree, FlatDistributions)
{
    LayoutStyle no_shrink = px(150, 10);
    no_shrink.flex_shrink = 0;
    LayoutStyle capped = grow(1);
    capped.max_width = D::points(50);
    LayoutStyle floored = px(100, 10);
    floored.min_width = D::points(80);
    LayoutStyle percent_child = sized(D::percent(25), D::percent(50));
    LayoutStyle padded = column({.padding = Edges::all(10), .gap = 5});
    LayoutStyle padded_row = row({.padding = {10, 0, 10, 0}});

    const FlatCase cases[] = {
        {"row of fixed widths stretches height",
         row(),
         {px(50, 10), sized(D::points(100), {})},
         {300, 100},
         {{0, 0, 50, 10}, {50, 0, 100, 100}}},
        {"column stacks and stretches width",
         column(),
         {sized({}, D::points(40)), sized({}, D::points(60))},
         {100, 300},
         {{0, 0, 100, 40}, {0, 40, 100, 60}}},
        {"grow shares the free space by factor",
         row(),
         {px(50, 10), grow(1), grow(2)},
         {350, 10},
         {{0, 0, 50, 10}, {50, 0, 100, 10}, {150, 0, 200, 10}}},
        {"grow respects max", row(), {capped, grow(1)}, {300, 10}, {{0, 0, 50, 10}, {50, 0, 250, 10}}},
        {"fractional grow leaves space", row(), {grow(0.5f)}, {200, 10}, {{0, 0, 100, 10}}},
        {"shrink equally weighted by basis",
         row(),
         {px(100, 10), px(300, 10)},
         {200, 10},
         {{0, 0, 50, 10}, {50, 0, 150, 10}}},
        {"shrink 0 keeps its size",
         row(),
         {no_shrink, px(150, 10)},
         {200, 10},
         {{0, 0, 150, 10}, {150, 0, 50, 10}}},
        {"shrink respects min", row(), {floored, px(100, 10)}, {100, 10}, {{0, 0, 80, 10}, {80, 0, 20, 10}}},
        {"percent of the parent", row(), {percent_child}, {400, 200}, {{0, 0, 100, 100}}},
        {"percent of the padded inner size", padded_row, {percent_child}, {420, 200}, {{10, 0, 100, 100}}},
        {"padding and gap",
         padded,
         {sized({}, D::points(20)), sized({}, D::points(30))},
         {200, 200},
         {{10, 10, 180, 20}, {10, 35, 180, 30}}},
        {"justify center",
         row({.justify_content = JustifyContent::Center}),
         {px(50, 10), px(50, 10)},
         {300, 10},
         {{100, 0, 50, 10}, {150, 0, 50, 10}}},
        {"justify end",
         row({.justify_content = JustifyContent::End}),
         {px(50, 10), px(50, 10)},
         {300, 10},
         {{200, 0, 50, 10}, {250, 0, 50, 10}}},
        {"space between",
         row({.justify_content = JustifyContent::SpaceBetween}),
         {px(50, 10), px(50, 10), px(50, 10)},
         {350, 10},
         {{0, 0, 50, 10}, {150, 0, 50, 10}, {300, 0, 50, 10}}},
        {"space between with gap",
         row({.gap = 10, .justify_content = JustifyContent::SpaceBetween}),
         {px(50, 10), px(50, 10)},
         {300, 10},
         {{0, 0, 50, 10}, {250, 0, 50, 10}}},
        {"align start",
         row({.align_items = AlignItems::Start}),
         {sized(D::points(50), {})},
         {300, 100},
         {{0, 0, 50, 0}}},
        {"align center",
         row({.align_items = AlignItems::Center}),
         {px(50, 20)},
         {300, 100},
         {{0, 40, 50, 20}}},
        {"align end in a column",
         column({.align_items = AlignItems::End}),
         {px(50, 20)},
         {300, 100},
         {{250, 0, 50, 20}}},
        {"align self overrides",
         row({.align_items = AlignItems::End}),
         {px(10, 20), {.width = D::points(10), .align_self = AlignItems::Stretch}},
         {300, 100},
         {{0, 80, 10, 20}, {10, 0, 10, 100}}},
    };
    for (const auto& c : cases) {
        LayoutTree tree;
        auto parent = tree.add_node(c.parent);
        std::vector<LayoutNodeId> kids;
        for (const auto& style : c.children) {
            kids.push_back(tree.add_node(style));
            tree.add_child(parent, kids.back());
        }
        tree.compute(parent, c.available);
        EXPECT_TRUE(near(tree.layout(parent), {0, 0, c.available.width, c.available.height})) << c.name;
        ASSERT_EQ(kids.size(), c.expected.size()) << c.name;
        for (std::size_t i = 0; i < kids.size(); ++i)
            EXPECT_TRUE(near(tree.layout(kids[i]), c.expected[i])) << c.name << ", child " << i;
    }
}

TEST(LayoutTree, MeasuredLeavesGetTheirKnownWidth)
{
    // Text-like content: 10 px per character on one 12 px line, wrapping at the known width.
    const float text_width = 250;
    auto wrapping = [&](float known_width, float, Size available) {
        float width = std::isnan(known_width) ? std::min(text_width, available.width) : known_width;
        float lines = std::ceil(text_width / std::max(width, 1.f));
        return Size{std::min(text_width, width), lines * 12};
    };
    std::vector<float> seen_widths;
    auto recording = [&](float known_width, float known_height, Size available) {
        seen_widths.push_back(known_width);
        return wrapping(known_width, known_height, available);
    };

    LayoutTree tree;
    auto root = tree.add_node(column({.padding = Edges::all(5), .align_items = AlignItems::Stretch}));
    auto stretched = tree.add_leaf({.padding = Edges::symmetric(10, 0)}, recording);
    auto centred = tree.add_leaf({.align_self = AlignItems::Center}, wrapping);
    auto fixed = tree.add_leaf(px(30, 30), [](float, float, Size) { return Size{999, 999}; });
    tree.add_child(root, stretched);
    tree.add_child(root, centred);
    tree.add_child(root, fixed);
    tree.compute(root, {110, 400});

    // 100 px inside the root, 80 px for the text after the leaf's own padding: 4 lines.
    EXPECT_TRUE(near(tree.layout(stretched), {5, 5, 100, 48}));
    ASSERT_FALSE(seen_widths.empty());
    EXPECT_FLOAT_EQ(seen_widths.front(), 80);
    EXPECT_TRUE(near(tree.layout(centred), {5, 53, 100, 36}));
    EXPECT_TRUE(near(tree.layout(fixed), {5, 89, 30, 30}));
}

TEST(LayoutTree, MeasuredLeafInARowWrapsAfterFlexing)
{
    auto wrapping = [](float known_width, float, Size available) {
        float width = std::isnan(known_width) ? std::min(200.f, available.width) : known_width;
        return Size{std::min(200.f, width), std::ceil(200.f / std::max(width, 1.f)) * 10};
    };
    LayoutTree tree;
    auto root = tree.add_node(row({.align_items = AlignItems::Start}));
    LayoutStyle icon_style = px(20, 20);
    icon_style.flex_shrink = 0;
    auto icon = tree.add_node(icon_style);
    // Wants 120 px on one line, gets the 100 px beside the icon and wraps to two lines.
    auto text = tree.add_leaf({.flex_grow = 1}, wrapping);
    tree.add_child(root, icon);
    tree.add_child(root, text);
    tree.compute(root, {120, 100});
    EXPECT_TRUE(near(tree.layout(text), {20, 0, 100, 20}));
}

TEST(LayoutTree, NestedTreesUseAbsoluteCoordinates)
{
    LayoutTree tree;
    auto header =
        tree.add_node(row({.height = D::points(40), .padding = Edges::symmetric(8, 4), .gap = 4}),
                      {tree.add_node(px(32, 32)), tree.add_node(grow(1)), tree.add_node(px(32, 32))});
    auto sidebar = tree.add_node(sized(D::percent(25), {}));
    auto list =
        tree.add_node(column({.flex_grow = 1, .padding = Edges::all(2)}),
                      {tree.add_node(sized({}, D::points(20))), tree.add_node(sized({}, D::points(20)))});
    auto body = tree.add_node(row({.flex_grow = 1}), {sidebar, list});
    auto root = tree.add_node(column(), {header, body});
    tree.compute(root, {400, 300});

    EXPECT_TRUE(near(tree.layout(header), {0, 0, 400, 40}));
    const auto& bar = tree.children(header);
    EXPECT_TRUE(near(tree.layout(bar[0]), {8, 4, 32, 32}));
    EXPECT_TRUE(near(tree.layout(bar[1]), {44, 4, 312, 32}));
    EXPECT_TRUE(near(tree.layout(bar[2]), {360, 4, 32, 32}));
    EXPECT_TRUE(near(tree.layout(body), {0, 40, 400, 260}));
    EXPECT_TRUE(near(tree.layout(sidebar), {0, 40, 100, 260}));
    EXPECT_TRUE(near(tree.layout(list), {100, 40, 300, 260}));
    EXPECT_TRUE(near(tree.layout(tree.children(list)[1]), {102, 62, 296, 20}));
}

TEST(LayoutTree, AutoContainersTakeTheirContentSize)
{
    LayoutTree tree;
    auto root = tree.add_node(row({.align_items = AlignItems::Start}));
    auto box = tree.add_node(column({.padding = Edges::all(3), .gap = 2, .align_items = AlignItems::Start}),
                             {tree.add_node(px(30, 10)), tree.add_node(px(50, 10))});
    tree.add_child(root, box);
    tree.compute(root, {300, 300});
    EXPECT_TRUE(near(tree.layout(box), {0, 0, 56, 28}));
    EXPECT_TRUE(near(tree.layout(tree.children(box)[1]), {3, 15, 50, 10}));
}

TEST(LayoutTree, RootSizeFromStyleOrAvailableSpace)
{
    struct Case {
        LayoutStyle style;
        Size available;
        Rect expected;
    };
    LayoutStyle limited;
    limited.max_width = D::points(200);
    const Case cases[] = {
        {{}, {640, 480}, {0, 0, 640, 480}},
        {px(100, 50), {640, 480}, {0, 0, 100, 50}},
        {sized(D::percent(50), {}), {640, 480}, {0, 0, 320, 480}},
        {limited, {640, 480}, {0, 0, 200, 480}},
    };
    for (const auto& c : cases) {
        LayoutTree tree;
        auto root = tree.add_node(c.style);
        tree.compute(root, c.available);
        EXPECT_TRUE(near(tree.layout(root), c.expected));
    }
}

TEST(LayoutTreeDeathTest, MissingNodeIsAFault)
{
    LayoutTree tree;
    tree.add_node({});
    EXPECT_DEATH(tree.layout(LayoutNodeId{3}), "node 3 does not exist");
}

} // namespace
} // namespace vask_ui
