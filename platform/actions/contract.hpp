#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/actions/operation_type.hpp"

namespace vask_actions {

// How carefully a caller should run an action: low-risk actions run directly, confirming
// ones are shown to the user before they run.
enum class RiskClass : std::uint8_t { Low, Confirm };

// Why an action cannot run now: a stable reason code for programs and a message for people.
struct Unavailability {
    std::string reason_code;
    std::string message;
    friend bool operator==(const Unavailability&, const Unavailability&) = default;
};

// What a caller may expect of an action: its risk class and whether it can run now.
struct Contract {
    RiskClass risk = RiskClass::Low;
    std::optional<Unavailability> unavailable;

    // An action that can run now.
    static Contract available(RiskClass risk = RiskClass::Low) { return {risk, std::nullopt}; }
    // An action that cannot run now, for the given reason.
    static Contract unavailable_because(std::string reason_code, std::string message,
                                        RiskClass risk = RiskClass::Low)
    {
        return {risk, Unavailability{std::move(reason_code), std::move(message)}};
    }
    // The usual class for an operation type: navigation is low-risk, effects confirm.
    static RiskClass risk_for(OperationType type)
    {
        return type == OperationType::Navigation ? RiskClass::Low : RiskClass::Confirm;
    }

    bool is_available() const { return !unavailable.has_value(); }
    friend bool operator==(const Contract&, const Contract&) = default;
};

} // namespace vask_actions
