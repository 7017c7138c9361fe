#include <gtest/gtest.h>

#include "platform/actions/action_address.hpp"
#include "platform/actions/action_args.hpp"
#include "platform/actions/action_context.hpp"
#include "platform/actions/control_invocation.hpp"

namespace {

using namespace vask_actions;
using nlohmann::json;

TEST(ActionArgs, ReadsNamedArgumentsByKind)
{
    ActionArgs args(json{{"name", "New Folder"},
                         {"step", 3},
                         {"big", 18446744073709551615ull},
                         {"neg", -4},
                         {"real", 1.5},
                         {"flag", true},
                         {"digits", "12"}});
    EXPECT_EQ(args.text("name"), "New Folder");
    EXPECT_EQ(args.integer("step"), 3);
    EXPECT_EQ(args.integer("neg"), -4);
    EXPECT_FALSE(args.integer("big"));    // does not fit 64 signed bits
    EXPECT_FALSE(args.integer("real"));   // not an integer
    EXPECT_FALSE(args.integer("digits")); // a text, not a number
    EXPECT_FALSE(args.text("step"));
    EXPECT_FALSE(args.text("flag"));
    EXPECT_FALSE(args.text("missing"));
    EXPECT_FALSE(args.text_at(0)); // an object has no positional arguments
    EXPECT_EQ(args.positional_count(), 0u);
}

TEST(ActionArgs, ReadsPositionalArguments)
{
    struct Case {
        json payload;
        std::size_t count;
        std::optional<std::string> first;
    };
    const Case cases[] = {
        {json::array({"copy", "files.entry:abc"}), 2, "copy"},
        {json("files.retry"), 1, "files.retry"},
        {json(7), 1, std::nullopt},
        {json(nullptr), 0, std::nullopt},
        {json::array(), 0, std::nullopt},
    };
    for (const auto& c : cases) {
        ActionArgs args(c.payload);
        EXPECT_EQ(args.positional_count(), c.count) << c.payload.dump();
        EXPECT_EQ(args.text_at(0), c.first) << c.payload.dump();
        EXPECT_FALSE(args.text("name")) << c.payload.dump();
    }
    EXPECT_EQ(ActionArgs(json::array({"a", "b"})).text_at(1), "b");
    EXPECT_FALSE(ActionArgs(json::array({"a", "b"})).text_at(2));
    EXPECT_EQ(ActionArgs(json(7)).integer_at(0), 7);
}

TEST(ActionAddress, EncodesCanonicallyAndRoundTrips)
{
    struct Case {
        ActionAddress address;
        const char* text;
    };
    const Case cases[] = {
        {{"so.vask.file-explorer", "files.record:6f1c2a4e-0000-4000-8000-00000000abcd", "reveal",
          std::nullopt},
         "vask-action://so.vask.file-explorer/files.record%3A6f1c2a4e-0000-4000-8000-00000000abcd/reveal"},
        {{"app", "kind:a/b?c%d e", "act", OperationType::Navigation},
         "vask-action://app/kind%3Aa%2Fb%3Fc%25d%20e/act?type=2"},
        {{"app", "k:\xff\x01", "run", OperationType::Effect}, "vask-action://app/k%3A%FF%01/run?type=1"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.address.encode(), c.text);
        auto decoded = ActionAddress::decode(c.text);
        ASSERT_TRUE(decoded) << decoded.error();
        EXPECT_EQ(*decoded, c.address);
    }
    // Lower-case escapes are read too.
    EXPECT_EQ(ActionAddress::decode("vask-action://a/k%3ax/b")->resource_id, "k:x");
}

TEST(ActionAddress, RefusesMalformedText)
{
    const char* bad[] = {
        "",
        "vask-action:/a/b/c",
        "http://a/b/c",
        "vask-action://a/b",
        "vask-action://a/b/c/d",
        "vask-action://a//c",
        "vask-action:///b/c",
        "vask-action://a/b/",
        "vask-action://a/b%2/c",
        "vask-action://a/b%zz/c",
        "vask-action://a/b/c%",
        "vask-action://a/b/c?type=0",
        "vask-action://a/b/c?type=12",
        "vask-action://a/b/c?kind=1",
    };
    for (const char* text : bad)
        EXPECT_FALSE(ActionAddress::decode(text)) << text;
}

TEST(ActionContext, FacetsKeepOrderAndReplaceByName)
{
    const ActionContext base("org.vask.Files", "Files", "files.entry");
    auto context =
        base.with_facet("version", "v1")
            .with_facet("extra", json{{"n", 1}})
            .with_facet("version", "v2")
            .with_text("Edited · notes.txt")
            .with_time(std::chrono::system_clock::time_point(std::chrono::milliseconds(1700000000123)))
            .with_author({"Ada", 42.0});

    EXPECT_TRUE(base.facets().empty());
    ASSERT_EQ(context.facets().size(), 2u);
    EXPECT_EQ(context.facets()[0].first, "version");
    EXPECT_EQ(*context.facet("version"), json("v2"));
    EXPECT_EQ(context.facet("missing"), nullptr);

    auto out = context.to_json();
    EXPECT_EQ(out["app_id"], "org.vask.Files");
    EXPECT_EQ(out["resource_kind"], "files.entry");
    EXPECT_EQ(out["text"], "Edited · notes.txt");
    EXPECT_EQ(out["time_ms"], 1700000000123);
    EXPECT_EQ(out["author"]["display_name"], "Ada");
    EXPECT_EQ(out["facets"]["extra"]["n"], 1);
}

TEST(ControlInvocation, TravelsAsTheControlCommand)
{
    EXPECT_EQ(control_resource_id("files.retry"), "vask.control:files.retry");

    auto invocation = ControlInvocation{"files.retry"}.to_invocation();
    EXPECT_EQ(invocation.command_id, "vask.ui.control.invoke");
    EXPECT_EQ(invocation.operation_type, OperationType::Effect);
    EXPECT_EQ(invocation.payload, json("files.retry"));
    EXPECT_EQ(ControlInvocation::from_invocation(invocation), ControlInvocation{"files.retry"});

    struct Case {
        Invocation invocation;
        std::optional<std::string> control;
    };
    const Case cases[] = {
        {{OperationType::Navigation, "vask.ui.control.invoke", json::array({"files.rename_input"})},
         "files.rename_input"},
        {{OperationType::Effect, "files.refresh", json("files.retry")}, std::nullopt},
        {{OperationType::Effect, "vask.ui.control.invoke", json("")}, std::nullopt},
        {{OperationType::Effect, "vask.ui.control.invoke", json(nullptr)}, std::nullopt},
        {{OperationType::Effect, "vask.ui.control.invoke", json{{"control", "x"}}}, std::nullopt},
    };
    for (const auto& c : cases) {
        auto control = ControlInvocation::from_invocation(c.invocation);
        EXPECT_EQ(control ? std::optional(control->control_id) : std::nullopt, c.control)
            << c.invocation.payload.dump();
    }
}

} // namespace
