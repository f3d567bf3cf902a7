#include "view3d/FunctionTessellator.h"

#include <algorithm>
#include <cmath>

#include "model/FunctionRecord.h"
#include "model/LibraryFunction.h"
#include "view3d/SampleVolume.h"
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
                    for (const double v : cell.value) {
                        lowest_ = std::min(lowest_, v);
                        highest_ = std::max(highest_, v);
                    }
                    cell.i = i;
                    cell.j = j;
                    if (!normals_.empty())
                        SetNormals(cell);
                    sink_.Cell(cell);
                }
            }
        }
    }

    // The contour lines across the cells Surface() emitted.
    void Contours(const ContourOptions &options) const
    {
        const std::vector<double> levels = ContourLevels(lowest_, highest_, options.levels);
        sink_.ContourLevelsUsed(levels);
        if (levels.empty())
            return;
        // The floor: the cube's side at the low end of the dependent axis.
        const double floor = -cube_ / 2;
        auto project = [&](GLPoint p) {
            switch (g_.kind) {
            case KindX: p.x = floor; break;
            case KindY: p.z = floor; break;
            default: p.y = floor; break;
            }
            return p;
        };
        // The two triangles of a cell, by corner.
        static const int kTriangles[2][3] = {{0, 1, 3}, {1, 2, 3}};
        static const int di[4] = {0, 1, 1, 0}, dj[4] = {0, 0, 1, 1};
        for (uint32_t i = 0; i + 1 < g_.count1; ++i) {
            for (uint32_t j = 0; j + 1 < g_.count2; ++j) {
                GLPoint p[4];
                double v[4];
                bool inside = true;
                for (int k = 0; k < 4 && inside; ++k) {
                    p[k] = Point(i + di[k], j + dj[k]);
                    v[k] = g_.At(i + di[k], j + dj[k]);
                    inside = InsideCube(cube_, p[k]);
                }
                if (!inside)
                    continue;
                for (const auto &t : kTriangles) {
                    const GLPoint tp[3] = {p[t[0]], p[t[1]], p[t[2]]};
                    const double tv[3] = {v[t[0]], v[t[1]], v[t[2]]};
                    const double lo = std::min({tv[0], tv[1], tv[2]}), hi = std::max({tv[0], tv[1], tv[2]});
                    // A level at the lowest corner crosses nothing: that corner counts
                    // as above it.
                    for (auto l = std::upper_bound(levels.begin(), levels.end(), lo);
                         l != levels.end() && *l <= hi; ++l) {
                        ContourGeometry c;
                        c.level = *l;
                        if (!ContourAcross(tp, tv, *l, c.p[0], c.p[1]))
                            continue;
                        sink_.Contour(c);
                        if (options.floor) {
                            c.onFloor = true;
                            c.p[0] = project(c.p[0]);
                            c.p[1] = project(c.p[1]);
                            sink_.Contour(c);
                        }
                    }
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
    // The values at the corners of the cells emitted.
    mutable double lowest_ = HUGE_VAL, highest_ = -HUGE_VAL;
};

} // namespace

void DrawSamples(GeometrySink &sink, const FunctionRecord &record, const SampleGridResult &grid,
                 double cubeDimension, const ContourOptions &contours)
{
    const GradientRange range = ComputeGradientRange(grid, cubeDimension);
    sink.BeginFunction(record, range.low, range.high);
    const bool first = grid.index1 >= 0, second = grid.index2 >= 0;
    if (grid.Usable() && !grid.grid.empty() && grid.kind != NoKind) {
        Emitter emitter(sink, grid, cubeDimension);
        if (first && second) {
            emitter.Surface();
            // Graphs: heights over a plane, z(rho,theta) too.
            const bool graph = (grid.kind >= KindZ && grid.kind <= KindY) || grid.kind == KindPolarZ;
            if (contours.levels > 0 && graph)
                emitter.Contours(contours);
        } else if (first || second)
            emitter.Curve(first);
    }
    sink.EndFunction();
}

namespace {

GLPoint ToGL(const double (&user)[3])
{
    return {user[0], user[2], user[1]};
}

} // namespace

void DrawIsoMesh(GeometrySink &sink, const FunctionRecord &record, const IsoMesh &mesh, double cubeDimension)
{
    // The heights of the vertices, clamped to the cube as a graph's values are.
    const double h = cubeDimension / 2;
    GradientRange range;
    bool first = true;
    for (const IsoMesh::Vertex &v : mesh.vertices) {
        if (first || v.p[2] > range.high)
            range.high = v.p[2];
        if (first || v.p[2] < range.low)
            range.low = v.p[2];
        first = false;
    }
    range.high = std::min(range.high, h);
    range.low = std::max(range.low, -h);
    sink.BeginFunction(record, range.low, range.high);
    sink.BeginMesh(uint32_t(mesh.vertices.size()));
    TriangleGeometry t;
    for (const IsoMesh::Triangle &triangle : mesh.triangles) {
        bool inside = true;
        for (int k = 0; k < 3 && inside; ++k) {
            // GL coordinates mirror the user's (y and z change places), and
            // with them the turn of every triangle: its last two corners swap.
            const uint32_t v = triangle.v[k == 0 ? 0 : 3 - k];
            const IsoMesh::Vertex &vertex = mesh.vertices[v];
            t.vertex[k] = v;
            t.p[k] = ToGL(vertex.p);
            t.normal[k] = ToGL(vertex.normal);
            t.value[k] = vertex.p[2];
            inside = InsideCube(cubeDimension, t.p[k]);
        }
        if (!inside)
            continue;
        t.odd = triangle.oddCell;
        sink.Triangle(t);
    }
    sink.EndFunction();
}

QString TessellateFunction(GeometrySink &sink, const FunctionRecord &record, double cubeDimension,
                           const ContourOptions &contours)
{
    if (LibraryFunction(record).Kind() == KindImplicit) {
        const VolumeResult volume = SampleVolume(record.text, record.handle, record.label);
        if (!volume.usable) {
            sink.BeginFunction(record, 0, 0);
            sink.EndFunction();
            return volume.problem;
        }
        DrawIsoMesh(sink, record, PolygoniseVolume(volume.samples), cubeDimension);
        return QString();
    }
    const SampleGridResult grid = SampleGrid(record.text, record.handle, record.label);
    DrawSamples(sink, record, grid, cubeDimension, contours);
    return grid.Usable() ? QString() : grid.problem;
}
