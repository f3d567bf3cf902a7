#pragma once

#include "model/DependentKind.h"

// A point in GL coordinates (X = user x, Y = user z, Z = user y).
struct GLPoint {
    double x = 0, y = 0, z = 0;
};

// The user's point (x, y, z) in GL coordinates.
inline GLPoint FromUser(double x, double y, double z)
{
    return {x, z, y};
}

// Radians per angle unit of a function (LibraryFunction::Unit).
double AngleFactor(int angleMode);

// Maps a sample (first variable u, second variable w, function value v) into
// GL coordinates; f is the angle factor for the spherical and cylindrical
// kinds.  Curves and surfaces that give their points themselves have no
// mapping: the origin.
GLPoint MapSample(DependentKind kind, double f, double u, double w, double v);

// True when the point lies in the cube of the given edge around the origin;
// any coordinate that is not a number fails.
inline bool InsideCube(double edge, double x, double y, double z)
{
    const double h = edge / 2;
    return -h <= x && x <= h && -h <= y && y <= h && -h <= z && z <= h;
}

inline bool InsideCube(double edge, const GLPoint &p)
{
    return InsideCube(edge, p.x, p.y, p.z);
}
