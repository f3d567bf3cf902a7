// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "FormatGeneral.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace {

// A double's exact decimal expansion has at most 767 significant digits, so
// asking for more changes nothing once trailing zeros are dropped.
constexpr int kMostDigits = 770;
static_assert(kFormatGeneralLongest >= kMostDigits + 8, "room for sign, point and exponent");

// Length of `digits` once the trailing zeros are dropped.
size_t WithoutTrailingZeros(const char *digits, size_t length)
{
    while (length > 0 && digits[length - 1] == '0')
        --length;
    return length;
}

} // namespace

size_t FormatGeneralInto(char *out, double value, int digits)
{
    if (std::isnan(value)) {
        std::memcpy(out, "nan", 3);
        return 3;
    }
    if (std::isinf(value)) {
        std::memcpy(out, value < 0 ? "-inf" : "inf", value < 0 ? 4 : 3);
        return value < 0 ? 4 : 3;
    }
    if (digits < 1)
        digits = 1;
    if (digits > kMostDigits)
        digits = kMostDigits;

    // Scientific notation gives the correctly rounded significant digits
    // and, after the rounding, the decimal exponent: "-d.ddde+XX" (no point
    // for a single digit).
    char scientific[kMostDigits + 16];
    const std::to_chars_result r = std::to_chars(scientific, scientific + sizeof scientific, value,
                                                 std::chars_format::scientific, digits - 1);
    const char *p = scientific;
    const bool negative = *p == '-';
    if (negative)
        ++p;
    char significant[kMostDigits + 1];   // the digits without sign and point
    size_t count = 0;
    for (; p < r.ptr && *p != 'e'; ++p)
        if (*p != '.')
            significant[count++] = *p;
    // p is at the 'e'; the text has no terminating zero.
    const bool negativeExponent = p + 1 < r.ptr && p[1] == '-';
    int exponent = 0;
    for (const char *e = p + 2; e < r.ptr; ++e)
        exponent = exponent * 10 + (*e - '0');
    if (negativeExponent)
        exponent = -exponent;

    size_t n = 0;
    if (negative)
        out[n++] = '-';
    if (exponent >= -1 && exponent < digits) {
        const size_t whole = exponent == -1 ? 0 : size_t(exponent) + 1;
        if (whole == 0) {
            out[n++] = '0';
        } else {
            std::memcpy(out + n, significant, whole);
            n += whole;
        }
        out[n++] = '.';
        const size_t fraction = WithoutTrailingZeros(significant + whole, count - whole);
        std::memcpy(out + n, significant + whole, fraction);
        n += fraction;
    } else {
        out[n++] = significant[0];
        out[n++] = '.';
        const size_t fraction = WithoutTrailingZeros(significant + 1, count - 1);
        std::memcpy(out + n, significant + 1, fraction);
        n += fraction;
        out[n++] = 'e';
        out[n++] = exponent < 0 ? '-' : '+';
        const int magnitude = std::abs(exponent);   // at most 324 for a double
        out[n++] = char('0' + magnitude / 100);
        out[n++] = char('0' + magnitude / 10 % 10);
        out[n++] = char('0' + magnitude % 10);
    }
    return n;
}

QString FormatGeneral(double value, int digits)
{
    char text[kFormatGeneralLongest];
    return QString::fromLatin1(text, qsizetype(FormatGeneralInto(text, value, digits)));
}
