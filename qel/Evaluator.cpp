#include "qel/Evaluator.h"

#include "qel/Operators.h"

#include <cstring>
#include <limits>

namespace qel {

// Direct threading: every instruction carries the address of its code (a
// label address, a GNU extension of GCC and Clang) and ends with a jump
// straight to the next instruction's code, so that each one has a branch of
// its own to predict and there is neither a range check nor a table lookup.
// A runner called without a program hands out its table of code addresses.

namespace {
const void *const *g_runHandlers = nullptr;
const void *const *g_runInlineHandlers = nullptr;

// The given values stay behind as the current values: the copy of the
// call-free runner, for which a call of memcpy, or a loop, would cost more
// than the program.  A table holds a handful of variables, so up to eight
// are copied unrolled.  Wider moves would be fewer, but the caller has just
// stored some of these values, and a load wider than a pending store waits
// for it to reach the cache instead of taking its value directly.
inline void KeepValues(double *to, const double *from, size_t n)
{
    switch (n) {
    default: std::memcpy(to, from, n * sizeof(double)); break;
    case 8: to[7] = from[7]; [[fallthrough]];
    case 7: to[6] = from[6]; [[fallthrough]];
    case 6: to[5] = from[5]; [[fallthrough]];
    case 5: to[4] = from[4]; [[fallthrough]];
    case 4: to[3] = from[3]; [[fallthrough]];
    case 3: to[2] = from[2]; [[fallthrough]];
    case 2: to[1] = from[1]; [[fallthrough]];
    case 1: to[0] = from[0]; [[fallthrough]];
    case 0: break;
    }
}
} // namespace

int32_t NotCompiled(const EvaluationState &, const double *, double *) { return 1; }

#define QEL_NEXT goto *(++ip)->handler

// The table entries of the instructions of one operator, and their code.
#define QEL_UNARY_ENTRIES(name, op) &&name, &&name##V,
#define QEL_BINARY_ENTRIES(name, op) \
    &&name##S, &&name##V, &&name##C, &&name##LV, &&name##LC, &&name##VV, &&name##VC, &&name##CV,
#define QEL_UNARY_MISSING(name, op) &&Missing, &&Missing,
#define QEL_BINARY_MISSING(name, op) \
    &&Missing, &&Missing, &&Missing, &&Missing, &&Missing, &&Missing, &&Missing, &&Missing,

#define QEL_UNARY_CODE(name, op)                    \
    name:                                           \
    top = ops::name(top, mode);                     \
    QEL_NEXT;                                       \
    name##V:                                        \
    sp[1] = top;                                    \
    top = ops::name(variables[ip->variable], mode); \
    ++sp;                                           \
    QEL_NEXT;

#define QEL_BINARY_CODE(name, op)                                       \
    name##S:                                                            \
    top = ops::name(*sp, top);                                          \
    --sp;                                                               \
    QEL_NEXT;                                                           \
    name##V:                                                            \
    top = ops::name(top, variables[ip->variable]);                      \
    QEL_NEXT;                                                           \
    name##C:                                                            \
    top = ops::name(top, ip->constant);                                 \
    QEL_NEXT;                                                           \
    name##LV:                                                           \
    top = ops::name(variables[ip->variable], top);                      \
    QEL_NEXT;                                                           \
    name##LC:                                                           \
    top = ops::name(ip->constant, top);                                 \
    QEL_NEXT;                                                           \
    name##VV:                                                           \
    sp[1] = top;                                                        \
    top = ops::name(variables[ip->variable], variables[ip->variable2]); \
    ++sp;                                                               \
    QEL_NEXT;                                                           \
    name##VC:                                                           \
    sp[1] = top;                                                        \
    top = ops::name(variables[ip->variable], ip->constant);             \
    ++sp;                                                               \
    QEL_NEXT;                                                           \
    name##CV:                                                           \
    sp[1] = top;                                                        \
    top = ops::name(ip->constant, variables[ip->variable]);             \
    ++sp;                                                               \
    QEL_NEXT;

// A push before a call is written as a store above the top and an increment
// after the call (a pop as a read and a decrement after it), so that the
// stack pointer stays in one register across the call.
//
// Given values are read where they are and copied to the current values
// afterwards, off the path of the computation.  stack[0] takes the
// meaningless register of the first push.
#define QEL_RUNNER_START(handlers)                                            \
    if (__builtin_expect(state.code == nullptr, 0)) {                         \
        handlers = labels;                                                    \
        return 1;                                                             \
    }                                                                         \
    const double *const variables = values != nullptr ? values : state.current; \
    const int32_t mode = state.angleMode;                                     \
    const Instruction *ip = state.code;                                       \
    double top = 0.0;                                                         \
    double *sp = state.stack;                                                 \
    goto *ip->handler;                                                        \
    PushVariable:                                                             \
    *++sp = top;                                                              \
    top = variables[ip->variable];                                            \
    QEL_NEXT;                                                                 \
    PushConstant:                                                             \
    *++sp = top;                                                              \
    top = ip->constant;                                                       \
    QEL_NEXT;

int32_t Evaluator::Run(const EvaluationState &state, const double *values, double *out)
{
    static const void *const labels[] = {
        &&PushVariable, &&PushConstant, &&Return,
        QEL_UNARY_OPERATORS(QEL_UNARY_ENTRIES)
        QEL_BINARY_OPERATORS(QEL_BINARY_ENTRIES)
    };
    QEL_RUNNER_START(g_runHandlers)
    QEL_UNARY_OPERATORS(QEL_UNARY_CODE)
    QEL_BINARY_OPERATORS(QEL_BINARY_CODE)
Return:
    *out = top;
    // Values were given.  Beside the library calls of such a program a call
    // of memcpy costs little; measured, the unrolled copy gained nothing
    // here.
    if (variables != state.current && state.count > 0)
        std::memcpy(state.current, variables, state.count * sizeof(double));
    return 0;
}

int32_t Evaluator::RunInline(const EvaluationState &state, const double *values, double *out)
{
    static const void *const labels[] = {
        &&PushVariable, &&PushConstant, &&Return,
        QEL_CALLING_UNARY_OPERATORS(QEL_UNARY_MISSING)
        QEL_INLINE_UNARY_OPERATORS(QEL_UNARY_ENTRIES)
        QEL_CALLING_BINARY_OPERATORS(QEL_BINARY_MISSING)
        QEL_INLINE_BINARY_OPERATORS(QEL_BINARY_ENTRIES)
    };
    QEL_RUNNER_START(g_runInlineHandlers)
    QEL_INLINE_UNARY_OPERATORS(QEL_UNARY_CODE)
    QEL_INLINE_BINARY_OPERATORS(QEL_BINARY_CODE)
Return:
    *out = top;
    if (variables != state.current) // values were given
        KeepValues(state.current, variables, state.count);
    return 0;
Missing: // Link never gives this runner a program with other operators
    *out = std::numeric_limits<double>::quiet_NaN();
    return 0;
}

Runner Evaluator::Link(std::vector<Instruction> &code, bool inlineOnly)
{
    if (g_runHandlers == nullptr) {
        Run(EvaluationState(), nullptr, nullptr);
        RunInline(EvaluationState(), nullptr, nullptr);
    }
    const void *const *handlers = inlineOnly ? g_runInlineHandlers : g_runHandlers;
    for (Instruction &i : code)
        i.handler = handlers[i.code];
    return inlineOnly ? &RunInline : &Run;
}

} // namespace qel
