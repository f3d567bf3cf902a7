// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A function's library state kept apart from its handle, and getting a
// chosen handle back.
#include <gtest/gtest.h>

#include "QelSlots.h"
#include "model/FunctionSnapshot.h"

namespace {

class FunctionSnapshotTest : public QelTest {};

TEST_F(FunctionSnapshotTest, RestoredFunctionIsTheCapturedOneAndMayLeaveItReset)
{
    const std::string text = "r(alpha,beta,a)=a*beta";
    const DefinitionOutcome made = CompileNewFunction(text, QEL_DEGREES);
    ASSERT_TRUE(made.ok);
    modify_function_variable(made.handle, VariableRecord{"a", 2.5, 1, 3, 7});
    const FunctionSnapshot captured = FunctionSnapshot::Capture(made.handle);
    ASSERT_EQ(captured.variables.size(), 5u);   // alpha, beta, a, e, pi

    const int32_t other = new_function();
    ASSERT_TRUE(captured.RestoreInto(other, text));
    EXPECT_EQ(FunctionSnapshot::Capture(other), captured);

    // A snapshot of a function that was not compiled leaves it reset with
    // its angle unit.
    FunctionSnapshot reset;
    reset.angleMode = QEL_GRADS;
    EXPECT_TRUE(reset.RestoreInto(other, text));
    EXPECT_EQ(is_function_initialized(other), 0);
    EXPECT_EQ(get_function_angle_mode(other), QEL_GRADS);
}

TEST_F(FunctionSnapshotTest, AcquireFallsBackToAnotherSlotAndGivesTheRestBack)
{
    for (int i = 0; i < 3; ++i)
        new_function();
    delete_function(1);
    EXPECT_EQ(AcquireHandle(2), 1);   // 2 is taken: the free one instead
    EXPECT_EQ(UsedHandles(), 3);
    while (new_function() >= 0) {
    }
    EXPECT_EQ(AcquireHandle(50), -1);
    EXPECT_EQ(UsedHandles(), 100);
}

}  // namespace
