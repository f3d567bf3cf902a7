// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Each expression written in C++ from the postfix order that qel compiles
// it to, not from how it reads to a mathematician: implicit multiplication
// and ^ share a priority and group left, so ax^3 is (a*x)^3 and 3xy^2 is
// (3*x*y)^2; ^ is pow with a run-time exponent; a'b is pow(b, 1/a).

#include "Expressions.h"

#include <cmath>

namespace {

// The point's coordinates pass through an empty asm statement that the
// optimiser must assume changes them, so that it cannot hoist cos(x) or
// pow(x, 2) out of the inner loop: qel computes every point in full, and so
// must its baseline.  Nothing else is hidden; the expression stays inlined.
template <class F>
double Grid(F f)
{
    double sum = 0.0;
    for (int i = 0; i <= kGridSteps; ++i) {
        for (int j = 0; j <= kGridSteps; ++j) {
            double x = GridValue(i);
            double y = GridValue(j);
            asm volatile("" : "+x"(x), "+x"(y));
            sum += f(x, y);
        }
    }
    return sum;
}

double Truth(bool b) { return b ? 1.0 : 0.0; }

} // namespace

double BaselineGrid(int index, const RuntimeConstants &k)
{
    const double two = k.two, three = k.three, a = k.a, e = k.e;
    switch (index) {
    case 0: // x cos y sin *
        return Grid([](double x, double y) { return std::cos(x) * std::sin(y); });
    case 1: // x y *
        return Grid([](double x, double y) { return x * y; });
    case 2: // x 2 ^ y 2 ^ +
        return Grid([=](double x, double y) { return std::pow(x, two) + std::pow(y, two); });
    case 3: // 2 x 2 ^ y 2 ^ + ' sin 2 x 2 ^ y 2 ^ + ' /
        return Grid([=](double x, double y) {
            return std::sin(std::pow(std::pow(x, two) + std::pow(y, two), 1.0 / two)) /
                   std::pow(std::pow(x, two) + std::pow(y, two), 1.0 / two);
        });
    case 4: // a x * 3 ^ 3 x * y * 2 ^ - y 1 x 2 ^ + / +
        return Grid([=](double x, double y) {
            return std::pow(a * x, three) - std::pow(3.0 * x * y, two) +
                   y / (1.0 + std::pow(x, two));
        });
    case 5: // x 0 > y 0 > * x * y * x abs + y int -
        return Grid([](double x, double y) {
            return Truth(x > 0.0) * Truth(y > 0.0) * x * y + std::fabs(x) - std::trunc(y);
        });
    case 6: // e x 2 ^ y 2 ^ + neg 4 / ^ 2 x * cos *
        return Grid([=](double x, double y) {
            return std::pow(e, -(std::pow(x, two) + std::pow(y, two)) / 4.0) * std::cos(2.0 * x);
        });
    default:
        return 0.0;
    }
}
