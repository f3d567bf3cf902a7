#include "view3d/TraceCursor.h"

#include <algorithm>

#include "model/FunctionDefinition.h"
#include "model/FunctionRecord.h"
#include "qel/qel.h"

namespace {

// Moves the plotted variable `name` to grid position `index` (clamped and
// kept) and returns its new value; 0 when the function has no such variable.
double MoveToGridPoint(int32_t handle, const char *name, int32_t &index)
{
    VariableRecord v{name, 0, 0, 0, 0};
    if (*name == '\0' || get_function_variable(handle, name, &v) == 0)
        return 0;
    v.name = name;
    if (v.steps < 1) {
        // No grid to walk: the variable stays at the start of its range
        // rather than at min + 0 * (range / 0), which is not a number.
        index = 0;
        v.value = v.min;
    } else {
        index = std::clamp(index, 0, v.steps);
        v.value = v.min + index * ((v.max - v.min) / v.steps);
    }
    modify_function_variable(handle, v);
    return v.value;
}

} // namespace

TracePlacement PlaceTraceCursor(const FunctionRecord &record, TraceState &state)
{
    const DependentKind kind = KindFromName(ExtractNames(record.text).dependent);
    const double f = AngleFactor(get_function_angle_mode(record.handle));
    const double u = MoveToGridPoint(record.handle, FirstPlottedName(kind), state.index1);
    const double w = MoveToGridPoint(record.handle, SecondPlottedName(kind), state.index2);
    double v = 0;
    execute_function(record.handle, nullptr, &v);

    TracePlacement placement;
    placement.point = MapSample(kind, f, u, w, v);
    // GL (X, Y, Z) is the user's (x, z, y).
    placement.reading = {record.handle, v, placement.point.x, placement.point.z, placement.point.y};
    return placement;
}
