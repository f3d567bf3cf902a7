// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The exported interface: handles, return codes, variable tables.

#include "qel/qel.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

class CApi : public ::testing::Test {
protected:
    void SetUp() override { delete_all(); }
    void TearDown() override { delete_all(); }

    // A new function compiled from text over x and y.
    int32_t Make(const char *text)
    {
        const int32_t h = new_function();
        EXPECT_GE(h, 0);
        int32_t stop = -1;
        EXPECT_EQ(initialize_function(h, text, xy_, 2, &stop), 0) << text;
        return h;
    }

    VariableRecord xy_[2] = {{"x", 0.5, -1.0, 1.0, 20}, {"y", 2.0, -3.0, 3.0, 30}};
};

TEST_F(CApi, HandlesAreTheLowestFreeSlots)
{
    for (int32_t i = 0; i < 100; ++i)
        ASSERT_EQ(new_function(), i);
    EXPECT_EQ(new_function(), -1);
    EXPECT_NE(delete_function(42), 0);
    EXPECT_EQ(new_function(), 42);
    EXPECT_EQ(new_function(), -1);
    delete_all();
    EXPECT_EQ(new_function(), 0);
}

TEST_F(CApi, DeleteReportsWhetherThereWasAFunction)
{
    EXPECT_EQ(delete_function(-1), 0);
    EXPECT_EQ(delete_function(100), 0);
    EXPECT_EQ(delete_function(5), 0);
    const int32_t h = Make("x+y");
    EXPECT_NE(delete_function(h), 0);
    EXPECT_EQ(delete_function(h), 0);
    EXPECT_EQ(is_function_initialized(h), -2);
}

TEST_F(CApi, BadHandlesAndEmptySlots)
{
    double out = 42.0;
    const double values[2] = {1.0, 2.0};
    VariableRecord r{"x", 9.0, 9.0, 9.0, 9};
    for (int32_t h : {-1, 100, 7}) {
        const bool inRange = h == 7; // slot 7 is empty
        EXPECT_EQ(initialize_function(h, "x", xy_, 2, nullptr), -1);
        EXPECT_EQ(execute_function(h, values, &out), inRange ? -2 : -1);
        EXPECT_EQ(set_function_angle_mode(h, 0), inRange ? -2 : -1);
        EXPECT_EQ(get_function_angle_mode(h), inRange ? -2 : -1);
        EXPECT_EQ(is_function_initialized(h), inRange ? -2 : -1);
        EXPECT_EQ(get_function_text(h), nullptr);
        EXPECT_EQ(get_function_n_var(h), 0);
        EXPECT_EQ(modify_function_variable(h, r), 0);
        EXPECT_EQ(get_function_variable(h, "x", &r), 0);
        EXPECT_EQ(store_function(h, 1), 0);
        EXPECT_EQ(load_function(h, 0), 0);
        get_function_variables(h, &r);
        reset_function(h);
    }
    EXPECT_EQ(out, 42.0);
    EXPECT_STREQ(r.name, "x");
    EXPECT_EQ(r.value, 9.0);
}

TEST_F(CApi, InitializeReturnCodes)
{
    const int32_t h = new_function();
    EXPECT_EQ(is_function_initialized(h), 0);
    EXPECT_EQ(initialize_function(h, nullptr, xy_, 2, nullptr), 4);
    EXPECT_EQ(is_function_initialized(h), 0);

    int32_t stop = -1;
    EXPECT_EQ(initialize_function(h, "x+", xy_, 2, &stop), 1);
    EXPECT_EQ(stop, 2);
    EXPECT_EQ(is_function_initialized(h), 0);
    EXPECT_EQ(get_function_n_var(h), 0); // a failed compile resets

    EXPECT_EQ(initialize_function(h, "x*y", xy_, 2, &stop), 0);
    EXPECT_EQ(stop, 3);
    EXPECT_EQ(is_function_initialized(h), 1);
    EXPECT_EQ(initialize_function(h, "x+y", xy_, 2, &stop), 3);
    char *text = get_function_text(h);
    EXPECT_STREQ(text, "x*y");
    std::free(text);

    reset_function(h);
    EXPECT_EQ(is_function_initialized(h), 0);
    EXPECT_EQ(get_function_text(h), nullptr);
    EXPECT_EQ(initialize_function(h, "x+y", xy_, 2, &stop), 0);

    // Trailing text is refused with and without a stop-position pointer.
    reset_function(h);
    EXPECT_EQ(initialize_function(h, "x)", xy_, 2, nullptr), 1);
    EXPECT_EQ(is_function_initialized(h), 0);

    // An empty variable name would match everywhere.
    VariableRecord bad[2] = {{"x", 0, 0, 0, 0}, {"", 0, 0, 0, 0}};
    stop = -1;
    EXPECT_EQ(initialize_function(h, "x", bad, 2, &stop), 1);
    EXPECT_EQ(stop, 0);
}

