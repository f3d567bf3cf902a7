#include "qel/Program.h"

#include "qel/Evaluator.h"
#include "qel/Operators.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace qel {

namespace {

// Whether an instruction's operation is done inline, without a call.
bool IsInline(Instruction::Code code)
{
    switch (code) {
    case Instruction::PushVariable:
    case Instruction::PushConstant:
    case Instruction::Return:
        return true;
// clang-format off
#define QEL_INLINE_UNARY(name, o) case Instruction::name: case Instruction::name##V:
        QEL_INLINE_UNARY_OPERATORS(QEL_INLINE_UNARY)
#undef QEL_INLINE_UNARY
#define QEL_INLINE_BINARY(name, o)                                                        \
    case Instruction::name##S: case Instruction::name##V: case Instruction::name##C:       \
    case Instruction::name##LV: case Instruction::name##LC: case Instruction::name##VV:    \
    case Instruction::name##VC: case Instruction::name##CV:
// clang-format on
        QEL_INLINE_BINARY_OPERATORS(QEL_INLINE_BINARY)
#undef QEL_INLINE_BINARY
        return true;
    default:
        return false;
    }
}

// Whether an instruction is a one-operand operator that calls the math
// library; `ofVariable` is set for the form that reads a variable.
bool IsCallingUnary(Instruction::Code code, bool *ofVariable = nullptr)
{
    switch (code) {
// clang-format off
#define QEL_CALLING_UNARY(name, o) \
    case Instruction::name: if (ofVariable) *ofVariable = false; return true; \
    case Instruction::name##V: if (ofVariable) *ofVariable = true; return true;
        // clang-format on
        QEL_CALLING_UNARY_OPERATORS(QEL_CALLING_UNARY)
#undef QEL_CALLING_UNARY
    default:
        return false;
    }
}

// The forms of a two-operand instruction, in the order of Instruction::Code.
enum class Form {
    S,
    V,
    C,
    LV,
    LC,
    VV,
    VC,
    CV
};

std::optional<Instruction::Code> UnaryCode(OperatorCode op, bool ofVariable)
{
    switch (op) {
#define QEL_UNARY_CASE(name, o) \
    case o: return ofVariable ? Instruction::name##V : Instruction::name;
        QEL_UNARY_OPERATORS(QEL_UNARY_CASE)
#undef QEL_UNARY_CASE
    default: return std::nullopt;
    }
}

std::optional<Instruction::Code> BinaryCode(OperatorCode op, Form form)
{
    switch (op) {
#define QEL_BINARY_CASE(name, o) \
    case o: return static_cast<Instruction::Code>(Instruction::name##S + static_cast<int>(form));
        QEL_BINARY_OPERATORS(QEL_BINARY_CASE)
#undef QEL_BINARY_CASE
    default: return std::nullopt;
    }
}

// A value at compile time: either already produced on the run-time stack,
// or a variable or number not pushed yet.
struct Operand {
    enum Kind {
        OnStack,
        Variable,
        Constant
    } kind;
    int32_t variable;
    double constant;

    static Operand Stack() { return {OnStack, -1, 0.0}; }
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
    void EmitBinary(OperatorCode op, const Operand &left, const Operand &right);
    void Materialise(const Operand &o);
    void Grow()
    {
        ++depth_;
        maxDepth_ = std::max(maxDepth_, depth_);
    }
    Instruction &Emit(Instruction::Code c)
    {
        Instruction i;
        i.code = c;
        i.variable = -1;
        i.constant = 0.0;
        i.handler = nullptr;
        code_.push_back(i);
        return code_.back();
    }

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
    Operand &x = operands_.back();
    const auto code = UnaryCode(op, x.kind == Operand::Variable);
    if (!code)
        return false;
    if (x.kind == Operand::Variable) {
        Emit(*code).variable = x.variable;
        Grow();
    } else {
        Materialise(x);
        Emit(*code);
    }
    x = Operand::Stack();
    return true;
}

bool Builder::AddBinary(OperatorCode op)
{
    if (operands_.size() < 2 || !BinaryCode(op, Form::S))
        return false;
    const Operand right = operands_.back();
    operands_.pop_back();
    const Operand left = operands_.back();
    if (left.kind == Operand::Constant && right.kind == Operand::Constant) {
        // The very operation the evaluator would do, done once.
        operands_.back() = {Operand::Constant, -1, ApplyBinary(op, left.constant, right.constant)};
        return true;
    }
    operands_.back() = Operand::Stack();
    EmitBinary(op, left, right);
    return true;
}

void Builder::EmitBinary(OperatorCode op, const Operand &left, const Operand &right)
{
    const bool leftLeaf = left.kind != Operand::OnStack;
    const bool rightLeaf = right.kind != Operand::OnStack;

    // a e c is a * pow(10, c), and c'b is pow(b, 1/c): the constant factor
    // and exponent are the same double operations done once here.
    if (op == OpTimesTenPower && right.kind == Operand::Constant) {
        EmitBinary(OpMultiply, left, {Operand::Constant, -1, std::pow(10.0, right.constant)});
        return;
    }
    if (op == OpRoot && left.kind == Operand::Constant) {
        EmitBinary(OpPower, right, {Operand::Constant, -1, 1.0 / left.constant});
        return;
    }

    Form form;
    if (leftLeaf && rightLeaf) {
        if (left.kind == Operand::Variable)
            form = right.kind == Operand::Variable ? Form::VV : Form::VC;
        else
            form = Form::CV;
        Grow();
    } else if (rightLeaf) {
        form = right.kind == Operand::Variable ? Form::V : Form::C;
    } else if (leftLeaf) {
        form = left.kind == Operand::Variable ? Form::LV : Form::LC;
    } else {
        form = Form::S;
        --depth_;
    }

    Instruction &i = Emit(*BinaryCode(op, form));
    // clang-format off
    switch (form) {
    case Form::S: break;
    case Form::V: i.variable = right.variable; break;
    case Form::C: i.constant = right.constant; break;
    case Form::LV: i.variable = left.variable; break;
    case Form::LC: i.constant = left.constant; break;
    case Form::VV: i.variable = left.variable; i.variable2 = right.variable; break;
    case Form::VC: i.variable = left.variable; i.constant = right.constant; break;
    case Form::CV: i.constant = left.constant; i.variable = right.variable; break;
    }
    // clang-format on
}

void Builder::Materialise(const Operand &o)
{
    if (o.kind == Operand::OnStack)
        return;
    if (o.kind == Operand::Variable)
        Emit(Instruction::PushVariable).variable = o.variable;
    else
        Emit(Instruction::PushConstant).constant = o.constant;
    Grow();
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
    const bool inlineOnly = std::all_of(code_.begin(), code_.end(),
                                        [](const Instruction &i) { return IsInline(i.code); });
    runner_ = Evaluator::Link(code_, inlineOnly);
    // A memo per call; the calls of one function of one variable share one.
    memos_.assign(static_cast<size_t>(std::count_if(code_.begin(), code_.end(),
                                                    [](const Instruction &i) { return IsCallingUnary(i.code); })),
                  CallMemo());
    size_t next = 0;
    for (size_t k = 0; k < code_.size(); ++k) {
        Instruction &i = code_[k];
        bool ofVariable = false;
        if (!IsCallingUnary(i.code, &ofVariable))
            continue;
        i.memo = &memos_[next++];
        for (size_t before = 0; ofVariable && before < k; ++before)
            if (code_[before].code == i.code && code_[before].variable == i.variable) {
                i.memo = code_[before].memo;
                break;
            }
    }
    return true;
}

void Program::ShareMemos(const Program &other)
{
    for (Instruction &i : code_) {
        bool ofVariable = false;
        if (!IsCallingUnary(i.code, &ofVariable) || !ofVariable)
            continue;
        for (const Instruction &o : other.code_)
            if (o.code == i.code && o.variable == i.variable) {
                i.memo = o.memo;
                break;
            }
    }
}

void Program::Clear()
{
    *this = Program(); // releases the instructions' memory too
}

} // namespace qel
