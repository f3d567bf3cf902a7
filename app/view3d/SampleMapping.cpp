#include "view3d/SampleMapping.h"

#include <cmath>

namespace {

// pi as the angle factors have always been written, not M_PI: surfaces keep
// the exact coordinates they always had.
constexpr double kPi = 3.141592654;

GLPoint Spherical(double f, double r, double alpha, double beta)
{
    const double a = f * alpha, b = f * beta;
    return {r * std::cos(b) * std::cos(a), r * std::sin(b), r * std::cos(b) * std::sin(a)};
}

// rho the distance from the z axis, theta the angle from the x axis
// towards the y axis, z the height.
GLPoint Cylindrical(double f, double rho, double theta, double z)
{
    const double a = f * theta;
    return FromUser(rho * std::cos(a), rho * std::sin(a), z);
}

} // namespace

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
    case KindRho: return Cylindrical(f, v, u, w);
    case KindTheta: return Cylindrical(f, u, v, w);
    case KindPolarZ: return Cylindrical(f, u, w, v);
    default: return {};
    }
}
