// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "view3d/MeshDrawing.h"

#include <algorithm>
#include <array>

#include "view3d/SceneStencil.h"

namespace {

void SetColor(Color c)
{
    glColor3ub(GLubyte(ColorRed(c)), GLubyte(ColorGreen(c)), GLubyte(ColorBlue(c)));
}

size_t IndicesPerPrimitive(const MeshBatch &b)
{
    return b.primitive == MeshBatch::Triangles ? 3 : 2;
}

GLenum Mode(const MeshBatch &b)
{
    return b.primitive == MeshBatch::Triangles ? GL_TRIANGLES : GL_LINES;
}

void DrawImmediate(const RenderMesh &mesh, const MeshBatch &b, const MeshSpan &span)
{
    const bool colors = b.pointColors && !mesh.colors.empty();
    const bool normals = b.lit && !mesh.normals.empty();
    glBegin(Mode(b));
    for (size_t n = span.first; n < span.first + span.count; ++n) {
        const size_t k = b.indices[n];
        if (colors)
            glColor3fv(&mesh.colors[k * 3]);
        if (normals)
            glNormal3fv(&mesh.normals[k * 3]);
        glVertex3fv(&mesh.positions[k * 3]);
    }
    glEnd();
}

// `points` copies of the color `c`, as 8-bit colors become floats.
const float *ColorArray(Color c, size_t points)
{
    // Kept from draw to draw: a frame draws its faces of one color again and
    // again, seldom of two.
    static thread_local std::vector<float> array;
    static thread_local Color filledWith = 0;
    if (c != filledWith) {
        array.clear();
        filledWith = c;
    }
    const std::array<float, 3> rgb = ColorFloats(c);
    while (array.size() < 3 * points)
        array.insert(array.end(), rgb.begin(), rgb.end());
    return array.data();
}

void DrawArrays(const RenderMesh &mesh, const MeshBatch &b, const MeshSpan &span)
{
    // Faces of one color come with an array of that color too: llvmpipe
    // compiles one set of shaders for faces colored by their points and
    // another for faces in the current color, about 2 ms each, and a scene
    // with filled and gradient surfaces would wait for both before its
    // first frame.  The pixels are the same.
    const float *colors = b.pointColors && !mesh.colors.empty() ? mesh.colors.data()
                          : b.primitive == MeshBatch::Triangles ? ColorArray(b.color, span.highest + 1)
                                                                : nullptr;
    const bool normals = b.lit && !mesh.normals.empty();
    if (colors) {
        glEnableClientState(GL_COLOR_ARRAY);
        glColorPointer(3, GL_FLOAT, 0, colors);
    }
    if (normals) {
        glEnableClientState(GL_NORMAL_ARRAY);
        glNormalPointer(GL_FLOAT, 0, mesh.normals.data());
    }
    // The range spares the driver a pass over the indices to find it, and
    // keeps what it fetches to the points this span names.
    glDrawRangeElements(Mode(b), span.lowest, span.highest, GLsizei(span.count), GL_UNSIGNED_INT,
                        b.indices.data() + span.first);
    if (normals)
        glDisableClientState(GL_NORMAL_ARRAY);
    if (colors)
        glDisableClientState(GL_COLOR_ARRAY);
}

} // namespace

std::vector<MeshPiece> MeshPieces(const RenderMesh &mesh, size_t primitives, PieceEnds ends)
{
    std::vector<MeshPiece> pieces;
    size_t room = 0;   // primitives the last piece can still take
    for (size_t k = 0; k < mesh.batches.size(); ++k) {
        const MeshBatch &b = mesh.batches[k];
        const size_t per = IndicesPerPrimitive(b);
        if (ends == PieceEnds::WhenFullOrOutlinesChange && k > 0 && b.outline != mesh.batches[k - 1].outline)
            room = 0;   // outlines of another class start a piece of their own
        for (size_t first = 0; first < b.indices.size();) {
            if (room == 0) {
                pieces.emplace_back();
                room = std::max<size_t>(primitives, 1);
            }
            const size_t count = std::min(room * per, b.indices.size() - first) / per * per;
            if (count == 0)
                break;   // a partial primitive at the end draws nothing
            const auto [lowest, highest] =
                std::minmax_element(b.indices.begin() + ptrdiff_t(first), b.indices.begin() + ptrdiff_t(first + count));
            pieces.back().push_back({k, first, count, *lowest, *highest});
            room -= count / per;
            first += count;
        }
    }
    return pieces;
}

OutlineClass PieceOutline(const RenderMesh &mesh, const MeshPiece &piece)
{
    return piece.empty() ? OutlineClass() : mesh.batches[piece.front().batch].outline;
}

void DrawMeshPiece(const RenderMesh &mesh, const MeshPiece &piece, GLint tag, MeshSubmission submission,
                   const OutlineSpacing &spacing)
{
    if (mesh.PointCount() == 0)
        return;
    const bool arrays = submission != MeshSubmission::Immediate;
    if (arrays) {
        glEnableClientState(GL_VERTEX_ARRAY);
        glVertexPointer(3, GL_FLOAT, 0, mesh.positions.data());
    }
    bool pushedBack = false;
    GLint mark = tag;
    for (const MeshSpan &span : piece) {
        const MeshBatch &b = mesh.batches[span.batch];
        if (!b.outline.DrawnAt(spacing))
            continue;
        if (b.pushedBack != pushedBack) {
            pushedBack = b.pushedBack;
            if (pushedBack) {
                glEnable(GL_POLYGON_OFFSET_FILL);
                glPolygonOffset(1, 1);
            } else {
                glDisable(GL_POLYGON_OFFSET_FILL);
            }
        }
        // Where pushed-back faces show, their depth lies behind the surface:
        // the stencil says so to whoever reads points back.
        const GLint wanted = b.unmarked ? 0 : pushedBack ? tag | kStencilOffsetFace
                                                         : tag;
        if (wanted != mark) {
            mark = wanted;
            glStencilFunc(GL_ALWAYS, mark, 0xFF);
        }
        if (!b.pointColors)
            SetColor(b.color);
        if (b.lit)
            glEnable(GL_LIGHTING);
        if (arrays)
            DrawArrays(mesh, b, span);
        else
            DrawImmediate(mesh, b, span);
        if (b.lit)
            glDisable(GL_LIGHTING);
    }
    if (pushedBack)
        glDisable(GL_POLYGON_OFFSET_FILL);
    if (mark != tag)
        glStencilFunc(GL_ALWAYS, tag, 0xFF);
    if (arrays)
        glDisableClientState(GL_VERTEX_ARRAY);
}

void DrawRenderMesh(const RenderMesh &mesh, GLint tag, MeshSubmission submission, const OutlineSpacing &spacing)
{
    if (submission != MeshSubmission::Direct) {
        const std::vector<MeshPiece> whole = MeshPieces(mesh, SIZE_MAX);
        for (const MeshPiece &piece : whole)
            DrawMeshPiece(mesh, piece, tag, submission, spacing);
        return;
    }
    DrawMeshPieces(mesh, MeshPieces(mesh), tag, spacing);
}

void DrawMeshPieces(const RenderMesh &mesh, const std::vector<MeshPiece> &pieces, GLint tag,
                    const OutlineSpacing &spacing)
{
    for (const MeshPiece &piece : pieces) {
        DrawMeshPiece(mesh, piece, tag, MeshSubmission::Direct, spacing);
        glFlush();
    }
}
