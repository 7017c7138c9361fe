#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/ui/launch.hpp"

namespace vask_ui::launch {
namespace {

TEST(Launch, WithoutAReachableDisplayItFailsWithAnErrorInsteadOfCrashing)
{
    const char* old_display = std::getenv("DISPLAY");
    std::string saved = old_display ? old_display : "";
    unsetenv("QT_QPA_PLATFORM");
    unsetenv("WAYLAND_DISPLAY");
    LaunchDescription description;
    description.app_id = "test.app";
    description.root_factory = [](const LaunchArgs&) -> std::expected<std::unique_ptr<Widget>, LaunchError> {
        ADD_FAILURE() << "no window may be built without a display";
        return std::unexpected(LaunchError{"unreachable"});
    };
    char name[] = "app";
    char* argv[] = {name, nullptr};

    unsetenv("DISPLAY");
    auto none = run(description, 1, argv);
    ASSERT_FALSE(none);
    EXPECT_NE(none.error().description.find("no display"), std::string::npos);

    setenv("DISPLAY", ":987", 1); // no X server has this number here
    auto dead = run(description, 1, argv);
    ASSERT_FALSE(dead);
    EXPECT_NE(dead.error().description.find(":987 is not running"), std::string::npos);

    if (old_display)
        setenv("DISPLAY", saved.c_str(), 1);
    else
        unsetenv("DISPLAY");
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
}

} // namespace
} // namespace vask_ui::launch
