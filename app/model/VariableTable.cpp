#include "FunctionDefinition.h"

namespace {

// The constants every table ends with, at these ten-digit values.
constexpr double kE = 2.718281828;
constexpr double kPi = 3.141592654;
constexpr int32_t kDefaultSteps = 20;

bool IsSpherical(const std::string &dependent)
{
    return dependent == "r" || dependent == "alpha" || dependent == "beta";
}

// Bounds of the spherical coordinates in the chosen angle unit.
VariableDefaults SphericalDefaults(const std::string &name, int angleMode)
{
    VariableDefaults v{name, 0, -5, 5, kDefaultSteps};
    const int unit = (angleMode == QEL_DEGREES || angleMode == QEL_GRADS) ? angleMode : QEL_RADIANS;
    const double quarterTurn[] = {90, 1.570796327, 100};
    if (name == "alpha") {
        v.min = 0;
        v.max = unit == QEL_RADIANS ? 6.283185308 : 4 * quarterTurn[unit];
    } else if (name == "beta") {
        v.min = -quarterTurn[unit];
        v.max = quarterTurn[unit];
    } else if (name == "r") {
        v.min = 0;
        v.max = 5;
    }
    return v;
}

}  // namespace

std::vector<std::string> TableNames(const DefinitionNames &names)
{
    std::vector<std::string> table = names.independents;
    if (!table.empty()) {
        table.push_back("e");
        table.push_back("pi");
    }
    return table;
}

namespace {

std::vector<VariableDefaults> BuildTable(const DefinitionNames &names, bool spherical, int angleMode)
{
    std::vector<VariableDefaults> table;
    if (names.independents.empty())
        return table;
    for (const std::string &name : names.independents)
        table.push_back(spherical ? SphericalDefaults(name, angleMode)
                                  : VariableDefaults{name, 0, -5, 5, kDefaultSteps});
    table.push_back(VariableDefaults{"e", kE, 0, 0, 0});
    table.push_back(VariableDefaults{"pi", kPi, 0, 0, 0});
    return table;
}

}  // namespace

std::vector<VariableDefaults> DefaultVariableTable(const DefinitionNames &names, int angleMode)
{
    return BuildTable(names, IsSpherical(names.dependent), angleMode);
}

std::vector<VariableDefaults> EditVariableTable(const DefinitionNames &names)
{
    return BuildTable(names, false, QEL_RADIANS);
}
