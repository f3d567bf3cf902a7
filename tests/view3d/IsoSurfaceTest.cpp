#include <cmath>
#include <cstdint>
#include <functional>
#include <map>
#include <utility>

#include <gtest/gtest.h>

#include "TestFunctions.h"
#include "qel/qel.h"
#include "view3d/FunctionTessellator.h"
#include "view3d/IsoSurface.h"
#include "view3d/SampleVolume.h"

namespace {

using Edge = std::pair<uint32_t, uint32_t>;

double Dot(const double *a, const double *b)
{
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}

// Twice the area vector of a triangle: its facet normal by its turn.
void FacetNormal(const IsoMesh &m, const IsoMesh::Triangle &t, double (&n)[3])
{
    const double *a = m.vertices[t.v[0]].p, *b = m.vertices[t.v[1]].p, *c = m.vertices[t.v[2]].p;
    const double u[3] = {b[0] - a[0], b[1] - a[1], b[2] - a[2]}, w[3] = {c[0] - a[0], c[1] - a[1], c[2] - a[2]};
    n[0] = u[1] * w[2] - u[2] * w[1];
    n[1] = u[2] * w[0] - u[0] * w[2];
    n[2] = u[0] * w[1] - u[1] * w[0];
}

// How often each directed edge occurs.  A closed surface whose triangles
// all turn the same way has every directed edge once and its reverse once.
std::map<Edge, int> DirectedEdges(const IsoMesh &m)
{
    std::map<Edge, int> edges;
    for (const IsoMesh::Triangle &t : m.triangles)
        for (int k = 0; k < 3; ++k)
            ++edges[{t.v[k], t.v[(k + 1) % 3]}];
    return edges;
}

// Edges that break a closed, consistently turned surface, among those that
// `counts` says must be inside (not on the box's sides).
int BrokenEdges(const IsoMesh &m, const std::function<bool(const Edge &)> &counts = {})
{
    const std::map<Edge, int> edges = DirectedEdges(m);
    int broken = 0;
    for (const auto &[edge, n] : edges) {
        if (counts && !counts(edge))
            continue;
        const auto reverse = edges.find({edge.second, edge.first});
        if (n != 1 || reverse == edges.end() || reverse->second != 1)
            ++broken;
    }
    return broken;
}

// Sum over the triangles of the signed volume they span with the origin.
double EnclosedVolume(const IsoMesh &m)
{
    double volume = 0;
    for (const IsoMesh::Triangle &t : m.triangles) {
        double n[3];
        FacetNormal(m, t, n);
        volume += Dot(m.vertices[t.v[0]].p, n) / 6;
    }
    return volume;
}

IsoMesh Polygonise(const TestFunction &f)
{
    const VolumeResult volume = SampleVolume(f.text(), f.handle(), "f");
    EXPECT_TRUE(volume.usable) << volume.problem.toStdString();
    return PolygoniseVolume(volume.samples);
}

// Values from a fixed sequence: the faces of such a box are as often
// ambiguous as they can be.
VolumeSamples NoiseVolume(uint32_t n, uint32_t seed)
{
    VolumeSamples s;
    s.n = {n, n, n};
    s.start = {0, 0, 0};
    s.step = {1, 1, 1};
    s.values.resize(size_t(n) * n * n);
    uint32_t x = seed;
    for (double &v : s.values) {
        x = x * 1664525u + 1013904223u;
        v = double(x >> 8) / double(1 << 24) - 0.5;
    }
    return s;
}

} // namespace

