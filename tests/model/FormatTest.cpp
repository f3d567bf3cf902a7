// Number-to-text rule and the display forms built on it.
#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include "model/DisplayForms.h"
#include "model/FormatGeneral.h"

namespace {

std::string Fmt(double v, int digits = 10)
{
    return FormatGeneral(v, digits).toStdString();
}

TEST(FormatGeneral, FixedFormKeepsThePointAndDropsTrailingZeros)
{
    EXPECT_EQ(Fmt(5, 4), "5.");
    EXPECT_EQ(Fmt(-5), "-5.");
    EXPECT_EQ(Fmt(0), "0.");
    EXPECT_EQ(Fmt(0.5), "0.5");            // exponent -1 is still fixed
    EXPECT_EQ(Fmt(123.456), "123.456");
    EXPECT_EQ(Fmt(6.283185308), "6.283185308");
    EXPECT_EQ(Fmt(1234567890), "1234567890.");
}

TEST(FormatGeneral, ExponentFormHasSignAndThreeDigits)
{
    EXPECT_EQ(Fmt(0.05), "5.e-002");
    EXPECT_EQ(Fmt(-0.001), "-1.e-003");
    EXPECT_EQ(Fmt(1e-5), "1.e-005");
    EXPECT_EQ(Fmt(1234567890123.0), "1.23456789e+012");
    EXPECT_EQ(Fmt(1e300), "1.e+300");
    EXPECT_EQ(Fmt(-2.5e-300), "-2.5e-300");
}

TEST(FormatGeneral, RoundingCanMoveTheExponent)
{
    EXPECT_EQ(Fmt(9.99999, 4), "10.");
    EXPECT_EQ(Fmt(9999.6, 4), "1.e+004");
    EXPECT_EQ(Fmt(0.099999, 4), "0.1");
    EXPECT_EQ(Fmt(2.0 / 3.0, 4), "0.6667");
}

TEST(FormatGeneral, TwentyDigitsShowTheExactExpansion)
{
    EXPECT_EQ(Fmt(0.05, 20), "5.0000000000000002776e-002");
    EXPECT_EQ(Fmt(0.1, 15), "0.1");
    EXPECT_EQ(Fmt(0.1, 60), "0.1000000000000000055511151231257827021181583404541015625");
}

TEST(FormatGeneral, NonFiniteValues)
{
    EXPECT_EQ(Fmt(std::numeric_limits<double>::quiet_NaN()), "nan");
    EXPECT_EQ(Fmt(std::numeric_limits<double>::infinity()), "inf");
    EXPECT_EQ(Fmt(-std::numeric_limits<double>::infinity()), "-inf");
}

TEST(DisplayForms, RangeColourModeStepsValue)
{
    EXPECT_EQ(RangeText(-5, 5), "[-5.,5.]");
    EXPECT_EQ(RangeText(0, 6.283185308), "[0.,6.283185308]");
    EXPECT_EQ(RangeText(0.001, 1e12), "[1.e-003,1.e+012]");
    EXPECT_EQ(ColourText(0x0000FF), "(255,0,0)");
    EXPECT_EQ(ColourText(MakeColour(1, 2, 3)), "(1,2,3)");
    EXPECT_EQ(ModeName(0), "wire frame");
    EXPECT_EQ(ModeName(1), "filled polygons");
    EXPECT_EQ(ModeName(2), "chess board");
    EXPECT_EQ(ModeName(3), "gradient");
    EXPECT_EQ(ModeName(4), "");
    EXPECT_EQ(ModeName(-1), "");
    EXPECT_EQ(StepsText(20), "20");
    EXPECT_EQ(ValueText("x", 0), "x = 0.");
    EXPECT_EQ(ValueText("alpha", -1.5), "alpha = -1.5");
}

TEST(DisplayForms, FindVariableMatchesExactly)
{
    const VariableRecord table[] = {{"x", 0, 0, 0, 0}, {"X", 0, 0, 0, 0}, {"x", 1, 0, 0, 0}, {nullptr, 0, 0, 0, 0}};
    EXPECT_EQ(FindVariable(table, 4, "x"), 0);
    EXPECT_EQ(FindVariable(table, 4, "X"), 1);
    EXPECT_EQ(FindVariable(table, 4, "xx"), -1);
    EXPECT_EQ(FindVariable(table, 0, "x"), -1);
    EXPECT_EQ(FindVariable(nullptr, 4, "x"), -1);
}

}  // namespace
