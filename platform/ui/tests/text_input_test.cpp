#include <gtest/gtest.h>

#include "platform/ui/clipboard.hpp"
#include "platform/ui/widgets/autocomplete.hpp"
#include "platform/ui/widgets/text_input.hpp"

namespace vask_ui {
namespace {

struct InputFixture : ::testing::Test {
    FakeTextRenderer text;
    TextInput input{"test.input", "Type here"};

    void SetUp() override
    {
        input.set_bounds({0, 0, 400, 34});
        input.set_focus(true);
    }
    void key(Key k, Modifiers m = {}, std::string t = {})
    {
        EventContext context{text, Clock::now()};
        input.handle_event(KeyPress{k, std::move(t), m}, context);
    }
    void type(const std::string& t)
    {
        EventContext context{text, Clock::now()};
        input.handle_event(TextCommit{t}, context);
    }
};

TEST_F(InputFixture, TypingMovingAndDeletingByCharacterAndWord)
{
    type("hello wörld");
    EXPECT_EQ(input.text(), "hello wörld");
    key(Key::Left, Modifier::Ctrl);
    EXPECT_EQ(input.caret(), 6u);
    key(Key::Backspace, Modifier::Ctrl);
    EXPECT_EQ(input.text(), "wörld");
    key(Key::End);
    key(Key::Backspace);
    key(Key::Left); // "wörl", caret before "l"
    key(Key::Left, Modifier::Shift);
    key(Key::Left, Modifier::Shift);
    EXPECT_EQ(input.selection(), (std::pair<std::size_t, std::size_t>{1, 4})) << "ö is two bytes";
    key(Key::Delete);
    EXPECT_EQ(input.text(), "wl");
    key(Key::Character, {}, "x");
    EXPECT_EQ(input.text(), "wxl");
}

TEST_F(InputFixture, ClipboardAndSelectAll)
{
    clipboard::set_backend({});
    type("one two");
    key(Key::Character, Modifier::Ctrl, "a");
    key(Key::Character, Modifier::Ctrl, "x");
    EXPECT_EQ(input.text(), "");
    EXPECT_EQ(clipboard::text(), "one two");
    clipboard::set_text("line1\nline2");
    key(Key::Character, Modifier::Ctrl, "v");
    EXPECT_EQ(input.text(), "line1 line2") << "pasted line breaks become spaces";
}

TEST_F(InputFixture, EnterSubmitsEscapeCancels)
{
    key(Key::Enter);
    EXPECT_EQ(input.take_outcome(), TextInput::Outcome::Submitted);
    EXPECT_EQ(input.take_outcome(), TextInput::Outcome::None);
    key(Key::Escape);
    EXPECT_EQ(input.take_outcome(), TextInput::Outcome::Cancelled);
}

TEST_F(InputFixture, PointerPlacesTheCaretAndDragSelects)
{
    input.set_text("abcdef");
    EventContext context{text, Clock::now()};
    // 7 px per character at 14 px; the text starts at the inset.
    input.handle_event(PointerPress{{TextInput::kInset + 14, 10}}, context);
    EXPECT_EQ(input.caret(), 2u);
    input.handle_event(PointerMove{{TextInput::kInset + 35, 10}}, context);
    input.handle_event(PointerRelease{{TextInput::kInset + 35, 10}}, context);
    EXPECT_EQ(input.selection(), (std::pair<std::size_t, std::size_t>{2, 5}));
}

TEST(Autocomplete, KeyboardChoosesSuggestionsAndSubmits)
{
    FakeTextRenderer text;
    Autocomplete editor("test.ac", "", [](const std::string& t) {
        std::vector<Autocomplete::Suggestion> out;
        if (t.empty() || t == "/")
            out = {{"/usr/", icons::IconKind::Folder, true}, {"/vmlinuz", icons::IconKind::File, false}};
        return out;
    });
    editor.set_bounds_direct({0, 0, 300, 34});
    editor.set_text("");
    editor.begin_edit();
    ASSERT_EQ(editor.suggestions().size(), 2u);
    auto send = [&](InputEvent e) {
        EventContext context{text, Clock::now()};
        editor.handle_event(e, context);
        return context.handled;
    };
    EXPECT_TRUE(send(KeyPress{Key::Down}));
    EXPECT_EQ(editor.highlighted(), 0u);
    send(KeyPress{Key::Enter}); // a folder continues editing
    EXPECT_EQ(editor.text(), "/usr/");
    EXPECT_EQ(editor.take_outcome().kind, TextInput::Outcome::None);
    EXPECT_TRUE(editor.suggestions().empty());
    EXPECT_TRUE(send(KeyPress{Key::Character, "q"})) << "keys never fall through while editing";
    send(KeyPress{Key::Enter});
    auto outcome = editor.take_outcome();
    EXPECT_EQ(outcome.kind, TextInput::Outcome::Submitted);
    EXPECT_EQ(outcome.text, "/usr/q");
}

} // namespace
} // namespace vask_ui