TEST_F(CApi, ConstantsNeedNoVariables)
{
    const int32_t h = new_function();
    EXPECT_EQ(initialize_function(h, "2+3", nullptr, 5, nullptr), 0);
    EXPECT_EQ(get_function_n_var(h), 0);
    double out = 0.0;
    EXPECT_EQ(execute_function(h, nullptr, &out), 0);
    EXPECT_EQ(out, 5.0);
    reset_function(h);
    EXPECT_EQ(initialize_function(h, "7", xy_, -3, nullptr), 0);
    EXPECT_EQ(get_function_n_var(h), 0);
}

TEST_F(CApi, ExecuteLeavesTheValuesBehind)
{
    const int32_t h = Make("x-y");
    double out = 0.0;
    EXPECT_EQ(execute_function(h, nullptr, &out), 0);
    EXPECT_EQ(out, -1.5);
    const double values[2] = {10.0, 4.0};
    EXPECT_EQ(execute_function(h, values, &out), 0);
    EXPECT_EQ(out, 6.0);
    VariableRecord r{"keep", 0, 0, 0, 0};
    EXPECT_EQ(get_function_variable(h, "x", &r), 1);
    EXPECT_STREQ(r.name, "keep");
    EXPECT_EQ(r.value, 10.0);
    EXPECT_EQ(r.min, -1.0);
    EXPECT_EQ(r.max, 1.0);
    EXPECT_EQ(r.steps, 20);
    EXPECT_EQ(execute_function(h, nullptr, &out), 0);
    EXPECT_EQ(out, 6.0);

    reset_function(h);
    out = 99.0;
    EXPECT_EQ(execute_function(h, values, &out), 1);
    EXPECT_EQ(out, 99.0);

    // The same for a function that calls into the math library.
    const int32_t g = Make("x^y+sinx");
    const double more[2] = {3.0, 2.0};
    EXPECT_EQ(execute_function(g, more, nullptr), 0);
    VariableRecord all[2];
    get_function_variables(g, all);
    EXPECT_EQ(all[0].value, 3.0);
    EXPECT_EQ(all[1].value, 2.0);
    EXPECT_EQ(execute_function(g, nullptr, &out), 0);
    EXPECT_EQ(out, 9.0 + std::sin(all[0].value));
}

// Every given value stays behind, whatever the size of the table and
// whichever runner the program takes (one without calls, one with): each
// runner copies the values itself.
TEST_F(CApi, ExecuteKeepsEveryGivenValue)
{
    for (const char *text : {"ka+1", "sin(ka)"}) {
        for (int n = 1; n <= 12; ++n) {
            std::vector<std::string> names;
            for (int i = 0; i < n; ++i)
                names.push_back(std::string("k") + static_cast<char>('a' + i));
            std::vector<VariableRecord> vars;
            for (const std::string &name : names)
                vars.push_back({name.c_str(), -1.0, 0.0, 0.0, 0});
            const int32_t h = new_function();
            ASSERT_EQ(initialize_function(h, text, vars.data(), n, nullptr), 0) << text;
            std::vector<double> values;
            for (int i = 0; i < n; ++i)
                values.push_back(10.0 + i);
            double out = 0.0;
            ASSERT_EQ(execute_function(h, values.data(), &out), 0);
            std::vector<VariableRecord> kept(static_cast<size_t>(n));
            get_function_variables(h, kept.data());
            for (int i = 0; i < n; ++i)
                EXPECT_EQ(kept[i].value, values[i]) << text << " with " << n << " variables";
            delete_function(h);
        }
    }
}

