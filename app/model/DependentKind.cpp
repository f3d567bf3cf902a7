#include "DependentKind.h"

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
