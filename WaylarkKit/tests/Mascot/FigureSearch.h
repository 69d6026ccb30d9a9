#pragma once

#include <functional>
#include <string>
#include <vector>

#include "WaylarkKit/Motion/FigureNode.h"

namespace WaylarkKit::Testing {

inline void walk(const FigureNode& node, const std::function<void(const FigureNode&)>& visit) {
    visit(node);
    for (const FigureNode& child : node.children) walk(child, visit);
}

// Every node of the figure with that name, in drawing order.
inline std::vector<const FigureNode*> named(const FigureNode& root, const std::string& name) {
    std::vector<const FigureNode*> found;
    walk(root, [&](const FigureNode& node) {
        if (node.name == name) found.push_back(&node);
    });
    return found;
}

}  // namespace WaylarkKit::Testing
