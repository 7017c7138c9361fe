#include "platform/actions/action_args.hpp"

#include <limits>

namespace vask_actions {

namespace {

std::optional<std::string> as_text(const nlohmann::json* value)
{
    if (value == nullptr || !value->is_string())
        return std::nullopt;
    return value->get<std::string>();
}

std::optional<std::int64_t> as_integer(const nlohmann::json* value)
{
    if (value == nullptr)
        return std::nullopt;
    if (value->is_number_unsigned()) {
        auto n = value->get<std::uint64_t>();
        if (n > std::uint64_t(std::numeric_limits<std::int64_t>::max()))
            return std::nullopt;
        return std::int64_t(n);
    }
    if (value->is_number_integer())
        return value->get<std::int64_t>();
    return std::nullopt;
}

} // namespace

ActionArgs::ActionArgs(nlohmann::json payload) : m_payload(std::move(payload)) {}

const nlohmann::json* ActionArgs::named(std::string_view name) const
{
    if (!m_payload.is_object())
        return nullptr;
    auto it = m_payload.find(name);
    return it == m_payload.end() ? nullptr : &*it;
}

const nlohmann::json* ActionArgs::positional(std::size_t index) const
{
    if (m_payload.is_array())
        return index < m_payload.size() ? &m_payload[index] : nullptr;
    if (m_payload.is_string() || m_payload.is_number())
        return index == 0 ? &m_payload : nullptr;
    return nullptr;
}

std::optional<std::string> ActionArgs::text(std::string_view name) const
{
    return as_text(named(name));
}

std::optional<std::int64_t> ActionArgs::integer(std::string_view name) const
{
    return as_integer(named(name));
}

std::optional<std::string> ActionArgs::text_at(std::size_t index) const
{
    return as_text(positional(index));
}

std::optional<std::int64_t> ActionArgs::integer_at(std::size_t index) const
{
    return as_integer(positional(index));
}

std::size_t ActionArgs::positional_count() const
{
    if (m_payload.is_array())
        return m_payload.size();
    return m_payload.is_string() || m_payload.is_number() ? 1 : 0;
}

} // namespace vask_actions
