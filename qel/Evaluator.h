#ifndef QEL_EVALUATOR_H
#define QEL_EVALUATOR_H

#include "qel/Program.h"

#include <cstdint>

namespace qel {

// Runs a compiled program: the hot path of the whole system.  No allocation,
// no lookup; the top of the value stack lives in a register and the rest in
// the caller's array of program.StackSize() slots.
class Evaluator {
public:
    static double Run(const Program &program, const double *variables, double *stack,
                      int32_t angleMode);
};

} // namespace qel

#endif
