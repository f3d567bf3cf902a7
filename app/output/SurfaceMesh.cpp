// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "output/SurfaceMesh.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <unordered_map>

#include "model/CVeltrix2Doc.h"
#include "model/CodePage1252.h"
#include "output/SceneGeometry.h"
#include "view3d/FunctionTessellator.h"
#include "view3d/GradientColor.h"

namespace {

constexpr uint32_t kNoVertex = std::numeric_limits<uint32_t>::max();
// Sine of the smallest corner angle a triangle keeps.
constexpr double kThinnest = 1e-6;

double Dot(const double *a, const double *b)
{
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}

// Points closer than this part of the cube's edge are one place: far below
// any grid's spacing, far above the rounding of a seam's samples (a full
// turn of 6.283185308 misses 2 pi by 1e-9), and what single-precision files
// could not tell apart anyway.
constexpr double kSamePlace = 1e-6;

// The vertices on a grid's edges by where they are, so that the edges that
// meet (a seam, a pole) share them.  Points are found in buckets of the
// tolerance's size: a match lies in the point's bucket or a neighbouring one.
class EdgeVertices {
public:
    explicit EdgeVertices(double tolerance) : tolerance_(tolerance) {}

    uint32_t Find(const GLPoint &p) const
    {
        if (!(tolerance_ > 0))
            return kNoVertex;
        const Bucket b = BucketOf(p);
        for (int dx = -1; dx <= 1; ++dx)
            for (int dy = -1; dy <= 1; ++dy)
                for (int dz = -1; dz <= 1; ++dz) {
                    const auto range = buckets_.equal_range(Key({b.x + dx, b.y + dy, b.z + dz}));
                    for (auto it = range.first; it != range.second; ++it)
                        if (Near(it->second.point, p))
                            return it->second.vertex;
                }
        return kNoVertex;
    }

    void Add(const GLPoint &p, uint32_t vertex)
    {
        if (tolerance_ > 0)
            buckets_.emplace(Key(BucketOf(p)), Entry{p, vertex});
    }

private:
    struct Bucket {
        int64_t x, y, z;
    };
    struct Entry {
        GLPoint point;
        uint32_t vertex;
    };

    Bucket BucketOf(const GLPoint &p) const
    {
        return {int64_t(std::floor(p.x / tolerance_)), int64_t(std::floor(p.y / tolerance_)),
                int64_t(std::floor(p.z / tolerance_))};
    }
    static uint64_t Key(const Bucket &b)
    {
        return uint64_t(b.x) * 73856093u ^ uint64_t(b.y) * 19349663u ^ uint64_t(b.z) * 83492791u;
    }
    bool Near(const GLPoint &a, const GLPoint &b) const
    {
        return std::abs(a.x - b.x) <= tolerance_ && std::abs(a.y - b.y) <= tolerance_ &&
               std::abs(a.z - b.z) <= tolerance_;
    }

    double tolerance_;
    std::unordered_multimap<uint64_t, Entry> buckets_;
};

// Collects one function's cells or triangles.  Vertices are keyed by their
// grid sample, so a corner shared by up to four cells is stored once; on the
// grid's edges by where they are as well.  A mesh's triangles (an implicit
// surface) name their shared vertices themselves.
class MeshSink : public GeometrySink {
public:
    MeshSink(FunctionMesh &mesh, double cubeDimension) : mesh_(mesh), edges_(kSamePlace * cubeDimension) {}

    void BeginGrid(uint32_t count1, uint32_t count2, const GridProbe &) override
    {
        surface_ = true;
        count1_ = count1;
        count2_ = count2;
        vertexOfSample_.assign(size_t(count1) * count2, kNoVertex);
    }

    void BeginMesh(uint32_t vertexCount) override
    {
        surface_ = true;
        count1_ = count2_ = 0;
        vertexOfSample_.assign(vertexCount, kNoVertex);
    }

    // The user's coordinates mirror GL's: the turn changes with them.
    void Triangle(const TriangleGeometry &t) override
    {
        uint32_t v[3];
        for (int k = 0; k < 3; ++k)
            v[k] = Vertex(t.vertex[k], t.p[k], t.value[k]);
        Triangle(v[0], v[2], v[1]);
    }

    // A surface's cells or triangles came (perhaps none inside the cube), not
    // a curve's segments.
    bool IsSurface() const { return surface_; }

    void BeginFunction(const FunctionRecord &record, double low, double high) override
    {
        low_ = low;
        high_ = high;
        color1_ = record.color1;
        color2_ = record.color2;
    }

    void Cell(const CellGeometry &cell) override
    {
        static const uint32_t di[4] = {0, 1, 1, 0}, dj[4] = {0, 0, 1, 1};
        uint32_t v[4];
        for (int k = 0; k < 4; ++k)
            v[k] = Vertex(size_t(cell.i + di[k]) * count2_ + cell.j + dj[k], cell.p[k], cell.value[k]);
        Triangle(v[0], v[1], v[2]);
        Triangle(v[0], v[2], v[3]);
    }

