// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstddef>

#include <QString>

// The one number-to-text rule of the program: `digits` significant digits,
// fixed notation when -1 <= exponent < digits, otherwise d.ddde+XXX; trailing
// zeros of the fraction removed, the point always kept ("5.", "5.e-002").
// NaN and infinities are written "nan", "inf" and "-inf".
QString FormatGeneral(double value, int digits);

// The same text as 8-bit characters, without building a QString (the
// drawing exports write millions of numbers): written into `out`, which
// holds kFormatGeneralLongest characters; returns the length.
constexpr int kFormatGeneralLongest = 786;
size_t FormatGeneralInto(char *out, double value, int digits);
