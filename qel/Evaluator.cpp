#include "qel/Evaluator.h"

#include "qel/Operators.h"

#include <cstring>

namespace qel {

namespace {
// Filled by the first call of Run, which has no program to run.
const void *const *g_handlers = nullptr;
} // namespace

// Direct threading: every instruction carries the address of its code (a
// label address, a GNU extension of GCC and Clang) and ends with a jump
// straight to the next instruction's code, so that each one has a branch of
// its own to predict and there is neither a range check nor a table lookup.
int32_t Evaluator::Run(const EvaluationState &state, const double *values, double *out)
{
    static const void *const labels[] = {
        &&PushVariable,
        &&PushConstant,
        &&Return,
#define QEL_UNARY_LABEL(name, op) &&name, &&name##V,
        QEL_UNARY_OPERATORS(QEL_UNARY_LABEL)
#undef QEL_UNARY_LABEL
#define QEL_BINARY_LABELS(name, op) \
    &&name##S, &&name##V, &&name##C, &&name##LV, &&name##LC, &&name##VV, &&name##VC, &&name##CV,
        QEL_BINARY_OPERATORS(QEL_BINARY_LABELS)
#undef QEL_BINARY_LABELS
    };

    if (__builtin_expect(state.code == nullptr, 0)) {
        g_handlers = labels;
        return 1;
    }

    // Given values are read where they are and copied afterwards, off the
    // path of the computation.
    const double *variables = values != nullptr ? values : state.current;
    const int32_t mode = state.angleMode;
    const Instruction *ip = state.code;
    double top = 0.0;
    double *sp = state.stack; // stack[0] takes the meaningless register of the first push

#define QEL_NEXT goto *(++ip)->handler
    goto *ip->handler;

PushVariable:
    *++sp = top;
    top = variables[ip->variable];
    QEL_NEXT;
PushConstant:
    *++sp = top;
    top = ip->constant;
    QEL_NEXT;
Return:
    *out = top;
    if (values != nullptr && state.count > 0) // they stay behind as the current values
        std::memcpy(state.current, values, state.count * sizeof(double));
    return 0;

#define QEL_UNARY_EXEC(name, op)                       \
    name:                                              \
    top = ops::name(top, mode);                        \
    QEL_NEXT;                                          \
    name##V:                                           \
    *++sp = top;                                       \
    top = ops::name(variables[ip->variable], mode);    \
    QEL_NEXT;
    QEL_UNARY_OPERATORS(QEL_UNARY_EXEC)
#undef QEL_UNARY_EXEC

#define QEL_BINARY_EXEC(name, op)                         \
    name##S:                                              \
    top = ops::name(*sp--, top);                          \
    QEL_NEXT;                                             \
    name##V:                                              \
    top = ops::name(top, variables[ip->variable]);        \
    QEL_NEXT;                                             \
    name##C:                                              \
    top = ops::name(top, ip->constant);                   \
    QEL_NEXT;                                             \
    name##LV:                                             \
    top = ops::name(variables[ip->variable], top);        \
    QEL_NEXT;                                             \
    name##LC:                                             \
    top = ops::name(ip->constant, top);                   \
    QEL_NEXT;                                             \
    name##VV:                                             \
    *++sp = top;                                          \
    top = ops::name(variables[ip->variable], variables[ip->variable2]); \
    QEL_NEXT;                                             \
    name##VC:                                             \
    *++sp = top;                                          \
    top = ops::name(variables[ip->variable], ip->constant); \
    QEL_NEXT;                                             \
    name##CV:                                             \
    *++sp = top;                                          \
    top = ops::name(ip->constant, variables[ip->variable]); \
    QEL_NEXT;
    QEL_BINARY_OPERATORS(QEL_BINARY_EXEC)
#undef QEL_BINARY_EXEC
#undef QEL_NEXT
}

const void *const *Evaluator::Handlers()
{
    if (g_handlers == nullptr)
        Run(EvaluationState(), nullptr, nullptr);
    return g_handlers;
}

void Evaluator::Link(std::vector<Instruction> &code)
{
    const void *const *handlers = Handlers();
    for (Instruction &i : code)
        i.handler = handlers[i.code];
}

} // namespace qel
