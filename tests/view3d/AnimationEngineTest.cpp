#include <cmath>
#include <set>
#include <vector>

#include <gtest/gtest.h>

#include "TestFunctions.h"
#include "model/FunctionList.h"
#include "qel/qel.h"
#include "view3d/AnimationEngine.h"

namespace {

class FakeClock : public AnimationClock {
public:
    void Start(uint32_t intervalMs) override
    {
        running = true;
        interval = intervalMs;
        ++starts;
    }
    void Stop() override { running = false; }
    bool IsRunning() const override { return running; }

    bool running = false;
    uint32_t interval = 0;
    int starts = 0;
};

using Steps = std::vector<uint32_t>;

// One function in a list, animated by an engine on a fake clock; every
// applied position is drawn at once unless a test says otherwise.
class AnimationEngineTest : public testing::Test {
protected:
    // `ranges`: name, min, max, steps of each variable to set.
    struct Range {
        const char *name;
        double min, max;
        int32_t steps;
    };
    void Define(const char *text, std::initializer_list<Range> ranges)
    {
        function = std::make_unique<TestFunction>(text);
        ASSERT_TRUE(function->ok());
        for (const Range &r : ranges)
            function->SetRange(r.name, r.min, r.max, r.steps);
        list.Append(function->Record());
        engine.onApplied = [this](int32_t handle) {
            EXPECT_EQ(handle, function->handle());
            ++applied;
            if (drawAtOnce)
                engine.FrameShown();
        };
    }
    double Value(const char *name) const
    {
        VariableRecord v{name, 0, 0, 0, 0};
        EXPECT_EQ(get_function_variable(function->handle(), name, &v), 1) << name;
        return v.value;
    }
    // The positions shown by `ticks` ticks after the start.
    std::vector<Steps> Play(int ticks)
    {
        std::vector<Steps> shown{engine.Steps()};
        for (int i = 0; i < ticks; ++i) {
            EXPECT_TRUE(engine.Tick());
            shown.push_back(engine.Steps());
        }
        return shown;
    }

