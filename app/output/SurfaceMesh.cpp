#include "output/SurfaceMesh.h"

#include <algorithm>
#include <limits>

#include "model/CVeltrix2Doc.h"
#include "model/CodePage1252.h"
#include "output/SceneGeometry.h"
#include "view3d/FunctionTessellator.h"
#include "view3d/GradientColor.h"
#include "view3d/SampleGrid.h"

namespace {

constexpr uint32_t kNoVertex = std::numeric_limits<uint32_t>::max();
// Sine of the smallest corner angle a triangle keeps.
constexpr double kThinnest = 1e-6;

double Dot(const double *a, const double *b)
{
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}

// Collects one function's cells.  Vertices are keyed by their grid sample,
// so a corner shared by up to four cells is stored once.
class MeshSink : public GeometrySink {
public:
    MeshSink(FunctionMesh &mesh, const SampleGridResult &grid)
        : mesh_(mesh), count2_(grid.count2), vertexOfSample_(grid.grid.size(), kNoVertex) {}

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
    uint32_t Vertex(size_t sample, const GLPoint &p, double value)
    {
        uint32_t &index = vertexOfSample_[sample];
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
        const double *pa = mesh_.Vertex(a), *pb = mesh_.Vertex(b), *pc = mesh_.Vertex(c);
        const double u[3] = {pb[0] - pa[0], pb[1] - pa[1], pb[2] - pa[2]};
        const double w[3] = {pc[0] - pa[0], pc[1] - pa[1], pc[2] - pa[2]};
        const double v[3] = {pc[0] - pb[0], pc[1] - pb[1], pc[2] - pb[2]};
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
    uint32_t count2_;
    std::vector<uint32_t> vertexOfSample_;
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
    ForEachShownGrid(doc, scene.notes, [&](int p, const FunctionRecord &record, const SampleGridResult &grid) {
        if (grid.index1 < 0 || grid.index2 < 0) {
            scene.notes << QStringLiteral("The curve %1 has no area and was left out.").arg(QuotedLabel(record.label));
            return;
        }
        FunctionMesh mesh;
        mesh.label = record.label;
        mesh.position = p;
        mesh.color1 = record.color1;
        mesh.colored = record.mode == Gradient;
        MeshSink sink(mesh, grid);
        DrawSamples(sink, record, grid, cube);
        if (!mesh.triangles.empty())
            scene.functions.push_back(std::move(mesh));
    });
    return scene;
}

QString MeshName(const FunctionMesh &mesh)
{
    return FunctionName(mesh.label, mesh.position);
}
