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

template <double (*Operation)(double, int32_t)>
inline double Remembered(double x, CallMemo *memo, int32_t mode)
{
    uint64_t bits;
    std::memcpy(&bits, &x, sizeof bits);
    if (bits == memo->operand && mode == memo->mode)
        return memo->result;
    const double result = Operation(x, mode);
    memo->operand = bits;
    memo->mode = mode;
    memo->result = result;
    return result;
}
} // namespace

// clang-format off
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
    *++sp = top;                                    \
    top = ops::name(variables[ip->variable], mode); \
    QEL_NEXT;

#define QEL_BINARY_CODE(name, op)                                       \
    name##S:                                                            \
    top = ops::name(*sp--, top);                                        \
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
    *++sp = top;                                                        \
    top = ops::name(variables[ip->variable], variables[ip->variable2]); \
    QEL_NEXT;                                                           \
    name##VC:                                                           \
    *++sp = top;                                                        \
    top = ops::name(variables[ip->variable], ip->constant);             \
    QEL_NEXT;                                                           \
    name##CV:                                                           \
    *++sp = top;                                                        \
    top = ops::name(ip->constant, variables[ip->variable]);             \
    QEL_NEXT;

// The one-operand operators that call the math library remember their last
// operand and result (CallMemo).
#define QEL_CALLING_UNARY_CODE(name, op)                                  \
    name:                                                                 \
    top = Remembered<ops::name>(top, ip->memo, mode);                     \
    QEL_NEXT;                                                             \
    name##V:                                                              \
    *++sp = top;                                                          \
    top = Remembered<ops::name>(variables[ip->variable], ip->memo, mode); \
    QEL_NEXT;

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
// clang-format on

int32_t Evaluator::Run(const EvaluationState &state, const double *values, double *out)
{
    // clang-format off
    static const void *const labels[] = {
        &&PushVariable, &&PushConstant, &&Return,
        QEL_UNARY_OPERATORS(QEL_UNARY_ENTRIES)
        QEL_BINARY_OPERATORS(QEL_BINARY_ENTRIES)
    };
    QEL_RUNNER_START(g_runHandlers)
    QEL_CALLING_UNARY_OPERATORS(QEL_CALLING_UNARY_CODE)
    QEL_INLINE_UNARY_OPERATORS(QEL_UNARY_CODE)
    QEL_BINARY_OPERATORS(QEL_BINARY_CODE)
    // clang-format on
Return:
    *out = top;
    if (values != nullptr && state.count > 0) // they stay behind as the current values
        std::memcpy(state.current, values, state.count * sizeof(double));
    return 0;
}

int32_t Evaluator::RunInline(const EvaluationState &state, const double *values, double *out)
{
    // clang-format off
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
    // clang-format on
Return:
    *out = top;
    // A loop, not memcpy: a call would cost this runner its reason to be
    // (the build keeps GCC from turning the loop into one).
    if (values != nullptr) {
        double *const current = state.current;
        for (size_t i = 0; i < state.count; ++i)
            current[i] = values[i];
    }
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
