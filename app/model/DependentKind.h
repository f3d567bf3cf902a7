#pragma once

#include <string>

// What the dependent variable of a definition makes of its two plotted
// variables: Cartesian kinds 1-3, spherical kinds 4-6; 0 for a name that
// plots nothing.
enum DependentKind {
    NoKind = 0,
    KindZ = 1,
    KindX = 2,
    KindY = 3,
    KindR = 4,
    KindAlpha = 5,
    KindBeta = 6,
};

DependentKind KindFromName(const std::string &dependent);

// Names of the first and second plotted variable of a kind ("" for NoKind).
const char *FirstPlottedName(DependentKind kind);
const char *SecondPlottedName(DependentKind kind);
