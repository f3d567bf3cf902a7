// The expression language: what a text compiles to, and where it fails.

#include "QelTestSupport.h"

#include <cmath>
#include <string>

namespace {

std::string PostfixOf(const std::string &text, const Vars &vars = XY())
{
    Compiled c(text, vars);
    EXPECT_EQ(c.rc, 0) << text << " stops at " << c.stop;
    EXPECT_EQ(c.stop, static_cast<int32_t>(text.size())) << text;
    return c.Postfix();
}

Vars WithE() { return {{"x", 0.5}, {"y", 2.0}, {"e", 2.718281828459045}}; }

TEST(Language, FunctionNamesNeedNoParentheses)
{
    EXPECT_EQ(PostfixOf("cosx*siny"), "x cos y sin * $");
    EXPECT_EQ(PostfixOf("sin(x)"), "x sin $");
    // Longest name first: arcsinh before arcsin before sinh before sin.
    EXPECT_EQ(PostfixOf("arcsinx"), "x arcsin $");
    EXPECT_EQ(PostfixOf("arcsinhx"), "x arcsinh $");
    EXPECT_EQ(PostfixOf("sinhx"), "x sinh $");
    EXPECT_EQ(PostfixOf("lnx+logy+sgnx+fracx+intx+absx"),
              "x ln y log + x sgn + x frac + x int + x abs + $");
}

TEST(Language, JuxtapositionMultiplies)
{
    EXPECT_EQ(PostfixOf("2(x+1)"), "2 x 1 + * $");
    EXPECT_EQ(PostfixOf("(x)(y)"), "x y * $");
    EXPECT_EQ(PostfixOf("xy"), "x y * $");
    EXPECT_EQ(PostfixOf("2x"), "2 x * $");
    EXPECT_EQ(PostfixOf("xsiny"), "x y sin * $");
    EXPECT_EQ(PostfixOf("(x+1)siny"), "x 1 + y sin * $");
    // Function names bind tighter than the implicit multiplication.
    EXPECT_EQ(PostfixOf("sin2x"), "2 sin x * $");
    EXPECT_EQ(PostfixOf("sinx*y"), "x sin y * $");
}

TEST(Language, PrioritiesAndLeftAssociativity)
{
    EXPECT_EQ(PostfixOf("2x^2"), "2 x * 2 ^ $");
    EXPECT_EQ(PostfixOf("-x^2"), "x neg 2 ^ $");
    EXPECT_EQ(PostfixOf("sinx^2"), "x sin 2 ^ $");
    EXPECT_EQ(PostfixOf("x-y-1"), "x y - 1 - $");
    EXPECT_EQ(PostfixOf("x/y*2"), "x y / 2 * $");
    EXPECT_EQ(PostfixOf("x+y*2"), "x y 2 * + $");
    EXPECT_EQ(PostfixOf("x+1>y-1"), "x 1 + y 1 - > $");
    EXPECT_EQ(PostfixOf("x>0&y>0"), "x 0 > y 0 > & $");
    EXPECT_EQ(PostfixOf("x>0|y>0&x<1"), "x 0 > y 0 > x 1 < & | $");
    EXPECT_EQ(PostfixOf("x|y||x"), "x y | x || $");
    EXPECT_EQ(PostfixOf("(x+y)*2"), "x y + 2 * $");
    EXPECT_EQ(PostfixOf("2'x^3"), "2 x ' 3 ^ $");

    EXPECT_EQ(Eval("2^3^2"), 64.0);
    EXPECT_EQ(Eval("-2^2"), 4.0);
    EXPECT_EQ(Eval("2x^2", {{"x", 3.0}}), 36.0);
    EXPECT_EQ(Eval("-x^2", {{"x", 3.0}}), 9.0);
    EXPECT_EQ(Eval("1+2*3"), 7.0);
    EXPECT_EQ(Eval("(1+2)*3"), 9.0);
    EXPECT_EQ(Eval("8/2/2"), 2.0);
    EXPECT_EQ(Eval("((1+2)*(3+4))^2"), 441.0);
}

// The benchmark's C++ baselines are written from these sequences.
TEST(Language, PostfixOrderOfTheBenchmarkExpressions)
{
    const Vars vars{{"x", 0}, {"y", 0}, {"a", 1.5}, {"e", 2.718281828459045}, {"pi", 3.141592653589793}};
    EXPECT_EQ(PostfixOf("x^2+y^2", vars), "x 2 ^ y 2 ^ + $");
    EXPECT_EQ(PostfixOf("sin(2'(x^2+y^2))/(2'(x^2+y^2))", vars),
              "2 x 2 ^ y 2 ^ + ' sin 2 x 2 ^ y 2 ^ + ' / $");
    EXPECT_EQ(PostfixOf("ax^3-3xy^2+y/(1+x^2)", vars),
              "a x * 3 ^ 3 x * y * 2 ^ - y 1 x 2 ^ + / + $");
    EXPECT_EQ(PostfixOf("(x>0)*(y>0)*xy+abs(x)-int(y)", vars),
              "x 0 > y 0 > * x * y * x abs + y int - $");
    EXPECT_EQ(PostfixOf("e^(-(x^2+y^2)/4)*cos(2x)", vars),
              "e x 2 ^ y 2 ^ + neg 4 / ^ 2 x * cos * $");
}

TEST(Language, ComparisonsAndLogicalOperators)
{
    EXPECT_EQ(PostfixOf("x!=y"), "x ! y = $"); // != is not an operator
    EXPECT_EQ(PostfixOf("xn=y"), "x y n= $");
    EXPECT_EQ(PostfixOf("x>=y"), "x y >= $");
    EXPECT_EQ(PostfixOf("x<=y"), "x y <= $");
    EXPECT_EQ(PostfixOf("nx"), "x n $");
    EXPECT_EQ(PostfixOf("n(x>y)"), "x y > n $");
}

TEST(Language, LeadingSignsOnlyAtTheStartOfAnExpression)
{
    EXPECT_EQ(PostfixOf("-x"), "x neg $");
    EXPECT_EQ(PostfixOf("+x"), "x pos $");
    EXPECT_EQ(PostfixOf("2*(-x)"), "2 x neg * $");
    EXPECT_EQ(PostfixOf("2*-5"), "2 -5 * $"); // the sign starts a number
    EXPECT_EQ(PostfixOf("sin-2"), "-2 sin $");
    EXPECT_EQ(FailsAt("2*-x"), 2);
    EXPECT_EQ(FailsAt("x+-y"), 2);
    EXPECT_EQ(FailsAt("--x"), 1);
}

TEST(Language, Numbers)
{
    EXPECT_EQ(Eval("12"), 12.0);
    EXPECT_EQ(Eval("1.5"), 1.5);
    EXPECT_EQ(Eval("5."), 5.0);
    EXPECT_EQ(Eval(".5"), 0.5);
    EXPECT_EQ(Eval("-2"), -2.0);
    EXPECT_EQ(Eval("0.1"), 0.1);
    EXPECT_EQ(Eval("123456789012345678901234567890"), 123456789012345678901234567890.0);
    EXPECT_EQ(Eval(std::string(400, '9')), HUGE_VAL);
    EXPECT_EQ(Eval("0." + std::string(400, '0') + "1"), 0.0);
    EXPECT_EQ(FailsAt(".5.3"), 2);
    EXPECT_EQ(FailsAt("."), 0);
    EXPECT_EQ(FailsAt("x2"), 1); // a number cannot follow an operand
    EXPECT_EQ(FailsAt("(x)2"), 3);
}

TEST(Language, TheEOperatorUnlessThereIsAVariableE)
{
    EXPECT_EQ(Eval("2e3", {}), 2000.0);
    EXPECT_EQ(Eval("1e5", {}), 100000.0);
    EXPECT_EQ(Eval("1e-5", {}), 1e-5);
    EXPECT_EQ(Eval("1.5e2", {}), 150.0);
    EXPECT_EQ(PostfixOf("xe2"), "x 2 e $");
    EXPECT_EQ(PostfixOf("xe2^2"), "x 2 e 2 ^ $");

    EXPECT_EQ(PostfixOf("2e", WithE()), "2 e * $");
    EXPECT_EQ(PostfixOf("e^x", WithE()), "e x ^ $");
    EXPECT_EQ(FailsAt("1e5", WithE()), 2);
    EXPECT_EQ(FailsAt("2e", {}), 2);
}

TEST(Language, VariablesAreMatchedInTableOrder)
{
    // x before xx: xx reads as x twice.
    EXPECT_EQ(PostfixOf("xx", {{"x", 1}, {"xx", 2}}), "x x * $");
    EXPECT_EQ(PostfixOf("xx", {{"xx", 2}, {"x", 1}}), "xx $");
    EXPECT_EQ(PostfixOf("alpha*beta", {{"alpha", 1}, {"beta", 2}}), "alpha beta * $");
    // Case-sensitive.
    EXPECT_EQ(FailsAt("X", XY()), 0);
    EXPECT_EQ(FailsAt("Sinx"), 0);
    // Function names win over variable names.
    EXPECT_EQ(FailsAt("sinus", {{"sinus", 1}}), 3);
    // A variable n hides the not operator and n=.
    const Vars withN{{"x", 1}, {"y", 2}, {"n", 3}};
    EXPECT_EQ(PostfixOf("n", withN), "n $");
    EXPECT_EQ(PostfixOf("xn=y", withN), "x n * y = $");
}

TEST(Language, FactorialFollowsAnOperandOnce)
{
    EXPECT_EQ(PostfixOf("(x+1)!"), "x 1 + ! $");
    EXPECT_EQ(PostfixOf("x!^2"), "x ! 2 ^ $");
    EXPECT_EQ(PostfixOf("-x!"), "x ! neg $");
    EXPECT_EQ(FailsAt("3!!"), 2);
    EXPECT_EQ(FailsAt("!3"), 0);
    EXPECT_EQ(FailsAt("sin!"), 3);
}

// Inputs that a literal reading of the transition table would leave with an
// operand no operator consumes, or an operator short of operands, are
// completed the way they read.
TEST(Language, IncompleteSequencesAreCompleted)
{
    EXPECT_EQ(PostfixOf("3!x"), "3 ! x * $");
    EXPECT_EQ(Eval("3!x", {{"x", 2.0}}), 12.0);
    EXPECT_EQ(PostfixOf("3!2"), "3 ! 2 * $");
    EXPECT_EQ(Eval("3!-2"), 4.0); // still a subtraction
    EXPECT_EQ(PostfixOf("xny"), "x y n * $");
    EXPECT_EQ(Eval("xny", {{"x", 3.0}, {"y", -1.0}}), 3.0);
    EXPECT_EQ(PostfixOf("-nx"), "x n neg $");
    EXPECT_EQ(Eval("-nx", {{"x", -1.0}}), -1.0);
    EXPECT_EQ(PostfixOf("2esinx", {{"x", 1.0}}), "2 x sin e $");
    EXPECT_EQ(Eval("2esin(0)", {}), 2.0);
    EXPECT_EQ(PostfixOf("x^-2"), "x -2 ^ $");
    EXPECT_EQ(PostfixOf("x^sinx"), "x x sin ^ $");
}

TEST(Language, StopPositionsOfFailures)
{
    EXPECT_EQ(FailsAt(""), 0);
    EXPECT_EQ(FailsAt("sin x"), 3);
    EXPECT_EQ(FailsAt("x)"), 1);
    EXPECT_EQ(FailsAt("(x"), 2);
    EXPECT_EQ(FailsAt("x+"), 2);
    EXPECT_EQ(FailsAt("x y"), 1);
    EXPECT_EQ(FailsAt("x#"), 1);
    EXPECT_EQ(FailsAt("sinsinx"), 3); // a function name cannot follow one
    EXPECT_EQ(FailsAt("()"), 1);
    // An error inside parentheses stops after the outermost ( whose
    // content failed.
    EXPECT_EQ(FailsAt("x*(y+)"), 3);
    EXPECT_EQ(FailsAt("1+((x"), 3);
    EXPECT_EQ(FailsAt("(x+(y*))"), 1);
    EXPECT_EQ(FailsAt("(x y)"), 2);
    EXPECT_EQ(FailsAt("(x))"), 3);
}

TEST(Language, EmptyOrNullVariableNamesAreRefused)
{
    EXPECT_EQ(FailsAt("x", {{"x", 1}, {"", 2}}), 0);
    qel::QelFunction f;
    VariableRecord r{nullptr, 0.0, 0.0, 0.0, 0};
    int32_t stop = -1;
    EXPECT_EQ(f.Initialize("1", &r, 1, &stop), 1);
    EXPECT_EQ(stop, 0);
}

TEST(Language, DeepNestingNeitherCrashesNorRecurses)
{
    const size_t depth = 100000;
    EXPECT_EQ(FailsAt(std::string(depth, '(')), 1);
    EXPECT_EQ(FailsAt(std::string(depth, '(') + "x"), 1);

    const std::string nested = std::string(depth, '(') + "x" + std::string(depth, ')');
    EXPECT_EQ(Eval(nested, {{"x", 7.0}}), 7.0);

    std::string functions;
    for (size_t i = 0; i < depth; ++i)
        functions += "abs(";
    functions += "-x" + std::string(depth, ')');
    EXPECT_EQ(Eval(functions, {{"x", 7.0}}), 7.0);
}

TEST(Language, MegabytesOfText)
{
    std::string text = "x";
    for (int i = 0; i < 1000000; ++i)
        text += "+x";
    EXPECT_EQ(Eval(text, {{"x", 1.0}}), 1000001.0);
    text += " ";
    EXPECT_EQ(FailsAt(text, {{"x", 1.0}}), static_cast<int32_t>(text.size() - 1));
}

} // namespace