TEST(IsoSurface, SphereIsClosedOutwardAndOnItsRadius)
{
    TestFunction f("0(x,y,z)=x^2+y^2+z^2-4");
    ASSERT_TRUE(f.ok());
    // 30 steps over 10: no grid point on the sphere; 40: some, where f is 0.
    for (const int32_t steps : {30, 40, 64}) {
        for (const char *axis : {"x", "y", "z"})
            f.SetRange(axis, -5, 5, steps);
        const IsoMesh m = Polygonise(f);
        ASSERT_GT(m.triangles.size(), 100u);
        const double cell = 10.0 / steps;
        for (const IsoMesh::Vertex &v : m.vertices) {
            EXPECT_NEAR(std::sqrt(Dot(v.p, v.p)), 2.0, cell / 2);
            // The gradient's normal points out, along the radius.
            EXPECT_GT(Dot(v.normal, v.p) / std::sqrt(Dot(v.p, v.p)), 0.99);
        }
        EXPECT_EQ(BrokenEdges(m), 0) << steps << " steps";
        for (const IsoMesh::Triangle &t : m.triangles) {
            EXPECT_TRUE(t.v[0] != t.v[1] && t.v[1] != t.v[2] && t.v[0] != t.v[2]);
            double n[3];
            FacetNormal(m, t, n);
            EXPECT_GT(Dot(n, m.vertices[t.v[0]].normal), 0) << "turns against its normals";
        }
        EXPECT_NEAR(EnclosedVolume(m), 4.0 / 3 * M_PI * 8, 0.05 * 4.0 / 3 * M_PI * 8);
    }
}

// A range from high to low mirrors the grid: the surface must still turn
// towards positive values.
TEST(IsoSurface, MirroredRangesKeepTheSurfaceTurnedOutward)
{
    TestFunction f("0(x,y,z)=x^2+y^2+z^2-4");
    ASSERT_TRUE(f.ok());
    f.SetRange("x", 5, -5, 30);
    f.SetRange("y", -5, 5, 30);
    f.SetRange("z", -5, 5, 30);
    const IsoMesh m = Polygonise(f);
    EXPECT_EQ(BrokenEdges(m), 0);
    EXPECT_GT(EnclosedVolume(m), 30.0);
}

// Faces with four sign changes are split by the bilinear saddle, which both
// cells sharing a face compute alike: inside the box no edge is left open,
// used twice the same way, or turned against its neighbour.
TEST(IsoSurface, AmbiguousFacesStillGiveAClosedConsistentSurface)
{
    for (const uint32_t seed : {1u, 7u, 12345u}) {
        const VolumeSamples s = NoiseVolume(12, seed);
        const IsoMesh m = PolygoniseVolume(s);
        ASSERT_GT(m.triangles.size(), 500u);
        auto onSide = [&](uint32_t v) {
            for (const double c : m.vertices[v].p)
                if (c == 0 || c == 11)
                    return true;
            return false;
        };
        EXPECT_EQ(BrokenEdges(m, [&](const Edge &e) { return !(onSide(e.first) && onSide(e.second)); }), 0)
            << "seed " << seed;
    }
}

TEST(IsoSurface, GyroidIsTheSameOnEveryRun)
{
    TestFunction f("0(x,y,z)=sin(x)*cos(y)+sin(y)*cos(z)+sin(z)*cos(x)");
    ASSERT_TRUE(f.ok());
    const IsoMesh first = Polygonise(f);
    const IsoMesh second = Polygonise(f);
    ASSERT_GT(first.triangles.size(), 10000u);
    ASSERT_EQ(first.triangles.size(), second.triangles.size());
    ASSERT_EQ(first.vertices.size(), second.vertices.size());
    for (size_t k = 0; k < first.triangles.size(); ++k)
        for (int c = 0; c < 3; ++c)
            ASSERT_EQ(first.triangles[k].v[c], second.triangles[k].v[c]);
    // Chess board colours follow the cells: both parities occur.
    size_t odd = 0;
    for (const IsoMesh::Triangle &t : first.triangles)
        odd += t.oddCell;
    EXPECT_GT(odd, first.triangles.size() / 4);
    EXPECT_LT(odd, first.triangles.size() * 3 / 4);
}

