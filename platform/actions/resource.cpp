#include "platform/actions/resource.hpp"

#include <algorithm>

namespace vask_actions {

Resource Resource::with_action(ActionSpec action) const&
{
    return Resource(*this).with_action(std::move(action));
}

Resource Resource::with_action(ActionSpec action) &&
{
    actions.push_back(std::move(action));
    return std::move(*this);
}

const ActionSpec* Resource::find_action(std::string_view action_id) const
{
    auto it = std::ranges::find_if(actions, [&](const ActionSpec& a) { return a.action_id() == action_id; });
    return it == actions.end() ? nullptr : &*it;
}

} // namespace vask_actions
