// The glTF scene holds as many triangles and lines as the view draws: the
// view's own display lists and furniture are drawn in GL's feedback mode,
// which reports every primitive GL rasterises, and counted against the
// primitives of the .glb.
#include <gtest/gtest.h>

#include <GL/gl.h>
#include <tiny_gltf.h>

#include "OffscreenScene.h"
#include "OutputTestSupport.h"
#include "output/GltfWriter.h"
#include "output/SceneGeometry.h"
#include "view3d/SceneFurniture.h"

namespace {

struct Counts {
    size_t triangles = 0, lines = 0;
};

// Counts what `draw` makes GL rasterise, with a projection that holds the
// whole cube and what sticks out of it, so that nothing is clipped.
template <typename Draw> Counts Feedback(double cubeDimension, Draw draw)
{
    std::vector<GLfloat> buffer(1 << 22);
    glFeedbackBuffer(GLsizei(buffer.size()), GL_3D, buffer.data());
    glRenderMode(GL_FEEDBACK);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-cubeDimension, cubeDimension, -cubeDimension, cubeDimension, -cubeDimension, cubeDimension);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glDisable(GL_CULL_FACE);
    draw();
    const GLint size = glRenderMode(GL_RENDER);
    EXPECT_GT(size, 0) << "feedback buffer too small";
    Counts n;
    for (GLint k = 0; k < size;) {
        const GLint token = GLint(buffer[size_t(k++)]);
        switch (token) {
        case GL_POLYGON_TOKEN: {
            const GLint corners = GLint(buffer[size_t(k++)]);
            n.triangles += size_t(corners - 2);
            k += corners * 3;
            break;
        }
        case GL_LINE_TOKEN:
        case GL_LINE_RESET_TOKEN:
            ++n.lines;
            k += 6;
            break;
        case GL_PASS_THROUGH_TOKEN: k += 1; break;
        default: k += 3; break;   // points, bitmaps and pixel rectangles: one vertex
        }
    }
    return n;
}

Counts GlbCounts(const QByteArray &glb, const char *exceptNode)
{
    tinygltf::Model m;
    tinygltf::TinyGLTF reader;
    std::string error, warning;
    EXPECT_TRUE(reader.LoadBinaryFromMemory(&m, &error, &warning, reinterpret_cast<const unsigned char *>(glb.data()),
                                            unsigned(glb.size())))
        << error;
    Counts n;
    for (const tinygltf::Node &node : m.nodes) {
        if (node.mesh < 0 || node.name == exceptNode)
            continue;
        for (const tinygltf::Primitive &p : m.meshes[size_t(node.mesh)].primitives) {
            const size_t count = p.indices >= 0 ? m.accessors[size_t(p.indices)].count
                                                : m.accessors[size_t(p.attributes.at("POSITION"))].count;
            if (p.mode == TINYGLTF_MODE_TRIANGLES)
                n.triangles += count / 3;
            else if (p.mode == TINYGLTF_MODE_LINE)
                n.lines += count / 2;
        }
    }
    return n;
}

TEST(GltfCount, TourHoldsWhatTheViewDraws)
{
    OffscreenScene scene;
    ASSERT_TRUE(scene.ok());
    ASSERT_EQ(scene.doc().Open(TourPath()), ReadOutcome::Ok);
    scene.Render();   // builds the view's display lists, as the view does

    const ViewSettings &s = scene.settings();
    const Counts functions = Feedback(s.cubeDimension, [&] {
        for (const ListEntry &e : scene.lists().entries)
            if (scene.doc().Get(scene.doc().Find(e.handle)).visible)
                e.Draw(0);
    });
    // Without a built font the texts draw nothing: the lines of the cube,
    // marks and axes are left.
    const OutlineFont noText;
    const Counts furniture = Feedback(s.cubeDimension, [&] {
        DrawCube(s);
        DrawReferenceMarks(s, noText, Camera());
        DrawAxes(s, noText, Camera());
    });
    EXPECT_GT(functions.triangles, 0u);
    EXPECT_GT(functions.lines, 0u);
    EXPECT_EQ(furniture.triangles, 0u);
    EXPECT_EQ(furniture.lines, 12u + 27u + 3u);

    const GlyphOutlines glyphs;
    const SceneGeometry geometry = BuildSceneGeometry(scene.doc(), glyphs);
    EXPECT_EQ(geometry.TriangleCount(), functions.triangles);
    EXPECT_EQ(geometry.LineCount(), functions.lines + furniture.lines);
    // The file holds them all; the texts' line strips come on top.
    const Counts glb = GlbCounts(GltfBinary(geometry, QStringLiteral("tour.vxf")), "labels");
    EXPECT_EQ(glb.triangles, functions.triangles);
    EXPECT_EQ(glb.lines, functions.lines + furniture.lines);
    std::printf("tour.vxf: the view draws %zu triangles and %zu lines; the .glb holds %zu and %zu\n",
                functions.triangles, functions.lines + furniture.lines, glb.triangles, glb.lines);
}

} // namespace
