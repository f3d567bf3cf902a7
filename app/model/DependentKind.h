#pragma once

#include <string>
#include <vector>

// What a definition's header makes of its plotted variables: Cartesian kinds
// 1-3, spherical kinds 4-6, cylindrical kinds 7-9, and the curves and
// surfaces whose three coordinates are given by expressions, 10 and 11, and
// the implicit surface "0(x,y,z)=f", the points where f is 0, 12; 0 for a
// header that plots nothing.
enum DependentKind {
    NoKind = 0,
    KindZ = 1,
    KindX = 2,
    KindY = 3,
    KindR = 4,
    KindAlpha = 5,
    KindBeta = 6,
    KindRho = 7,        // rho(theta,z)
    KindTheta = 8,      // theta(rho,z)
    KindPolarZ = 9,     // z(rho,theta)
    KindSurface = 10,   // (x,y,z)(u,v)
    KindCurve = 11,     // (x,y,z)(t)
    KindImplicit = 12,  // 0(x,y,z)=f: plotted over x, y and z
};

enum class Coordinates {
    None,
    Cartesian,
    Spherical,
    Cylindrical,
    Parametric,   // the expressions give x, y and z themselves
    Implicit,     // the points of the box of x, y and z where f is 0
};

Coordinates CoordinatesOf(DependentKind kind);

// The kind of a definition's dependent name and independent names.  A
// single name "z" is Cartesian, unless the names hold neither x nor y but
// rho or theta; a tuple of dependents (tuple = true) is a surface over u and
// v when either is among the names, else a curve over t.
DependentKind KindOfHeader(const std::string &dependent, bool tuple, const std::vector<std::string> &independents);

// Names of the first, second and third plotted variable of a kind ("" for
// none: only an implicit surface has a third).
const char *FirstPlottedName(DependentKind kind);
const char *SecondPlottedName(DependentKind kind);
const char *ThirdPlottedName(DependentKind kind);
