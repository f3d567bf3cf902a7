// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "view3d/SceneRenderer.h"

#include <algorithm>

#include <GL/glu.h>

#include "model/CVeltrix2Doc.h"
#include "view3d/MeshDrawing.h"
#include "view3d/MeshSink.h"
#include "view3d/SceneFurniture.h"
#include "view3d/SceneLighting.h"
#include "view3d/SceneStencil.h"
#include "view3d/SelectionHits.h"

namespace {

void MarkStencil(GLint tag)
{
    glStencilFunc(GL_ALWAYS, tag, 0xFF);
}

} // namespace

void SceneRenderer::InitializeGL()
{
    glShadeModel(GL_SMOOTH);
    glClearColor(0, 0, 0, 0);
    glClearDepth(1.0);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LESS);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
    font_.Build();
}

void SceneRenderer::ReleaseGL(std::initializer_list<ListSet *> sets)
{
    for (ListSet *set : sets) {
        for (const ListEntry &e : set->entries)
            DeleteLists(e);
        set->entries.clear();
    }
    font_.Release();
}

void SceneRenderer::Resize(int width, int height)
{
    viewportWidth_ = width;
    viewportHeight_ = height;
    ApplyViewport();
}

void SceneRenderer::ApplyViewport() const
{
    if (viewportHeight_ > 0)
        glViewport(0, 0, viewportWidth_, viewportHeight_);
}

void SceneRenderer::LoadProjection(const Camera &c, const std::function<void()> &pickRegion) const
{
    const ViewSettings &s = doc_->Settings();
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    if (pickRegion)
        pickRegion();
    gluPerspective(s.fieldOfView, double(viewportWidth_) / double(viewportHeight_), s.nearPlane,
                   s.farPlane);
    // The camera lives on the projection so that the model-view matrix stays
    // free for the scene.
    glRotated(-c.pitch, 1, 0, 0);
    glRotated(-c.yaw, 0, 1, 0);
    glTranslated(-c.posX, -c.posY, -c.posZ);
}

