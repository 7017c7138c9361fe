#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/actions/invocation.hpp"

namespace vask_actions {

// The command id under which apps receive invocations of toolkit controls.
inline constexpr std::string_view kControlInvokeCommand = "vask.ui.control.invoke";

// The kind of the resources toolkit controls publish; their ids are this kind, ":" and the control id.
inline constexpr std::string_view kControlResourceKind = "vask.control";

// The resource id of the control `control_id` ("vask.control:" + id).
std::string control_resource_id(std::string_view control_id);

// A queued invocation of a toolkit control (a button pressed by a desktop command rather than
// by the pointer), named by the control's id.
struct ControlInvocation {
    std::string control_id;

    // The invocation that carries this to the app: the control command with the control id
    // as a JSON string payload.
    Invocation to_invocation(OperationType type = OperationType::Effect) const;
    // The control invocation an invocation carries, or none when its command id is not the
    // control command or its payload holds no non-empty control id (a text, or the first of
    // an array of texts).
    static std::optional<ControlInvocation> from_invocation(const Invocation& invocation);

    friend bool operator==(const ControlInvocation&, const ControlInvocation&) = default;
};

} // namespace vask_actions
