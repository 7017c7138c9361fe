#pragma once

#include <string>
#include <variant>
#include <vector>

#include "platform/ui/geometry.hpp"

namespace vask_ui {

enum class FontWeight { Regular, Medium, Bold };

// Size and weight of a text run; sizes are logical pixels before the text scale.
struct TextStyle {
    float size = 14;
    FontWeight weight = FontWeight::Regular;
    friend bool operator==(const TextStyle&, const TextStyle&) = default;
};

// A path of straight and cubic segments, in logical pixels.
struct PathData {
    enum class Op { MoveTo, LineTo, CubicTo, Close };
    struct Element {
        Op op;
        Point points[3];
    };
    std::vector<Element> elements;

    PathData& move_to(Point p) { return push(Op::MoveTo, p); }
    PathData& line_to(Point p) { return push(Op::LineTo, p); }
    PathData& cubic_to(Point c1, Point c2, Point end)
    {
        elements.push_back({Op::CubicTo, {c1, c2, end}});
        return *this;
    }
    PathData& close() { return push(Op::Close, {}); }

private:
    PathData& push(Op op, Point p)
    {
        elements.push_back({op, {p, {}, {}}});
        return *this;
    }
};

namespace cmd {
struct FillRect {
    Rect rect{};
    float radius{};
    Color color{};
};
struct StrokeRect {
    Rect rect{};
    float radius{};
    float width{};
    Color color{};
};
struct Line {
    Point from{};
    Point to{};
    float width{};
    Color color{};
};
struct FillPath {
    PathData path{};
    Color color{};
};
struct StrokePath {
    PathData path{};
    float width{};
    Color color{};
};
// `origin` is the left end of the baseline-independent box: text is drawn inside
// (origin.x, origin.y, width, line height) vertically centred.
struct Text {
    std::string text{};
    Rect box{};
    TextStyle style{};
    Color color{};
};
struct Shadow {
    Rect rect{};
    float radius{};
    float blur{};
    Color color{};
};
struct PushClip {
    Rect rect{};
};
struct PopClip {};
struct PushLayer {
    float alpha{};
};
struct PopLayer {};
} // namespace cmd

using SceneCommand = std::variant<cmd::FillRect, cmd::StrokeRect, cmd::Line, cmd::FillPath, cmd::StrokePath, cmd::Text,
                                  cmd::Shadow, cmd::PushClip, cmd::PopClip, cmd::PushLayer, cmd::PopLayer>;

// Painting recorded as plain commands; one player paints them, and dump() prints them for tests.
class Scene {
public:
    void fill_rect(Rect r, Color c, float radius = 0) { m_commands.emplace_back(std::in_place_type<cmd::FillRect>, cmd::FillRect{r, radius, c}); }
    void stroke_rect(Rect r, Color c, float width = 1, float radius = 0)
    {
        m_commands.emplace_back(std::in_place_type<cmd::StrokeRect>, cmd::StrokeRect{r, radius, width, c});
    }
    void line(Point a, Point b, Color c, float width = 1) { m_commands.emplace_back(std::in_place_type<cmd::Line>, cmd::Line{a, b, width, c}); }
    void fill_path(PathData p, Color c) { m_commands.emplace_back(std::in_place_type<cmd::FillPath>, cmd::FillPath{std::move(p), c}); }
    void stroke_path(PathData p, Color c, float width) { m_commands.emplace_back(std::in_place_type<cmd::StrokePath>, cmd::StrokePath{std::move(p), width, c}); }
    void text(std::string t, Rect box, TextStyle style, Color c)
    {
        m_commands.emplace_back(std::in_place_type<cmd::Text>, cmd::Text{std::move(t), box, style, c});
    }
    void shadow(Rect r, Color c, float blur, float radius = 0) { m_commands.emplace_back(std::in_place_type<cmd::Shadow>, cmd::Shadow{r, radius, blur, c}); }
    void push_clip(Rect r) { m_commands.emplace_back(std::in_place_type<cmd::PushClip>, cmd::PushClip{r}); }
    void pop_clip() { m_commands.emplace_back(std::in_place_type<cmd::PopClip>, cmd::PopClip{}); }
    void push_layer(float alpha) { m_commands.emplace_back(std::in_place_type<cmd::PushLayer>, cmd::PushLayer{alpha}); }
    void pop_layer() { m_commands.emplace_back(std::in_place_type<cmd::PopLayer>, cmd::PopLayer{}); }

    const std::vector<SceneCommand>& commands() const { return m_commands; }
    void clear() { m_commands.clear(); }

    // One line per command, numbers rounded to 0.1 px.
    std::string dump() const;

private:
    std::vector<SceneCommand> m_commands;
};

} // namespace vask_ui
