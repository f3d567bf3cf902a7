// The compiled program (fused operands, register top of stack) against the
// plain postfix walk, bit for bit, over many generated expressions; and the
// parser never hands on an incomplete postfix sequence.

#include "QelTestSupport.h"

#include "qel/Parser.h"
#include "qel/PostfixConverter.h"
#include "qel/Scanner.h"

#include <cmath>
#include <limits>
#include <random>

namespace {

class ExpressionGenerator {
public:
    explicit ExpressionGenerator(uint32_t seed) : rng_(seed) {}

    std::string Expression(int depth)
    {
        static const char *const infix[] = {"+", "-", "*", "/", "^", "'", "e", "=", "n=", ">",
                                            ">=", "<", "<=", "&", "|", "||", ""};
        std::string s = Pick(4) == 0 ? std::string(Pick(2) ? "-" : "+") : std::string();
        s += Term(depth);
        const int terms = Pick(3);
        for (int i = 0; i < terms; ++i)
            s += infix[Pick(std::size(infix))] + Term(depth);
        return s;
    }

private:
    std::string Term(int depth)
    {
        static const char *const functions[] = {
            "sin", "cos", "tan", "arcsin", "arccos", "arctan", "log", "ln", "abs", "sinh",
            "cosh", "tanh", "arcsinh", "arccosh", "arctanh", "int", "frac", "sgn", "n"};
        static const char *const numbers[] = {"0", "1", "2", "0.5", "3", "10", "2.5", ".1", "7."};
        static const char *const variables[] = {"x", "y", "a"};
        const int choice = depth <= 0 ? Pick(2) : Pick(8);
        switch (choice) {
        case 0: return variables[Pick(3)];
        case 1: return numbers[Pick(std::size(numbers))];
        case 2:
        case 3: return "(" + Expression(depth - 1) + ")";
        case 4: return functions[Pick(std::size(functions))] + Term(depth - 1);
        case 5: return Term(depth - 1) + "!";
        case 6: return functions[Pick(std::size(functions))] + std::string("(") +
                       Expression(depth - 1) + ")";
        default: return Term(depth - 1) + Term(depth - 1);
        }
    }

    int Pick(size_t n) { return static_cast<int>(rng_() % n); }

