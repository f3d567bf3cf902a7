#include "view3d/DependentKind.h"

#include <cmath>

namespace {

struct KindNames {
    const char *dependent, *first, *second;
};

// Indexed by DependentKind.
constexpr KindNames kKinds[] = {
    {"", "", ""},
    {"z", "x", "y"},
    {"x", "z", "y"},
    {"y", "x", "z"},
    {"r", "alpha", "beta"},
    {"alpha", "r", "beta"},
    {"beta", "alpha", "r"},
};

// pi as the angle factors have always been written, not M_PI: surfaces keep
// the exact coordinates they always had.
constexpr double kPi = 3.141592654;

GLPoint Spherical(double f, double r, double alpha, double beta)
{
    const double a = f * alpha, b = f * beta;
    return {r * std::cos(b) * std::cos(a), r * std::sin(b), r * std::cos(b) * std::sin(a)};
}

} // namespace

DependentKind KindFromName(const std::string &dependent)
{
    for (int k = KindZ; k <= KindBeta; ++k)
        if (dependent == kKinds[k].dependent)
            return DependentKind(k);
    return NoKind;
}

const char *FirstPlottedName(DependentKind kind) { return kKinds[kind].first; }
const char *SecondPlottedName(DependentKind kind) { return kKinds[kind].second; }

double AngleFactor(int angleMode)
{
    if (angleMode == 1)
        return 1.0;
    if (angleMode == 0)
        return kPi / 180;
    return kPi / 200;
}

GLPoint MapSample(DependentKind kind, double f, double u, double w, double v)
{
    switch (kind) {
    case KindZ: return {u, v, w};
    case KindX: return {v, u, w};
    case KindY: return {u, w, v};
    case KindR: return Spherical(f, v, u, w);
    case KindAlpha: return Spherical(f, u, v, w);
    case KindBeta: return Spherical(f, w, u, v);
    default: return {};
    }
}
