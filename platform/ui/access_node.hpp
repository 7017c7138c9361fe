#pragma once

#include <string>
#include <vector>

#include "platform/ui/geometry.hpp"

namespace vask_ui::a11y {

enum class Role { Window, Pane, List, ListItem, Grid, GridCell, Button, ToggleButton, TextInput, Label, Menu, MenuItem, Dialog, Alert, Group, Link, Tree, TreeItem, Toolbar, StatusBar, ProgressIndicator };

// One node of the accessibility tree the host exports to screen readers.
struct AccessNode {
    Role role = Role::Group;
    std::string name;
    std::string description;
    std::string value;
    Rect bounds;
    bool focusable = false;
    bool focused = false;
    bool selected = false;
    bool disabled = false;
    std::string control_id; // the id automation uses to press it, when it is a control
    std::vector<AccessNode> children;
};

} // namespace vask_ui::a11y
