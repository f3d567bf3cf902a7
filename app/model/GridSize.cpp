#include "GridSize.h"

#include "CodePage1252.h"
#include "LibraryFunction.h"

#include <QStringList>

namespace {
QString Quoted(const std::string &name)
{
    return QLatin1Char('"') + FromCp1252(name) + QLatin1Char('"');
}
// An implicit surface is sampled at every point of its box.
QString VolumeTooLargeMessage(const LibraryFunction &function, const std::string &name, int32_t steps)
{
    uint64_t points = 1;
    QStringList sides;
    for (const char *axis : {"x", "y", "z"}) {
        const std::optional<FunctionVariable> v = function.Variable(axis);
        const uint64_t n = name == axis ? uint64_t(steps) + 1 : v && v->steps > 0 ? uint64_t(v->steps) + 1
                                                                                  : 1;
        points *= n;
        sides << QString::number(n);
    }
    if (points <= kMaxVolumePoints)
        return QString();
    return QStringLiteral("With %1 steps for %2 the surface would be sampled in a box of %3 points, "
                          "more than the %4 points a box may have. Reduce the steps of \"x\", \"y\" or \"z\".")
        .arg(steps)
        .arg(Quoted(name), sides.join(QStringLiteral(" x ")))
        .arg(kMaxVolumePoints);
}
}  // namespace

QString GridTooLargeMessage(int32_t handle, const std::string &text, const std::string &name, int32_t steps)
{
    const LibraryFunction function(handle, text);
    if (steps <= 0 || !function.IsPlotted(name))
        return QString();
    if (function.Kind() == KindImplicit)
        return VolumeTooLargeMessage(function, name, steps);
    // The other plotted variable: absent it is one point wide; without a
    // usable number of steps the function cannot be drawn anyway, which the
    // view says.
    const std::string other = function.PlottedPartner(name);
    const std::optional<FunctionVariable> partner = function.Variable(other);
    const bool hasOther = partner.has_value();
    const uint64_t across = hasOther && partner->steps > 0 ? uint64_t(partner->steps) + 1 : 1;
    const uint64_t along = uint64_t(steps) + 1;
    if (along * across <= kMaxGridPoints)
        return QString();

    const QString grid = hasOther ? QStringLiteral("%1 x %2").arg(along).arg(across) : QString::number(along);
    QString message = QStringLiteral("With %1 steps for %2 the function would be drawn on a grid of %3 points, "
                                     "more than the %4 points a grid may have.")
                          .arg(steps)
                          .arg(Quoted(name), grid)
                          .arg(kMaxGridPoints);
    const int64_t most = int64_t(kMaxGridPoints / across) - 1;   // below 1 when none fits
    if (!hasOther)
        return message + QStringLiteral(" %1 can have at most %2 steps.").arg(Quoted(name)).arg(most);
    const QString already = QStringLiteral(" While %1 has %2 steps, ").arg(Quoted(other)).arg(partner->steps);
    if (most < 1)
        return message + already +
               QStringLiteral("no number of steps for %1 gives a grid that can be drawn: "
                              "reduce the steps of %2 first.")
                   .arg(Quoted(name), Quoted(other));
    return message + already + QStringLiteral("%1 can have at most %2 steps.").arg(Quoted(name)).arg(most);
}
