// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: LGPL-3.0-or-later

#ifndef QEL_POSTFIXCONVERTER_H
#define QEL_POSTFIXCONVERTER_H

#include "qel/Token.h"

#include <vector>

namespace qel {

// Turns the infix list of a successful parse into postfix order by operator
// priority.  Every pair of parentheses raises the priorities inside it; an
// operator pops the waiting operators of higher or equal priority first, so
// all infix operators associate to the left, ^ included.
//
// A prefix operator (function names, leading signs, n) pops nothing: it
// arrives where an operand is due, so every operator still waiting is waiting
// for the operand that the prefix operator begins.  Popping them would leave
// them without their right operand (2esinx, -nx).
class PostfixConverter {
public:
    static std::vector<Token> Convert(const std::vector<Token> &infix);
};

} // namespace qel

#endif