    FakeClock clock;
    AnimationEngine engine{clock};
    std::unique_ptr<TestFunction> function;
    FunctionList list;
    int applied = 0;
    bool drawAtOnce = true;
};

TEST_F(AnimationEngineTest, OneParameterSweepsItsRangeInQuartersAndStartsAgain)
{
    Define("z(x,y,a)=a*x", {{"a", 2, 4, 4}});
    ASSERT_TRUE(engine.Start(list, function->handle(), 25));
    EXPECT_TRUE(clock.running);
    EXPECT_EQ(clock.interval, 25u);
    ASSERT_EQ(engine.Parameters().size(), 1u);
    EXPECT_EQ(engine.Variables()[engine.Parameters()[0].variable].name, "a");

    std::vector<double> values{Value("a")};
    for (int i = 0; i < 5; ++i) {
        engine.Tick();
        values.push_back(Value("a"));
    }
    EXPECT_EQ(values, (std::vector<double>{2, 2.5, 3, 3.5, 4, 2}));
    EXPECT_EQ(applied, 6);
}

TEST_F(AnimationEngineTest, TwoParametersRunLikeAnOdometerTwelvePositionsALoop)
{
    Define("z(x,y,A,B)=A+B", {{"A", 0, 1, 2}, {"B", 0, 1, 3}});
    ASSERT_TRUE(engine.Start(list, function->handle(), 10));
    const std::vector<Steps> shown = Play(12);
    // clang-format off
    const std::vector<Steps> expected{{0, 0}, {0, 1}, {0, 2}, {0, 3}, {1, 0}, {1, 1}, {1, 2},
                                      {1, 3}, {2, 0}, {2, 1}, {2, 2}, {2, 3}, {0, 0}};
    // clang-format on
    EXPECT_EQ(shown, expected);
    EXPECT_DOUBLE_EQ(Value("A"), 0);
    EXPECT_DOUBLE_EQ(Value("B"), 0);
}

// A film walks the animation and puts the parameters back: one loop is
// every combination once, and the values found at the start return.
TEST_F(AnimationEngineTest, PositionsOfALoopAndTheValuesPutBack)
{
    Define("z(x,y,A,B)=A+B", {{"A", 0, 1, 2}, {"B", 0, 1, 3}});
    VariableRecord a{"A", 0.3, 0, 1, 2}, b{"B", 0.2, 0, 1, 3};
    ASSERT_EQ(modify_function_variable(function->handle(), a), 1);
    ASSERT_EQ(modify_function_variable(function->handle(), b), 1);
    ASSERT_TRUE(engine.Start(list, function->handle(), 10));
    EXPECT_EQ(engine.Positions(), 12u);
    Play(7);
    EXPECT_DOUBLE_EQ(Value("A"), 0.5);
    EXPECT_DOUBLE_EQ(Value("B"), 1);
    engine.PutBack();
    EXPECT_DOUBLE_EQ(Value("A"), 0.3);
    EXPECT_DOUBLE_EQ(Value("B"), 0.2);
    engine.End();
    EXPECT_EQ(engine.Positions(), 0u);
}

TEST_F(AnimationEngineTest, ThreeParametersShowEveryCombinationBeforeTheLoop)
{
    // The coordinate variables may stand anywhere in the header.
    Define("z(a,x,b,y,c)=a+b+c", {{"a", 0, 1, 1}, {"b", 0, 1, 2}, {"c", 0, 1, 1}});
    ASSERT_TRUE(engine.Start(list, function->handle(), 10));
    ASSERT_EQ(engine.Parameters().size(), 3u);
    const std::vector<Steps> shown = Play(12);
    const std::set<Steps> distinct(shown.begin(), shown.end() - 1);
    EXPECT_EQ(distinct.size(), 12u);
    EXPECT_TRUE(distinct.count({0, 2, 1})) << "the middle one at its last step";
    EXPECT_TRUE(distinct.count({1, 2, 0}));
    EXPECT_EQ(shown.back(), (Steps{0, 0, 0}));
}

TEST_F(AnimationEngineTest, StepCommandsStopTheClockAndStayWithinTheSequence)
{
    Define("z(x,y,A,B)=A+B", {{"A", 0, 2, 2}, {"B", 0, 3, 3}});
    ASSERT_TRUE(engine.Start(list, function->handle(), 10));
    for (int i = 0; i < 4; ++i)
        engine.StepForward();
    EXPECT_FALSE(clock.running);
    EXPECT_EQ(engine.Steps(), (Steps{1, 0}));
    engine.StepBack();
    EXPECT_EQ(engine.Steps(), (Steps{0, 3})) << "counting down borrows from the parameter before";
    EXPECT_DOUBLE_EQ(Value("B"), 3);

    engine.Rewind();
    EXPECT_EQ(engine.Steps(), (Steps{0, 0}));
    const int before = applied;
    engine.StepBack();
    EXPECT_EQ(engine.Steps(), (Steps{0, 0}));
    EXPECT_EQ(applied, before) << "step back at the start changes nothing";

    for (int i = 0; i < 11; ++i)
        engine.StepForward();
    EXPECT_EQ(engine.Steps(), (Steps{2, 3}));
    engine.Play(40);
    EXPECT_TRUE(clock.running);
    EXPECT_EQ(clock.interval, 40u) << "play takes the interval of the moment";
    engine.StepForward();
    EXPECT_FALSE(clock.running);
    EXPECT_EQ(engine.Steps(), (Steps{2, 3})) << "step forward at the end changes nothing";
    EXPECT_DOUBLE_EQ(Value("A"), 2);

    engine.Play(10);
    engine.Stop();
    EXPECT_FALSE(clock.running);
}

TEST_F(AnimationEngineTest, AFunctionWithoutParametersStartsNothing)
{
    Define("z(x,y)=x*y", {});
    EXPECT_FALSE(engine.Start(list, function->handle(), 10));
    EXPECT_TRUE(engine.IsOn()) << "the bar stays; its commands find nothing to move";
    EXPECT_EQ(clock.starts, 0);
    engine.Play(10);
    engine.StepForward();
    engine.Rewind();
    EXPECT_FALSE(engine.Tick());
    EXPECT_EQ(clock.starts, 0);
    EXPECT_EQ(applied, 0);

    EXPECT_FALSE(engine.Start(list, 99, 10)) << "a function the document does not hold";
    EXPECT_EQ(applied, 0);
}

TEST_F(AnimationEngineTest, TicksWhileAPositionWaitsToBeDrawnAreMerged)
{
    Define("z(x,y,a)=a", {{"a", 0, 1, 10}});
    drawAtOnce = false;
    ASSERT_TRUE(engine.Start(list, function->handle(), 1));
    EXPECT_TRUE(engine.FrameDue());
    EXPECT_FALSE(engine.Tick());
    EXPECT_FALSE(engine.Tick());
    EXPECT_EQ(engine.MergedTicks(), 2u);
    EXPECT_EQ(engine.Steps(), (Steps{0})) << "no position skipped";
    engine.FrameShown();
    EXPECT_TRUE(engine.Tick());
    EXPECT_EQ(engine.Steps(), (Steps{1}));
    // The user's own steps are never merged.
    engine.StepForward();
    EXPECT_EQ(engine.Steps(), (Steps{2}));
    EXPECT_EQ(applied, 3);
}

TEST_F(AnimationEngineTest, EndingKeepsTheLastValuesAndAParameterWithoutStepsStaysAtItsMinimum)
{
    Define("z(x,y,a,b)=a+b", {{"a", 1, 3, 0}, {"b", 0, 1, 2}});
    ASSERT_TRUE(engine.Start(list, function->handle(), 10));
    Play(4);
    EXPECT_DOUBLE_EQ(Value("a"), 1);
    EXPECT_DOUBLE_EQ(Value("b"), 0.5);
    engine.End();
    EXPECT_FALSE(engine.IsOn());
    EXPECT_FALSE(clock.running);
    EXPECT_TRUE(engine.Parameters().empty());
    EXPECT_DOUBLE_EQ(Value("b"), 0.5);
    EXPECT_FALSE(engine.Tick());
}

} // namespace
