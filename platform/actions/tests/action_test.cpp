#include "platform/actions/action.hpp"

#include <gtest/gtest.h>

#include "platform/actions/resource.hpp"

namespace {

using namespace vask_actions;

ActionSpec refresh_spec()
{
    return ActionSpec("refresh", "Refresh folder", OperationType::Effect, "files.refresh");
}

TEST(ActionSpec, PlainSpecHasNoOptionalParts)
{
    auto spec = ActionSpec("up", "Parent folder", OperationType::Navigation, "files.folder-command", "up");
    EXPECT_EQ(spec.action_id(), "up");
    EXPECT_EQ(spec.label(), "Parent folder");
    EXPECT_EQ(spec.operation_type(), OperationType::Navigation);
    EXPECT_EQ(spec.command_id(), "files.folder-command");
    EXPECT_EQ(spec.payload(), nlohmann::json("up"));
    EXPECT_FALSE(spec.contract());
    EXPECT_FALSE(spec.is_destructive());
    EXPECT_FALSE(spec.return_description());
    EXPECT_FALSE(spec.execution_description());
    EXPECT_FALSE(spec.input());
    EXPECT_TRUE(spec.is_available());
    EXPECT_TRUE(refresh_spec().payload().is_null());
}

TEST(ActionSpec, BuildersSetTheirPartAndLeaveTheOriginal)
{
    const auto base = refresh_spec();
    auto built =
        base.with_contract(Contract::unavailable_because(
                               "location_missing", "The current folder no longer exists", RiskClass::Confirm))
            .destructive()
            .returns({ReturnKind::Text, "status"})
            .execution({ExecutionMode::Pending, std::chrono::milliseconds(5000)})
            .asks_for({"Folder name", "New Folder"});

    EXPECT_EQ(base, refresh_spec());
    ASSERT_TRUE(built.contract());
    EXPECT_FALSE(built.contract()->is_available());
    EXPECT_EQ(built.contract()->risk, RiskClass::Confirm);
    EXPECT_EQ(built.contract()->unavailable->reason_code, "location_missing");
    EXPECT_EQ(built.contract()->unavailable->message, "The current folder no longer exists");
    EXPECT_FALSE(built.is_available());
    EXPECT_TRUE(built.is_destructive());
    EXPECT_EQ(built.return_description(), (ReturnDescription{ReturnKind::Text, "status"}));
    EXPECT_EQ(built.execution_description()->mode, ExecutionMode::Pending);
    EXPECT_EQ(built.input()->default_text, "New Folder");
    EXPECT_EQ(built.action_id(), "refresh");
}

TEST(Contract, AvailabilityAndRiskByOperationType)
{
    EXPECT_TRUE(Contract::available().is_available());
    EXPECT_EQ(Contract::available().risk, RiskClass::Low);
    EXPECT_FALSE(
        Contract::unavailable_because("clipboard_empty", "Copy or cut files before pasting").is_available());
    EXPECT_EQ(Contract::risk_for(OperationType::Navigation), RiskClass::Low);
    EXPECT_EQ(Contract::risk_for(OperationType::Effect), RiskClass::Confirm);
    auto spec = refresh_spec().with_contract(Contract::available(RiskClass::Confirm));
    EXPECT_TRUE(spec.is_available());
}

TEST(Resource, WithActionKeepsOrderAndFinds)
{
    const char* ids[] = {"refresh", "up", "back", "forward", "open-terminal"};
    Resource resource{"files.folder:k", "files.folder", "Documents", {}};
    for (const char* id : ids)
        resource = std::move(resource).with_action(ActionSpec(id, id, OperationType::Navigation, "c"));
    const Resource copy = resource.with_action(refresh_spec().destructive());

    ASSERT_EQ(resource.actions.size(), std::size(ids));
    for (std::size_t i = 0; i < std::size(ids); ++i)
        EXPECT_EQ(resource.actions[i].action_id(), ids[i]);
    EXPECT_EQ(copy.actions.size(), std::size(ids) + 1);
    EXPECT_TRUE(copy.actions.back().is_destructive());
    ASSERT_NE(resource.find_action("back"), nullptr);
    EXPECT_EQ(resource.find_action("back")->action_id(), "back");
    EXPECT_EQ(resource.find_action("missing"), nullptr);
}

TEST(EnforceOperationType, PassesOnlyTheDeclaredType)
{
    struct Case {
        OperationType declared;
        std::optional<OperationType> invoked;
        const char* failure; // empty when it passes
    };
    const Case cases[] = {
        {OperationType::Effect, OperationType::Effect, ""},
        {OperationType::Navigation, OperationType::Navigation, ""},
        {OperationType::Navigation, OperationType::Effect,
         "action \"a\" is declared as navigation (operation type 2) but was invoked as effect (operation "
         "type 1)"},
        {OperationType::Effect, OperationType::Navigation,
         "action \"a\" is declared as effect (operation type 1) but was invoked as navigation (operation "
         "type 2)"},
        {OperationType::Effect, static_cast<OperationType>(0),
         "action \"a\" is declared as effect (operation type 1) but was invoked as unknown (operation type "
         "0)"},
        {OperationType::Effect, std::nullopt,
         "action \"a\" is declared as effect (operation type 1) but was invoked without an operation type"},
    };
    for (const auto& c : cases) {
        ActionSpec spec("a", "A", c.declared, "cmd");
        auto status = enforce_operation_type(spec, c.invoked);
        if (*c.failure == '\0') {
            EXPECT_TRUE(status) << status.error();
        } else {
            ASSERT_FALSE(status);
            EXPECT_EQ(status.error(), c.failure);
        }
    }
    EXPECT_FALSE(enforce_operation_type(refresh_spec(), OperationType::Navigation));
}

TEST(OperationType, CodesAndNames)
{
    EXPECT_EQ(operation_type_from_code(1), OperationType::Effect);
    EXPECT_EQ(operation_type_from_code(2), OperationType::Navigation);
    EXPECT_FALSE(operation_type_from_code(0));
    EXPECT_FALSE(operation_type_from_code(258));
    EXPECT_EQ(operation_type_code(OperationType::Navigation), 2);
    EXPECT_EQ(operation_type_name(OperationType::Effect), "effect");
}

} // namespace
