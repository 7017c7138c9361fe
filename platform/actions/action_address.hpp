#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/actions/operation_type.hpp"
#include "platform/base/result.hpp"

namespace vask_actions {

// Names one action of one resource of one app, as a text that search results can carry.
//
// Encoded form:  vask-action://APP/RESOURCE/ACTION[?type=N]
// Each of APP, RESOURCE and ACTION is percent-encoded byte by byte: letters, digits and
// "-._~" stay, every other byte becomes "%XX" with upper-case hex digits. N is the wire code
// of the operation type, present only when the address carries one. The encoding is
// canonical: equal addresses give equal texts, and `decode` of `encode` gives the address back.
struct ActionAddress {
    std::string app_id;
    std::string resource_id;
    std::string action_id;
    std::optional<OperationType> operation_type;

    std::string encode() const;
    // Parses an encoded address; fails on a wrong scheme, a missing or empty part, a bad
    // escape, an unknown query or an operation type code other than 1 or 2.
    static vask_base::Result<ActionAddress> decode(std::string_view text);

    friend bool operator==(const ActionAddress&, const ActionAddress&) = default;
};

} // namespace vask_actions
