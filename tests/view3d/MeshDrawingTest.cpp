// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Meshes drawn straight from their arrays give the very pixels of the same
// meshes compiled into display lists, and the font compiles only the glyphs
// a frame shows.
#include <QImage>
#include <gtest/gtest.h>

#include "OffscreenScene.h"
#include "TestFunctions.h"
#include "view3d/GradientColor.h"
#include "view3d/MeshDrawing.h"
#include "view3d/SampleGrid.h"
#include "view3d/SceneStencil.h"

namespace {

QString TourPath()
{
    return QStringLiteral(VELTRIX_EXAMPLES_DIR "/tour.vxf");
}

int DifferentPixels(const QImage &a, const QImage &b)
{
    if (a.size() != b.size())
        return -1;
    int n = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            n += a.pixel(x, y) != b.pixel(x, y);
    return n;
}

// A gradient surface over [-5, 5]^2 that folds over itself and is
// undefined on a part of its grid.
bool AddFolds(OffscreenScene &scene, const char *text, int steps1, int steps2)
{
    TestFunction f(text);
    if (!f.ok())
        return false;
    f.SetRange("x", -5, 5, steps1);
    f.SetRange("y", -5, 5, steps2);
    scene.doc().Add(f.Record(Gradient, 0x0080FF, 0xFF4020));
    f.Release();
    return true;
}

// The frame of `scene` drawn from display lists, then from meshes.
std::pair<QImage, QImage> BothWays(OffscreenScene &scene, const Camera &camera = Camera())
{
    scene.lists().storage = FunctionStorage::DisplayList;
    const QImage listed = scene.Render(camera);
    for (const ListEntry &e : scene.lists().entries)
        EXPECT_FALSE(e.mesh);
    scene.lists().storage = FunctionStorage::Mesh;
    const QImage direct = scene.Render(camera);
    for (const ListEntry &e : scene.lists().entries)
        EXPECT_TRUE(e.mesh && e.listIds.empty());
    return {listed, direct};
}

TEST(MeshDrawing, TheTourDirectAndFromListsIsPixelForPixelTheSame)
{
    OffscreenScene scene(640, 512);
    ASSERT_TRUE(scene.ok());
    ASSERT_EQ(scene.doc().Open(TourPath()), ReadOutcome::Ok);
    const Camera camera = [&] {
        const ViewSettings &s = scene.settings();
        Camera c;
        c.SetPose({s.cameraX, s.cameraY, s.cameraZ, s.cameraPitch, s.cameraYaw});
        return c;
    }();
    for (const bool shaded : {false, true}) {
        RenderOptions options;
        options.shadedSurfaces = shaded;
        options.colorLegend = true;
        scene.renderer().SetOptions(options);
        const auto [listed, direct] = BothWays(scene, camera);
        EXPECT_GT(CountColor(listed, scene.settings().backgroundColor), 0);
        EXPECT_EQ(DifferentPixels(listed, direct), 0) << (shaded ? "shaded" : "flat");
    }
}

// A grid fine enough to be drawn in many pieces, in every mode.
TEST(MeshDrawing, ManyPiecesInEveryModeDrawTheSamePixelsBothWays)
{
    OffscreenScene scene(400, 300);
    ASSERT_TRUE(scene.ok());
    ASSERT_TRUE(AddFolds(scene, "z(x,y)=sin(x)*cos(y)+ln(x+3)", 150, 120));
    int32_t handle = scene.doc().Get(0).handle;
    for (const int mode : {WireFrame, FilledPolygons, ChessBoard, Gradient}) {
        FunctionRecord r = scene.doc().Get(0);
        r.mode = mode;
        scene.doc().Update(0, r);
        const auto [listed, direct] = BothWays(scene);
        ASSERT_EQ(scene.lists().entries.size(), 1u);
        const RenderMesh &mesh = *scene.lists().entries[0].mesh;
        EXPECT_GT(MeshPieces(mesh).size(), 4u);
        EXPECT_EQ(scene.lists().entries[0].handle, handle);
        EXPECT_EQ(DifferentPixels(listed, direct), 0) << "mode " << mode;
    }
}

// How cells were drawn before meshes: quadrilaterals compiled into a list,
// their outlines the same quadrilaterals with the polygon mode set to lines.
void CompileQuads(const std::vector<CellGeometry> &cells, const FunctionRecord &r, double low, double high,
                  Color background, GLuint list)
{
    auto color = [](Color c) { glColor3ub(GLubyte(ColorRed(c)), GLubyte(ColorGreen(c)), GLubyte(ColorBlue(c))); };
    auto quads = [&](bool coloured) {
        glBegin(GL_QUADS);
        for (const CellGeometry &c : cells) {
            for (int k = 0; k < 4; ++k) {
                if (coloured && r.mode == Gradient)
                    color(GradientColor(low, high, c.value[k], r.color1, r.color2));
                else if (coloured && r.mode == ChessBoard)
                    color((c.i + c.j) % 2 ? r.color1 : r.color2);
                glVertex3f(GLfloat(c.p[k].x), GLfloat(c.p[k].y), GLfloat(c.p[k].z));
            }
        }
        glEnd();
    };
    const GLint tag = StencilTag(r.handle);
    const bool outlined = r.mode == Gradient || r.mode == FilledPolygons;
    glNewList(list, GL_COMPILE);
    if (r.mode == FilledPolygons)
        color(r.color1);
    if (outlined) {
        glEnable(GL_POLYGON_OFFSET_FILL);
        glPolygonOffset(1, 1);
        glStencilFunc(GL_ALWAYS, tag | kStencilOffsetFace, 0xFF);
    }
    quads(true);
    if (outlined) {
        glStencilFunc(GL_ALWAYS, tag, 0xFF);
        color(r.mode == FilledPolygons ? r.color2 : background);
        glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
        quads(false);
        glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
        glDisable(GL_POLYGON_OFFSET_FILL);
    }
    glEndList();
}

// Each cell's two triangles split it along the diagonal the driver takes for
// a quadrilateral, and its outline runs as the quadrilateral's did: the
// pictures made before meshes and with them are the same.
TEST(MeshDrawing, MeshesDrawWhatQuadrilateralsDrew)
{
    OffscreenScene scene(480, 360);
    ASSERT_TRUE(scene.ok());
    scene.HideFurniture();
    ASSERT_TRUE(AddFolds(scene, "z(x,y)=sin(x)*cos(y)*3+ln(x+3)", 37, 23));
    const Camera camera;
    for (const int mode : {Gradient, ChessBoard, FilledPolygons}) {
        FunctionRecord r = scene.doc().Get(0);
        r.mode = mode;
        scene.doc().Update(0, r);
        scene.lists().storage = FunctionStorage::Mesh;
        const QImage meshes = scene.Render(camera);

        RecordingSink cells;
        DrawSamples(cells, r, SampleGrid(r.text, r.handle), scene.settings().cubeDimension);
        ListEntry &entry = scene.lists().entries.at(0);
        entry.mesh.reset();
        entry.listIds = {glGenLists(1)};
        CompileQuads(cells.cells, r, cells.low, cells.high, scene.settings().backgroundColor, entry.listIds[0]);
        scene.renderer().RenderScene(scene.lists(), camera);
        EXPECT_EQ(DifferentPixels(scene.Frame(), meshes), 0) << "mode " << mode;
        EXPECT_GT(CountColor(meshes, scene.settings().backgroundColor), 0);
    }
}

TEST(MeshDrawing, TheFontCompilesOnlyTheGlyphsShown)
{
    OffscreenScene scene(400, 300);
    ASSERT_TRUE(scene.ok());
    scene.HideFurniture();
    scene.Render();
    EXPECT_EQ(scene.renderer().Font().CompiledGlyphs(), 0) << "no text, no glyph";

    scene.settings().showCube = scene.settings().showReferenceMarks = scene.settings().showAxes = 1;
    scene.Render();
    // "-5.", "5.", "0" and the labels x, y, z.
    EXPECT_EQ(scene.renderer().Font().CompiledGlyphs(), 7);
    const QImage once = scene.Frame();
    EXPECT_EQ(DifferentPixels(scene.Render(), once), 0) << "the glyphs drawn again from their lists";
}

} // namespace
