#include "view3d/MeshDrawing.h"

#include "view3d/SceneStencil.h"

namespace {

void SetColour(Colour c)
{
    glColor3ub(GLubyte(ColourRed(c)), GLubyte(ColourGreen(c)), GLubyte(ColourBlue(c)));
}

GLenum Mode(const MeshBatch &b)
{
    return b.primitive == MeshBatch::Triangles ? GL_TRIANGLES : GL_LINES;
}

void DrawImmediate(const RenderMesh &mesh, const MeshBatch &b)
{
    const bool colours = b.pointColours && !mesh.colours.empty();
    const bool normals = b.lit && !mesh.normals.empty();
    glBegin(Mode(b));
    for (const uint32_t k : b.indices) {
        if (colours)
            glColor3fv(&mesh.colours[size_t(k) * 3]);
        if (normals)
            glNormal3fv(&mesh.normals[size_t(k) * 3]);
        glVertex3fv(&mesh.positions[size_t(k) * 3]);
    }
    glEnd();
}

void DrawArrays(const RenderMesh &mesh, const MeshBatch &b)
{
    const bool colours = b.pointColours && !mesh.colours.empty();
    const bool normals = b.lit && !mesh.normals.empty();
    if (colours) {
        glEnableClientState(GL_COLOR_ARRAY);
        glColorPointer(3, GL_FLOAT, 0, mesh.colours.data());
    }
    if (normals) {
        glEnableClientState(GL_NORMAL_ARRAY);
        glNormalPointer(GL_FLOAT, 0, mesh.normals.data());
    }
    // The range spares the driver a pass over the indices to find it.
    glDrawRangeElements(Mode(b), 0, GLuint(mesh.PointCount() - 1), GLsizei(b.indices.size()), GL_UNSIGNED_INT,
                        b.indices.data());
    if (normals)
        glDisableClientState(GL_NORMAL_ARRAY);
    if (colours)
        glDisableClientState(GL_COLOR_ARRAY);
}

} // namespace

void DrawRenderMesh(const RenderMesh &mesh, GLint tag, MeshSubmission submission)
{
    if (mesh.PointCount() == 0)
        return;
    const bool arrays = submission == MeshSubmission::Arrays;
    if (arrays) {
        glEnableClientState(GL_VERTEX_ARRAY);
        glVertexPointer(3, GL_FLOAT, 0, mesh.positions.data());
    }
    bool pushedBack = false;
    for (const MeshBatch &b : mesh.batches) {
        if (b.indices.empty())
            continue;
        if (b.pushedBack != pushedBack) {
            pushedBack = b.pushedBack;
            if (pushedBack) {
                glEnable(GL_POLYGON_OFFSET_FILL);
                glPolygonOffset(1, 1);
            } else {
                glDisable(GL_POLYGON_OFFSET_FILL);
            }
            // Where pushed-back faces show, their depth lies behind the
            // surface: the stencil says so to whoever reads points back.
            glStencilFunc(GL_ALWAYS, pushedBack ? tag | kStencilOffsetFace : tag, 0xFF);
        }
        if (!b.pointColours)
            SetColour(b.colour);
        if (b.lit)
            glEnable(GL_LIGHTING);
        if (arrays)
            DrawArrays(mesh, b);
        else
            DrawImmediate(mesh, b);
        if (b.lit)
            glDisable(GL_LIGHTING);
    }
    if (pushedBack) {
        glDisable(GL_POLYGON_OFFSET_FILL);
        glStencilFunc(GL_ALWAYS, tag, 0xFF);
    }
    if (arrays)
        glDisableClientState(GL_VERTEX_ARRAY);
}
