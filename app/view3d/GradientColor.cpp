#include "view3d/GradientColor.h"

#include <cmath>
#include <cstdint>

namespace {

// Truncates toward zero and keeps the low 8 bits.  Values beyond 32 bits (and
// NaN) give the "integer indefinite" 0x80000000 of the x86 conversion the
// colours were always computed with, whose low byte is 0.
int LowByte(double x)
{
    if (!(std::fabs(x) < 2147483648.0))
        return 0;
    return int(uint32_t(int32_t(x)) & 0xFF);
}

int Channel(int a, int b, double t)
{
    return LowByte(a + t * (b - a));
}

} // namespace

Color GradientColor(double low, double high, double value, Color c1, Color c2)
{
    if (low == high || std::isnan(low) || std::isnan(high))
        return c1;
    const double t = (value - low) / (high - low);
    return MakeColor(Channel(ColorRed(c1), ColorRed(c2), t),
                     Channel(ColorGreen(c1), ColorGreen(c2), t),
                     Channel(ColorBlue(c1), ColorBlue(c2), t));
}
