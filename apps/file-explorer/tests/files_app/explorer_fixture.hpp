#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "files_app/file_explorer_widget.hpp"
#include "platform/ui/frame.hpp"
#include "support/temp_dir.hpp"

namespace file_explorer::testing {

// An environment whose folders all lie in `dir`: configuration, Trash, templates and home, with
// documents "opened" into `opened` instead of handed to the desktop.
inline ExplorerEnvironment fixture_environment(const test_support::TempDir& dir, std::vector<std::filesystem::path>& opened)
{
    ExplorerEnvironment env;
    env.config_dir = dir / "config";
    env.trash_files_dir = dir / "data/Trash/files";
    env.templates_dir = dir / "templates";
    env.home = dir / "home";
    env.opener_mode = vask_ui::opener::Mode::Embedded;
    env.embedded_opener = [&opened](const std::filesystem::path& p) -> vask_base::Status {
        opened.push_back(p);
        return {};
    };
    return env;
}

// A FileExplorerWidget on a temporary folder, laid out and painted headless in a 1000 × 700
// window, fed real key and pointer events. The Trash lives in the fixture's data folder.
struct ExplorerWindow : ::testing::Test {
    test_support::TempDir dir;
    std::filesystem::path root = dir.mkdir("root");
    test_support::ScopedEnv roots{"VASK_WORKSPACE_ROOTS", root.string()};
    test_support::ScopedEnv data{"XDG_DATA_HOME", (dir / "data").string()};
    test_support::ScopedEnv templates{"XDG_TEMPLATES_DIR", (dir / "templates").string()};
    vask_ui::FakeTextRenderer text;
    vask_ui::Frame frame{text, vask_ui::Theme::light()};
    vask_ui::Clock::time_point now = vask_ui::Clock::now();
    std::unique_ptr<FileExplorerWidget> explorer;
    std::vector<std::filesystem::path> opened;
    vask_ui::Size size{1000, 700};

    ExplorerEnvironment environment() { return fixture_environment(dir, opened); }

    // Creates the explorer in `root` and paints a first frame.
    FileExplorerWidget& start()
    {
        explorer = std::make_unique<FileExplorerWidget>(environment(), now);
        paint();
        return *explorer;
    }

    vask_ui::Scene paint()
    {
        vask_ui::Scene scene;
        now += std::chrono::milliseconds(5);
        frame.render(*explorer, size, now, scene);
        return scene;
    }

    void send(const vask_ui::InputEvent& event)
    {
        now += std::chrono::milliseconds(600); // never a double click unless asked for
        vask_ui::EventContext context{text, now};
        explorer->handle_event(event, context);
        paint();
    }

    void key(vask_ui::Key k, vask_ui::Modifiers m = {}) { send(vask_ui::KeyPress{k, "", m}); }
    void type(std::string text, vask_ui::Modifiers m = {})
    {
        send(vask_ui::KeyPress{vask_ui::Key::Character, std::move(text), m});
    }
    // Primary+letter as the window host reports it.
    void shortcut(std::string letter, vask_ui::Modifiers extra = {})
    {
        type(std::move(letter), vask_ui::Modifiers(vask_ui::Modifier::Ctrl) | extra);
    }

    int index_of(std::string_view name) const
    {
        const auto& entries = explorer->entries();
        for (std::size_t i = 0; i < entries.size(); ++i)
            if (entries[i].name == name)
                return int(i);
        return -1;
    }

    // The centre of an entry's row or tile as painted.
    vask_ui::Point centre_of(std::string_view name)
    {
        int i = index_of(name);
        EXPECT_GE(i, 0) << name;
        auto rect = explorer->item_rect(std::size_t(std::max(i, 0)));
        EXPECT_TRUE(rect) << name << " is not shown";
        return rect ? vask_ui::Point{rect->x + 40, rect->y + rect->height / 2} : vask_ui::Point{};
    }

    void click(std::string_view name, vask_ui::Modifiers m = {})
    {
        auto p = centre_of(name);
        send(vask_ui::PointerPress{p, vask_ui::MouseButton::Primary, m});
        send(vask_ui::PointerRelease{p, vask_ui::MouseButton::Primary, m});
    }

    void right_click(vask_ui::Point p)
    {
        send(vask_ui::PointerMove{p});
        send(vask_ui::PointerPress{p, vask_ui::MouseButton::Secondary});
        send(vask_ui::PointerRelease{p, vask_ui::MouseButton::Secondary});
    }

    std::vector<std::string> names() const
    {
        std::vector<std::string> out;
        for (const auto& e : explorer->entries())
            out.push_back(e.name);
        return out;
    }

    std::vector<std::string> selected_names() const
    {
        std::vector<std::string> out;
        for (auto i : explorer->selection().selected())
            out.push_back(explorer->entries()[i].name);
        return out;
    }

    // The labels of the open main menu; separators as "—", disabled items in brackets.
    std::vector<std::string> menu_labels() const
    {
        std::vector<std::string> out;
        for (const auto& item : explorer->main_menu().items())
            out.push_back(item.separator ? "\u2014" : item.enabled ? item.label : "[" + item.label + "]");
        return out;
    }
};

} // namespace file_explorer::testing
