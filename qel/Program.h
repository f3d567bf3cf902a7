#ifndef QEL_PROGRAM_H
#define QEL_PROGRAM_H

#include "qel/Operators.h"
#include "qel/Token.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace qel {

// The last operand and result of one call of the math library.  Sampling
// walks a grid row by row, and along a row one of the two variables keeps
// its value: a function of it (cos x while y runs) would be called again
// and again with the same operand.  The bits of the operand and the angle
// unit decide, so the result is exactly the call's.
struct CallMemo {
    uint64_t operand = 0;
    double result = 0;
    int32_t mode = -1;   // none yet
};

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
        CallMemo *memo;   // the one-operand operators that call the math library
    };
    const void *handler;  // where the evaluator's code for `code` is
};

// One of the evaluator's runners (Evaluator.h).
struct EvaluationState;
using Runner = int32_t (*)(const EvaluationState &state, const double *values, double *out);

class Program {
public:
    // Instructions point at the program's memos: a copy would share them.
    Program() = default;
    Program(Program &&) = default;
    Program &operator=(Program &&) = default;
    Program(const Program &) = delete;
    Program &operator=(const Program &) = delete;

    // Compiles a postfix list.  Returns false, leaving the program empty, for
    // a list in which an operator would find too few operands or that would
    // not leave exactly one value: the parser never produces one, and the
    // evaluator relies on it.
    bool Build(const std::vector<Token> &postfix);
    void Clear();
    // The calls of a function of a variable that `other` makes too share
    // other's memo: the expressions of a tuple often hold the same ones
    // (cos v in the torus's x and y).  `other` must outlive this program's
    // use of them.
    void ShareMemos(const Program &other);

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
    std::vector<CallMemo> memos_;
};

} // namespace qel

#endif
