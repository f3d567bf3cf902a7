// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <cmath>
#include <cstring>
#include <map>
#include <set>

#include <gtest/gtest.h>

#include <QBuffer>
#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtEndian>

#include "OutputTestSupport.h"
#include "TestFunctions.h"
#include "output/MeshFiles.h"
#include "output/SurfaceMesh.h"

namespace {

QByteArray Bytes(const std::function<bool(QIODevice &)> &write)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(write(buffer));
    return buffer.data();
}

float FloatAt(const QByteArray &b, qsizetype offset)
{
    const quint32 bits = qFromLittleEndian<quint32>(b.constData() + offset);
    float f;
    std::memcpy(&f, &bits, 4);
    return f;
}

// The corners of triangle t of an STL file and its stored normal.
struct Facet {
    float normal[3], corner[3][3];
};
Facet FacetAt(const QByteArray &stl, int t)
{
    Facet f;
    const qsizetype base = 84 + qsizetype(t) * 50;
    for (int k = 0; k < 3; ++k)
        f.normal[k] = FloatAt(stl, base + 4 * k);
    for (int c = 0; c < 3; ++c)
        for (int k = 0; k < 3; ++k)
            f.corner[c][k] = FloatAt(stl, base + 12 + 12 * c + 4 * k);
    return f;
}

// z = x y / 10 over 4 x 4 cells: 25 shared vertices, 32 triangles, each at
// its sample in the user's coordinates and facing up (counter-clockwise
// seen from above).
TEST(SurfaceMesh, CellsBecomeTwoTrianglesOverSharedVertices)
{
    CVeltrix2Doc doc;
    ASSERT_TRUE(AddPlot(doc, {"saddle", "z(x,y)=x*y/10", FilledPolygons, -4, 4, 4, -2, 2, 4, true,
                              MakeColor(10, 20, 30)}));
    const SceneMesh mesh = BuildSceneMesh(doc);
    ASSERT_EQ(mesh.functions.size(), 1u);
    const FunctionMesh &f = mesh.functions[0];
    EXPECT_EQ(f.label, "saddle");
    EXPECT_EQ(f.color1, MakeColor(10, 20, 30));
    EXPECT_FALSE(f.colored);
    EXPECT_EQ(f.VertexCount(), 25u);
    ASSERT_EQ(f.TriangleCount(), 32u);
    EXPECT_TRUE(mesh.notes.isEmpty());

    // The first cell: (x, y) = (-4, -2), (-2, -2), (-2, -1), (-4, -1).
    const double expected[4][2] = {{-4, -2}, {-2, -2}, {-2, -1}, {-4, -1}};
    const uint32_t order[6] = {0, 1, 2, 0, 2, 3};
    for (int k = 0; k < 6; ++k) {
        const double *v = f.Vertex(f.triangles[size_t(k)]);
        EXPECT_DOUBLE_EQ(v[0], expected[order[k]][0]);
        EXPECT_DOUBLE_EQ(v[1], expected[order[k]][1]);
        EXPECT_DOUBLE_EQ(v[2], v[0] * v[1] / 10);
    }
    for (size_t t = 0; t < f.triangles.size(); t += 3) {
        const double *a = f.Vertex(f.triangles[t]), *b = f.Vertex(f.triangles[t + 1]), *c = f.Vertex(f.triangles[t + 2]);
        EXPECT_GT((b[0] - a[0]) * (c[1] - a[1]) - (b[1] - a[1]) * (c[0] - a[0]), 0) << "triangle " << t / 3;
    }
}