    void Segment(const SegmentGeometry &) override {}
    void EndFunction() override {}

private:
    bool OnEdge(size_t sample) const
    {
        if (count2_ == 0)
            return false;   // a mesh's vertex
        const size_t i = sample / count2_, j = sample % count2_;
        return i == 0 || i + 1 == count1_ || j == 0 || j + 1 == count2_;
    }

    uint32_t Vertex(size_t sample, const GLPoint &p, double value)
    {
        uint32_t &index = vertexOfSample_[sample];
        if (index == kNoVertex && OnEdge(sample)) {
            index = edges_.Find(p);
            if (index == kNoVertex)
                edges_.Add(p, uint32_t(mesh_.VertexCount()));
        }
        if (index == kNoVertex) {
            index = uint32_t(mesh_.VertexCount());
            // The user's coordinates: x, y, z = GL X, Z, Y.
            mesh_.positions.insert(mesh_.positions.end(), {p.x, p.z, p.y});
            if (mesh_.colored)
                mesh_.colors.push_back(GradientColor(low_, high_, value, color1_, color2_));
        }
        return index;
    }

    void Triangle(uint32_t a, uint32_t b, uint32_t c)
    {
        if (a == b || b == c || a == c)
            return;
        const double *pa = mesh_.Vertex(a), *pb = mesh_.Vertex(b), *pc = mesh_.Vertex(c);
        // Sides measured in the power of two at or below the longest coordinate
        // difference, which divides exactly: in a cube of 1e180 their squares
        // and products would overflow.
        double longest = 0;
        for (int k = 0; k < 3; ++k)
            longest = std::max({longest, std::fabs(pb[k] - pa[k]), std::fabs(pc[k] - pa[k])});
        if (!(longest > 0) || !std::isfinite(longest))
            return;
        const double scale = std::ldexp(1.0, std::ilogb(longest));
        const double u[3] = {(pb[0] - pa[0]) / scale, (pb[1] - pa[1]) / scale, (pb[2] - pa[2]) / scale};
        const double w[3] = {(pc[0] - pa[0]) / scale, (pc[1] - pa[1]) / scale, (pc[2] - pa[2]) / scale};
        const double v[3] = {(pc[0] - pb[0]) / scale, (pc[1] - pb[1]) / scale, (pc[2] - pb[2]) / scale};
        const double n[3] = {u[1] * w[2] - u[2] * w[1], u[2] * w[0] - u[0] * w[2], u[0] * w[1] - u[1] * w[0]};
        // |n| is the product of two sides and the sine of the angle between
        // them; at the smallest angle those are the two longest sides.
        // Files keep single precision, in which a triangle this thin is a
        // line without a direction (a sphere's cells at its poles, where two
        // corners meet).
        double sides[3] = {Dot(u, u), Dot(w, w), Dot(v, v)};
        std::sort(sides, sides + 3);
        if (Dot(n, n) <= kThinnest * kThinnest * sides[1] * sides[2])
            return;
        mesh_.triangles.insert(mesh_.triangles.end(), {a, b, c});
    }

    FunctionMesh &mesh_;
    uint32_t count1_ = 0, count2_ = 0;   // 0 for a mesh
    std::vector<uint32_t> vertexOfSample_;
    EdgeVertices edges_;
    bool surface_ = false;
    double low_ = 0, high_ = 0;
    Color color1_ = 0, color2_ = 0;
};

} // namespace

size_t SceneMesh::TriangleCount() const
{
    size_t n = 0;
    for (const FunctionMesh &f : functions)
        n += f.TriangleCount();
    return n;
}

SceneMesh BuildSceneMesh(const CVeltrix2Doc &doc)
{
    SceneMesh scene;
    const double cube = doc.Settings().cubeDimension;
    ForEachShownFunction(doc, scene.notes, [&](int p, const FunctionRecord &record) {
        FunctionMesh mesh;
        mesh.label = record.label;
        mesh.position = p;
        mesh.color1 = record.color1;
        mesh.colored = record.mode == Gradient;
        MeshSink sink(mesh, cube);
        const QString problem = TessellateFunction(sink, record, cube);
        if (!problem.isEmpty())
            return problem;
        if (!sink.IsSurface())
            scene.notes << QStringLiteral("The curve %1 has no area and was left out.").arg(QuotedLabel(record.label));
        else if (!mesh.triangles.empty())
            scene.functions.push_back(std::move(mesh));
        return QString();
    });
    return scene;
}

QString MeshName(const FunctionMesh &mesh)
{
    return FunctionName(mesh.label, mesh.position);
}