// Where f is not defined the cells are left empty; nothing that is not a
// number reaches the mesh.
TEST(IsoSurface, UndefinedValuesLeaveCellsEmpty)
{
    TestFunction f("0(x,y,z)=ln(x)+y*0+z*0");
    ASSERT_TRUE(f.ok());
    const IsoMesh m = Polygonise(f);
    ASSERT_FALSE(m.triangles.empty());
    for (const IsoMesh::Vertex &v : m.vertices) {
        EXPECT_NEAR(v.p[0], 1.0, 0.25);
        for (int k = 0; k < 3; ++k)
            EXPECT_TRUE(std::isfinite(v.p[k]) && std::isfinite(v.normal[k]));
    }
}

// The emitter maps to GL coordinates (y and z change places), keeps the
// triangles inside the cube, colours by height, and turns them with their
// normals in GL coordinates too.
TEST(IsoSurface, TrianglesReachTheSinkInsideTheCubeInGLCoordinates)
{
    TestFunction f("0(x,y,z,r)=x^2+y^2+(z-3)^2-r^2");
    ASSERT_TRUE(f.ok());
    VariableRecord r{"r", 2.5, 0, 5, 10};
    modify_function_variable(f.handle(), r);
    RecordingSink sink;
    ASSERT_TRUE(TessellateFunction(sink, f.Record(Gradient), 10).isEmpty());
    ASSERT_FALSE(sink.triangles.empty());
    EXPECT_EQ(sink.begins, 1);
    EXPECT_EQ(sink.ends, 1);
    // The top of the ball (z up to 5.5) is cut off by the cube.
    EXPECT_DOUBLE_EQ(sink.high, 5);
    EXPECT_NEAR(sink.low, 0.5, 0.3);
    for (const TriangleGeometry &t : sink.triangles) {
        for (int k = 0; k < 3; ++k) {
            EXPECT_LE(t.p[k].y, 5);
            EXPECT_DOUBLE_EQ(t.value[k], t.p[k].y);   // the height is GL Y
            const double radial[3] = {t.p[k].x, t.p[k].y - 3, t.p[k].z};
            const double normal[3] = {t.normal[k].x, t.normal[k].y, t.normal[k].z};
            EXPECT_GT(Dot(radial, normal), 0);
        }
        const GLPoint &a = t.p[0], &b = t.p[1], &c = t.p[2];
        const double u[3] = {b.x - a.x, b.y - a.y, b.z - a.z}, w[3] = {c.x - a.x, c.y - a.y, c.z - a.z};
        const double n[3] = {u[1] * w[2] - u[2] * w[1], u[2] * w[0] - u[0] * w[2], u[0] * w[1] - u[1] * w[0]};
        const double normal[3] = {t.normal[0].x, t.normal[0].y, t.normal[0].z};
        EXPECT_GT(Dot(n, normal), 0);
    }
    // The variables the user set are kept.
    VariableRecord x{"x", 0, 0, 0, 0};
    get_function_variable(f.handle(), "x", &x);
    EXPECT_EQ(x.value, 0);
}

TEST(IsoSurface, BoxesTooLargeOrWithoutStepsAreRefusedWithAMessage)
{
    TestFunction f("0(x,y,z)=x+y+z");
    ASSERT_TRUE(f.ok());
    f.SetRange("x", -5, 5, 0);
    EXPECT_TRUE(SampleVolume(f.text(), f.handle(), "plane").problem.contains(QStringLiteral("\"x\" has 0 steps")));
    for (const char *axis : {"x", "y", "z"})
        f.SetRange(axis, -5, 5, 400);
    RecordingSink sink;
    const QString problem = TessellateFunction(sink, f.Record(), 10);
    EXPECT_TRUE(problem.contains(QStringLiteral("401 x 401 x 401 points is too large"))) << problem.toStdString();
    EXPECT_TRUE(sink.triangles.empty());
    EXPECT_EQ(sink.ends, 1);
}
