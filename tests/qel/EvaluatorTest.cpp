// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The numeric meaning of the operators: angle units, factorial, NaN rules.

#include "QelTestSupport.h"

#include <cmath>
#include <limits>

namespace {

const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();

TEST(Evaluator, ArithmeticAndPowers)
{
    const Vars v{{"x", 0.5}, {"y", 2.0}};
    EXPECT_EQ(Eval("x+y", v), 2.5);
    EXPECT_EQ(Eval("x-y", v), -1.5);
    EXPECT_EQ(Eval("x/y", v), 0.25);
    EXPECT_EQ(Eval("x*y", v), 1.0);
    EXPECT_EQ(Eval("x^y", v), 0.25);
    EXPECT_EQ(Eval("3'8", v), 2.0);
    EXPECT_EQ(Eval("y'9", v), 3.0);
    EXPECT_EQ(Eval("2^0.5", v), std::sqrt(Opaque(2.0)));
    EXPECT_EQ(Eval("0.1^3", v), std::pow(Opaque(0.1), 3.0));
    EXPECT_EQ(Eval("-x", v), -0.5);
    EXPECT_EQ(Eval("+x", v), 0.5);
}

TEST(Evaluator, FunctionsInRadians)
{
    const Vars v{{"x", 0.3}};
    EXPECT_EQ(Eval("sinx", v), std::sin(Opaque(0.3)));
    EXPECT_EQ(Eval("cosx", v), std::cos(Opaque(0.3)));
    EXPECT_EQ(Eval("tanx", v), std::tan(Opaque(0.3)));
    EXPECT_EQ(Eval("arcsinx", v), std::asin(Opaque(0.3)));
    EXPECT_EQ(Eval("arccosx", v), std::acos(Opaque(0.3)));
    EXPECT_EQ(Eval("arctanx", v), std::atan(Opaque(0.3)));
    EXPECT_EQ(Eval("sinhx", v), std::sinh(Opaque(0.3)));
    EXPECT_EQ(Eval("coshx", v), std::cosh(Opaque(0.3)));
    EXPECT_EQ(Eval("tanhx", v), std::tanh(Opaque(0.3)));
    EXPECT_EQ(Eval("arctanhx", v), std::atanh(Opaque(0.3)));
    EXPECT_DOUBLE_EQ(Eval("arcsinhx", v), std::asinh(Opaque(0.3)));
    EXPECT_DOUBLE_EQ(Eval("arccosh2", v), std::acosh(Opaque(2.0)));
    EXPECT_DOUBLE_EQ(Eval("arcsinh(-3)", v), std::asinh(Opaque(-3.0)));
    EXPECT_DOUBLE_EQ(Eval("arcsinh(-10000000000)", v), std::asinh(Opaque(-1e10)));
    EXPECT_EQ(Eval("arcsinh(-2)", v), -Eval("arcsinh2", v));
    EXPECT_EQ(Eval("arcsinh0", v), 0.0);
    EXPECT_EQ(Eval("abs(-3)", v), 3.0);
    EXPECT_EQ(Eval("abs-3", v), 3.0);
}

TEST(Evaluator, LogarithmsAreExactOnPowers)
{
    EXPECT_EQ(Eval("log1000", {}), 3.0);
    EXPECT_EQ(Eval("log0.001", {}), -3.0);
    EXPECT_EQ(Eval("log1", {}), 0.0);
    EXPECT_EQ(Eval("ln1", {}), 0.0);
    EXPECT_DOUBLE_EQ(Eval("ln2.718281828459045", {}), 1.0);
    EXPECT_DOUBLE_EQ(Eval("ln10", {}), std::log(Opaque(10.0)));
    EXPECT_EQ(Eval("int(log1000)", {}), 3.0);
}

TEST(Evaluator, AngleUnits)
{
    EXPECT_EQ(Eval("sin90", {}, qel::Degrees), 1.0);
    EXPECT_EQ(Eval("arcsin1", {}, qel::Degrees), 90.0);
    EXPECT_EQ(Eval("arctan1", {}, qel::Degrees), 45.0);
    EXPECT_EQ(Eval("sinh90", {}, qel::Degrees), Eval("sinh(3.141592653589793/2)", {}));
    EXPECT_EQ(Eval("cos200", {}, qel::Grads), -1.0);
    EXPECT_EQ(Eval("arctan1", {}, qel::Grads), 50.0);
    EXPECT_EQ(Eval("arccos(-1)", {}, qel::Grads), 200.0);

    // The conversion factors are applied in order, as written.
    const Vars v{{"x", 0.7}};
    EXPECT_EQ(Eval("sinx", v, qel::Degrees),
              std::sin(Opaque(0.7) * 3.141592653589793 * 0.005555555555555556));
    EXPECT_EQ(Eval("tanhx", v, qel::Grads), std::tanh(Opaque(0.7) * 3.141592653589793 * 0.005));
    EXPECT_EQ(Eval("arcsinx", v, qel::Grads), std::asin(Opaque(0.7)) * 200.0 * 0.3183098861837907);
    EXPECT_EQ(Eval("arctanhx", v, qel::Degrees),
              std::atanh(Opaque(0.7)) * 180.0 * 0.3183098861837907);

    // arcsinh returns through the conversion, arccosh never does.
    EXPECT_DOUBLE_EQ(Eval("arcsinhx", v, qel::Degrees),
                     std::log(Opaque(0.7) + std::sqrt(Opaque(0.7) * 0.7 + 1)) * 180.0 / M_PI);
    EXPECT_EQ(Eval("arccosh3", {}, qel::Degrees), Eval("arccosh3", {}, qel::Radians));
    EXPECT_EQ(Eval("arccosh3", {}, qel::Grads), Eval("arccosh3", {}, qel::Radians));
}

TEST(Evaluator, Factorial)
{
    EXPECT_EQ(Eval("0!", {}), 1.0);
    EXPECT_EQ(Eval("1!", {}), 1.0);
    EXPECT_EQ(Eval("5!", {}), 120.0);
    EXPECT_EQ(Eval("2.9!", {}), 2.0);
    EXPECT_EQ(Eval("20!", {}), 2432902008176640000.0);
    EXPECT_TRUE(std::isfinite(Eval("170!", {})));
    EXPECT_GT(Eval("170!", {}), 7.25e306);
    EXPECT_EQ(Eval("171!", {}), kInf);
    EXPECT_EQ(Eval("(-1)!", {}), kInf);
    EXPECT_EQ(Eval("(-2147483648)!", {}), kInf);
    EXPECT_EQ(Eval("(-0.5)!", {}), 1.0);
    EXPECT_EQ(Eval("(ln(-1))!", {}), 1.0);
    // Beyond 32 bits the argument is not reduced to its low bits.
    EXPECT_EQ(Eval("4294967301!", {}), kInf);
    EXPECT_EQ(Eval("(1/0)!", {}), kInf);
}

TEST(Evaluator, IntegerAndFractionalParts)
{
    EXPECT_EQ(Eval("int(-2.5)", {}), -2.0);
    EXPECT_EQ(Eval("frac(-2.5)", {}), -0.5);
    EXPECT_EQ(Eval("int2.75", {}), 2.0);
    EXPECT_EQ(Eval("frac2.75", {}), 0.75);
    EXPECT_EQ(Eval("frac(1/0)", {}), 0.0);
    EXPECT_EQ(Eval("sgn0", {}), 0.0);
    EXPECT_EQ(Eval("sgn(-3)", {}), -1.0);
    EXPECT_EQ(Eval("sgn7", {}), 1.0);
}

TEST(Evaluator, ComparisonsAndLogic)
{
    const Vars v{{"x", 0.5}, {"y", 2.0}};
    EXPECT_EQ(Eval("x=0.5", v), 1.0);
    EXPECT_EQ(Eval("x=y", v), 0.0);
    EXPECT_EQ(Eval("xn=y", v), 1.0);
    EXPECT_EQ(Eval("xn=0.5", v), 0.0);
    EXPECT_EQ(Eval("x>y", v), 0.0);
    EXPECT_EQ(Eval("y>x", v), 1.0);
    EXPECT_EQ(Eval("x>=0.5", v), 1.0);
    EXPECT_EQ(Eval("x<y", v), 1.0);
    EXPECT_EQ(Eval("x<0.5", v), 0.0);
    EXPECT_EQ(Eval("x<=0.4", v), 0.0);
    EXPECT_EQ(Eval("nx", v), 0.0);
    EXPECT_EQ(Eval("n0", v), 1.0);
    EXPECT_EQ(Eval("n(-x)", v), 1.0);
    EXPECT_EQ(Eval("x&y", v), 1.0);
    EXPECT_EQ(Eval("x&0", v), 0.0);
    EXPECT_EQ(Eval("0|y", v), 1.0);
    EXPECT_EQ(Eval("0|(-y)", v), 0.0);
    EXPECT_EQ(Eval("x||y", v), 0.0);
    EXPECT_EQ(Eval("x||0", v), 1.0);
    EXPECT_EQ(Eval("0||0", v), 0.0);
    // Truth is "greater than zero".
    EXPECT_EQ(Eval("(-1)&1", v), 0.0);
}

TEST(Evaluator, NaNOperandsCompareUnordered)
{
    const Vars v{{"u", kNaN}};
    EXPECT_EQ(Eval("(ln(-1))<0", {}), 1.0);
    EXPECT_EQ(Eval("(ln(-1))>=0", {}), 0.0);
    EXPECT_EQ(Eval("u=1", v), 1.0);
    EXPECT_EQ(Eval("u<=1", v), 1.0);
    EXPECT_EQ(Eval("1<u", v), 1.0);
    EXPECT_EQ(Eval("un=1", v), 0.0);
    EXPECT_EQ(Eval("u>1", v), 0.0);
    EXPECT_EQ(Eval("u>=1", v), 0.0);
    EXPECT_EQ(Eval("nu", v), 1.0);
    EXPECT_EQ(Eval("u&1", v), 0.0);
    EXPECT_EQ(Eval("u|1", v), 1.0);
    EXPECT_EQ(Eval("u|0", v), 0.0);
    EXPECT_EQ(Eval("u||1", v), 1.0);
    EXPECT_EQ(Eval("sgnu", v), 0.0);
    EXPECT_TRUE(std::isnan(Eval("u+1", v)));
}

TEST(Evaluator, DomainErrorsGiveNaNOrInfinity)
{
    EXPECT_EQ(Eval("ln0", {}), -kInf);
    EXPECT_EQ(Eval("log0", {}), -kInf);
    EXPECT_TRUE(std::isnan(Eval("ln(-1)", {})));
    EXPECT_TRUE(std::isnan(Eval("arcsin2", {})));
    EXPECT_TRUE(std::isnan(Eval("arccosh0.5", {})));
    EXPECT_TRUE(std::isnan(Eval("3'(-8)", {})));
    EXPECT_TRUE(std::isnan(Eval("arctanh2", {})));
    EXPECT_EQ(Eval("arctanh1", {}), kInf);
    EXPECT_EQ(Eval("1/0", {}), kInf);
    EXPECT_EQ(Eval("-1/0", {}), -kInf);
    EXPECT_EQ(Eval("10^400", {}), kInf);
    EXPECT_TRUE(std::isnan(Eval("0/0", {})));
}

} // namespace
