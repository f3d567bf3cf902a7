// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "QelTestSupport.h"

#include "qel/Operators.h"

#include <cmath>
#include <cstdio>
#include <cstring>

std::vector<VariableRecord> Vars::Records() const
{
    std::vector<VariableRecord> records;
    for (size_t i = 0; i < names.size(); ++i)
        records.push_back({names[i].c_str(), values[i], -5.0, 5.0, 10});
    return records;
}

Vars XY() { return {{"x", 0.5}, {"y", 2.0}}; }

Compiled::Compiled(const std::string &text, const Vars &vars, int32_t angleMode) : vars_(vars)
{
    function.SetAngleMode(angleMode);
    const auto records = vars_.Records();
    rc = function.Initialize(text.c_str(), records.data(), static_cast<int32_t>(records.size()),
                             &stop);
}

std::string Compiled::Postfix() const
{
    static const char *const symbols[] = {
        "+", "-", "/", "*", "^", "'", "sin", "cos", "tan", "arcsin", "arccos", "arctan", "log",
        "ln", "abs", "sinh", "cosh", "tanh", "arcsinh", "arccosh", "arctanh", "int", "frac", "e",
        "!", "pos", "neg", "sgn", "=", "n=", ">", ">=", "<", "<=", "n", "&", "|", "||", "$"};
    std::string out;
    for (const qel::Token &t : function.Postfix()) {
        if (!out.empty())
            out += ' ';
        char buf[64];
        switch (t.kind) {
        case qel::TokenKind::Number:
            std::snprintf(buf, sizeof buf, "%g", t.value);
            out += buf;
            break;
        case qel::TokenKind::Variable:
            out += vars_.names[static_cast<size_t>(t.variable)];
            break;
        case qel::TokenKind::Operator:
            out += symbols[t.op];
            break;
        case qel::TokenKind::Parenthesis:
            out += t.closing ? ")" : "(";
            break;
        }
    }
    return out;
}

double Compiled::Value()
{
    double out = std::nan("");
    EXPECT_EQ(function.Evaluate(nullptr, &out), 0);
    return out;
}

double Eval(const std::string &text, const Vars &vars, int32_t angleMode)
{
    Compiled c(text, vars, angleMode);
    EXPECT_EQ(c.rc, 0) << "text " << text << " stops at " << c.stop;
    if (c.rc != 0)
        return std::nan("");
    return c.Value();
}

int32_t FailsAt(const std::string &text, const Vars &vars)
{
    Compiled c(text, vars);
    EXPECT_EQ(c.rc, 1) << "text " << text << " compiled to " << c.Postfix();
    EXPECT_FALSE(c.function.IsCompiled());
    return c.stop;
}

double ReferenceWalk(const qel::QelFunction &f, const double *values)
{
    std::vector<double> stack;
    for (const qel::Token &t : f.Postfix()) {
        switch (t.kind) {
        case qel::TokenKind::Number:
            stack.push_back(t.value);
            break;
        case qel::TokenKind::Variable:
            stack.push_back(values[t.variable]);
            break;
        case qel::TokenKind::Operator: {
            if (t.op == qel::OpEnd)
                return stack.back();
            if (qel::InfoOf(t.op).arity == 1) {
                stack.back() = qel::ApplyUnary(t.op, stack.back(), f.AngleMode());
            } else {
                const double b = stack.back();
                stack.pop_back();
                stack.back() = qel::ApplyBinary(t.op, stack.back(), b);
            }
            break;
        }
        case qel::TokenKind::Parenthesis:
            ADD_FAILURE() << "parenthesis in a postfix list";
            return std::nan("");
        }
    }
    ADD_FAILURE() << "postfix list without end marker";
    return std::nan("");
}

bool SameBits(double a, double b)
{
    // Which of two NaN operands x86 passes on depends on the order in which
    // the compiler puts the operands of a commutative instruction, so any NaN
    // stands for any other.
    if (std::isnan(a) && std::isnan(b))
        return true;
    return std::memcmp(&a, &b, sizeof a) == 0;
}

double Opaque(double x)
{
    volatile double v = x;
    return v;
}
