#ifndef QEL_OPERATORS_H
#define QEL_OPERATORS_H

// The operator table and the numeric meaning of every operator.  The
// evaluator and the reference walk of the tests both call these inline
// functions, so a fused instruction computes exactly what the plain walk
// computes.

#include "qel/Token.h"

#include <cmath>
#include <cstdint>

namespace qel {

enum class OperatorForm : uint8_t { Infix, Prefix, Postfix, Marker };

struct OperatorInfo {
    OperatorForm form;
    uint32_t priority; // at parenthesis depth 0
    int arity;         // operands taken from the value stack
};

// Every enclosing pair of parentheses raises an operator's priority by this.
constexpr uint32_t kParenthesisPriority = 35;

const OperatorInfo &InfoOf(OperatorCode code);

enum AngleMode : int32_t { Degrees = 0, Radians = 1, Grads = 2 };

constexpr double kPi = 3.141592653589793;
constexpr double kOneOverPi = 0.3183098861837907;
constexpr double kOneOver180 = 0.005555555555555556;
constexpr double kOneOver200 = 0.005;
constexpr long double kLn2 = 0.693147180559945309417232121458176568L;
constexpr long double kLog10Of2 = 0.301029995663981195213738894724493027L;

inline double ToRadians(double x, int32_t mode)
{
    if (mode == Degrees)
        return x * kPi * kOneOver180;
    if (mode == Grads)
        return x * kPi * kOneOver200;
    return x;
}

inline double FromRadians(double r, int32_t mode)
{
    if (mode == Degrees)
        return r * 180.0 * kOneOverPi;
    if (mode == Grads)
        return r * 200.0 * kOneOverPi;
    return r;
}

// The logarithms are formed from log2 in extended precision and rounded
// once, as the x87 instruction they were designed around does; this keeps
// log(1000) at exactly 3.
inline double NaturalLog(long double x)
{
    return static_cast<double>(kLn2 * std::log2(x));
}

inline double Log10(double x)
{
    return static_cast<double>(kLog10Of2 * std::log2(static_cast<long double>(x)));
}

inline double ArcSinh(double x)
{
    const long double w = x;
    return NaturalLog(w + std::sqrt(w * w + 1.0L));
}

inline double ArcCosh(double x)
{
    const long double w = x;
    return NaturalLog(w + std::sqrt(w * w - 1.0L));
}

double Factorial(double x);

inline double Truth(bool b) { return b ? 1.0 : 0.0; }

inline double Sign(double x)
{
    if (x > 0.0)
        return 1.0;
    if (x < 0.0)
        return -1.0;
    return 0.0; // zero and NaN
}

inline double FractionalPart(double x)
{
    double whole;
    return std::modf(x, &whole);
}

// Comparisons with a NaN operand count as "unordered": =, < and <= hold,
// n=, > and >= do not.
inline double Equal(double a, double b) { return Truth(!(a < b) && !(a > b)); }
inline double NotEqual(double a, double b) { return Truth(a < b || a > b); }
inline double Greater(double a, double b) { return Truth(a > b); }
inline double GreaterEqual(double a, double b) { return Truth(a >= b); }
inline double Less(double a, double b) { return Truth(!(a >= b)); }
inline double LessEqual(double a, double b) { return Truth(!(a > b)); }
inline double And(double a, double b) { return Truth(a > 0.0 && b > 0.0); }
inline double Or(double a, double b) { return Truth(a > 0.0 || b > 0.0); }
inline double Xor(double a, double b) { return Truth((a > 0.0) != (b > 0.0)); }

inline double Power(double a, double b) { return std::pow(a, b); }
inline double Root(double a, double b) { return std::pow(b, 1.0 / a); }
inline double TimesTenPower(double a, double b) { return a * std::pow(10.0, b); }

// The operations of the two-operand operators; a is the left operand.
inline double ApplyBinary(OperatorCode code, double a, double b)
{
    switch (code) {
    case OpAdd: return a + b;
    case OpSubtract: return a - b;
    case OpDivide: return a / b;
    case OpMultiply: return a * b;
    case OpPower: return Power(a, b);
    case OpRoot: return Root(a, b);
    case OpTimesTenPower: return TimesTenPower(a, b);
    case OpEqual: return Equal(a, b);
    case OpNotEqual: return NotEqual(a, b);
    case OpGreater: return Greater(a, b);
    case OpGreaterEqual: return GreaterEqual(a, b);
    case OpLess: return Less(a, b);
    case OpLessEqual: return LessEqual(a, b);
    case OpAnd: return And(a, b);
    case OpOr: return Or(a, b);
    case OpXor: return Xor(a, b);
    default: return std::nan("");
    }
}

// The operations of the one-operand operators.
inline double ApplyUnary(OperatorCode code, double x, int32_t mode)
{
    switch (code) {
    case OpSin: return std::sin(ToRadians(x, mode));
    case OpCos: return std::cos(ToRadians(x, mode));
    case OpTan: return std::tan(ToRadians(x, mode));
    case OpArcSin: return FromRadians(std::asin(x), mode);
    case OpArcCos: return FromRadians(std::acos(x), mode);
    case OpArcTan: return FromRadians(std::atan(x), mode);
    case OpLog: return Log10(x);
    case OpLn: return NaturalLog(x);
    case OpAbs: return std::fabs(x);
    case OpSinh: return std::sinh(ToRadians(x, mode));
    case OpCosh: return std::cosh(ToRadians(x, mode));
    case OpTanh: return std::tanh(ToRadians(x, mode));
    case OpArcSinh: return FromRadians(ArcSinh(x), mode);
    case OpArcCosh: return ArcCosh(x); // never converted
    // The real inverse hyperbolic tangent: the quotient of the arcsinh and
    // arccosh formulas that was once used here is NaN for |x| < 1, exactly
    // where arctanh is defined.
    case OpArcTanh: return FromRadians(std::atanh(x), mode);
    case OpInt: return std::trunc(x);
    case OpFrac: return FractionalPart(x);
    case OpFactorial: return Factorial(x);
    case OpPlus: return x;
    case OpMinus: return -x;
    case OpSign: return Sign(x);
    case OpNot: return Truth(!(x > 0.0));
    default: return std::nan("");
    }
}

} // namespace qel

#endif
