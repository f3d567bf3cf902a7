#pragma once

#include <QString>

// The one number-to-text rule of the program: `digits` significant digits,
// fixed notation when -1 <= exponent < digits, otherwise d.ddde+XXX; trailing
// zeros of the fraction removed, the point always kept ("5.", "5.e-002").
// NaN and infinities are written "nan", "inf" and "-inf".
QString FormatGeneral(double value, int digits);
