#include "view3d/AnimationEngine.h"

#include <algorithm>

#include "model/FunctionList.h"
#include "model/LibraryFunction.h"

bool AnimationEngine::Start(const FunctionList &functions, int32_t handle, uint32_t intervalMs)
{
    End();
    on_ = true;
    handle_ = handle;
    if (!BuildTables(functions)) {
        variables_.clear();
        parameters_.clear();
        startValues_.clear();
        return false;
    }
    Apply();
    clock_.Start(intervalMs);
    return true;
}

void AnimationEngine::End()
{
    clock_.Stop();
    on_ = false;
    handle_ = -1;
    variables_.clear();
    parameters_.clear();
    startValues_.clear();
    frameDue_ = false;
}

void AnimationEngine::PutBack()
{
    for (size_t k = 0; k < parameters_.size(); ++k) {
        Variable &v = variables_[parameters_[k].variable];
        v.value = startValues_[k];
        LibraryFunction(handle_).Write(v);
    }
}

uint64_t AnimationEngine::Positions() const
{
    if (parameters_.empty())
        return 0;
    uint64_t n = 1;
    for (const Parameter &p : parameters_)
        n = p.last + 1 > UINT64_MAX / n ? UINT64_MAX : n * (p.last + 1);
    return n;
}

bool AnimationEngine::BuildTables(const FunctionList &functions)
{
    const int position = functions.Find(handle_);
    if (position < 0)
        return false;
    const LibraryFunction function(functions.At(position));
    variables_ = function.Variables();
    for (size_t i = 0; i < variables_.size(); ++i) {
        const Variable &v = variables_[i];
        if (!function.IsParameter(v.name))
            continue;
        Parameter p;
        p.variable = i;
        // A variable without steps has one position, its minimum: its range
        // divided by 0 would make every value not a number.
        p.last = v.steps > 0 ? uint32_t(v.steps) : 0;
        p.increment = v.steps > 0 ? (v.max - v.min) / v.steps : 0;
        parameters_.push_back(p);
        startValues_.push_back(v.value);
    }
    return !parameters_.empty();
}

std::vector<uint32_t> AnimationEngine::Steps() const
{
    std::vector<uint32_t> steps;
    for (const Parameter &p : parameters_)
        steps.push_back(p.step);
    return steps;
}

bool AnimationEngine::AtStart() const
{
    return std::all_of(parameters_.begin(), parameters_.end(), [](const Parameter &p) { return p.step == 0; });
}

bool AnimationEngine::AtEnd() const
{
    return std::all_of(parameters_.begin(), parameters_.end(),
                       [](const Parameter &p) { return p.step == p.last; });
}

// Odometer: parameter k moves one step; one at its end wraps to 0 and
// carries into the parameter before it.
void AnimationEngine::CountUp(size_t k)
{
    Parameter &p = parameters_[k];
    if (p.step < p.last) {
        ++p.step;
    } else if (k > 0) {
        p.step = 0;
        CountUp(k - 1);
    }
}

void AnimationEngine::CountDown(size_t k)
{
    Parameter &p = parameters_[k];
    if (p.step > 0) {
        --p.step;
    } else if (k > 0) {
        p.step = p.last;
        CountDown(k - 1);
    }
}

void AnimationEngine::Apply()
{
    for (const Parameter &p : parameters_) {
        Variable &v = variables_[p.variable];
        v.value = v.min + p.step * p.increment;
        LibraryFunction(handle_).Write(v);
    }
    frameDue_ = true;
    if (onApplied)
        onApplied(handle_);
}

void AnimationEngine::Play(uint32_t intervalMs)
{
    clock_.Stop();
    if (!parameters_.empty())
        clock_.Start(intervalMs);
}

void AnimationEngine::Stop()
{
    clock_.Stop();
}

void AnimationEngine::Rewind()
{
    clock_.Stop();
    if (parameters_.empty())
        return;
    for (Parameter &p : parameters_)
        p.step = 0;
    Apply();
}

void AnimationEngine::StepBack()
{
    clock_.Stop();
    if (parameters_.empty() || AtStart())
        return;
    CountDown(parameters_.size() - 1);
    Apply();
}

void AnimationEngine::StepForward()
{
    clock_.Stop();
    if (parameters_.empty() || AtEnd())
        return;
    CountUp(parameters_.size() - 1);
    Apply();
}

bool AnimationEngine::Tick()
{
    if (parameters_.empty())
        return false;
    if (frameDue_) {
        ++mergedTicks_;
        return false;
    }
    if (AtEnd()) {
        for (Parameter &p : parameters_)
            p.step = 0;
    } else {
        CountUp(parameters_.size() - 1);
    }
    Apply();
    return true;
}
