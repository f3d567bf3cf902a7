// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef QEL_BENCH_EXPRESSIONS_H
#define QEL_BENCH_EXPRESSIONS_H

// The benchmarked expressions: the qel text, the same expression for
// muParser, and the number of postfix tokens (end marker not counted) from
// which the interpreter's allowance is reckoned.
struct BenchExpression {
    const char *name;
    const char *qel;
    const char *muparser;
    int postfixTokens;
    bool mathBound; // cost mostly in the math library
    bool versusMuParser; // both do the same operations
};

constexpr BenchExpression kExpressions[] = {
    {"E1", "cosx*siny", "cos(x)*sin(y)", 5, true, true},
    {"E2", "xy", "x*y", 3, false, true},
    {"E3", "x^2+y^2", "x^2+y^2", 7, true, false},
    {"E4", "sin(2'(x^2+y^2))/(2'(x^2+y^2))", "sin((x^2+y^2)^(1/2))/((x^2+y^2)^(1/2))", 19, true,
     false},
    {"E5", "ax^3-3xy^2+y/(1+x^2)", "(a*x)^3-(3*x*y)^2+y/(1+x^2)", 21, true, false},
    {"E6", "(x>0)*(y>0)*xy+abs(x)-int(y)", "(x>0)*(y>0)*x*y+abs(x)-int(y)", 18, false, true},
    {"E7", "e^(-(x^2+y^2)/4)*cos(2x)", "e^(-(x^2+y^2)/4)*cos(2*x)", 16, true, false},
};

constexpr int kExpressionCount = sizeof kExpressions / sizeof kExpressions[0];

// The grid: 201 x 201 points of [-5, 5] x [-5, 5].
constexpr int kGridSteps = 200;
constexpr int kGridPoints = (kGridSteps + 1) * (kGridSteps + 1);
inline double GridValue(int i) { return -5.0 + 0.05 * i; }

// Values that the baselines read at run time, so that the optimiser cannot
// turn pow(x, 2.0) into x*x (other bits) or fold the variable e.
struct RuntimeConstants {
    double two;
    double three;
    double a;
    double e;
};

// The sum of an expression over the grid, written directly in C++ in the
// order of its postfix program.  index is 0 for E1 ... 6 for E7.
double BaselineGrid(int index, const RuntimeConstants &k);

#endif
