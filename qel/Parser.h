#ifndef QEL_PARSER_H
#define QEL_PARSER_H

#include "qel/Scanner.h"
#include "qel/Token.h"

#include <cstddef>
#include <vector>

namespace qel {

// The state machine that checks an expression text and builds its infix
// token list.  A parenthesised sub-expression is analysed as a level of its
// own; the levels live on an explicit stack, so that any depth of nesting
// costs heap memory, never call-stack frames.
//
// Four inputs would leave the postfix program incomplete if taken literally
// from the transition table; they are completed the way a user means them:
//   - a variable or an unsigned number directly after `!` multiplies
//     implicitly: 3!x is 3!*x, 3!2 is 3!*2;
//   - `n` (not) directly after an operand multiplies implicitly: xny is
//     x*(n y);
//   - a prefix operator is pushed without popping the operator stack (see
//     PostfixConverter), so -nx is -(n x) and 2esinx is 2e(sin x).
class Parser {
public:
    enum State {
        Start = 0,          // beginning of the text or of a sub-expression
        AfterNumber = 1,    // after a number or a closing parenthesis
        AfterOperator = 2,  // after an infix operator or a leading sign
        AfterOpenParen = 3,
        AfterGroup = 4,     // a sub-expression has been read, its ) is due
        AfterPrefix = 5,    // after a function name or n
        AfterFactorial = 6,
        AfterVariable = 7,
    };

    struct Result {
        bool ok;
        // Index of the character at which the analysis ended; the length of
        // the text on success.
        size_t stop;
    };

    Parser(const Scanner &scanner, std::vector<Token> &infix) : scanner_(scanner), infix_(infix) {}

    // Analyses one expression starting at `start` (0: the whole text).  It
    // ends at the end of the text or at the first character it cannot take,
    // which a tuple's caller then reads as its ',' or ')'.
    Result Run(size_t start = 0);

    static bool IsComplete(State s)
    {
        return s == AfterNumber || s == AfterFactorial || s == AfterVariable;
    }

private:
    enum class Step {
        Advanced,
        OpenedGroup,
        Ended
    };

    Step Advance(State &state, size_t &pos);
    bool TakeFunctionName(State &state, size_t &pos);
    bool TakeVariable(State &state, size_t &pos);
    bool TakeNumber(State &state, size_t &pos);
    Step TakeCharacter(State &state, size_t &pos);

    void Append(const Token &t) { infix_.push_back(t); }
    void AppendOperator(OperatorCode op) { Append(Token::Operator(op)); }
    void ImplicitMultiplication() { AppendOperator(OpMultiply); }

    const Scanner &scanner_;
    std::vector<Token> &infix_;
};

} // namespace qel

#endif
