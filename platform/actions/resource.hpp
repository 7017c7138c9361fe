#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/actions/action.hpp"

namespace vask_actions {

// Something an app publishes to the desktop (a folder, a file, a control) with the actions
// it offers, in the order callers should show them. The id is the kind, a colon and a key.
struct Resource {
    std::string id;
    std::string kind;
    std::string label;
    std::vector<ActionSpec> actions;

    // The resource with `action` appended after the existing ones.
    Resource with_action(ActionSpec action) const&;
    Resource with_action(ActionSpec action) &&;

    // The action with that id, or null.
    const ActionSpec* find_action(std::string_view action_id) const;

    friend bool operator==(const Resource&, const Resource&) = default;
};

} // namespace vask_actions
