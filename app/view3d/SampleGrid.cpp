#include "view3d/SampleGrid.h"

#include <new>

#include "model/CodePage1252.h"
#include "model/LibraryFunction.h"

namespace {

struct Axis {
    int32_t index = -1;
    uint32_t count = 1;
    double start = 0, step = 0;
};

QString Quoted(const std::string &s)
{
    return QStringLiteral("\"%1\"").arg(FromCp1252(s));
}

// Index of the first variable called `name`; -1 when there is none.
int32_t IndexOf(const std::vector<FunctionVariable> &table, const char *name)
{
    for (size_t i = 0; i < table.size(); ++i)
        if (table[i].name == name)
            return int32_t(i);
    return -1;
}

// Range of one plotted variable; false when its steps make no grid.
bool MakeAxis(const std::vector<FunctionVariable> &table, const char *name, Axis &axis)
{
    axis.index = *name ? IndexOf(table, name) : -1;
    if (axis.index < 0)
        return true;
    const FunctionVariable &v = table[size_t(axis.index)];
    if (v.steps <= 0)
        return false;
    axis.count = uint32_t(v.steps) + 1;
    axis.start = v.min;
    axis.step = (v.max - v.min) / v.steps;
    return true;
}

void Fail(SampleGridResult &r, SampleGridResult::Status status, const QString &message)
{
    r.status = status;
    r.problem = message;
    r.grid.clear();
    r.points.clear();
}

bool Allocate(SampleGridResult &r, const std::string &label, bool points)
{
    const uint64_t count = uint64_t(r.count1) * r.count2;
    const QString tooLarge =
        QStringLiteral("The function %1 cannot be drawn: its grid of %2 x %3 points is too large "
                       "(at most %4 points). Reduce the number of steps.")
            .arg(Quoted(label))
            .arg(r.count1)
            .arg(r.count2)
            .arg(kMaxGridPoints);
    if (count > kMaxGridPoints) {
        Fail(r, SampleGridResult::TooLarge, tooLarge);
        return false;
    }
    try {
        r.grid.assign(size_t(count), 0.0);
        if (points)
            r.points.assign(size_t(count), GLPoint());
    } catch (const std::bad_alloc &) {
        Fail(r, SampleGridResult::TooLarge, tooLarge);
        return false;
    }
    return true;
}

} // namespace

SampleGridResult SampleGrid(const std::string &text, int32_t handle, const std::string &label)
{
    SampleGridResult r;
    const LibraryFunction function(handle, text);
    const std::vector<FunctionVariable> table = function.Variables();
    std::vector<double> values(table.size());
    for (size_t k = 0; k < table.size(); ++k)
        values[k] = table[k].value;

    r.kind = function.Kind();
    r.angleMode = function.Unit();
    Axis a1, a2;
    for (auto [name, axis] : {std::pair{FirstPlottedName(r.kind), &a1}, std::pair{SecondPlottedName(r.kind), &a2}}) {
        if (!MakeAxis(table, name, *axis)) {
            Fail(r, SampleGridResult::BadSteps,
                 QStringLiteral("The function %1 cannot be drawn: the variable \"%2\" has %3 steps; "
                                "it needs at least 1.")
                     .arg(Quoted(label), QString::fromLatin1(name))
                     .arg(table[size_t(axis->index)].steps));
            return r;
        }
    }
    r.index1 = a1.index;
    r.count1 = a1.count;
    r.start1 = a1.start;
    r.step1 = a1.step;
    r.index2 = a2.index;
    r.count2 = a2.count;
    r.start2 = a2.start;
    r.step2 = a2.step;
    const bool points = function.GivesPoints();
    if (!Allocate(r, label, points))
        return r;

    double *const at = values.empty() ? nullptr : values.data();
    for (uint32_t i = 0; i < r.count1; ++i) {
        for (uint32_t j = 0; j < r.count2; ++j) {
            if (r.index1 >= 0)
                values[size_t(r.index1)] = r.U(i);
            if (r.index2 >= 0)
                values[size_t(r.index2)] = r.W(j);
            const size_t k = size_t(i) * r.count2 + j;
            if (points) {
                const SpacePoint p = function.PointAt(at);
                r.points[k] = FromUser(p.x, p.y, p.z);
                r.grid[k] = p.z;
            } else {
                r.grid[k] = function.EvaluateAt(at);
            }
        }
    }
    // Evaluating leaves the plotted variables at the grid's last point: give
    // them back the values the user set, which the tree shows, Evaluate uses
    // and the document saves.
    for (const int32_t index : {r.index1, r.index2})
        if (index >= 0)
            function.Write(table[size_t(index)]);
    return r;
}
