// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "QelTestSupport.h"

#include "ReferenceWalk.h"

#include <cmath>
#include <cstdio>

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
    bool wellFormed = true;
    const double value = PlainPostfixWalk(f, values, &wellFormed);
    if (!wellFormed)
        ADD_FAILURE() << "a postfix list that a plain walk cannot finish";
    return value;
}

double Opaque(double x)
{
    volatile double v = x;
    return v;
}
