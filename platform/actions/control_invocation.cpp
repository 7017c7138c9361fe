#include "platform/actions/control_invocation.hpp"

#include "platform/actions/action_args.hpp"
#include "platform/actions/resource_id.hpp"

namespace vask_actions {

std::string control_resource_id(std::string_view control_id)
{
    return resource_id(kControlResourceKind, control_id);
}

Invocation ControlInvocation::to_invocation(OperationType type) const
{
    return Invocation{type, std::string(kControlInvokeCommand), nlohmann::json(control_id)};
}

std::optional<ControlInvocation> ControlInvocation::from_invocation(const Invocation& invocation)
{
    if (invocation.command_id != kControlInvokeCommand)
        return std::nullopt;
    auto id = ActionArgs(invocation.payload).text_at(0);
    if (!id || id->empty())
        return std::nullopt;
    return ControlInvocation{std::move(*id)};
}

} // namespace vask_actions
