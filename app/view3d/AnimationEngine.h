#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "model/FunctionVariable.h"

class FunctionList;

// The timer of an animation.  The engine starts and stops it; whoever owns
// it calls AnimationEngine::Tick when it fires.
class AnimationClock {
public:
    virtual ~AnimationClock() = default;
    virtual void Start(uint32_t intervalMs) = 0;   // restarts a running clock
    virtual void Stop() = 0;
    virtual bool IsRunning() const = 0;
};

// Sweeps the parameters of one function (LibraryFunction says which they
// are) through their ranges, step by step, like the digits of an odometer:
// the last parameter runs fastest, and after the last position comes the
// first again.  Knows the library and the
// clock it is given, nothing of windows or GL: a view draws each position,
// an exporter may tick it directly, frame by frame.
//
// The steps always name the position last handed to the library, so the
// step commands move from what is on screen.
class AnimationEngine {
public:
    // A copy of one entry of the function's variable table.
    using Variable = FunctionVariable;
    struct Parameter {
        size_t variable = 0;     // index into Variables()
        double increment = 0;    // (max - min) / steps
        uint32_t step = 0;       // 0 .. last
        uint32_t last = 0;       // the variable's steps (0 when it has none)
    };

    explicit AnimationEngine(AnimationClock &clock) : clock_(clock) {}
    AnimationEngine(const AnimationEngine &) = delete;
    AnimationEngine &operator=(const AnimationEngine &) = delete;

    // Called after every new position was handed to the library, with the
    // animated function's handle: draw that function again, then call
    // FrameShown.
    std::function<void(int32_t handle)> onApplied;

    // Animates the function `handle` of `functions`: copies its variable
    // table, finds its parameters, applies the first position and starts the
    // clock.  False when the function is not in the list or has no
    // parameter: the animation is then on, but nothing moves.
    bool Start(const FunctionList &functions, int32_t handle, uint32_t intervalMs);
    // Stops the clock and forgets the tables; the function keeps the values
    // last applied.
    void End();
    // Hands the parameters back the values they had when Start was called
    // (an export that walked the animation leaves the function as it found
    // it).
    void PutBack();
    // Positions in one loop: every combination of the parameters' steps
    // (0 when nothing moves).
    uint64_t Positions() const;

    bool IsOn() const { return on_; }
    int32_t Handle() const { return handle_; }
    bool IsPlaying() const { return clock_.IsRunning(); }
    const std::vector<Variable> &Variables() const { return variables_; }
    const std::vector<Parameter> &Parameters() const { return parameters_; }
    std::vector<uint32_t> Steps() const;

    // The commands of the animation bar.  Every one stops the clock first;
    // play starts it again when there is something to move.
    void Play(uint32_t intervalMs);
    void Stop();
    void Rewind();
    void StepBack();      // nothing at the first position
    void StepForward();   // nothing at the last position

    // The clock fired: the next position.  A tick that comes while the last
    // position is still waiting to be drawn is merged into it (false): ticks
    // never pile up behind a slow drawing, and every position is shown.
    bool Tick();
    // The last applied position is on screen.
    void FrameShown() { frameDue_ = false; }
    bool FrameDue() const { return frameDue_; }
    uint64_t MergedTicks() const { return mergedTicks_; }

private:
    bool BuildTables(const FunctionList &functions);
    bool AtStart() const;
    bool AtEnd() const;
    void CountUp(size_t k);
    void CountDown(size_t k);
    void Apply();

    AnimationClock &clock_;
    bool on_ = false;
    int32_t handle_ = -1;
    std::vector<Variable> variables_;
    std::vector<Parameter> parameters_;
    std::vector<double> startValues_;   // of the parameters, when started
    bool frameDue_ = false;
    uint64_t mergedTicks_ = 0;
};
