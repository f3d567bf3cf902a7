#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "FunctionDefinition.h"
#include "LibraryFunction.h"

// What the library holds of one function besides its definition: whether it
// is compiled, its angle unit and its variable table with values, ranges and
// steps.  It holds no handle, so a function taken out of the library costs no
// slot while it waits to be put back.
struct FunctionSnapshot {
    bool compiled = false;
    int32_t angleMode = Radians;
    std::vector<FunctionVariable> variables;

    static FunctionSnapshot Capture(int32_t handle);
    // Makes the library function `handle` this one again, compiled from the
    // expression part of `text` (the definition it was captured with).  False
    // when that does not compile; the function is then left reset.
    bool RestoreInto(int32_t handle, const std::string &text) const;

    bool operator==(const FunctionSnapshot &o) const;
    bool operator!=(const FunctionSnapshot &o) const { return !(*this == o); }
};

// Takes a free library slot for a function coming back: `preferred` when that
// one is free, so that the function gets its old handle again, otherwise
// another free one; -1 when the library is full.
int32_t AcquireHandle(int32_t preferred);
