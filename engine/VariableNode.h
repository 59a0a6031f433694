#pragma once

#include "ExprString.h"

#include <memory>

namespace curvix {

// One entry of the engine's variable list. Each node owns the rest of the
// list behind it.
struct VariableNode {
    ExprString name;
    double value = 0.0;
    std::unique_ptr<VariableNode> next;

    VariableNode(ExprString nodeName, double nodeValue)
        : name(std::move(nodeName)), value(nodeValue) {}
    VariableNode(const VariableNode&) = delete;
    VariableNode& operator=(const VariableNode&) = delete;
    virtual ~VariableNode();
};

} // namespace curvix
