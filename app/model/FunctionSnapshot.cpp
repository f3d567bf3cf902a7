#include "FunctionSnapshot.h"

#include <algorithm>

namespace {
constexpr int kLibrarySlots = 100;

bool SameVariable(const VariableDefaults &a, const VariableDefaults &b)
{
    return a.name == b.name && a.value == b.value && a.min == b.min && a.max == b.max && a.steps == b.steps;
}
}  // namespace

FunctionSnapshot FunctionSnapshot::Capture(int32_t handle)
{
    FunctionSnapshot snapshot;
    snapshot.compiled = is_function_initialized(handle) == 1;
    snapshot.angleMode = get_function_angle_mode(handle);
    if (snapshot.angleMode < 0)
        snapshot.angleMode = QEL_RADIANS;
    if (snapshot.compiled)
        snapshot.variables = CurrentVariableTable(handle);
    return snapshot;
}

bool FunctionSnapshot::RestoreInto(int32_t handle, const std::string &text) const
{
    reset_function(handle);
    set_function_angle_mode(handle, angleMode);
    return !compiled || CompileExpression(handle, text, variables) == 0;
}

bool FunctionSnapshot::operator==(const FunctionSnapshot &o) const
{
    return compiled == o.compiled && angleMode == o.angleMode &&
           std::equal(variables.begin(), variables.end(), o.variables.begin(), o.variables.end(), SameVariable);
}

// The library hands out the lowest free slot: taking slots until the
// preferred one comes, then giving the others back, reaches it whatever the
// order.
int32_t AcquireHandle(int32_t preferred)
{
    if (preferred < 0)
        return new_function();
    std::vector<int32_t> spare;
    int32_t chosen = -1;
    for (int i = 0; i < kLibrarySlots && chosen < 0; ++i) {
        const int32_t handle = new_function();
        if (handle < 0 || std::find(spare.begin(), spare.end(), handle) != spare.end())
            break;
        if (handle == preferred)
            chosen = handle;
        else
            spare.push_back(handle);
    }
    if (chosen < 0 && !spare.empty()) {
        chosen = spare.front();
        spare.erase(spare.begin());
    }
    for (int32_t handle : spare)
        delete_function(handle);
    return chosen;
}