void SceneRenderer::BeginFrame(const Camera &camera)
{
    const ViewSettings &s = doc_->Settings();
    LoadProjection(camera);
    glClearColor(GLclampf(ColorRed(s.backgroundColor) / 255.0),
                 GLclampf(ColorGreen(s.backgroundColor) / 255.0),
                 GLclampf(ColorBlue(s.backgroundColor) / 255.0), 1.0f);
    glClearStencil(0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glDepthFunc(GL_LESS);
    glLineWidth(GLfloat(lineWidth_));
    SetUpHeadlight(camera);
    // Whatever shows at a pixel leaves its mark in the stencil: the function's
    // tag, or 0 for the cursor and the furniture in front of it.
    glEnable(GL_STENCIL_TEST);
    glStencilMask(0xFF);
    glStencilOp(GL_KEEP, GL_KEEP, GL_REPLACE);
}

void SceneRenderer::EndFrame(const Camera &camera, const std::vector<LegendEntry> &legend)
{
    const ViewSettings &s = doc_->Settings();
    MarkStencil(0);
    if (s.showCube) {
        DrawCube(s);
        if (s.showReferenceMarks)
            DrawReferenceMarks(s, font_, camera);
    }
    if (s.showAxes)
        DrawAxes(s, font_, camera);
    if (options_.colorLegend && !legend.empty()) {
        // The legend keeps clear of the numbers and letters just drawn.
        double matrix[16];
        glGetDoublev(GL_PROJECTION_MATRIX, matrix);
        const std::vector<ScreenRect> texts = FurnitureTextRects(
            s, font_.AllMetrics(), camera, MatrixProjection(matrix, viewportWidth_, viewportHeight_));
        DrawColorLegend(legend, font_, viewportWidth_, viewportHeight_, s.backgroundColor, texts);
    }
    glDisable(GL_STENCIL_TEST);
    glFinish();
}

std::optional<TraceReading> SceneRenderer::RenderScene(const ListSet &lists, const Camera &camera)
{
    if (!doc_)
        return std::nullopt;
    BeginFrame(camera);
    std::optional<TraceReading> reading;
    for (const ListEntry &e : lists.entries) {
        const FunctionRecord *record = VisibleRecord(e);
        if (!record)
            continue;
        const GLint tag = StencilTag(record->handle);
        MarkStencil(tag);
        DrawEntry(e, tag);
        MarkStencil(0);
        if (trace_.on && record->handle == trace_.handle)
            reading = DrawTraceCursor(*record);
    }
    EndFrame(camera, options_.colorLegend ? Legend(lists) : std::vector<LegendEntry>{});
    return reading;
}

std::optional<TraceReading> SceneRenderer::RenderSceneOnce(const Camera &camera)
{
    problems_.clear();
    drawn_.clear();
    if (!doc_)
        return std::nullopt;
    BeginFrame(camera);
    std::optional<TraceReading> reading;
    std::vector<LegendEntry> legend;
    const FunctionList &functions = doc_->Functions();
    for (int p = functions.First(); p >= 0; p = functions.Next(p)) {
        const FunctionRecord &record = functions.At(p);
        if (!record.visible)
            continue;
        // Sampled into a mesh, drawn, and let go before the next.
        ListSet once{{}, FunctionStorage::Mesh};
        DrawFunction(record, &once);
        const ListEntry &e = once.entries.back();
        const GLint tag = StencilTag(record.handle);
        MarkStencil(tag);
        DrawEntry(e, tag);
        MarkStencil(0);
        if (record.mode == Gradient)
            legend.push_back({record.label, e.range.low, e.range.high, record.color1, record.color2, e.contourLevels});
        if (trace_.on && record.handle == trace_.handle)
            reading = DrawTraceCursor(record);
    }
    EndFrame(camera, legend);
    return reading;
}

const FunctionRecord *SceneRenderer::VisibleRecord(const ListEntry &entry) const
{
    const int position = doc_ ? doc_->Functions().Find(entry.handle) : -1;
    if (position < 0)
        return nullptr;
    const FunctionRecord &record = doc_->Functions().At(position);
    return record.visible ? &record : nullptr;
}

std::vector<LegendEntry> SceneRenderer::Legend(const ListSet &lists) const
{
    std::vector<LegendEntry> entries;
    for (const ListEntry &e : lists.entries) {
        const FunctionRecord *record = VisibleRecord(e);
        if (record && record->mode == Gradient)
            entries.push_back(
                {record->label, e.range.low, e.range.high, record->color1, record->color2, e.contourLevels});
    }
    return entries;
}

std::optional<ScenePoint> SceneRenderer::PointAt(const Camera &camera, int x, int y, double sampleX,
                                                 double sampleY) const
{
    if (!doc_ || x < 0 || y < 0 || x >= viewportWidth_ || y >= viewportHeight_)
        return std::nullopt;
    const PixelNeighbourhood pixels = PixelNeighbourhood::Read(x, y, viewportWidth_, viewportHeight_);
    const int32_t handle = HandleOfStencil(pixels.Mark());
    double depth = pixels.Depth();
    if (handle < 0 || !(depth < 1))
        return std::nullopt;
    const int position = doc_->Functions().Find(handle);
    if (position < 0 || !doc_->Functions().At(position).visible)
        return std::nullopt;
    // A filled face lies behind its surface by the offset that keeps the
    // outlines in front.
    if (pixels.Mark() & kStencilOffsetFace)
        depth -= pixels.PolygonOffset();

    GLdouble projection[16];
    static const GLdouble identity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    LoadProjection(camera);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    const GLint viewport[4] = {0, 0, viewportWidth_, viewportHeight_};
    GLdouble gx = 0, gy = 0, gz = 0;
    if (gluUnProject(x + sampleX, y + sampleY, depth, identity, projection, viewport, &gx, &gy, &gz) != GL_TRUE)
        return std::nullopt;
    const double pixel = PixelSizeAt(camera, doc_->Settings().fieldOfView, viewportHeight_, gx, gy, gz);
    // GL X, Y, Z are the user's x, z, y.
    return ScenePoint{handle, gx, gz, gy, pixel};
}

// Drawn in immediate mode after the function's list, never into a list: it
// moves without the function being rebuilt.  A point outside the cube (or
// not a number) draws nothing but still reads.
TraceReading SceneRenderer::DrawTraceCursor(const FunctionRecord &record)
{
    const TracePlacement placed = PlaceTraceCursor(record, trace_);
    const ViewSettings &s = doc_->Settings();
    const GLPoint &p = placed.point;
    if (!InsideCube(s.cubeDimension, p))
        return placed.reading;
    glEnable(GL_POLYGON_OFFSET_FILL);
    glPolygonOffset(1, 1);
    glColor3ub(GLubyte(ColorRed(s.cursorColor)), GLubyte(ColorGreen(s.cursorColor)),
               GLubyte(ColorBlue(s.cursorColor)));
    if (s.cursorKind == SphereCursor) {
        glPushMatrix();
        glTranslated(p.x, p.y, p.z);
        if (GLUquadric *sphere = gluNewQuadric()) {
            gluSphere(sphere, s.cubeDimension / 100, 8, 8);
            gluDeleteQuadric(sphere);
        }
        glPopMatrix();
    } else if (s.cursorKind == CrossCursor) {
        // Three lines through the point, each across the whole cube.
        const double h = s.cubeDimension / 2;
        glBegin(GL_LINES);
        glVertex3d(p.x, h, p.z);
        glVertex3d(p.x, -h, p.z);
        glVertex3d(p.x, p.y, h);
        glVertex3d(p.x, p.y, -h);
        glVertex3d(h, p.y, p.z);
        glVertex3d(-h, p.y, p.z);
        glEnd();
    }
    glDisable(GL_POLYGON_OFFSET_FILL);
    return placed.reading;
}

void ListEntry::Draw(GLint tag, const OutlineSpacing &spacing) const
{
    if (mesh) {
        DrawMeshPieces(*mesh, pieces, tag, spacing);
        return;
    }
    for (size_t k = 0; k < listIds.size(); ++k) {
        if (k < listOutlines.size() && !listOutlines[k].DrawnAt(spacing))
            continue;
        glCallList(listIds[k]);
        glFlush();
    }
}

void SceneRenderer::DrawEntry(const ListEntry &entry, GLint tag) const
{
    // The camera is on the projection matrix, the model-view is the identity.
    double matrix[16];
    glGetDoublev(GL_PROJECTION_MATRIX, matrix);
    const OutlineSpacing spacing =
        ChooseOutlineSpacing(entry.probe, MatrixProjection(matrix, viewportWidth_, viewportHeight_), lineWidth_);
    entry.Draw(tag, spacing);
}

void SceneRenderer::DeleteLists(const ListEntry &entry)
{
    for (const GLuint id : entry.listIds)
        glDeleteLists(id, 1);
}

void SceneRenderer::ClearLists(ListSet &lists)
{
    for (const ListEntry &e : lists.entries)
        DeleteLists(e);
    lists.entries.clear();
}

void SceneRenderer::RebuildLists(ListSet &lists, int handle)
{
    problems_.clear();
    drawn_.clear();
    if (handle == -1) {
        ClearLists(lists);
    } else {
        auto it = std::find_if(lists.entries.begin(), lists.entries.end(),
                               [handle](const ListEntry &e) { return e.handle == handle; });
        if (it != lists.entries.end()) {
            DeleteLists(*it);
            lists.entries.erase(it);
        }
    }
    if (!doc_)
        return;
    const FunctionList &functions = doc_->Functions();
    for (int p = functions.First(); p >= 0; p = functions.Next(p)) {
        const FunctionRecord &record = functions.At(p);
        if (handle == -1 || record.handle == handle)
            DrawFunction(record, &lists);
    }
}

void SceneRenderer::DrawFunctionsForPicking()
{
    problems_.clear();
    drawn_.clear();
    if (!doc_)
        return;
    const FunctionList &functions = doc_->Functions();
    for (int p = functions.First(); p >= 0; p = functions.Next(p)) {
        const FunctionRecord &record = functions.At(p);
        if (!record.visible)
            continue;
        glLoadName(GLuint(record.handle));
        DrawFunction(record, nullptr);
    }
}

int32_t SceneRenderer::PickFunction(const Camera &camera, double x, double y)
{
    if (!doc_)
        return -1;
    constexpr int kWords = 512;
    GLuint buffer[kWords] = {};
    glSelectBuffer(kWords, buffer);
    glRenderMode(GL_SELECT);
    glInitNames();
    glPushName(0);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    // The viewport is given explicitly: outside a paint the GL one may be stale.
    GLint viewport[4] = {0, 0, viewportWidth_, viewportHeight_};
    LoadProjection(camera, [&] { gluPickMatrix(x, y, 5, 5, viewport); });
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    // Functions are drawn directly: Mesa's selection pass can crash on
    // display lists that mix primitive kinds.
    DrawFunctionsForPicking();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    const GLint hits = glRenderMode(GL_RENDER);
    return NearestHit(hits, buffer, kWords);
}

void SceneRenderer::DrawFunction(const FunctionRecord &record, ListSet *lists)
{
    const ViewSettings &s = doc_->Settings();
    // The selection pass needs no normals.
    MeshSink sink(s.backgroundColor, lists && options_.shadedSurfaces);
    {
        // The selection pass needs no contour lines either.
        const QString problem = TessellateFunction(sink, record, s.cubeDimension,
                                                   lists ? options_.contours : ContourOptions{});
        if (problem.isEmpty())
            drawn_.push_back(record.handle);
        else
            problems_.push_back({record.handle, problem});
    }   // the samples are in the mesh now
    auto mesh = std::make_shared<RenderMesh>(sink.TakeMesh());
    const GLint tag = StencilTag(record.handle);
    if (!lists) {
        DrawRenderMesh(*mesh, tag, MeshSubmission::Immediate);
        return;
    }
    ListEntry entry{{}, {}, record.handle, sink.Range(), sink.ContourLevels(), nullptr, mesh->probe, {}};
    if (lists->storage == FunctionStorage::Mesh) {
        entry.pieces = MeshPieces(*mesh);
        entry.mesh = std::move(mesh);
    } else {
        for (const MeshPiece &piece : MeshPieces(*mesh, kPrimitivesPerFlush, PieceEnds::WhenFullOrOutlinesChange)) {
            const GLuint id = glGenLists(1);
            if (id == 0)
                break;   // no list names left: nothing to compile into
            glNewList(id, GL_COMPILE);
            DrawMeshPiece(*mesh, piece, tag, MeshSubmission::IntoList);
            glEndList();
            entry.listIds.push_back(id);
            entry.listOutlines.push_back(PieceOutline(*mesh, piece));
        }
    }
    lists->entries.push_back(std::move(entry));
}
