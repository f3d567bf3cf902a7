// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: LGPL-3.0-or-later

#ifndef QEL_TOKEN_H
#define QEL_TOKEN_H

#include <cstdint>

namespace qel {

// The operator codes of the language.  The numbers are part of the layout of
// the compiled form and must not be reordered.
enum OperatorCode : uint8_t {
    OpAdd = 0,
    OpSubtract = 1,
    OpDivide = 2,
    OpMultiply = 3,
    OpPower = 4,
    OpRoot = 5,
    OpSin = 6,
    OpCos = 7,
    OpTan = 8,
    OpArcSin = 9,
    OpArcCos = 10,
    OpArcTan = 11,
    OpLog = 12,
    OpLn = 13,
    OpAbs = 14,
    OpSinh = 15,
    OpCosh = 16,
    OpTanh = 17,
    OpArcSinh = 18,
    OpArcCosh = 19,
    OpArcTanh = 20,
    OpInt = 21,
    OpFrac = 22,
    OpTimesTenPower = 23,
    OpFactorial = 24,
    OpPlus = 25,
    OpMinus = 26,
    OpSign = 27,
    OpEqual = 28,
    OpNotEqual = 29,
    OpGreater = 30,
    OpGreaterEqual = 31,
    OpLess = 32,
    OpLessEqual = 33,
    OpNot = 34,
    OpAnd = 35,
    OpOr = 36,
    OpXor = 37,
    OpEnd = 38,
};

constexpr int kOperatorCount = 39;

enum class TokenKind : char {
    Number = 'n',
    Variable = 'v',
    Operator = 'o',
    Parenthesis = 'p',
};

// One element of the infix and postfix lists.
struct Token {
    TokenKind kind = TokenKind::Number;
    OperatorCode op = OpEnd;   // Operator only
    bool closing = false;      // Parenthesis only
    int32_t variable = -1;     // Variable only: index into the variable table
    double value = 0.0;        // Number only

    static Token Number(double v)
    {
        Token t;
        t.kind = TokenKind::Number;
        t.value = v;
        return t;
    }
    static Token Variable(int32_t index)
    {
        Token t;
        t.kind = TokenKind::Variable;
        t.variable = index;
        return t;
    }
    static Token Operator(OperatorCode code)
    {
        Token t;
        t.kind = TokenKind::Operator;
        t.op = code;
        return t;
    }
    static Token Parenthesis(bool isClosing)
    {
        Token t;
        t.kind = TokenKind::Parenthesis;
        t.closing = isClosing;
        return t;
    }
};

} // namespace qel

#endif