// What the view does not show is not in the mesh: hidden functions, cells
// leaving the cube; curves have no area and are named in a note.
TEST(SurfaceMesh, LeavesOutHiddenFunctionsCurvesAndCellsOutsideTheCube)
{
    CVeltrix2Doc doc;
    Plot hidden{"hidden", "z(x,y)=1", WireFrame};
    hidden.visible = false;
    ASSERT_TRUE(AddPlot(doc, hidden));
    ASSERT_TRUE(AddPlot(doc, {"courbe \xE9", "z(x)=x/2", Gradient, -1, 1, 2}));
    ASSERT_TRUE(AddPlot(doc, {"steep", "z(x,y)=x", ChessBoard, 3, 7, 2, 0, 1, 1}));
    const SceneMesh mesh = BuildSceneMesh(doc);
    ASSERT_EQ(mesh.functions.size(), 1u);
    EXPECT_EQ(mesh.functions[0].label, "steep");
    EXPECT_EQ(mesh.functions[0].position, 2);
    EXPECT_EQ(mesh.functions[0].TriangleCount(), 2u) << "only the cell from x = 3 to 5";
    for (double c : mesh.functions[0].positions)
        EXPECT_LE(std::abs(c), 5.0);
    ASSERT_EQ(mesh.notes.size(), 1);
    EXPECT_TRUE(mesh.notes[0].contains(QStringLiteral("\"courbe \u00E9\""))) << mesh.notes[0].toStdString();
}

// A gradient surface carries a colour per vertex, from colour 1 at the
// lowest value to colour 2 at the highest.
TEST(SurfaceMesh, GradientSurfacesColorEachVertex)
{
    CVeltrix2Doc doc;
    ASSERT_TRUE(AddPlot(doc, {"ramp", "z(x,y)=x", Gradient, -4, 4, 2, 0, 1, 1, true, MakeColor(255, 0, 0),
                              MakeColor(0, 0, 255)}));
    const SceneMesh mesh = BuildSceneMesh(doc);
    ASSERT_EQ(mesh.functions.size(), 1u);
    const FunctionMesh &f = mesh.functions[0];
    ASSERT_TRUE(f.colored);
    ASSERT_EQ(f.colors.size(), f.VertexCount());
    for (size_t v = 0; v < f.VertexCount(); ++v) {
        const double z = f.Vertex(uint32_t(v))[2];
        EXPECT_EQ(f.colors[v], z < 0 ? MakeColor(255, 0, 0) : z > 0 ? MakeColor(0, 0, 255)
                                                                    : MakeColor(127, 0, 127))
            << "vertex at z = " << z;
    }
}

// At a sphere's poles two corners of each cell meet: those triangles have
// no area (no normal) and are dropped; every other one is kept, however
// thin or small: a cell 1e-4 wide gives both its triangles to the files,
// also when it is only 2e-3 long (what counts is its shape, not its size).
TEST(SurfaceMesh, DropsTrianglesWithoutArea)
{
    CVeltrix2Doc doc;
    TestFunction sphere("r(alpha,beta)=4", 0);
    ASSERT_TRUE(sphere.ok());
    sphere.SetRange("alpha", 0, 360, 8);
    sphere.SetRange("beta", -90, 90, 4);
    FunctionRecord r = sphere.Record(FilledPolygons);
    doc.Add(r);
    sphere.Release();
    const SceneMesh mesh = BuildSceneMesh(doc);
    ASSERT_EQ(mesh.functions.size(), 1u);
    EXPECT_EQ(mesh.functions[0].TriangleCount(), 2u * 32 - 16) << "one triangle of each of the 16 polar cells";

    for (double half : {1.0, 1e-3}) {
        CVeltrix2Doc strip;
        ASSERT_TRUE(AddPlot(strip, {"strip", "z(x,y)=x", FilledPolygons, -half, half, 1, 0, 1e-4, 1}));
        const SceneMesh thin = BuildSceneMesh(strip);
        const QByteArray stl = Bytes([&](QIODevice &out) { return WriteStl(thin, out); });
        ASSERT_GE(stl.size(), 84);
        EXPECT_EQ(qFromLittleEndian<quint32>(stl.constData() + 80), 2u) << half;
        const QByteArray obj = Bytes([&](QIODevice &out) { return WriteObj(thin, QStringLiteral("strip.mtl"), out); });
        EXPECT_EQ(obj.count("\nf "), 2) << half;
    }
}

// Binary STL: a header that does not start with "solid", the count, and per
// triangle a unit normal agreeing with the corners' order.
// Each directed edge of the mesh's triangles with the number of times it
// is used.
std::map<std::pair<uint32_t, uint32_t>, int> DirectedEdges(const FunctionMesh &f)
{
    std::map<std::pair<uint32_t, uint32_t>, int> edges;
    for (size_t t = 0; t < f.triangles.size(); t += 3)
        for (int k = 0; k < 3; ++k)
            ++edges[{f.triangles[t + size_t(k)], f.triangles[t + size_t(k + 1) % 3]}];
    return edges;
}

