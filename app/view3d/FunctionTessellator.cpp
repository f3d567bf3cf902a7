#include "view3d/FunctionTessellator.h"

#include <cmath>

#include "model/FunctionRecord.h"
#include "view3d/SurfaceNormals.h"

GradientRange ComputeGradientRange(const SampleGridResult &g, double cubeDimension)
{
    GradientRange r;
    if (g.grid.empty())
        return r;
    r.low = r.high = g.grid.front();
    for (double s : g.grid) {
        if (s > r.high)
            r.high = s;
        if (!(s >= r.low))   // an unordered comparison replaces low as well
            r.low = s;
    }
    const double h = cubeDimension / 2;
    // Heights are clamped to the cube, radii to the farthest a point of the
    // cube can be; angles keep the grid's range.
    const bool height = (g.kind >= KindZ && g.kind <= KindY) || g.kind == KindPolarZ ||
                        CoordinatesOf(g.kind) == Coordinates::Parametric;
    if (height) {
        if (r.high > h || std::isnan(r.high))
            r.high = h;
        if (-h > r.low)
            r.low = -h;
    } else if (g.kind == KindR || g.kind == KindRho) {
        // From the centre (spherical) or from the z axis (cylindrical).
        const double radius = std::sqrt((g.kind == KindR ? 3 : 2) * h * h);
        if (r.high > radius)
            r.high = radius;
        if (-radius > r.low)
            r.low = -radius;
    }
    return r;
}

namespace {

class Emitter {
public:
    Emitter(GeometrySink &sink, const SampleGridResult &g, double cube)
        : sink_(sink), g_(g), cube_(cube), points_(MapAll(g))
    {
        if (sink.WantsNormals() && g.count1 > 1 && g.count2 > 1)
            normals_ = GridNormals(points_, g.count1, g.count2);
    }

    const GLPoint &Point(uint32_t i, uint32_t j) const { return points_[size_t(i) * g_.count2 + j]; }

    void Surface() const
    {
        static const int di[4] = {0, 1, 1, 0}, dj[4] = {0, 0, 1, 1};
        CellGeometry cell;
        sink_.BeginGrid(g_.count1, g_.count2, MakeGridProbe(points_, g_.count1, g_.count2, cube_));
        for (uint32_t i = 0; i + 1 < g_.count1; ++i) {
            for (uint32_t j = 0; j + 1 < g_.count2; ++j) {
                bool inside = true;
                for (int k = 0; k < 4 && inside; ++k) {
                    cell.p[k] = Point(i + di[k], j + dj[k]);
                    cell.value[k] = g_.At(i + di[k], j + dj[k]);
                    inside = InsideCube(cube_, cell.p[k]);
                }
                if (inside) {
                    cell.i = i;
                    cell.j = j;
                    if (!normals_.empty())
                        SetNormals(cell);
                    sink_.Cell(cell);
                }
            }
        }
    }

    // Along the first variable (alongFirst) or the second.
    void Curve(bool alongFirst) const
    {
        const uint32_t n = alongFirst ? g_.count1 : g_.count2;
        SegmentGeometry s;
        for (uint32_t k = 0; k + 1 < n; ++k) {
            for (uint32_t e = 0; e < 2; ++e) {
                const uint32_t i = alongFirst ? k + e : 0, j = alongFirst ? 0 : k + e;
                s.p[e] = Point(i, j);
                s.value[e] = g_.At(i, j);
            }
            if (InsideCube(cube_, s.p[0]) && InsideCube(cube_, s.p[1]))
                sink_.Segment(s);
        }
    }

private:
    // Every sample mapped once: a point is a corner of up to four cells.
    static std::vector<GLPoint> MapAll(const SampleGridResult &g)
    {
        if (!g.points.empty())
            return g.points;
        const double f = AngleFactor(g.angleMode);
        std::vector<GLPoint> points(g.grid.size());
        for (uint32_t i = 0; i < g.count1; ++i)
            for (uint32_t j = 0; j < g.count2; ++j)
                points[size_t(i) * g.count2 + j] = g.Point(i, j, f);
        return points;
    }

    // A corner whose neighbours give no normal takes the face's, and a face
    // without area the vertical.
    void SetNormals(CellGeometry &cell) const
    {
        static const int di[4] = {0, 1, 1, 0}, dj[4] = {0, 0, 1, 1};
        const GLPoint face = FaceNormal(cell.p);
        for (int k = 0; k < 4; ++k) {
            const GLPoint &n = normals_[size_t(cell.i + di[k]) * g_.count2 + cell.j + dj[k]];
            cell.normal[k] = !IsZero(n) ? n : !IsZero(face) ? face
                                                            : GLPoint{0, 1, 0};
        }
    }

    GeometrySink &sink_;
    const SampleGridResult &g_;
    double cube_;
    std::vector<GLPoint> points_;
    std::vector<GLPoint> normals_;
};

} // namespace

void DrawSamples(GeometrySink &sink, const FunctionRecord &record, const SampleGridResult &grid,
                 double cubeDimension)
{
    const GradientRange range = ComputeGradientRange(grid, cubeDimension);
    sink.BeginFunction(record, range.low, range.high);
    const bool first = grid.index1 >= 0, second = grid.index2 >= 0;
    if (grid.Usable() && !grid.grid.empty() && grid.kind != NoKind) {
        Emitter emitter(sink, grid, cubeDimension);
        if (first && second)
            emitter.Surface();
        else if (first || second)
            emitter.Curve(first);
    }
    sink.EndFunction();
}
