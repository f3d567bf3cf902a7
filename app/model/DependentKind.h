#pragma once

#include <string>

// What the dependent variable of a definition makes of its plotted
// variables: Cartesian kinds 1-3, spherical kinds 4-6, and the implicit
// surface "0(x,y,z)=f", the points where f is 0; 0 for a name that plots
// nothing.
enum DependentKind {
    NoKind = 0,
    KindZ = 1,
    KindX = 2,
    KindY = 3,
    KindR = 4,
    KindAlpha = 5,
    KindBeta = 6,
    KindImplicit = 7,   // 0(x,y,z)=f: plotted over x, y and z
};

DependentKind KindFromName(const std::string &dependent);

// Names of the first, second and third plotted variable of a kind ("" for
// none: only an implicit surface has a third).
const char *FirstPlottedName(DependentKind kind);
const char *SecondPlottedName(DependentKind kind);
const char *ThirdPlottedName(DependentKind kind);
