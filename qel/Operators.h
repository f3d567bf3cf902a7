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

enum class OperatorForm : uint8_t {
    Infix,
    Prefix,
    Postfix,
    Marker
};

struct OperatorInfo {
    OperatorForm form;
    uint32_t priority; // at parenthesis depth 0
    int arity;         // operands taken from the value stack
};

// Every enclosing pair of parentheses raises an operator's priority by this.
constexpr uint32_t kParenthesisPriority = 35;

const OperatorInfo &InfoOf(OperatorCode code);

enum AngleMode : int32_t {
    Degrees = 0,
    Radians = 1,
    Grads = 2
};

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

// The logarithms are log2 times a constant, formed in extended precision
// and rounded once (the way the x87 FYL2X instruction computes them); this
// keeps log(1000) at exactly 3.
inline double NaturalLog(long double x)
{
    return static_cast<double>(kLn2 * std::log2(x));
}

inline double Log10(double x)
{
    return static_cast<double>(kLog10Of2 * std::log2(static_cast<long double>(x)));
}

// ln(x + sqrt(x^2 + 1)), taken for |x| and given the sign of x: for a large
// negative x the sum cancels to nothing and the formula would yield -infinity
// (arcsinh(-1e10) is -23.7).
inline double ArcSinh(double x)
{
    const long double w = std::fabs(static_cast<long double>(x));
    const double r = NaturalLog(w + std::sqrt(w * w + 1.0L));
    return x < 0.0 ? -r : r;
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

// One inline function per operator, so that each instruction of the
// evaluator compiles to its operation alone.  x is the operand of a
// one-operand operator (all take the angle mode, most ignore it); a and b
// are the left and right operands.
namespace ops {

inline double Add(double a, double b) { return a + b; }
inline double Subtract(double a, double b) { return a - b; }
inline double Divide(double a, double b) { return a / b; }
inline double Multiply(double a, double b) { return a * b; }
inline double Power(double a, double b) { return std::pow(a, b); }
inline double Root(double a, double b) { return std::pow(b, 1.0 / a); } // the a-th root of b
inline double TenPower(double a, double b) { return a * std::pow(10.0, b); }
inline double Equal(double a, double b) { return qel::Equal(a, b); }
inline double NotEqual(double a, double b) { return qel::NotEqual(a, b); }
inline double Greater(double a, double b) { return qel::Greater(a, b); }
inline double GreaterEqual(double a, double b) { return qel::GreaterEqual(a, b); }
inline double Less(double a, double b) { return qel::Less(a, b); }
inline double LessEqual(double a, double b) { return qel::LessEqual(a, b); }
inline double And(double a, double b) { return qel::And(a, b); }
inline double Or(double a, double b) { return qel::Or(a, b); }
inline double Xor(double a, double b) { return qel::Xor(a, b); }

inline double Sin(double x, int32_t mode) { return std::sin(ToRadians(x, mode)); }
inline double Cos(double x, int32_t mode) { return std::cos(ToRadians(x, mode)); }
inline double Tan(double x, int32_t mode) { return std::tan(ToRadians(x, mode)); }
inline double ArcSin(double x, int32_t mode) { return FromRadians(std::asin(x), mode); }
inline double ArcCos(double x, int32_t mode) { return FromRadians(std::acos(x), mode); }
inline double ArcTan(double x, int32_t mode) { return FromRadians(std::atan(x), mode); }
inline double Log(double x, int32_t) { return Log10(x); }
inline double Ln(double x, int32_t) { return NaturalLog(x); }
inline double Abs(double x, int32_t) { return std::fabs(x); }
inline double Sinh(double x, int32_t mode) { return std::sinh(ToRadians(x, mode)); }
inline double Cosh(double x, int32_t mode) { return std::cosh(ToRadians(x, mode)); }
inline double Tanh(double x, int32_t mode) { return std::tanh(ToRadians(x, mode)); }
inline double ArcSinh(double x, int32_t mode) { return FromRadians(qel::ArcSinh(x), mode); }
inline double ArcCosh(double x, int32_t) { return qel::ArcCosh(x); } // never converted
// The real inverse hyperbolic tangent.  The quotient of the arcsinh and
// arccosh formulas that was once meant here is NaN for |x| < 1, exactly
// where arctanh is defined.
inline double ArcTanh(double x, int32_t mode) { return FromRadians(std::atanh(x), mode); }
inline double Int(double x, int32_t) { return std::trunc(x); }
inline double Frac(double x, int32_t) { return FractionalPart(x); }
inline double Factorial(double x, int32_t) { return qel::Factorial(x); }
inline double Plus(double x, int32_t) { return x; }
inline double Minus(double x, int32_t) { return -x; }
inline double Sign(double x, int32_t) { return qel::Sign(x); }
inline double Not(double x, int32_t) { return Truth(!(x > 0.0)); }

} // namespace ops

// The operators by code: X(function in ops, operator code), split into those
// whose operation calls the math library and those done in a few
// instructions inline, for which the evaluator has a cheaper runner.
// clang-format off
#define QEL_CALLING_UNARY_OPERATORS(X) \
    X(Sin, OpSin) X(Cos, OpCos) X(Tan, OpTan) X(ArcSin, OpArcSin) X(ArcCos, OpArcCos) \
    X(ArcTan, OpArcTan) X(Log, OpLog) X(Ln, OpLn) X(Sinh, OpSinh) X(Cosh, OpCosh) \
    X(Tanh, OpTanh) X(ArcSinh, OpArcSinh) X(ArcCosh, OpArcCosh) X(ArcTanh, OpArcTanh) \
    X(Frac, OpFrac) X(Factorial, OpFactorial)
#define QEL_INLINE_UNARY_OPERATORS(X) \
    X(Abs, OpAbs) X(Int, OpInt) X(Minus, OpMinus) X(Sign, OpSign) X(Not, OpNot)
#define QEL_UNARY_OPERATORS(X) QEL_CALLING_UNARY_OPERATORS(X) QEL_INLINE_UNARY_OPERATORS(X)

#define QEL_CALLING_BINARY_OPERATORS(X) \
    X(Power, OpPower) X(Root, OpRoot) X(TenPower, OpTimesTenPower)
#define QEL_INLINE_BINARY_OPERATORS(X) \
    X(Add, OpAdd) X(Subtract, OpSubtract) X(Divide, OpDivide) X(Multiply, OpMultiply) \
    X(Equal, OpEqual) X(NotEqual, OpNotEqual) X(Greater, OpGreater) \
    X(GreaterEqual, OpGreaterEqual) X(Less, OpLess) X(LessEqual, OpLessEqual) X(And, OpAnd) \
    X(Or, OpOr) X(Xor, OpXor)
#define QEL_BINARY_OPERATORS(X) QEL_CALLING_BINARY_OPERATORS(X) QEL_INLINE_BINARY_OPERATORS(X)
// clang-format on

// The operation of a two-operand operator by code; a is the left operand.
inline double ApplyBinary(OperatorCode code, double a, double b)
{
    switch (code) {
// clang-format off
#define QEL_APPLY_BINARY(name, op) case op: return ops::name(a, b);
// clang-format on
        QEL_BINARY_OPERATORS(QEL_APPLY_BINARY)
#undef QEL_APPLY_BINARY
    default: return std::nan("");
    }
}

// The operation of a one-operand operator by code.
inline double ApplyUnary(OperatorCode code, double x, int32_t mode)
{
    switch (code) {
// clang-format off
#define QEL_APPLY_UNARY(name, op) case op: return ops::name(x, mode);
// clang-format on
        QEL_UNARY_OPERATORS(QEL_APPLY_UNARY)
#undef QEL_APPLY_UNARY
    case OpPlus: return ops::Plus(x, mode);
    default: return std::nan("");
    }
}

} // namespace qel

#endif
