#pragma once

#include <string>

#include <nlohmann/json.hpp>

#include "platform/actions/operation_type.hpp"

namespace vask_actions {

// One call of a published action as it reaches the app on the UI thread: the operation type
// the caller invoked it as, the command id of the action, and the action's payload.
struct Invocation {
    OperationType operation_type = OperationType::Effect;
    std::string command_id;
    nlohmann::json payload;

    friend bool operator==(const Invocation&, const Invocation&) = default;
};

} // namespace vask_actions
