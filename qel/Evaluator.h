// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: LGPL-3.0-or-later

#ifndef QEL_EVALUATOR_H
#define QEL_EVALUATOR_H

#include "qel/Operators.h"
#include "qel/Program.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace qel {

// Everything one evaluation touches, kept together by the function so that
// execute_function hands on a single pointer and its call of the evaluator
// can be a plain jump.
struct EvaluationState {
    Runner run = nullptr;
    const Instruction *code = nullptr;
    double *stack = nullptr;   // the program's StackSize() slots
    double *current = nullptr; // the variables' current values
    size_t count = 0;          // number of variables
    int32_t angleMode = Radians;
};

// Runs a compiled program: the hot path of the whole system.  No allocation,
// no lookup; the top of the value stack lives in a register.
//
// Two runners: Run takes every instruction; RunInline only the operators
// done inline (arithmetic, comparisons, logic, abs, int, sgn), and since it
// calls nothing it needs no registers saved and restored around a call of
// execute_function, a good part of the cost of a short program.
class Evaluator {
public:
    // Copy values (one per variable, or null) into the current values, which
    // they stay, evaluate with the current values into *out and return 0.
    static int32_t Run(const EvaluationState &state, const double *values, double *out);
    static int32_t RunInline(const EvaluationState &state, const double *values, double *out);

    // Points every instruction at the code for it in the runner that the
    // program will use, and returns that runner.
    static Runner Link(std::vector<Instruction> &code, bool inlineOnly);
};

} // namespace qel

#endif
