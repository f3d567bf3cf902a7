// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef QEL_REFERENCE_WALK_H
#define QEL_REFERENCE_WALK_H

#include "qel/QelFunction.h"

// The plain walk over the postfix list, one token after another, with a
// value stack: the meaning of a compiled function, against which the
// evaluator's fused program is held bit for bit.  A list that a walk cannot
// finish (a parenthesis, an operator short of operands, no end marker, more
// than one value left) gives NaN and clears *wellFormed when it is given.
double PlainPostfixWalk(const qel::QelFunction &f, const double *values, bool *wellFormed = nullptr);

// Identical bits, or both NaN.
bool SameBits(double a, double b);

#endif
