#include "FunctionSnapshot.h"

#include <algorithm>

#include "qel/qel.h"

namespace {
constexpr int kLibrarySlots = 100;
}  // namespace

FunctionSnapshot FunctionSnapshot::Capture(int32_t handle)
{
    FunctionSnapshot snapshot;
    const LibraryFunction function(handle);
    snapshot.compiled = function.IsCompiled();
    snapshot.angleMode = function.Unit();
    if (snapshot.compiled)
        snapshot.variables = function.Variables();
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
    return compiled == o.compiled && angleMode == o.angleMode && variables == o.variables;
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
