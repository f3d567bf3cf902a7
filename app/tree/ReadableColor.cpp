#include "tree/ReadableColor.h"

#include <algorithm>
#include <cmath>

namespace {
// Relative luminance of an sRGB colour.
double Luminance(const QColor &c)
{
    auto linear = [](double channel) {
        return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) + 0.0722 * linear(c.blueF());
}
}  // namespace

double ContrastRatio(const QColor &a, const QColor &b)
{
    const double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor ReadableOn(const QColor &wanted, const QColor &paper, const QColor &text)
{
    if (ContrastRatio(wanted, paper) >= kLeastReadableContrast)
        return wanted;
    if (ContrastRatio(text, paper) >= kLeastReadableContrast)
        return text;
    const QColor black(0, 0, 0), white(255, 255, 255);
    return ContrastRatio(black, paper) >= ContrastRatio(white, paper) ? black : white;
}
