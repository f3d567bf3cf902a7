// A function's library state kept apart from its handle, and getting a
// chosen handle back.
#include <gtest/gtest.h>

#include "QelSlots.h"
#include "model/FunctionSnapshot.h"

namespace {

class FunctionSnapshotTest : public QelTest {};

TEST_F(FunctionSnapshotTest, RestoredFunctionIsTheCapturedOneUnderAnotherHandle)
{
    const std::string text = "r(alpha,beta,a)=a*beta";
    const DefinitionOutcome made = CompileNewFunction(text, QEL_DEGREES);
    ASSERT_TRUE(made.ok);
    modify_function_variable(made.handle, VariableRecord{"a", 2.5, 1, 3, 7});
    const FunctionSnapshot captured = FunctionSnapshot::Capture(made.handle);
    EXPECT_TRUE(captured.compiled);
    EXPECT_EQ(captured.angleMode, QEL_DEGREES);
    ASSERT_EQ(captured.variables.size(), 5u);   // alpha, beta, a, e, pi

    const int32_t other = new_function();
    ASSERT_TRUE(captured.RestoreInto(other, text));
    EXPECT_EQ(FunctionSnapshot::Capture(other), captured);
    double a = 0, b = 0;
    const double values[] = {0, 90, 2.5, 2.718281828, 3.141592654};
    execute_function(made.handle, values, &a);
    execute_function(other, values, &b);
    EXPECT_EQ(a, b);

    // Restoring over a compiled function replaces it, and a snapshot of a
    // function that was not compiled leaves it reset with its angle unit.
    FunctionSnapshot reset;
    reset.angleMode = QEL_GRADS;
    EXPECT_TRUE(reset.RestoreInto(other, text));
    EXPECT_EQ(is_function_initialized(other), 0);
    EXPECT_EQ(get_function_angle_mode(other), QEL_GRADS);
    EXPECT_TRUE(captured.RestoreInto(other, text));
    EXPECT_EQ(FunctionSnapshot::Capture(other), captured);
}

TEST_F(FunctionSnapshotTest, AcquireTakesThePreferredSlotAndGivesTheOthersBack)
{
    for (int i = 0; i < 6; ++i)
        new_function();
    delete_function(1);
    delete_function(4);
    EXPECT_EQ(AcquireHandle(4), 4);
    EXPECT_EQ(UsedHandles(), 5);
    EXPECT_EQ(is_function_initialized(1), -2);   // still free

    // Taken already: the lowest free one instead.
    EXPECT_EQ(AcquireHandle(3), 1);
    EXPECT_EQ(UsedHandles(), 6);
    EXPECT_EQ(AcquireHandle(-1), 6);

    while (new_function() >= 0) {
    }
    EXPECT_EQ(AcquireHandle(50), -1);
    EXPECT_EQ(UsedHandles(), 100);
}

}  // namespace