// Where a grid's edges meet (a torus's two seams, a sphere's seam and
// poles) the triangles share vertices: every edge has two triangles, one on
// each side, and the mesh is closed.  An open strip keeps its border.
TEST(SurfaceMesh, ClosedSurfacesGiveClosedMeshes)
{
    CVeltrix2Doc doc;
    ASSERT_TRUE(AddPlot(doc, {"torus", "(x,y,z)(u,v)=(cos(u)*(2+cos(v)), sin(u)*(2+cos(v)), sin(v))", FilledPolygons,
                              0, 6.283185308, 24, 0, 6.283185308, 12}));
    ASSERT_TRUE(AddPlot(doc, {"sphere", "r(alpha,beta)=3", FilledPolygons, 0, 6.283185308, 16, -1.570796327,
                              1.570796327, 8}));
    ASSERT_TRUE(AddPlot(doc, {"strip", "(x,y,z)(u,v)=((2+v*cos(u/2))*cos(u), (2+v*cos(u/2))*sin(u), v*sin(u/2))",
                              FilledPolygons, 0, 6.283185308, 24, -1, 1, 4}));
    const SceneMesh mesh = BuildSceneMesh(doc);
    ASSERT_EQ(mesh.functions.size(), 3u);

    const FunctionMesh &torus = mesh.functions[0];
    EXPECT_EQ(torus.VertexCount(), 24u * 12u);
    EXPECT_EQ(torus.TriangleCount(), 2u * 24u * 12u);
    const FunctionMesh &sphere = mesh.functions[1];
    EXPECT_EQ(sphere.VertexCount(), 16u * 7u + 2u) << "one vertex per pole";
    EXPECT_EQ(sphere.TriangleCount(), 2u * 16u * 8u - 2u * 16u) << "the poles' thin halves dropped";
    for (const FunctionMesh *closed : {&torus, &sphere}) {
        SCOPED_TRACE(closed->label);
        const auto edges = DirectedEdges(*closed);
        for (const auto &[edge, uses] : edges) {
            EXPECT_EQ(uses, 1) << "an edge walked twice the same way: a face turned over";
            EXPECT_EQ(edges.count({edge.second, edge.first}), 1u) << "an open edge";
        }
    }

    // A strip has a border; its seam is shared but turned over (it has one
    // side only), so its triangles walk the seam's edges the same way.
    const auto edges = DirectedEdges(mesh.functions[2]);
    size_t open = 0;
    for (const auto &[edge, uses] : edges)
        open += edges.count({edge.second, edge.first}) == 0;
    EXPECT_GT(open, 0u);
}

TEST(MeshFiles, StlHoldsEveryTriangleWithItsNormal)
{
    CVeltrix2Doc doc;
    ASSERT_TRUE(AddPlot(doc, {"a", "z(x,y)=x*y/10", WireFrame, -4, 4, 4, -2, 2, 4}));
    ASSERT_TRUE(AddPlot(doc, {"b", "z(x,y)=-1", Gradient, -1, 1, 1, -1, 1, 1}));
    const SceneMesh mesh = BuildSceneMesh(doc);
    const QByteArray stl = Bytes([&](QIODevice &out) { return WriteStl(mesh, out); });
    ASSERT_EQ(stl.size(), 84 + 34 * 50);
    EXPECT_FALSE(stl.startsWith("solid"));
    EXPECT_EQ(qFromLittleEndian<quint32>(stl.constData() + 80), 34u);
    for (int t = 0; t < 34; ++t) {
        const Facet f = FacetAt(stl, t);
        const double u[3] = {f.corner[1][0] - f.corner[0][0], f.corner[1][1] - f.corner[0][1], f.corner[1][2] - f.corner[0][2]};
        const double w[3] = {f.corner[2][0] - f.corner[0][0], f.corner[2][1] - f.corner[0][1], f.corner[2][2] - f.corner[0][2]};
        const double n[3] = {u[1] * w[2] - u[2] * w[1], u[2] * w[0] - u[0] * w[2], u[0] * w[1] - u[1] * w[0]};
        const double length = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
        for (int k = 0; k < 3; ++k)
            EXPECT_NEAR(f.normal[k], n[k] / length, 1e-6) << "triangle " << t;
        EXPECT_GT(f.normal[2], 0) << "surfaces z(x, y) face up";
    }
    EXPECT_EQ(FacetAt(stl, 33).corner[0][2], -1.0f) << "the second function follows the first";
}

