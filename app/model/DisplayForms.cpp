#include "DisplayForms.h"

#include "CodePage1252.h"
#include "FormatGeneral.h"

namespace {
constexpr int kDisplayDigits = 10;
}

QString RangeText(double min, double max)
{
    return QLatin1Char('[') + FormatGeneral(min, kDisplayDigits) + QLatin1Char(',')
         + FormatGeneral(max, kDisplayDigits) + QLatin1Char(']');
}

QString ColourText(Colour c)
{
    return QStringLiteral("(%1,%2,%3)").arg(ColourRed(c)).arg(ColourGreen(c)).arg(ColourBlue(c));
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

QString FunctionCommandPrompt(int commandId)
{
    switch (commandId) {
    case 101: return QStringLiteral("Edit the function text");
    case 102: return QStringLiteral("Edit the range of the variable");
    case 103: return QStringLiteral("Change the number of steps for the variable");
    case 104: return QStringLiteral("Change the color");
    case 105: return QStringLiteral("Change the visualization mode");
    case 32772: return QStringLiteral("Reload all the functions");
    case 32773: return QStringLiteral("Delete the function");
    case 32779: return QStringLiteral("Edit the function label");
    default: return QString();
    }
}
