#include "platform/actions/action_address.hpp"

#include "platform/base/hex.hpp"

#include <fmt/format.h>

namespace vask_actions {

namespace {

constexpr std::string_view kScheme = "vask-action://";
constexpr std::string_view kTypeQuery = "?type=";

bool is_unreserved(unsigned char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '.' || c == '_' || c == '~';
}

void append_encoded(std::string& out, std::string_view part)
{
    constexpr char kDigits[] = "0123456789ABCDEF";
    for (unsigned char c : part) {
        if (is_unreserved(c)) {
            out.push_back(char(c));
        } else {
            out.push_back('%');
            out.push_back(kDigits[c >> 4]);
            out.push_back(kDigits[c & 0x0f]);
        }
    }
}

vask_base::Result<std::string> decode_part(std::string_view part, std::string_view what)
{
    if (part.empty())
        return vask_base::failure(fmt::format("action address has an empty {}", what));
    std::string out;
    out.reserve(part.size());
    for (std::size_t i = 0; i < part.size(); ++i) {
        if (part[i] != '%') {
            out.push_back(part[i]);
            continue;
        }
        bool complete = i + 2 < part.size();
        int high = complete ? vask_base::hex_digit_value(part[i + 1]) : -1;
        int low = complete ? vask_base::hex_digit_value(part[i + 2]) : -1;
        if (high < 0 || low < 0)
            return vask_base::failure(fmt::format("action address has a bad escape in its {}", what));
        out.push_back(char(high << 4 | low));
        i += 2;
    }
    return out;
}

} // namespace

std::string ActionAddress::encode() const
{
    std::string out(kScheme);
    append_encoded(out, app_id);
    out.push_back('/');
    append_encoded(out, resource_id);
    out.push_back('/');
    append_encoded(out, action_id);
    if (operation_type)
        out.append(kTypeQuery).append(std::to_string(operation_type_code(*operation_type)));
    return out;
}

vask_base::Result<ActionAddress> ActionAddress::decode(std::string_view text)
{
    if (!text.starts_with(kScheme))
        return vask_base::failure("action address does not start with \"vask-action://\"");
    text.remove_prefix(kScheme.size());

    ActionAddress address;
    if (auto query = text.find('?'); query != std::string_view::npos) {
        std::string_view rest = text.substr(query);
        text = text.substr(0, query);
        if (!rest.starts_with(kTypeQuery))
            return vask_base::failure("action address has an unknown query");
        rest.remove_prefix(kTypeQuery.size());
        if (rest.size() != 1 || !(address.operation_type = operation_type_from_code(rest[0] - '0')))
            return vask_base::failure("action address has an invalid operation type");
    }

    auto first = text.find('/');
    auto second = first == std::string_view::npos ? first : text.find('/', first + 1);
    if (second == std::string_view::npos || text.find('/', second + 1) != std::string_view::npos)
        return vask_base::failure("action address must have an app, a resource and an action");

    auto app = decode_part(text.substr(0, first), "app id");
    if (!app)
        return std::unexpected(app.error());
    auto resource = decode_part(text.substr(first + 1, second - first - 1), "resource id");
    if (!resource)
        return std::unexpected(resource.error());
    auto action = decode_part(text.substr(second + 1), "action id");
    if (!action)
        return std::unexpected(action.error());
    address.app_id = std::move(*app);
    address.resource_id = std::move(*resource);
    address.action_id = std::move(*action);
    return address;
}

} // namespace vask_actions