TEST_F(CApi, AngleModeIsKeptThroughResetAndFailure)
{
    const int32_t h = new_function();
    EXPECT_EQ(get_function_angle_mode(h), QEL_RADIANS);
    EXPECT_EQ(set_function_angle_mode(h, QEL_DEGREES), 0);
    EXPECT_EQ(set_function_angle_mode(h, 5), 0);
    EXPECT_EQ(set_function_angle_mode(h, -1), 0);
    EXPECT_EQ(get_function_angle_mode(h), QEL_DEGREES);
    EXPECT_EQ(initialize_function(h, "sin", xy_, 2, nullptr), 1);
    EXPECT_EQ(get_function_angle_mode(h), QEL_DEGREES);
    EXPECT_EQ(initialize_function(h, "sin90", xy_, 2, nullptr), 0);
    double out = 0.0;
    execute_function(h, nullptr, &out);
    EXPECT_EQ(out, 1.0);
    reset_function(h);
    EXPECT_EQ(get_function_angle_mode(h), QEL_DEGREES);
    EXPECT_EQ(set_function_angle_mode(h, QEL_GRADS), 0);
    EXPECT_EQ(get_function_angle_mode(h), QEL_GRADS);
}

TEST_F(CApi, TheLibraryOwnsItsCopiesOfTextAndNames)
{
    std::string text = "alpha*beta";
    std::string a = "alpha", b = "beta";
    VariableRecord vars[2] = {{a.c_str(), 2.0, 0, 1, 5}, {b.c_str(), 3.0, 0, 1, 5}};
    const int32_t h = new_function();
    ASSERT_EQ(initialize_function(h, text.c_str(), vars, 2, nullptr), 0);
    text.assign(text.size(), '#');
    a.assign(a.size(), '#');
    b.assign(b.size(), '#');

    ASSERT_EQ(get_function_n_var(h), 2);
    VariableRecord out[2];
    get_function_variables(h, out);
    EXPECT_STREQ(out[0].name, "alpha");
    EXPECT_STREQ(out[1].name, "beta");
    EXPECT_NE(out[0].name, a.c_str());
    EXPECT_EQ(out[1].value, 3.0);
    double result = 0.0;
    execute_function(h, nullptr, &result);
    EXPECT_EQ(result, 6.0);

    // A caller's copy of the text is its own.
    char *copy = get_function_text(h);
    copy[0] = 'X';
    std::free(copy);
    copy = get_function_text(h);
    EXPECT_STREQ(copy, "alpha*beta");
    std::free(copy);
}

TEST_F(CApi, ModifyAndGetVariablesByExactName)
{
    const int32_t h = Make("x+y");
    VariableRecord r{"y", 7.0, -7.0, 70.0, 7};
    EXPECT_EQ(modify_function_variable(h, r), 1);
    VariableRecord got{nullptr, 0, 0, 0, 0};
    EXPECT_EQ(get_function_variable(h, "y", &got), 1);
    EXPECT_EQ(got.value, 7.0);
    EXPECT_EQ(got.min, -7.0);
    EXPECT_EQ(got.max, 70.0);
    EXPECT_EQ(got.steps, 7);
    double out = 0.0;
    execute_function(h, nullptr, &out);
    EXPECT_EQ(out, 7.5);

    VariableRecord upper{"Y", 1.0, 1.0, 1.0, 1};
    EXPECT_EQ(modify_function_variable(h, upper), 0);
    VariableRecord missing{"z", 1.0, 1.0, 1.0, 1};
    EXPECT_EQ(modify_function_variable(h, missing), 0);
    VariableRecord null{nullptr, 1.0, 1.0, 1.0, 1};
    EXPECT_EQ(modify_function_variable(h, null), 0);
    EXPECT_EQ(get_function_variable(h, "Y", &got), 0);
    EXPECT_EQ(get_function_variable(h, nullptr, &got), 0);
    EXPECT_EQ(got.value, 7.0);

    VariableRecord all[2];
    get_function_variables(h, all);
    EXPECT_EQ(all[0].value, 0.5);
    EXPECT_EQ(all[1].value, 7.0);

    reset_function(h); // an empty table
    EXPECT_EQ(modify_function_variable(h, r), 0);
    EXPECT_EQ(get_function_variable(h, "y", &got), 0);
}

} // namespace
