#pragma once

#include <cstdint>
#include <string>

// One entry of a function's variable table: the current value and the range
// [min, max] divided into `steps`.
struct FunctionVariable {
    std::string name;
    double value = 0, min = 0, max = 0;
    int32_t steps = 0;

    bool operator==(const FunctionVariable &o) const
    {
        return name == o.name && value == o.value && min == o.min && max == o.max && steps == o.steps;
    }
    bool operator!=(const FunctionVariable &o) const { return !(*this == o); }
};
