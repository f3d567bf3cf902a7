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
    const Instruction *code = nullptr;
    double *stack = nullptr;   // the program's StackSize() slots
    double *current = nullptr; // the variables' current values
    size_t count = 0;          // number of variables
    int32_t angleMode = Radians;
};

// Runs a compiled program: the hot path of the whole system.  No allocation,
// no lookup; the top of the value stack lives in a register.
class Evaluator {
public:
    // Copies values (one per variable, or null) into the current values,
    // which they stay, evaluates with the current values into *out and
    // returns 0.
    static int32_t Run(const EvaluationState &state, const double *values, double *out);

    // Points every instruction at the evaluator's code for it.
    static void Link(std::vector<Instruction> &code);

private:
    // The evaluator's code addresses, by Instruction::Code.
    static const void *const *Handlers();
};

} // namespace qel

#endif
