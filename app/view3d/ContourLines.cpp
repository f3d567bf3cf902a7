#include "view3d/ContourLines.h"

#include <cmath>

#include "model/FunctionRecord.h"
#include "view3d/GradientColor.h"

namespace {

// Multiples of `step` strictly between low and high.
long long CountBetween(double low, double high, double step)
{
    const double first = std::floor(low / step) + 1, last = std::ceil(high / step) - 1;
    return last >= first ? (long long)(last - first) + 1 : 0;
}

GLPoint Between(const GLPoint &a, const GLPoint &b, double t)
{
    return {a.x + t * (b.x - a.x), a.y + t * (b.y - a.y), a.z + t * (b.z - a.z)};
}

} // namespace

std::vector<double> ContourLevels(double low, double high, int count)
{
    std::vector<double> levels;
    if (count < 1 || !std::isfinite(low) || !std::isfinite(high) || !(high > low))
        return levels;
    const double raw = (high - low) / (count + 1);
    if (!(raw > 0) || !std::isfinite(raw))
        return levels;
    const int exponent = int(std::floor(std::log10(raw)));
    static const double kNice[] = {1, 2, 2.5, 5};
    double step = 0;
    for (int e = exponent - 1; e <= exponent + 2 && step == 0; ++e) {
        for (const double m : kNice) {
            const double candidate = m * std::pow(10.0, e);
            if (CountBetween(low, high, candidate) <= count) {
                step = candidate;
                break;
            }
        }
    }
    if (step == 0)
        return levels;
    // Each level from its integer multiple, not by adding steps up.
    for (double k = std::floor(low / step) + 1; k * step < high; ++k)
        if (k * step > low)
            levels.push_back(k == 0 ? 0.0 : k * step);
    return levels;
}

bool ContourAcross(const GLPoint (&p)[3], const double (&v)[3], double level, GLPoint &from, GLPoint &to)
{
    GLPoint found[2];
    int n = 0;
    for (int e = 0; e < 3 && n < 2; ++e) {
        const int a = e, b = (e + 1) % 3;
        const bool aboveA = v[a] >= level, aboveB = v[b] >= level;
        if (aboveA == aboveB)
            continue;
        const double t = (level - v[a]) / (v[b] - v[a]);
        if (!std::isfinite(t))
            return false;
        found[n++] = Between(p[a], p[b], t);
    }
    if (n < 2)
        return false;
    from = found[0];
    to = found[1];
    return true;
}

Color SurfaceContourColor(int mode, Color color1, Color color2, double low, double high, double level)
{
    const Color under = mode == Gradient ? GradientColor(low, high, level, color1, color2) : color1;
    const double luma = 0.299 * ColorRed(under) + 0.587 * ColorGreen(under) + 0.114 * ColorBlue(under);
    return luma > 140 ? 0x000000 : 0xFFFFFF;
}

Color FloorContourColor(int mode, Color color1, Color color2, double low, double high, double level)
{
    return mode == Gradient ? GradientColor(low, high, level, color1, color2) : color1;
}
