#include "FormatGeneral.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

// Removes trailing zeros of the fraction; the decimal point itself stays.
void StripFractionZeros(std::string &number)
{
    while (!number.empty() && number.back() == '0')
        number.pop_back();
}

}  // namespace

QString FormatGeneral(double value, int digits)
{
    if (std::isnan(value))
        return QStringLiteral("nan");
    if (std::isinf(value))
        return value < 0 ? QStringLiteral("-inf") : QStringLiteral("inf");
    if (digits < 1)
        digits = 1;

    // %.*e yields the correctly rounded significant digits and, after the
    // rounding, the decimal exponent: "-d.ddde+XX".
    std::string formatted(size_t(std::snprintf(nullptr, 0, "%.*e", digits - 1, value)) + 1, '\0');
    std::snprintf(formatted.data(), formatted.size(), "%.*e", digits - 1, value);
    formatted.pop_back();
    const size_t ePos = formatted.find('e');
    const int exponent = std::atoi(formatted.c_str() + ePos + 1);
    const bool negative = formatted[0] == '-';

    std::string significant;   // the digits without sign and point
    for (size_t i = negative ? 1 : 0; i < ePos; ++i)
        if (formatted[i] != '.')
            significant += formatted[i];

    std::string result = negative ? "-" : "";
    if (exponent >= -1 && exponent < digits) {
        std::string fraction;
        if (exponent == -1) {
            result += '0';
            fraction = significant;
        } else {
            result += significant.substr(0, size_t(exponent) + 1);
            fraction = significant.substr(size_t(exponent) + 1);
        }
        StripFractionZeros(fraction);
        result += '.' + fraction;
    } else {
        std::string fraction = significant.substr(1);
        StripFractionZeros(fraction);
        char exponentText[16];
        std::snprintf(exponentText, sizeof exponentText, "e%c%03d", exponent < 0 ? '-' : '+',
                      std::abs(exponent));
        result += significant.substr(0, 1) + '.' + fraction + exponentText;
    }
    return QString::fromLatin1(result.c_str());
}
