// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: LGPL-3.0-or-later

#include "qel/PostfixConverter.h"

#include "qel/Operators.h"

#include <cstdint>

namespace qel {

std::vector<Token> PostfixConverter::Convert(const std::vector<Token> &infix)
{
    struct Waiting {
        OperatorCode op;
        uint32_t priority;
    };
    std::vector<Waiting> operators;
    std::vector<Token> postfix;
    postfix.reserve(infix.size());
    uint32_t offset = 0;

    auto popWhile = [&](auto condition) {
        while (!operators.empty() && condition(operators.back())) {
            postfix.push_back(Token::Operator(operators.back().op));
            operators.pop_back();
        }
    };

    for (const Token &t : infix) {
        switch (t.kind) {
        case TokenKind::Number:
        case TokenKind::Variable:
            postfix.push_back(t);
            break;
        case TokenKind::Parenthesis:
            if (t.closing)
                offset -= kParenthesisPriority;
            else
                offset += kParenthesisPriority;
            break;
        case TokenKind::Operator:
            if (t.op == OpEnd) {
                popWhile([](const Waiting &) { return true; });
                postfix.push_back(t);
                return postfix;
            }
            const OperatorInfo &info = InfoOf(t.op);
            const uint32_t priority = info.priority + offset;
            if (info.form != OperatorForm::Prefix)
                popWhile([priority](const Waiting &w) { return w.priority >= priority; });
            operators.push_back({t.op, priority});
            break;
        }
    }
    // A successful parse always ends with the end marker; without one the
    // list is left without it and the program builder rejects it.
    return postfix;
}

} // namespace qel
