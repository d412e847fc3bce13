#pragma once

namespace kivo {

// What a calculation function expects in its Variables or Target column.
enum class OperandKind {
    Unchecked,       // not used by the function: names are resolved but not checked
    InputVariables,  // names of input variables
    Rows,            // names of parameters that stand above the row
    Threshold,       // one number, or two input variables (Less Than, Greater Than)
};

struct OperandRule {
    OperandKind kind = OperandKind::Unchecked;
    int minimumCount = 0;  // entries the function reads at least
};

// Operand rules of a function index; unknown indices are unchecked.
OperandRule VariablesRule(int functionIndex);
OperandRule TargetRule(int functionIndex);

// Value columns a function reads from each of its operand rows (0: it adapts
// to its operands).
int RequiredOperandColumns(int functionIndex);

}  // namespace kivo
