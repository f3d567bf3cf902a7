#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "DependentKind.h"
#include "FunctionVariable.h"

struct FunctionRecord;

// Angle units of a function; a new function counts in radians.
enum AngleUnit : int32_t {
    Degrees = 0,
    Radians = 1,
    Grads = 2
};

// A point in the user's coordinates.
struct SpacePoint {
    double x = 0, y = 0, z = 0;
};

// One function of the expression library as the program sees it: its
// variable table with values, ranges and steps, its angle unit and its
// value.  Everything above the model reaches the library through this class
// only.  It holds a handle, not the function: the document's records own the
// functions, and copying this copies the handle.
//
// The rules about a function's variables live here, once: a function is
// plotted over the two variables its header names (z over x and y, r over
// alpha and beta, rho over theta and z, a surface (x,y,z) over u and v, a
// curve over t, ...) or, as an implicit surface 0(x,y,z)=f, over x, y and
// z; e and pi are constants, and every other variable is a
// parameter, which an animation sweeps and the exporter's --set changes.
// New kinds of plots extend these rules here.
class LibraryFunction {
public:
    // `definition`: the whole text "z(x,y)=..." the function was compiled
    // from; it says which variables are plotted.  Without it none are.
    explicit LibraryFunction(int32_t handle, const std::string &definition = {});
    explicit LibraryFunction(const FunctionRecord &record);

    int32_t Handle() const { return handle_; }
    bool IsCompiled() const;

    // The variable table in the library's order, names copied; empty for a
    // function that is not compiled or not there.
    std::vector<FunctionVariable> Variables() const;
    // The same without the constants: the variables a user gave the
    // function, in the library's order.
    std::vector<FunctionVariable> UserVariables() const;
    // The parameters, in the library's order.
    std::vector<FunctionVariable> Parameters() const;
    std::optional<FunctionVariable> Variable(const std::string &name) const;
    // Gives the variable of `variable.name` its value, range and steps; false
    // when the function has no such variable.
    bool Write(const FunctionVariable &variable) const;

    AngleUnit Unit() const;   // radians for a function that is not there
    void SetUnit(int unit) const;   // a unit outside 0..2 is ignored

    // The function's value at its variables' current values.
    double Evaluate() const;
    // The value with `values` for the variables (one per table entry, in
    // table order); they become the variables' current values.  For the
    // sampling loops: no copy, no lookup.
    double EvaluateAt(const double *values) const;

    // Curves and surfaces "(x,y,z)(...)=(...)": their expressions give the
    // point itself, whatever the order of x, y and z in the header.
    bool GivesPoints() const { return CoordinatesOf(kind_) == Coordinates::Parametric; }
    // The point at `values`, as EvaluateAt; the point at the current values.
    // The origin for a function that gives no points.
    SpacePoint PointAt(const double *values) const;
    SpacePoint Point() const;

    DependentKind Kind() const { return kind_; }
    bool IsPlotted(const std::string &name) const;
    // The other plotted variable of a plotted one ("" for any other name, and
    // for an implicit surface, which has three).
    std::string PlottedPartner(const std::string &name) const;
    static bool IsConstant(const std::string &name);
    bool IsParameter(const std::string &name) const;

private:
    int32_t handle_;
    DependentKind kind_;
    // Which of x, y, z each expression of a curve or surface gives.
    int axes_[3] = {0, 1, 2};
};
