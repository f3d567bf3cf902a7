#include "qel/Parser.h"

namespace qel {

namespace {

bool AfterOperand(Parser::State s)
{
    return Parser::IsComplete(s);
}

bool ExpectsOperand(Parser::State s)
{
    return s == Parser::Start || s == Parser::AfterOperator;
}

} // namespace

Parser::Result Parser::Run(size_t start)
{
    struct Level {
        State state;
        size_t start; // first character after the level's (
    };
    std::vector<Level> levels{{Start, start}};
    size_t pos = start;

    for (;;) {
        const Step step = Advance(levels.back().state, pos);
        if (step == Step::Advanced)
            continue;
        if (step == Step::OpenedGroup) {
            levels.push_back({Start, pos});
            continue;
        }
        // The level has ended at pos.
        bool ok = IsComplete(levels.back().state);
        for (;;) {
            const size_t childStart = levels.back().start;
            levels.pop_back();
            if (levels.empty())
                return {ok, pos};
            if (ok) {
                levels.back().state = AfterGroup; // its ) must follow at pos
                break;
            }
            // A failed sub-expression leaves its parent on the first character
            // after the (, where state 3 accepts nothing else: the parent
            // ends there and fails in turn.
            pos = childStart;
        }
    }
}

Parser::Step Parser::Advance(State &state, size_t &pos)
{
    if (TakeFunctionName(state, pos) || TakeVariable(state, pos))
        return Step::Advanced;
    if (state == AfterOpenParen)
        return Step::OpenedGroup;
    if (TakeNumber(state, pos))
        return Step::Advanced;
    return TakeCharacter(state, pos);
}

bool Parser::TakeFunctionName(State &state, size_t &pos)
{
    if (!ExpectsOperand(state) && !AfterOperand(state))
        return false;
    const auto f = scanner_.FunctionName(pos);
    if (!f)
        return false;
    if (AfterOperand(state))
        ImplicitMultiplication();
    AppendOperator(f->op);
    pos += f->length;
    state = AfterPrefix;
    return true;
}

bool Parser::TakeVariable(State &state, size_t &pos)
{
    const bool operandDue = ExpectsOperand(state) || state == AfterPrefix;
    if (!operandDue && !AfterOperand(state))
        return false;
    const auto v = scanner_.Variable(pos);
    if (!v)
        return false;
    if (AfterOperand(state))
        ImplicitMultiplication();
    Append(Token::Variable(v->index));
    pos += v->length;
    state = AfterVariable;
    return true;
}

bool Parser::TakeNumber(State &state, size_t &pos)
{
    std::optional<Scanner::NumberMatch> n;
    if (ExpectsOperand(state) || state == AfterPrefix) {
        n = scanner_.Number(pos, true);
    } else if (state == AfterFactorial) {
        // 3!2 is 3!*2.  Unsigned only: 3!-2 stays a subtraction.
        n = scanner_.Number(pos, false);
        if (n)
            ImplicitMultiplication();
    }
    if (!n)
        return false;
    Append(Token::Number(n->value));
    pos += n->length;
    state = AfterNumber;
    return true;
}

Parser::Step Parser::TakeCharacter(State &state, size_t &pos)
{
    if (scanner_.AtEnd(pos)) {
        AppendOperator(OpEnd);
        return Step::Ended;
    }
    const char c = scanner_.At(pos);
    const char next = scanner_.At(pos + 1);
    const bool operand = AfterOperand(state);

    auto infix = [&](OperatorCode op, size_t length) {
        AppendOperator(op);
        pos += length;
        state = AfterOperator;
        return Step::Advanced;
    };

    switch (c) {
    case '+':
    case '-':
        if (state == Start) {
            AppendOperator(c == '+' ? OpPlus : OpMinus);
            ++pos;
            state = AfterOperator;
            return Step::Advanced;
        }
        if (operand)
            return infix(c == '+' ? OpAdd : OpSubtract, 1);
        break;
    // clang-format off
    case '*': if (operand) return infix(OpMultiply, 1); break;
    case '/': if (operand) return infix(OpDivide, 1); break;
    case '^': if (operand) return infix(OpPower, 1); break;
    case '\'': if (operand) return infix(OpRoot, 1); break;
    case 'e': if (operand) return infix(OpTimesTenPower, 1); break;
    case '=': if (operand) return infix(OpEqual, 1); break;
    case '&': if (operand) return infix(OpAnd, 1); break;
    // clang-format on
    case '>':
        if (operand)
            return next == '=' ? infix(OpGreaterEqual, 2) : infix(OpGreater, 1);
        break;
    case '<':
        if (operand)
            return next == '=' ? infix(OpLessEqual, 2) : infix(OpLess, 1);
        break;
    case '|':
        if (operand)
            return next == '|' ? infix(OpXor, 2) : infix(OpOr, 1);
        break;
    case 'n':
        if (next == '=') {
            if (operand)
                return infix(OpNotEqual, 2);
            break;
        }
        if (ExpectsOperand(state) || operand) {
            if (operand)
                ImplicitMultiplication(); // xny is x*(n y)
            AppendOperator(OpNot);
            ++pos;
            state = AfterPrefix;
            return Step::Advanced;
        }
        break;
    case '!':
        if (state == AfterNumber || state == AfterVariable) {
            AppendOperator(OpFactorial);
            ++pos;
            state = AfterFactorial;
            return Step::Advanced;
        }
        break;
    case '(':
        if (ExpectsOperand(state) || state == AfterPrefix || operand) {
            if (operand)
                ImplicitMultiplication();
            Append(Token::Parenthesis(false));
            ++pos;
            state = AfterOpenParen;
            return Step::Advanced;
        }
        break;
    case ')':
        if (state == AfterGroup) {
            Append(Token::Parenthesis(true));
            ++pos;
            state = AfterNumber;
            return Step::Advanced;
        }
        break;
    default:
        break;
    }
    return Step::Ended; // not accepted here: the analysis of this level ends
}

} // namespace qel
