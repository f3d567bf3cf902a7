// Number-to-text rule and the display forms built on it.
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

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
    EXPECT_EQ(Fmt(0.1, 2000), "0.1000000000000000055511151231257827021181583404541015625");
}

TEST(FormatGeneral, NonFiniteValues)
{
    EXPECT_EQ(Fmt(std::numeric_limits<double>::quiet_NaN()), "nan");
    EXPECT_EQ(Fmt(std::numeric_limits<double>::infinity()), "inf");
    EXPECT_EQ(Fmt(-std::numeric_limits<double>::infinity()), "-inf");
}

// The rule written the plain way, through printf: the reference the
// program's own formatter must match byte for byte.
std::string ReferenceFormat(double value, int digits)
{
    if (std::isnan(value))
        return "nan";
    if (std::isinf(value))
        return value < 0 ? "-inf" : "inf";
    char formatted[1024];
    std::snprintf(formatted, sizeof formatted, "%.*e", digits - 1, value);
    const char *e = std::strchr(formatted, 'e');
    const int exponent = std::atoi(e + 1);
    const bool negative = formatted[0] == '-';
    std::string significant;
    for (const char *p = formatted + (negative ? 1 : 0); p < e; ++p)
        if (*p != '.')
            significant += *p;
    auto strip = [](std::string s) {
        while (!s.empty() && s.back() == '0')
            s.pop_back();
        return s;
    };
    std::string result = negative ? "-" : "";
    if (exponent >= -1 && exponent < digits) {
        const size_t whole = exponent == -1 ? 0 : size_t(exponent) + 1;
        result += (whole == 0 ? std::string("0") : significant.substr(0, whole)) + '.' +
                  strip(significant.substr(whole));
    } else {
        char tail[16];
        std::snprintf(tail, sizeof tail, "e%c%03d", exponent < 0 ? '-' : '+', std::abs(exponent));
        result += significant.substr(0, 1) + '.' + strip(significant.substr(1)) + tail;
    }
    return result;
}

std::string Written(double v, int digits)
{
    char text[kFormatGeneralLongest];
    return std::string(text, FormatGeneralInto(text, v, digits));
}

// Grid coordinates, rounding ties, exponent boundaries, the extremes of
// double and random bit patterns, at every digit count the program uses and
// more: both entry points give the reference's bytes.
TEST(FormatGeneral, MatchesThePrintfReferenceOnManyValues)
{
    std::vector<double> values = {0.0, -0.0, 0.5, 0.05, 0.95, 9.5, 99.5, 999.5, 0.0625, 1.0 / 3, 2.0 / 3,
                                  DBL_MIN, -DBL_MIN, DBL_MAX, -DBL_MAX, DBL_TRUE_MIN, DBL_EPSILON,
                                  9.9999999999999999e14, 1e15, 1e20, 1e21, 123456789012345678.0};
    for (int k = -100; k <= 100; ++k)
        values.push_back(k * 0.05 - 0.0);   // coordinates of a 200-step grid over [-5, 5]
    for (int e = -320; e <= 308; e += 7) {
        const double p = std::pow(10.0, e);
        values.insert(values.end(), {p, std::nextafter(p, 0.0), std::nextafter(p, DBL_MAX), -p});
    }
    std::mt19937_64 random(20260612);
    while (values.size() < 6000) {
        const uint64_t bits = random();
        double v;
        std::memcpy(&v, &bits, sizeof v);
        if (std::isfinite(v))
            values.push_back(v);
        values.push_back(std::uniform_real_distribution<double>(-10, 10)(random));
    }
    for (int digits : {1, 2, 4, 10, 15, 17, 20, 25}) {
        for (double v : values) {
            const std::string expected = ReferenceFormat(v, digits);
            ASSERT_EQ(Fmt(v, digits), expected) << "value " << v << ", " << digits << " digits";
            ASSERT_EQ(Written(v, digits), expected) << "value " << v << ", " << digits << " digits";
        }
    }
}

TEST(DisplayForms, RangeColorModeStepsValue)
{
    EXPECT_EQ(RangeText(-5, 5), "[-5.,5.]");
    EXPECT_EQ(RangeText(0, 6.283185308), "[0.,6.283185308]");
    EXPECT_EQ(RangeText(0.001, 1e12), "[1.e-003,1.e+012]");
    EXPECT_EQ(ColorText(0x0000FF), "(255,0,0)");
    EXPECT_EQ(ColorText(MakeColor(1, 2, 3)), "(1,2,3)");
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

}  // namespace
