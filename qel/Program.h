#ifndef QEL_PROGRAM_H
#define QEL_PROGRAM_H

#include "qel/Token.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace qel {

// The one-operand operators that reach the program (the leading + is the
// identity and is left out), and the two-operand operators.
#define QEL_UNARY_OPERATORS(X) \
    X(Sin, OpSin) X(Cos, OpCos) X(Tan, OpTan) X(ArcSin, OpArcSin) X(ArcCos, OpArcCos) \
    X(ArcTan, OpArcTan) X(Log, OpLog) X(Ln, OpLn) X(Abs, OpAbs) X(Sinh, OpSinh) \
    X(Cosh, OpCosh) X(Tanh, OpTanh) X(ArcSinh, OpArcSinh) X(ArcCosh, OpArcCosh) \
    X(ArcTanh, OpArcTanh) X(Int, OpInt) X(Frac, OpFrac) X(Factorial, OpFactorial) \
    X(Minus, OpMinus) X(Sign, OpSign) X(Not, OpNot)

#define QEL_BINARY_OPERATORS(X) \
    X(Add, OpAdd) X(Subtract, OpSubtract) X(Divide, OpDivide) X(Multiply, OpMultiply) \
    X(Power, OpPower) X(Root, OpRoot) X(TenPower, OpTimesTenPower) X(Equal, OpEqual) \
    X(NotEqual, OpNotEqual) X(Greater, OpGreater) X(GreaterEqual, OpGreaterEqual) \
    X(Less, OpLess) X(LessEqual, OpLessEqual) X(And, OpAnd) X(Or, OpOr) X(Xor, OpXor)

// An instruction of the compiled program.  The program keeps the top of the
// value stack in a register; the rest of the stack is an array sized once,
// from the program's maximum depth.
//
// A two-operand operator comes in five forms, by where its operands are:
//   S   both on the stack (left below the top);
//   V/C right operand a variable / constant, left on the top;
//   LV/LC left operand a variable / constant, right on the top.
// A variable or number is not pushed when the operator that consumes it can
// read it directly; it is read later than in the postfix order, which
// changes nothing since nothing is written during an evaluation.
struct Instruction {
    enum Code : uint8_t {
        PushVariable,
        PushConstant,
        Return,
#define QEL_UNARY_CODE(name, op) name,
        QEL_UNARY_OPERATORS(QEL_UNARY_CODE)
#undef QEL_UNARY_CODE
#define QEL_BINARY_CODES(name, op) name##S, name##V, name##C, name##LV, name##LC,
        QEL_BINARY_OPERATORS(QEL_BINARY_CODES)
#undef QEL_BINARY_CODES
    };

    Code code;
    int32_t variable;  // PushVariable, the V and LV forms
    double constant;   // PushConstant, the C and LC forms
};

class Program {
public:
    // Compiles a postfix list.  Returns false, leaving the program empty, for
    // a list in which an operator would find too few operands or that would
    // not leave exactly one value: the parser never produces one, and the
    // evaluator relies on it.
    bool Build(const std::vector<Token> &postfix);
    void Clear();

    bool Empty() const { return code_.empty(); }
    const Instruction *Code() const { return code_.data(); }
    size_t Size() const { return code_.size(); }
    // Slots the value stack needs besides the register.
    size_t StackSize() const { return stackSize_; }

private:
    std::vector<Instruction> code_;
    size_t stackSize_ = 0;
};

} // namespace qel

#endif
