#include "DependentKind.h"

#include <algorithm>

namespace {

struct KindNames {
    const char *dependent, *first, *second;
    Coordinates coordinates;
    const char *third = "";
};

// Indexed by DependentKind.
constexpr KindNames kKinds[] = {
    {"", "", "", Coordinates::None},
    {"z", "x", "y", Coordinates::Cartesian},
    {"x", "z", "y", Coordinates::Cartesian},
    {"y", "x", "z", Coordinates::Cartesian},
    {"r", "alpha", "beta", Coordinates::Spherical},
    {"alpha", "r", "beta", Coordinates::Spherical},
    {"beta", "alpha", "r", Coordinates::Spherical},
    {"rho", "theta", "z", Coordinates::Cylindrical},
    {"theta", "rho", "z", Coordinates::Cylindrical},
    {"z", "rho", "theta", Coordinates::Cylindrical},
    {"", "u", "v", Coordinates::Parametric},
    {"", "t", "", Coordinates::Parametric},
    {"0", "x", "y", Coordinates::Implicit, "z"},
};

bool Holds(const std::vector<std::string> &names, const char *name)
{
    return std::find(names.begin(), names.end(), name) != names.end();
}

} // namespace

Coordinates CoordinatesOf(DependentKind kind)
{
    return kKinds[kind].coordinates;
}

DependentKind KindOfHeader(const std::string &dependent, bool tuple, const std::vector<std::string> &independents)
{
    if (tuple)
        return Holds(independents, "u") || Holds(independents, "v") ? KindSurface : KindCurve;
    if (dependent == "z" && !Holds(independents, "x") && !Holds(independents, "y") &&
        (Holds(independents, "rho") || Holds(independents, "theta")))
        return KindPolarZ;
    if (dependent == kKinds[KindImplicit].dependent)
        return KindImplicit;
    for (int k = KindZ; k <= KindTheta; ++k)
        if (dependent == kKinds[k].dependent)
            return DependentKind(k);
    return NoKind;
}

const char *FirstPlottedName(DependentKind kind) { return kKinds[kind].first; }
const char *SecondPlottedName(DependentKind kind) { return kKinds[kind].second; }
const char *ThirdPlottedName(DependentKind kind) { return kKinds[kind].third; }
