#include "view3d/SampleVolume.h"

#include <new>

#include "model/CodePage1252.h"
#include "model/LibraryFunction.h"

namespace {

QString Quoted(const std::string &s)
{
    return QStringLiteral("\"%1\"").arg(FromCp1252(s));
}

int32_t IndexOf(const std::vector<FunctionVariable> &table, const std::string &name)
{
    for (size_t i = 0; i < table.size(); ++i)
        if (table[i].name == name)
            return int32_t(i);
    return -1;
}

} // namespace

VolumeResult SampleVolume(const std::string &text, int32_t handle, const std::string &label)
{
    VolumeResult r;
    const LibraryFunction function(handle, text);
    const std::vector<FunctionVariable> table = function.Variables();
    const DependentKind kind = function.Kind();
    const char *names[3] = {FirstPlottedName(kind), SecondPlottedName(kind), ThirdPlottedName(kind)};
    int32_t index[3];
    uint64_t points = 1;
    VolumeSamples &s = r.samples;
    for (int a = 0; a < 3; ++a) {
        index[a] = *names[a] ? IndexOf(table, names[a]) : -1;
        if (index[a] < 0) {
            r.problem = QStringLiteral("The function %1 cannot be drawn: it has no variable \"%2\".")
                            .arg(Quoted(label), QString::fromLatin1(names[a]));
            return r;
        }
        const FunctionVariable &v = table[size_t(index[a])];
        if (v.steps <= 0) {
            r.problem = QStringLiteral("The function %1 cannot be drawn: the variable \"%2\" has %3 steps; "
                                       "it needs at least 1.")
                            .arg(Quoted(label), QString::fromLatin1(names[a]))
                            .arg(v.steps);
            return r;
        }
        s.n[size_t(a)] = uint32_t(v.steps) + 1;
        s.start[size_t(a)] = v.min;
        s.step[size_t(a)] = (v.max - v.min) / v.steps;
        points *= s.n[size_t(a)];
    }
    const QString tooLarge =
        QStringLiteral("The function %1 cannot be drawn: its box of %2 x %3 x %4 points is too large "
                       "(at most %5 points). Reduce the number of steps.")
            .arg(Quoted(label))
            .arg(s.n[0])
            .arg(s.n[1])
            .arg(s.n[2])
            .arg(kMaxVolumePoints);
    if (points > kMaxVolumePoints) {
        r.problem = tooLarge;
        return r;
    }
    try {
        s.values.assign(size_t(points), 0.0);
    } catch (const std::bad_alloc &) {
        r.problem = tooLarge;
        return r;
    }

    std::vector<double> values(table.size());
    for (size_t k = 0; k < table.size(); ++k)
        values[k] = table[k].value;
    double *at = s.values.data();
    for (uint32_t i = 0; i < s.n[0]; ++i) {
        values[size_t(index[0])] = s.start[0] + i * s.step[0];
        for (uint32_t j = 0; j < s.n[1]; ++j) {
            values[size_t(index[1])] = s.start[1] + j * s.step[1];
            for (uint32_t k = 0; k < s.n[2]; ++k) {
                values[size_t(index[2])] = s.start[2] + k * s.step[2];
                *at++ = function.EvaluateAt(values.data());
            }
        }
    }
    // The variables the user set, as the tree shows them and the document
    // saves them.
    for (const int32_t k : index)
        function.Write(table[size_t(k)]);
    r.usable = true;
    return r;
}
