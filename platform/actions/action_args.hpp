#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

namespace vask_actions {

// The arguments of an invocation, read from its JSON payload. An object payload gives named
// arguments; an array gives positional ones; a lone text or number is one positional argument.
class ActionArgs {
  public:
    ActionArgs() = default;
    explicit ActionArgs(nlohmann::json payload);

    // The named argument when it is a JSON string, else none.
    std::optional<std::string> text(std::string_view name) const;
    // The named argument when it is a JSON integer that fits 64 signed bits, else none.
    std::optional<std::int64_t> integer(std::string_view name) const;
    // The positional argument at `index` when it is a JSON string, else none.
    std::optional<std::string> text_at(std::size_t index) const;
    // The positional argument at `index` when it is a JSON integer that fits, else none.
    std::optional<std::int64_t> integer_at(std::size_t index) const;
    // How many positional arguments there are.
    std::size_t positional_count() const;

    const nlohmann::json& payload() const { return m_payload; }

  private:
    const nlohmann::json* named(std::string_view name) const;
    const nlohmann::json* positional(std::size_t index) const;

    nlohmann::json m_payload;
};

} // namespace vask_actions
