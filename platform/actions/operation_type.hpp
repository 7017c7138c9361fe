#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace vask_actions {

// What invoking an action does: effect actions change files or settings outside the view,
// navigation actions change only what is shown. The underlying byte is the code used on the
// wire; a value received from outside may hold a code outside the two named ones.
enum class OperationType : std::uint8_t { Effect = 1, Navigation = 2 };

// The wire code of `type`.
constexpr std::uint8_t operation_type_code(OperationType type)
{
    return static_cast<std::uint8_t>(type);
}

// The named operation type for a wire code, or none for any other code.
std::optional<OperationType> operation_type_from_code(std::int64_t code);

// "effect", "navigation", or "unknown" for a code outside the named ones.
std::string_view operation_type_name(OperationType type);

} // namespace vask_actions
