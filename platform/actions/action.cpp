#include "platform/actions/action.hpp"

#include <fmt/format.h>

namespace vask_actions {

ActionSpec::ActionSpec(std::string action_id, std::string label, OperationType operation_type,
                       std::string command_id, nlohmann::json payload)
    : m_action_id(std::move(action_id)), m_label(std::move(label)), m_operation_type(operation_type),
      m_command_id(std::move(command_id)), m_payload(std::move(payload))
{
}

ActionSpec ActionSpec::with_contract(Contract contract) const&
{
    return ActionSpec(*this).with_contract(std::move(contract));
}

ActionSpec ActionSpec::with_contract(Contract contract) &&
{
    m_contract = std::move(contract);
    return std::move(*this);
}

ActionSpec ActionSpec::destructive() const&
{
    return ActionSpec(*this).destructive();
}

ActionSpec ActionSpec::destructive() &&
{
    m_destructive = true;
    return std::move(*this);
}

ActionSpec ActionSpec::returns(ReturnDescription description) const&
{
    return ActionSpec(*this).returns(std::move(description));
}

ActionSpec ActionSpec::returns(ReturnDescription description) &&
{
    m_returns = std::move(description);
    return std::move(*this);
}

ActionSpec ActionSpec::execution(ExecutionDescription description) const&
{
    return ActionSpec(*this).execution(std::move(description));
}

ActionSpec ActionSpec::execution(ExecutionDescription description) &&
{
    m_execution = std::move(description);
    return std::move(*this);
}

ActionSpec ActionSpec::asks_for(ActionInput input) const&
{
    return ActionSpec(*this).asks_for(std::move(input));
}

ActionSpec ActionSpec::asks_for(ActionInput input) &&
{
    m_input = std::move(input);
    return std::move(*this);
}

namespace {

std::string describe(OperationType type)
{
    return fmt::format("{} (operation type {})", operation_type_name(type), operation_type_code(type));
}

} // namespace

vask_base::Status enforce_operation_type(const ActionSpec& spec, OperationType invoked)
{
    if (invoked == spec.operation_type())
        return {};
    return vask_base::failure(fmt::format("action \"{}\" is declared as {} but was invoked as {}",
                                          spec.action_id(), describe(spec.operation_type()),
                                          describe(invoked)));
}

vask_base::Status enforce_operation_type(const ActionSpec& spec, std::optional<OperationType> invoked)
{
    if (!invoked)
        return vask_base::failure(
            fmt::format("action \"{}\" is declared as {} but was invoked without an operation type",
                        spec.action_id(), describe(spec.operation_type())));
    return enforce_operation_type(spec, *invoked);
}

} // namespace vask_actions
