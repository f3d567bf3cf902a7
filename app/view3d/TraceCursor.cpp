#include "view3d/TraceCursor.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "model/FunctionRecord.h"
#include "model/LibraryFunction.h"

namespace {

// Moves the plotted variable `name` to grid position `index` (clamped and
// kept) and returns its new value; 0 when the function has no such variable.
double MoveToGridPoint(const LibraryFunction &function, const char *name, int32_t &index)
{
    std::optional<FunctionVariable> found = *name ? function.Variable(name) : std::nullopt;
    if (!found)
        return 0;
    FunctionVariable &v = *found;
    if (v.steps < 1) {
        // No grid to walk: the variable stays at the start of its range
        // rather than at min + 0 * (range / 0), which is not a number.
        index = 0;
        v.value = v.min;
    } else {
        index = std::clamp(index, 0, v.steps);
        v.value = v.min + index * ((v.max - v.min) / v.steps);
    }
    function.Write(v);
    return v.value;
}

// The highest z of the implicit surface over the point (x, y) the other
// variables stand at: the top sign change of f down the column of z's grid,
// placed between its two grid values as the drawn surface places it.  z
// keeps that value; NaN, with z as it was, where the column has none.
double TopOfColumn(const LibraryFunction &function)
{
    std::optional<FunctionVariable> z = function.Variable("z");
    if (!z || z->steps < 1)
        return NAN;
    const FunctionVariable before = *z;
    const double step = (z->max - z->min) / z->steps;
    auto at = [&](int32_t k) {
        z->value = z->min + k * step;
        function.Write(*z);
        return function.Evaluate();
    };
    // From the end of z's range where the box's top is.
    const bool upward = step > 0;
    int32_t k = upward ? z->steps : 0;
    double f = at(k);
    for (int32_t n = 0; n < z->steps; ++n) {
        const int32_t next = upward ? k - 1 : k + 1;
        const double g = at(next);
        if (std::isfinite(f) && std::isfinite(g) && (f >= 0) != (g >= 0)) {
            const double t = f / (f - g);
            z->value = z->min + (k + t * (next - k)) * step;
            function.Write(*z);
            return z->value;
        }
        k = next;
        f = g;
    }
    function.Write(before);
    return NAN;
}

} // namespace

TracePlacement PlaceTraceCursor(const FunctionRecord &record, TraceState &state)
{
    const LibraryFunction function(record);
    const DependentKind kind = function.Kind();
    if (kind == KindImplicit) {
        // The cursor walks x and y, on the surface as it is seen from above.
        const double x = MoveToGridPoint(function, "x", state.index1);
        const double y = MoveToGridPoint(function, "y", state.index2);
        const double z = TopOfColumn(function);
        TracePlacement placement;
        placement.point = {x, z, y};
        placement.reading = {record.handle, std::isnan(z) ? NAN : function.Evaluate(), x, y, z};
        return placement;
    }
    const double f = AngleFactor(function.Unit());
    const double u = MoveToGridPoint(function, FirstPlottedName(kind), state.index1);
    const double w = MoveToGridPoint(function, SecondPlottedName(kind), state.index2);
    TracePlacement placement;
    double v = 0;
    if (function.GivesPoints()) {
        // The point's height stands for the function's value, as in the
        // gradient colours.
        const SpacePoint p = function.Point();
        placement.point = FromUser(p.x, p.y, p.z);
        v = p.z;
    } else {
        v = function.Evaluate();
        placement.point = MapSample(kind, f, u, w, v);
    }
    // GL (X, Y, Z) is the user's (x, z, y).
    placement.reading = {record.handle, v, placement.point.x, placement.point.z, placement.point.y};
    return placement;
}
