// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include <GL/gl.h>
#include <QString>

#include "view3d/Camera.h"
#include "view3d/ColorLegend.h"
#include "view3d/FunctionTessellator.h"
#include "view3d/MeshDrawing.h"
#include "view3d/OutlineFont.h"
#include "view3d/RenderMesh.h"
#include "view3d/RenderOptions.h"
#include "view3d/ScenePoint.h"
#include "view3d/TraceCursor.h"

class CVeltrix2Doc;
struct FunctionRecord;

// How a function's geometry is kept between its rebuilds: as a mesh, drawn
// straight from its arrays every frame, or compiled into display lists that
// every frame replays.  Meshes are the rule: with Mesa's software rasterizer
// the lists of a 400-step surface took 50 MB more than its mesh, and a
// rebuild that compiles them four times as long (150 against 36 ms), while
// a frame replayed from them was no faster than one drawn from the arrays.
// A set may still choose lists: drivers that keep them in video memory
// replay them without sending the points again.
enum class FunctionStorage { Mesh,
                             DisplayList };

// The drawing of one function in one context: its mesh, drawn piece by
// piece with a flush after each (MeshDrawing.h), or display lists compiled
// from those pieces.
struct ListEntry {
    std::vector<GLuint> listIds;
    std::vector<OutlineClass> listOutlines;   // what each list holds
    int32_t handle = -1;
    GradientRange range;   // of the colors drawn, for the legend
    std::vector<double> contourLevels;   // of the lines drawn, for the legend
    std::shared_ptr<const RenderMesh> mesh;   // drawn directly when set
    GridProbe probe;   // of a surface: where its grid lines fall on a picture
    // The mesh cut into the pieces drawn between flushes, once: cutting
    // finds each piece's range of points, a pass over all the indices.
    std::vector<MeshPiece> pieces;

    // Draws the function into the current context, with the outlines of the
    // grid lines `spacing` keeps; `tag` is its stencil mark.
    void Draw(GLint tag, const OutlineSpacing &spacing = OutlineSpacing()) const;
};

// The drawings of the functions for one context, in drawing order.
struct ListSet {
    std::vector<ListEntry> entries;
    // How rebuilt functions are kept.
    FunctionStorage storage = FunctionStorage::Mesh;
};

// A function that could not be drawn in the last rebuild.
struct DrawProblem {
    int32_t handle = -1;
    QString message;
};

// Draws the document's scene into whatever GL context is current: the view's
// own, or an off-screen one.  Knows no widget.  One renderer per context (it
// holds that context's outline font).
class SceneRenderer {
public:
    explicit SceneRenderer(const CVeltrix2Doc *doc = nullptr) : doc_(doc) {}

    void SetDocument(const CVeltrix2Doc *doc) { doc_ = doc; }
    const CVeltrix2Doc *Document() const { return doc_; }

    // Initial state of a fresh context and the outline font.
    void InitializeGL();
    // Deletes the font and the lists of `sets` in the current context.
    void ReleaseGL(std::initializer_list<ListSet *> sets);

    // Client size: the viewport changes only for a positive height; the size
    // is kept in every case.
    void Resize(int width, int height);
    // Sets the GL viewport to the kept size again (a widget or another pass
    // may have changed it), under the same rule.
    void ApplyViewport() const;
    int ViewportWidth() const { return viewportWidth_; }
    int ViewportHeight() const { return viewportHeight_; }

    // Smooth lines are the framebuffer owner's business; shading and
    // contour lines take effect as the functions are rebuilt, the legend
    // with the next frame.
    void SetOptions(const RenderOptions &options) { options_ = options; }
    const RenderOptions &Options() const { return options_; }

    // Perspective and camera on the projection matrix.  `pickRegion`, when
    // given, is applied first (the selection pass's pick matrix).
    void LoadProjection(const Camera &camera, const std::function<void()> &pickRegion = {}) const;

