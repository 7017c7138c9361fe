#pragma once

#include <chrono>
#include <optional>
#include <string>

#include <nlohmann/json.hpp>

#include "platform/actions/contract.hpp"
#include "platform/actions/operation_type.hpp"
#include "platform/base/result.hpp"

namespace vask_actions {

// What an action hands back to its caller when it finishes.
enum class ReturnKind : std::uint8_t { Nothing, Text, Json, Resource };

// The shape of an action's answer, with a short human description of it.
struct ReturnDescription {
    ReturnKind kind = ReturnKind::Nothing;
    std::string summary;
    friend bool operator==(const ReturnDescription&, const ReturnDescription&) = default;
};

// Whether an action answers at once or reports pending and finishes in the background.
enum class ExecutionMode : std::uint8_t { Immediate, Pending };

// How an action runs; `timeout` is how long a caller should wait for a pending answer.
struct ExecutionDescription {
    ExecutionMode mode = ExecutionMode::Immediate;
    std::optional<std::chrono::milliseconds> timeout;
    friend bool operator==(const ExecutionDescription&, const ExecutionDescription&) = default;
};

// A text the caller asks the user for before invoking (a new name, a folder name).
struct ActionInput {
    std::string label;
    std::string default_text;
    friend bool operator==(const ActionInput&, const ActionInput&) = default;
};

// One action a resource offers: what it is called, what kind of operation it is, and the
// command id and payload its invocation carries back to the app.
class ActionSpec {
  public:
    ActionSpec(std::string action_id, std::string label, OperationType operation_type, std::string command_id,
               nlohmann::json payload = nullptr);

    const std::string& action_id() const { return m_action_id; }
    const std::string& label() const { return m_label; }
    OperationType operation_type() const { return m_operation_type; }
    const std::string& command_id() const { return m_command_id; }
    const nlohmann::json& payload() const { return m_payload; }
    const std::optional<Contract>& contract() const { return m_contract; }
    bool is_destructive() const { return m_destructive; }
    const std::optional<ReturnDescription>& return_description() const { return m_returns; }
    const std::optional<ExecutionDescription>& execution_description() const { return m_execution; }
    const std::optional<ActionInput>& input() const { return m_input; }
    // False only when a contract says the action cannot run now.
    bool is_available() const { return !m_contract || m_contract->is_available(); }

    // Builders: each returns a copy with that part set.
    ActionSpec with_contract(Contract contract) const&;
    ActionSpec with_contract(Contract contract) &&;
    ActionSpec destructive() const&;
    ActionSpec destructive() &&;
    ActionSpec returns(ReturnDescription description) const&;
    ActionSpec returns(ReturnDescription description) &&;
    ActionSpec execution(ExecutionDescription description) const&;
    ActionSpec execution(ExecutionDescription description) &&;
    ActionSpec asks_for(ActionInput input) const&;
    ActionSpec asks_for(ActionInput input) &&;

    friend bool operator==(const ActionSpec&, const ActionSpec&) = default;

  private:
    std::string m_action_id;
    std::string m_label;
    OperationType m_operation_type;
    std::string m_command_id;
    nlohmann::json m_payload;
    std::optional<Contract> m_contract;
    bool m_destructive = false;
    std::optional<ReturnDescription> m_returns;
    std::optional<ExecutionDescription> m_execution;
    std::optional<ActionInput> m_input;
};

// Fails, with a text naming the action and both types, when an invocation's operation type
// differs from the one `spec` declares.
vask_base::Status enforce_operation_type(const ActionSpec& spec, OperationType invoked);

// As above, and also fails when the invocation carries no operation type at all.
vask_base::Status enforce_operation_type(const ActionSpec& spec, std::optional<OperationType> invoked);

} // namespace vask_actions
