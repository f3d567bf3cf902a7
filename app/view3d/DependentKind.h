#pragma once

#include <string>

// What the dependent variable of a definition makes of its two plotted
// variables: Cartesian kinds 1-3, spherical kinds 4-6; 0 for a name that
// plots nothing.
enum DependentKind {
    NoKind = 0,
    KindZ = 1, KindX = 2, KindY = 3,
    KindR = 4, KindAlpha = 5, KindBeta = 6,
};

DependentKind KindFromName(const std::string &dependent);

// Names of the first and second plotted variable of a kind ("" for NoKind).
const char *FirstPlottedName(DependentKind kind);
const char *SecondPlottedName(DependentKind kind);

// A point in GL coordinates (X = user x, Y = user z, Z = user y).
struct GLPoint {
    double x = 0, y = 0, z = 0;
};

// Radians per angle unit of a function (qel's angle mode).
double AngleFactor(int angleMode);

// Maps a sample (first variable u, second variable w, function value v) into
// GL coordinates; f is the angle factor for the spherical kinds.
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
