#include "qel/Evaluator.h"

#include "qel/Operators.h"

#include <cstring>

namespace qel {

// Direct threading: every instruction jumps straight to the next one's
// code through a table of label addresses (a GNU extension that GCC and
// Clang support), so each instruction has a branch of its own to predict
// and there is no range check on the code.
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

    // Given values are read where they are and copied afterwards, off the
    // path of the computation.
    const double *variables = values != nullptr ? values : state.current;
    const int32_t mode = state.angleMode;
    const Instruction *ip = state.code;
    double top = 0.0;
    double *sp = state.stack; // stack[0] takes the meaningless register of the first push

#define QEL_NEXT goto *labels[(++ip)->code]
    goto *labels[ip->code];

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

} // namespace qel
