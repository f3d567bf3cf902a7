// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef QEL_TEST_SUPPORT_H
#define QEL_TEST_SUPPORT_H

#include "ReferenceWalk.h"
#include "qel/QelFunction.h"
#include "qel/qel.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// Variables for a compile: names with their current values.
struct Vars {
    std::vector<std::string> names;
    std::vector<double> values;

    Vars() = default;
    Vars(std::initializer_list<std::pair<const char *, double>> list)
    {
        for (const auto &p : list) {
            names.emplace_back(p.first);
            values.push_back(p.second);
        }
    }
    std::vector<VariableRecord> Records() const;
};

// The variables x = 0.5 and y = 2 that most tests use.
Vars XY();

// A function compiled outside the handle table, for the internals.
struct Compiled {
    qel::QelFunction function;
    int32_t rc = -99;
    int32_t stop = -99;

    Compiled(const std::string &text, const Vars &vars, int32_t angleMode = qel::Radians);
    // The postfix list written out: numbers with %g, variables by name,
    // operators by symbol, the end marker as $.
    std::string Postfix() const;
    double Value();

private:
    Vars vars_;
};

// The value of text with the given variables and angle mode, or NaN with a
// test failure when it does not compile.
double Eval(const std::string &text, const Vars &vars = XY(), int32_t angleMode = qel::Radians);
// The stop position of a text that must fail to compile.
int32_t FailsAt(const std::string &text, const Vars &vars = XY());

// PlainPostfixWalk, with a test failure for a list it cannot finish.
double ReferenceWalk(const qel::QelFunction &f, const double *values);

// x unknown to the compiler, so that the library functions in a test's
// expected value run at run time, as in the library, instead of being folded
// by the compiler with an exactly rounded result.
double Opaque(double x);

#endif
