#include "FunctionDefinition.h"
#include "LibraryFunction.h"

namespace {

// The constants every table ends with, at these ten-digit values.
constexpr double kE = 2.718281828;
constexpr double kPi = 3.141592654;
constexpr int32_t kDefaultSteps = 20;
// A curve costs a line per step, a surface a cell per pair of steps: curves
// get more of them, so that a circle looks round.
constexpr int32_t kCurveSteps = 100;
// An implicit surface is sampled at every point of a box: its x, y and z get
// a finer grid than a surface's two variables, at a cost still far below a
// frame's.
constexpr int32_t kImplicitSteps = 40;

int UnitOf(int angleMode)
{
    return (angleMode == Degrees || angleMode == Grads) ? angleMode : Radians;
}

// A quarter and a full turn in each angle unit; the radian values are the
// ten-digit ones the spherical bounds have always had.
double QuarterTurn(int angleMode)
{
    const double quarterTurn[] = {90, 1.570796327, 100};
    return quarterTurn[UnitOf(angleMode)];
}

double FullTurn(int angleMode)
{
    return UnitOf(angleMode) == Radians ? 6.283185308 : 4 * QuarterTurn(angleMode);
}

FunctionVariable Plain(const std::string &name)
{
    return FunctionVariable{name, 0, -5, 5, kDefaultSteps};
}

// Bounds of the spherical coordinates in the chosen angle unit.
FunctionVariable SphericalDefaults(const std::string &name, int angleMode)
{
    FunctionVariable v = Plain(name);
    if (name == "alpha") {
        v.min = 0;
        v.max = FullTurn(angleMode);
    } else if (name == "beta") {
        v.min = -QuarterTurn(angleMode);
        v.max = QuarterTurn(angleMode);
    } else if (name == "r") {
        v.min = 0;
        v.max = 5;
    }
    return v;
}

// theta a full turn, rho out to the cube's side, z through the cube.
FunctionVariable CylindricalDefaults(const std::string &name, int angleMode)
{
    FunctionVariable v = Plain(name);
    if (name == "theta") {
        v.min = 0;
        v.max = FullTurn(angleMode);
    } else if (name == "rho") {
        v.min = 0;
        v.max = 5;
    }
    return v;
}

// The sampled parameters of curves and surfaces run over a full turn, as the
// usual closed shapes need.
FunctionVariable ParametricDefaults(const std::string &name, int angleMode)
{
    FunctionVariable v = Plain(name);
    if (name == "u" || name == "v" || name == "t") {
        v.min = 0;
        v.max = FullTurn(angleMode);
    }
    if (name == "t")
        v.steps = kCurveSteps;
    return v;
}

// The box of an implicit surface; other names are plain parameters.
FunctionVariable ImplicitDefaults(const std::string &name)
{
    FunctionVariable v = Plain(name);
    if (name == "x" || name == "y" || name == "z")
        v.steps = kImplicitSteps;
    return v;
}

FunctionVariable Defaults(Coordinates coordinates, const std::string &name, int angleMode)
{
    switch (coordinates) {
    case Coordinates::Spherical: return SphericalDefaults(name, angleMode);
    case Coordinates::Cylindrical: return CylindricalDefaults(name, angleMode);
    case Coordinates::Parametric: return ParametricDefaults(name, angleMode);
    case Coordinates::Implicit: return ImplicitDefaults(name);
    default: return Plain(name);
    }
}

std::vector<FunctionVariable> BuildTable(const DefinitionNames &names, Coordinates coordinates, int angleMode)
{
    std::vector<FunctionVariable> table;
    if (names.independents.empty())
        return table;
    for (const std::string &name : names.independents)
        table.push_back(Defaults(coordinates, name, angleMode));
    table.push_back(FunctionVariable{"e", kE, 0, 0, 0});
    table.push_back(FunctionVariable{"pi", kPi, 0, 0, 0});
    return table;
}

}  // namespace

bool IsImplicitDependent(const std::string &dependent)
{
    return dependent == "0";
}

std::vector<std::string> TableNames(const DefinitionNames &names)
{
    std::vector<std::string> table = names.independents;
    if (!table.empty()) {
        table.push_back("e");
        table.push_back("pi");
    }
    return table;
}

std::vector<FunctionVariable> DefaultVariableTable(const DefinitionNames &names, int angleMode)
{
    return BuildTable(names, CoordinatesOf(KindOfNames(names)), angleMode);
}

std::vector<FunctionVariable> EditVariableTable(const DefinitionNames &names, int angleMode)
{
    const DependentKind kind = KindOfNames(names);
    if (IsClassicKind(kind) || kind == NoKind)
        return BuildTable(names, Coordinates::Cartesian, Radians);
    return BuildTable(names, CoordinatesOf(kind), angleMode);
}