// A document's cube may reach beyond single precision; STL cannot hold such
// a scene and writes nothing, OBJ keeps every digit.
TEST(MeshFiles, StlRefusesCoordinatesBeyondSinglePrecision)
{
    CVeltrix2Doc doc;
    doc.Settings().cubeDimension = 1e40;
    ASSERT_TRUE(AddPlot(doc, {"wide", "z(x,y)=1", WireFrame, -1e39, 1e39, 1, -1e39, 1e39, 1}));
    const SceneMesh mesh = BuildSceneMesh(doc);
    ASSERT_EQ(mesh.TriangleCount(), 2u);
    EXPECT_TRUE(StlRefusal(mesh).contains(QStringLiteral("-1e+39"))) << StlRefusal(mesh).toStdString();
    QBuffer stl;
    stl.open(QIODevice::WriteOnly);
    EXPECT_FALSE(WriteStl(mesh, stl));
    EXPECT_TRUE(stl.data().isEmpty());
    EXPECT_TRUE(Bytes([&](QIODevice &out) { return WriteObj(mesh, QStringLiteral("wide.mtl"), out); }).contains("v -1e+39 "));

    doc.Settings().cubeDimension = 10;
    EXPECT_TRUE(StlRefusal(BuildSceneMesh(doc)).isEmpty());
}

// OBJ: an object per function named by its label (UTF-8), a unique material
// each, indices counting across the whole file, colours on the vertices of
// gradient surfaces; the materials file gives colour 1.
TEST(MeshFiles, ObjNamesObjectsAndMaterialsAndSharesVertices)
{
    CVeltrix2Doc doc;
    ASSERT_TRUE(AddPlot(doc, {"d\xE9j\xE0 vu", "z(x,y)=1", FilledPolygons, -1, 1, 2, -1, 1, 2, true,
                              MakeColor(255, 0, 0)}));
    ASSERT_TRUE(AddPlot(doc, {"d\xE9j\xE0 vu", "z(x,y)=x/4", Gradient, -1, 1, 1, -1, 1, 1, true,
                              MakeColor(0, 0, 255), MakeColor(0, 255, 0)}));
    const SceneMesh mesh = BuildSceneMesh(doc);
    const QString obj = QString::fromUtf8(Bytes([&](QIODevice &out) { return WriteObj(mesh, "scene.mtl", out); }));
    const QString mtl = QString::fromUtf8(Bytes([&](QIODevice &out) { return WriteMtl(mesh, out); }));

    EXPECT_EQ(obj.count(QStringLiteral("\no d\u00E9j\u00E0 vu\n")), 2);
    EXPECT_TRUE(obj.contains(QStringLiteral("mtllib scene.mtl\n")));
    EXPECT_TRUE(obj.contains(QStringLiteral("\nusemtl d\u00E9j\u00E0_vu\n")));
    EXPECT_TRUE(obj.contains(QStringLiteral("\nusemtl d\u00E9j\u00E0_vu_2\n")));
    EXPECT_TRUE(mtl.contains(QStringLiteral("newmtl d\u00E9j\u00E0_vu\nKa 0 0 0\nKd 1.0000 0.0000 0.0000\n")));
    EXPECT_TRUE(mtl.contains(QStringLiteral("newmtl d\u00E9j\u00E0_vu_2\nKa 0 0 0\nKd 0.0000 0.0000 1.0000\n")));

    const QStringList lines = obj.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    const QStringList vertices = lines.filter(QRegularExpression(QStringLiteral("^v ")));
    const QStringList faces = lines.filter(QRegularExpression(QStringLiteral("^f ")));
    ASSERT_EQ(vertices.size(), 9 + 4);
    ASSERT_EQ(faces.size(), 8 + 2);
    EXPECT_EQ(vertices[0].split(' ').size(), 4) << "no colours on a filled surface";
    EXPECT_EQ(vertices[9], QStringLiteral("v -1 -1 -0.25 0.0000 0.0000 1.0000"));
    EXPECT_EQ(vertices[12].split(' ').size(), 7);
    std::set<int> used;
    for (const QString &face : faces)
        for (const QString &index : face.mid(2).split(' '))
            used.insert(index.toInt());
    EXPECT_EQ(*used.begin(), 1);
    EXPECT_EQ(*used.rbegin(), 13);
    EXPECT_EQ(used.size(), 13u) << "every vertex in a face";
    EXPECT_EQ(faces[8], QStringLiteral("f 10 11 12"));
}

