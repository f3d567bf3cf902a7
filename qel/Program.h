#ifndef QEL_PROGRAM_H
#define QEL_PROGRAM_H

#include "qel/Operators.h"
#include "qel/Token.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace qel {

// An instruction of the compiled program.  The program keeps the top of the
// value stack in a register; the rest of the stack is an array sized once,
// from the program's maximum depth.
//
// A variable or number is not pushed when the operator that consumes it can
// read it directly.  A one-operand operator works on the top (plain form) or
// on a variable, pushing its result (V form).  A two-operand operator comes
// in eight forms, by where its operands are:
//   S      both on the stack (left below the top);
//   V, C   right operand a variable / constant, left on the top;
//   LV, LC left operand a variable / constant, right on the top;
//   VV, VC, CV  both operands variables or constants, result pushed.
// Two constants are combined at compile time.  Operands are read later than
// in the postfix order, which changes nothing since nothing is written
// during an evaluation: every instruction does exactly the double operation
// of the plain postfix walk, on the same operands.
struct Instruction {
    enum Code : uint8_t {
        PushVariable,
        PushConstant,
        Return,
#define QEL_UNARY_CODES(name, op) name, name##V,
        QEL_UNARY_OPERATORS(QEL_UNARY_CODES)
#undef QEL_UNARY_CODES
#define QEL_BINARY_CODES(name, op) \
    name##S, name##V, name##C, name##LV, name##LC, name##VV, name##VC, name##CV,
            QEL_BINARY_OPERATORS(QEL_BINARY_CODES)
#undef QEL_BINARY_CODES
    };

    Code code;
    int32_t variable;     // PushVariable, the V, LV, VV, VC and CV forms
    union {
        double constant;  // PushConstant, the C, LC, VC and CV forms
        int32_t variable2; // the right operand of the VV forms
    };
    const void *handler;  // where the evaluator's code for `code` is
};

// One of the evaluator's runners (Evaluator.h).
struct EvaluationState;
using Runner = int32_t (*)(const EvaluationState &state, const double *values, double *out);

class Program {
public:
    // Compiles a postfix list.  Returns false, leaving the program empty, for
    // a list in which an operator would find too few operands or that would
    // not leave exactly one value: the parser never produces one, and the
    // evaluator relies on it.
    bool Build(const std::vector<Token> &postfix);
    void Clear();

    const Instruction *Code() const { return code_.data(); }
    size_t Size() const { return code_.size(); }
    // Slots the value stack needs besides the register.
    size_t StackSize() const { return stackSize_; }
    // The runner of the evaluator that the instructions are linked to.
    Runner Run() const { return runner_; }

private:
    std::vector<Instruction> code_;
    size_t stackSize_ = 0;
    Runner runner_ = nullptr;
};

} // namespace qel

#endif
