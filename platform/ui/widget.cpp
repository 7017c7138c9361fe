#include "platform/ui/widget.hpp"

#include "platform/actions/control_invocation.hpp"
#include "platform/actions/resource.hpp"

namespace vask_ui {

LayoutNodeId Widget::build_layout(LayoutTree& tree, const LayoutContext& context)
{
    return tree.add_leaf(LayoutStyle{}, [this, &context](float known_width, float, Size available) {
        return measure(known_width, available.width, context);
    });
}

Size Widget::measure(float, float, const LayoutContext&) { return {}; }

void Widget::apply_layout(const LayoutTree& tree, LayoutNodeId node) { m_bounds = tree.layout(node); }

std::optional<vask_actions::ControlInvocation> Widget::take_control_invocation() { return std::nullopt; }

std::vector<vask_actions::Resource> Widget::resources() const { return {}; }

InvocationOutcome Widget::invoke_resource_operation_v2(const vask_actions::Invocation&) { return {}; }

} // namespace vask_ui