// The materials go beside the OBJ under its name; a folder that does not
// exist is reported with the file's name.
TEST(MeshFiles, ObjFilesAreWrittenTogetherOrReported)
{
    CVeltrix2Doc doc;
    ASSERT_TRUE(AddPlot(doc, {"s", "z(x,y)=0", FilledPolygons}));
    const SceneMesh mesh = BuildSceneMesh(doc);
    QTemporaryDir dir;
    QString error;
    ASSERT_TRUE(WriteObjFiles(mesh, dir.filePath(QStringLiteral("my.scene.obj")), &error)) << error.toStdString();
    EXPECT_TRUE(ReadFileBytes(dir.filePath(QStringLiteral("my.scene.obj"))).contains("mtllib my.scene.mtl\n"));
    EXPECT_TRUE(ReadFileBytes(dir.filePath(QStringLiteral("my.scene.mtl"))).contains("newmtl s\n"));

    const QString nowhere = dir.filePath(QStringLiteral("missing/x.obj"));
    EXPECT_FALSE(WriteObjFiles(mesh, nowhere, &error));
    EXPECT_TRUE(error.contains(QDir::toNativeSeparators(dir.filePath(QStringLiteral("missing/x.")))))
        << error.toStdString();

    // An mtllib line lists names separated by blanks: the library's name
    // has none.
    ASSERT_TRUE(WriteObjFiles(mesh, dir.filePath(QStringLiteral("my plot.obj")), &error)) << error.toStdString();
    EXPECT_TRUE(ReadFileBytes(dir.filePath(QStringLiteral("my plot.obj"))).contains("\nmtllib my_plot.mtl\n"));
    EXPECT_TRUE(ReadFileBytes(dir.filePath(QStringLiteral("my_plot.mtl"))).contains("newmtl s\n"));
}

// The materials replace the old ones only once the objects that use them
// are written: an OBJ that fails, or a library path that holds no regular
// file, leaves both files as they were.
TEST(MeshFiles, AFailedObjLeavesItsMaterialsAsTheyWere)
{
    CVeltrix2Doc doc;
    ASSERT_TRUE(AddPlot(doc, {"s", "z(x,y)=x*y", FilledPolygons, -5, 5, 40, -5, 5, 40}));
    const SceneMesh mesh = BuildSceneMesh(doc);
    QTemporaryDir dir;
    const QString obj = dir.filePath(QStringLiteral("scene.obj")), mtl = dir.filePath(QStringLiteral("scene.mtl"));
    for (const QString &path : {obj, mtl}) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("old");
    }
    QString error;
    bool written = true;
    {
        FileSizeLimit limit(4096);   // room for the materials, not for the objects
        written = WriteObjFiles(mesh, obj, &error);
    }
    EXPECT_FALSE(written);
    EXPECT_EQ(error, QStringLiteral("The file %1 could not be written: File too large.").arg(obj));
    EXPECT_EQ(ReadFileBytes(obj), QByteArray("old"));
    EXPECT_EQ(ReadFileBytes(mtl), QByteArray("old"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), (QStringList{"scene.mtl", "scene.obj"}));

    ASSERT_TRUE(QFile::remove(mtl));
    ASSERT_TRUE(MakeFifo(mtl));
    EXPECT_FALSE(WriteObjFiles(mesh, obj, &error));
    EXPECT_EQ(error, QStringLiteral("%1 is not a regular file.").arg(mtl));
    EXPECT_TRUE(IsFifo(mtl));
    EXPECT_EQ(ReadFileBytes(obj), QByteArray("old"));
}

} // namespace
