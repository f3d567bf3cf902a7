#include "view3d/TraceCursor.h"

#include <algorithm>
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

} // namespace

TracePlacement PlaceTraceCursor(const FunctionRecord &record, TraceState &state)
{
    const LibraryFunction function(record);
    const DependentKind kind = function.Kind();
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
