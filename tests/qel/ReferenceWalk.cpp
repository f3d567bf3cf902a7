// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ReferenceWalk.h"

#include "qel/Operators.h"

#include <cmath>
#include <cstring>
#include <vector>

double PlainPostfixWalk(const qel::QelFunction &f, const double *values, bool *wellFormed)
{
    auto malformed = [wellFormed] {
        if (wellFormed)
            *wellFormed = false;
        return std::nan("");
    };
    if (wellFormed)
        *wellFormed = true;
    std::vector<double> stack;
    for (const qel::Token &t : f.Postfix()) {
        switch (t.kind) {
        case qel::TokenKind::Number:
            stack.push_back(t.value);
            break;
        case qel::TokenKind::Variable:
            stack.push_back(values[t.variable]);
            break;
        case qel::TokenKind::Operator: {
            if (t.op == qel::OpEnd)
                return stack.size() == 1 ? stack.back() : malformed();
            const int arity = qel::InfoOf(t.op).arity;
            if (stack.size() < size_t(arity))
                return malformed();
            if (arity == 1) {
                stack.back() = qel::ApplyUnary(t.op, stack.back(), f.AngleMode());
            } else {
                const double b = stack.back();
                stack.pop_back();
                stack.back() = qel::ApplyBinary(t.op, stack.back(), b);
            }
            break;
        }
        case qel::TokenKind::Parenthesis:
            return malformed();
        }
    }
    return malformed();
}

bool SameBits(double a, double b)
{
    // Which of two NaN operands x86 passes on depends on the order in which
    // the compiler puts the operands of a commutative instruction, so any NaN
    // stands for any other.
    if (std::isnan(a) && std::isnan(b))
        return true;
    return std::memcmp(&a, &b, sizeof a) == 0;
}