    std::mt19937 rng_;
};

std::vector<std::vector<double>> ValueSets()
{
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    std::vector<std::vector<double>> sets = {
        {0.0, -0.0, 1.0},
        {0.5, 2.0, 1.5},
        {-1.0, 1.0, -2.5},
        {3.0, -3.0, 170.0},
        {1e300, -1e-300, 2.9},
        {inf, -inf, nan},
        {171.0, 0.1, -0.5},
        {90.0, 200.0, 45.0},
    };
    std::mt19937 rng(7);
    std::uniform_real_distribution<double> d(-10.0, 10.0);
    for (int i = 0; i < 8; ++i)
        sets.push_back({d(rng), d(rng), d(rng)});
    return sets;
}

TEST(FastPath, BitIdenticalToThePlainWalk)
{
    ExpressionGenerator gen(12345);
    const Vars vars{{"x", 0}, {"y", 0}, {"a", 0}};
    const auto valueSets = ValueSets();
    int compiled = 0;
    for (int i = 0; i < 4000; ++i) {
        const std::string text = gen.Expression(3);
        Compiled c(text, vars, i % 3);
        if (c.rc != 0)
            continue;
        ++compiled;
        for (const auto &values : valueSets) {
            double fast = 0.0;
            ASSERT_EQ(c.function.Evaluate(values.data(), &fast), 0);
            const double plain = ReferenceWalk(c.function, values.data());
            ASSERT_TRUE(SameBits(fast, plain))
                << text << " with x=" << values[0] << " y=" << values[1] << " a=" << values[2]
                << ": " << fast << " vs " << plain << "  postfix " << c.Postfix();
        }
    }
    EXPECT_GT(compiled, 1500); // the generator mostly writes valid texts
}

// Every operator with every kind of operand: a variable, a number, and a
// value computed on the stack, on either side.
TEST(FastPath, EveryOperatorInEveryForm)
{
    const char *const infix[] = {"+", "-", "*", "/", "^", "'", "e", "=", "n=", ">",
                                 ">=", "<", "<=", "&", "|", "||"};
    const char *const prefix[] = {"sin", "cos", "tan", "arcsin", "arccos", "arctan", "log",
                                  "ln", "abs", "sinh", "cosh", "tanh", "arcsinh", "arccosh",
                                  "arctanh", "int", "frac", "sgn", "n", "-", "+"};
    const char *const operands[] = {"x", "y", "2.5", "0", "(x+y)", "(sinx)", "(-3)"};
    const Vars vars{{"x", 0}, {"y", 0}, {"a", 0}};
    std::vector<std::string> texts;
    for (const char *op : infix)
        for (const char *left : operands)
            for (const char *right : operands)
                texts.push_back(std::string(left) + op + right);
    for (const char *op : prefix)
        for (const char *operand : operands)
            texts.push_back(std::string(op) + operand);
    for (const char *operand : operands)
        texts.push_back(std::string(operand) + "!");

    const auto valueSets = ValueSets();
    for (const std::string &text : texts) {
        for (int32_t mode : {qel::Degrees, qel::Radians, qel::Grads}) {
            Compiled c(text, vars, mode);
            ASSERT_EQ(c.rc, 0) << text;
            for (const auto &values : valueSets) {
                double fast = 0.0;
                c.function.Evaluate(values.data(), &fast);
                ASSERT_TRUE(SameBits(fast, ReferenceWalk(c.function, values.data())))
                    << text << " mode " << mode << " x=" << values[0] << " y=" << values[1];
            }
        }
    }
}

TEST(FastPath, BenchmarkExpressionsAreBitIdentical)
{
    const char *const texts[] = {
        "cosx*siny", "xy", "x^2+y^2", "sin(2'(x^2+y^2))/(2'(x^2+y^2))",
        "ax^3-3xy^2+y/(1+x^2)", "(x>0)*(y>0)*xy+abs(x)-int(y)", "e^(-(x^2+y^2)/4)*cos(2x)"};
    const Vars vars{{"x", 0}, {"y", 0}, {"a", 1.5}, {"e", 2.718281828459045}, {"pi", 3.141592653589793}};
    for (const char *text : texts) {
        Compiled c(text, vars);
        ASSERT_EQ(c.rc, 0) << text;
        for (int i = 0; i <= 200; i += 7) {
            for (int j = 0; j <= 200; j += 3) {
                const double values[] = {-5.0 + 0.05 * i, -5.0 + 0.05 * j, 1.5,
                                         2.718281828459045, 3.141592653589793};
                double fast = 0.0;
                c.function.Evaluate(values, &fast);
                ASSERT_TRUE(SameBits(fast, ReferenceWalk(c.function, values)))
                    << text << " at " << values[0] << ", " << values[1];
            }
        }
    }
}

// Whether a postfix list leaves every operator its operands and exactly one
// value at the end.
bool WellFormed(const std::vector<qel::Token> &postfix)
{
    int depth = 0;
    for (const qel::Token &t : postfix) {
        if (t.kind == qel::TokenKind::Parenthesis)
            return false;
        if (t.kind != qel::TokenKind::Operator) {
            ++depth;
        } else if (t.op == qel::OpEnd) {
            return depth == 1 && &t == &postfix.back();
        } else {
            const int arity = qel::InfoOf(t.op).arity;
            if (depth < arity)
                return false;
            depth -= arity - 1;
        }
    }
    return false;
}

TEST(FastPath, EveryAcceptedTextGivesACompletePostfixSequence)
{
    const std::string alphabet = "xy12.+-*/^'!()=<>n&|esinlogabt";
    qel::VariableTable table;
    const VariableRecord records[] = {{"x", 0, 0, 0, 0}, {"y", 0, 0, 0, 0}};
    ASSERT_TRUE(table.Assign(records, 2));
    std::mt19937 rng(99);
    int accepted = 0;
    for (int i = 0; i < 200000; ++i) {
        std::string text(1 + rng() % 8, ' ');
        for (char &ch : text)
            ch = alphabet[rng() % alphabet.size()];
        const qel::Scanner scanner(text.c_str(), text.size(), table);
        std::vector<qel::Token> infix;
        const qel::Parser::Result r = qel::Parser(scanner, infix).Run();
        if (!r.ok || r.stop < text.size())
            continue;
        ++accepted;
        ASSERT_TRUE(WellFormed(qel::PostfixConverter::Convert(infix))) << text;
    }
    EXPECT_GT(accepted, 1000);
}

} // namespace
