#include "platform/actions/operation_type.hpp"

namespace vask_actions {

std::optional<OperationType> operation_type_from_code(std::int64_t code)
{
    switch (code) {
    case 1:
        return OperationType::Effect;
    case 2:
        return OperationType::Navigation;
    default:
        return std::nullopt;
    }
}

std::string_view operation_type_name(OperationType type)
{
    switch (type) {
    case OperationType::Effect:
        return "effect";
    case OperationType::Navigation:
        return "navigation";
    }
    return "unknown";
}

} // namespace vask_actions
