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

Colour GradientColor(double low, double high, double value, Colour c1, Colour c2)
{
    if (low == high || std::isnan(low) || std::isnan(high))
        return c1;
    const double t = (value - low) / (high - low);
    return MakeColour(Channel(ColourRed(c1), ColourRed(c2), t),
                      Channel(ColourGreen(c1), ColourGreen(c2), t),
                      Channel(ColourBlue(c1), ColourBlue(c2), t));
}
