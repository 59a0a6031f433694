#include "ExpressionEvaluator.h"

#include <algorithm>

namespace curvix {

VariableNode::~VariableNode() = default;

namespace {

bool NameEquals(const ExprString& name, const ExprString::Unit* units, int length) {
    return name.Length() == length &&
           (length == 0 || std::equal(units, units + length, name.Data()));
}

} // namespace

void ExpressionEvaluator::SetVariable(ExprString name, double value) {
    if (VariableNode* node = FindVariable(name)) {
        node->value = value;
        return;
    }
    if (!m_pFirstVariable) {
        m_pFirstVariable = std::make_unique<VariableNode>(ExprString(), 0.0);
    }
    VariableNode* last = m_pFirstVariable.get();
    while (last->next) {
        last = last->next.get();
    }
    last->next = std::make_unique<VariableNode>(std::move(name), value);
}

double ExpressionEvaluator::GetVariable(const ExprString::Unit* units, int length) {
    if (const VariableNode* node = FindVariable(units, length)) {
        return node->value;
    }
    ReportUndeclared(units, length);
    return 0.0;
}

VariableNode* ExpressionEvaluator::FindVariable(const ExprString& name) {
    return FindVariable(name.Data(), name.Length());
}

VariableNode* ExpressionEvaluator::FindVariable(const ExprString::Unit* units, int length) {
    for (VariableNode* node = m_pFirstVariable.get(); node; node = node->next.get()) {
        if (NameEquals(node->name, units, length)) {
            return node;
        }
    }
    return nullptr;
}

} // namespace curvix
