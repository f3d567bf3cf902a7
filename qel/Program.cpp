#include "qel/Program.h"

#include "qel/Operators.h"

#include <algorithm>
#include <cmath>

namespace qel {

namespace {

bool UnaryCode(OperatorCode op, Instruction::Code &code)
{
    switch (op) {
#define QEL_UNARY_CASE(name, o) case o: code = Instruction::name; return true;
        QEL_UNARY_OPERATORS(QEL_UNARY_CASE)
#undef QEL_UNARY_CASE
    default: return false;
    }
}

enum class Form { S = 0, V = 1, C = 2, LV = 3, LC = 4 };

bool BinaryCode(OperatorCode op, Form form, Instruction::Code &code)
{
    switch (op) {
#define QEL_BINARY_CASE(name, o) \
    case o: code = static_cast<Instruction::Code>(Instruction::name##S + static_cast<int>(form)); return true;
        QEL_BINARY_OPERATORS(QEL_BINARY_CASE)
#undef QEL_BINARY_CASE
    default: return false;
    }
}

// A value at compile time: either already produced on the run-time stack,
// or a variable or number not pushed yet.
struct Operand {
    enum Kind { OnStack, Variable, Constant } kind;
    int32_t variable;
    double constant;

    bool Leaf() const { return kind != OnStack; }
};

class Builder {
public:
    explicit Builder(std::vector<Instruction> &code) : code_(code) {}

    bool Add(const Token &t);
    bool Finished() const { return finished_; }
    size_t MaxDepth() const { return maxDepth_; }

private:
    bool AddOperator(OperatorCode op);
    bool AddUnary(OperatorCode op);
    bool AddBinary(OperatorCode op);
    void Materialise(const Operand &o);
    void Emit(Instruction::Code c, int32_t variable = -1, double constant = 0.0)
    {
        code_.push_back({c, variable, constant});
    }
    void EmitBinary(OperatorCode op, Form form, const Operand &leaf);

    std::vector<Instruction> &code_;
    std::vector<Operand> operands_;
    size_t depth_ = 0;
    size_t maxDepth_ = 0;
    bool finished_ = false;
};

bool Builder::Add(const Token &t)
{
    if (finished_)
        return false;
    switch (t.kind) {
    case TokenKind::Number:
        operands_.push_back({Operand::Constant, -1, t.value});
        return true;
    case TokenKind::Variable:
        operands_.push_back({Operand::Variable, t.variable, 0.0});
        return true;
    case TokenKind::Operator:
        return AddOperator(t.op);
    case TokenKind::Parenthesis:
        break;
    }
    return false;
}

bool Builder::AddOperator(OperatorCode op)
{
    if (op == OpEnd) {
        if (operands_.size() != 1)
            return false;
        Materialise(operands_.back());
        Emit(Instruction::Return);
        finished_ = true;
        return true;
    }
    if (InfoOf(op).arity == 1)
        return AddUnary(op);
    return AddBinary(op);
}

bool Builder::AddUnary(OperatorCode op)
{
    if (operands_.empty())
        return false;
    if (op == OpPlus) // the identity: the operand stays as it is
        return true;
    Instruction::Code code;
    if (!UnaryCode(op, code))
        return false;
    Materialise(operands_.back());
    operands_.back() = {Operand::OnStack, -1, 0.0};
    Emit(code);
    return true;
}

bool Builder::AddBinary(OperatorCode op)
{
    if (operands_.size() < 2)
        return false;
    const Operand right = operands_.back();
    operands_.pop_back();
    const Operand left = operands_.back();
    operands_.back() = {Operand::OnStack, -1, 0.0};

    if (right.Leaf()) {
        Materialise(left);
        EmitBinary(op, right.kind == Operand::Variable ? Form::V : Form::C, right);
    } else if (left.Leaf()) {
        EmitBinary(op, left.kind == Operand::Variable ? Form::LV : Form::LC, left);
    } else {
        Instruction::Code code;
        BinaryCode(op, Form::S, code);
        Emit(code);
        --depth_;
    }
    return true;
}

void Builder::EmitBinary(OperatorCode op, Form form, const Operand &leaf)
{
    // Two constant operations are done once here; they are the very same
    // double operations that the evaluator would do, so the bits agree.
    if (op == OpTimesTenPower && form == Form::C) {
        Emit(Instruction::MultiplyC, -1, std::pow(10.0, leaf.constant));
        return;
    }
    if (op == OpRoot && form == Form::LC) { // a'b is pow(b, 1/a)
        Emit(Instruction::PowerC, -1, 1.0 / leaf.constant);
        return;
    }
    Instruction::Code code;
    BinaryCode(op, form, code);
    Emit(code, leaf.variable, leaf.constant);
}

void Builder::Materialise(const Operand &o)
{
    if (o.kind == Operand::OnStack)
        return;
    if (o.kind == Operand::Variable)
        Emit(Instruction::PushVariable, o.variable);
    else
        Emit(Instruction::PushConstant, -1, o.constant);
    ++depth_;
    maxDepth_ = std::max(maxDepth_, depth_);
}

} // namespace

bool Program::Build(const std::vector<Token> &postfix)
{
    Clear();
    Builder builder(code_);
    for (const Token &t : postfix) {
        if (!builder.Add(t)) {
            Clear();
            return false;
        }
    }
    if (!builder.Finished()) {
        Clear();
        return false;
    }
    stackSize_ = builder.MaxDepth() + 1;
    return true;
}

void Program::Clear()
{
    code_.clear();
    code_.shrink_to_fit();
    stackSize_ = 0;
}

} // namespace qel
