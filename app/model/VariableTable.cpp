#include "FunctionDefinition.h"
#include "LibraryFunction.h"

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
FunctionVariable SphericalDefaults(const std::string &name, int angleMode)
{
    FunctionVariable v{name, 0, -5, 5, kDefaultSteps};
    const int unit = (angleMode == Degrees || angleMode == Grads) ? angleMode : Radians;
    const double quarterTurn[] = {90, 1.570796327, 100};
    if (name == "alpha") {
        v.min = 0;
        v.max = unit == Radians ? 6.283185308 : 4 * quarterTurn[unit];
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

std::vector<FunctionVariable> BuildTable(const DefinitionNames &names, bool spherical, int angleMode)
{
    std::vector<FunctionVariable> table;
    if (names.independents.empty())
        return table;
    for (const std::string &name : names.independents)
        table.push_back(spherical ? SphericalDefaults(name, angleMode)
                                  : FunctionVariable{name, 0, -5, 5, kDefaultSteps});
    table.push_back(FunctionVariable{"e", kE, 0, 0, 0});
    table.push_back(FunctionVariable{"pi", kPi, 0, 0, 0});
    return table;
}

}  // namespace

std::vector<FunctionVariable> DefaultVariableTable(const DefinitionNames &names, int angleMode)
{
    return BuildTable(names, IsSpherical(names.dependent), angleMode);
}

std::vector<FunctionVariable> EditVariableTable(const DefinitionNames &names)
{
    return BuildTable(names, false, Radians);
}
