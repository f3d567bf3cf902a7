#include "qel/Evaluator.h"

#include "qel/Operators.h"

namespace qel {

double Evaluator::Run(const Program &program, const double *variables, double *stack,
                      int32_t angleMode)
{
    double top = 0.0;
    double *sp = stack; // stack[0] takes the meaningless register of the first push
    for (const Instruction *ip = program.Code();; ++ip) {
        switch (ip->code) {
        case Instruction::PushVariable:
            *++sp = top;
            top = variables[ip->variable];
            break;
        case Instruction::PushConstant:
            *++sp = top;
            top = ip->constant;
            break;
        case Instruction::Return:
            return top;
#define QEL_UNARY_EXEC(name, op) \
    case Instruction::name: top = ApplyUnary(op, top, angleMode); break;
            QEL_UNARY_OPERATORS(QEL_UNARY_EXEC)
#undef QEL_UNARY_EXEC
#define QEL_BINARY_EXEC(name, op)                                                          \
    case Instruction::name##S: top = ApplyBinary(op, *sp, top); --sp; break;                \
    case Instruction::name##V: top = ApplyBinary(op, top, variables[ip->variable]); break;  \
    case Instruction::name##C: top = ApplyBinary(op, top, ip->constant); break;             \
    case Instruction::name##LV: top = ApplyBinary(op, variables[ip->variable], top); break; \
    case Instruction::name##LC: top = ApplyBinary(op, ip->constant, top); break;
            QEL_BINARY_OPERATORS(QEL_BINARY_EXEC)
#undef QEL_BINARY_EXEC
        }
    }
}

} // namespace qel