    // One frame: projection, clear, the visible functions' lists (the traced
    // one followed by the trace cursor), the cube, marks and axes, and the
    // color legend when it is asked for.  Each function's pixels are marked
    // with it in the stencil buffer, for PointAt.  Returns
    // what the cursor read when it was placed in this frame (the traced
    // function is visible and has a list here), for the status bar.
    std::optional<TraceReading> RenderScene(const ListSet &lists, const Camera &camera);
    // The same frame as RebuildLists for every function followed by
    // RenderScene, with each shown function sampled and drawn straight into
    // the frame instead: for a context that draws a scene once (a picture,
    // a page, a film's frame), where compiling lists only costs time.
    std::optional<TraceReading> RenderSceneOnce(const Camera &camera);

    // The function and point drawn at pixel (x, y) (GL window coordinates)
    // of the last frame, from the depth and stencil buffers of the bound
    // framebuffer, which must be a plain one (or resolved at that pixel).
    // (sampleX, sampleY) is where in the pixel the depth was taken.
    // Nothing where the frame shows no function (paper, furniture, legend,
    // trace cursor).  Samples nothing.
    std::optional<ScenePoint> PointAt(const Camera &camera, int x, int y, double sampleX = 0.5,
                                      double sampleY = 0.5) const;

    // The legend's bars for the functions of `lists`: each visible gradient
    // function, with the range its colors were drawn with.
    std::vector<LegendEntry> Legend(const ListSet &lists) const;

    // The trace cursor this renderer draws.  Each frame that places it keeps
    // the clamped indices here and writes the traced point into the
    // function's plotted variables.
    void SetTrace(const TraceState &trace) { trace_ = trace; }
    // Width of every line of the frame, in pixels (1 on the screen).
    void SetLineWidth(double width) { lineWidth_ = width; }
    double LineWidth() const { return lineWidth_; }
    const TraceState &Trace() const { return trace_; }

    // Samples the function `handle` again, or every function for -1, and
    // keeps its drawing as the set's storage says.  Functions whose grid is
    // unusable draw nothing and are listed in Problems().
    void RebuildLists(ListSet &lists, int handle);
    // Forgets every drawing of the set, deleting its lists.
    static void ClearLists(ListSet &lists);
    // Draws every visible function directly, each under its handle as the
    // selection name (for the selection pass).
    void DrawFunctionsForPicking();
    // The handle of the nearest visible function within a 5 x 5 pixel region
    // around the window point (x, y) (GL window coordinates, y up), or -1.
    // The furniture does not take part.
    int32_t PickFunction(const Camera &camera, double x, double y);

    const std::vector<DrawProblem> &Problems() const { return problems_; }
    // Handles that drew without a problem in the last rebuild.
    const std::vector<int32_t> &DrawnHandles() const { return drawn_; }

    const OutlineFont &Font() const { return font_; }

private:
    // The record a list draws when the function is there and visible.
    const FunctionRecord *VisibleRecord(const ListEntry &entry) const;
    // Samples and meshes the function; keeps the drawing in `lists` as the
    // set's storage says, or without a set draws it now, in immediate mode.
    void DrawFunction(const FunctionRecord &record, ListSet *lists);
    // Projection, clear and state of a frame; the furniture and legend that
    // end it.
    void BeginFrame(const Camera &camera);
    void EndFrame(const Camera &camera, const std::vector<LegendEntry> &legend);
    TraceReading DrawTraceCursor(const FunctionRecord &record);
    // Draws a function's drawing with its outlines spaced for the frame's
    // projection (loaded) and line width.
    void DrawEntry(const ListEntry &entry, GLint tag) const;
    static void DeleteLists(const ListEntry &entry);

    const CVeltrix2Doc *doc_;
    OutlineFont font_;
    int viewportWidth_ = 0, viewportHeight_ = 0;
    TraceState trace_;
    RenderOptions options_;
    double lineWidth_ = 1.0;
    std::vector<DrawProblem> problems_;
    std::vector<int32_t> drawn_;
};
