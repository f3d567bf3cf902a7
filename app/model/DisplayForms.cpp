#include "DisplayForms.h"

#include "CodePage1252.h"
#include "FormatGeneral.h"

namespace {
constexpr int kDisplayDigits = 10;
}

QString RangeText(double min, double max)
{
    return QLatin1Char('[') + FormatGeneral(min, kDisplayDigits) + QLatin1Char(',') +
           FormatGeneral(max, kDisplayDigits) + QLatin1Char(']');
}

QString ColorText(Color c)
{
    return QStringLiteral("(%1,%2,%3)").arg(ColorRed(c)).arg(ColorGreen(c)).arg(ColorBlue(c));
}

QString ModeName(int mode)
{
    switch (mode) {
    case 0: return QStringLiteral("wire frame");
    case 1: return QStringLiteral("filled polygons");
    case 2: return QStringLiteral("chess board");
    case 3: return QStringLiteral("gradient");
    default: return QString();
    }
}

QString StepsText(int32_t steps)
{
    return QString::number(steps);
}

QString ValueText(const std::string &name, double value)
{
    return FromCp1252(name) + QStringLiteral(" = ") + FormatGeneral(value, kDisplayDigits);
}
