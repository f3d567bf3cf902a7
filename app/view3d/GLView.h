// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <array>
#include <memory>
#include <optional>
#include <set>
#include <string>

#include <QList>
#include <QImage>
#include <QPointF>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <QWidget>

#include "model/CameraLink.h"
#include "view3d/Camera.h"
#include "view3d/FramebufferFunctions.h"
#include "view3d/NavigationKeys.h"
#include "view3d/RenderOptions.h"
#include "view3d/SceneState.h"
#include "view3d/TraceCursor.h"
#include "view3d/ViewActions.h"
#include "view3d/ViewSurface.h"

class AnimationEngine;
class CVeltrix2Doc;
class MultisampleTarget;
class QOpenGLContext;
class SceneRenderer;
class TimerClock;
struct ListSet;

// The 3D pane: owns the GL context (in the window it shows, ViewSurface),
// the camera and the functions' drawings for the screen, and turns mouse,
// keys and its actions (camera, pick mode, animation and trace steps) into
// camera moves and runs.  The drawing itself is SceneRenderer's, so that
// off-screen contexts draw the same.
class GLView : public QWidget, public CameraLink, private ViewSurface::Scene {
    Q_OBJECT
public:
    explicit GLView(QWidget *parent = nullptr);
    ~GLView() override;

    // Default surface format (compatibility profile, depth buffer, double
    // buffering) and shared contexts; call before constructing QApplication.
    static void PrepareSurfaceFormat();

    // Connects to the document's notifications and becomes its camera.
    void SetDocument(CVeltrix2Doc *doc);
    CVeltrix2Doc *Document() const;

    CameraPose GetCamera() const override;
    void SetCamera(const CameraPose &pose) override;

    bool PickMode() const { return pickMode_; }
    bool TraceOn() const;
    int TracedHandle() const;
    bool AnimationOn() const;
    // The animation of this view (its clock is the view's timer).
    AnimationEngine &Animation() const { return *animation_; }

    // What the view shows now, for drawing the same frame elsewhere.
    SceneState CurrentScene() const;

    // Smooth lines, shading and legend; a change is drawn at once (shading
    // samples the functions again).
    void SetRenderOptions(const RenderOptions &options);
    RenderOptions Options() const;
    // Samples per pixel of the last frame (0: drawn without multisampling).
    int FrameSamples() const;
    // Frames drawn while the camera or an animation moves the scene are
    // drawn without multisampling; this long after the last move the scene
    // is drawn smooth again.
    static constexpr int kSettleMs = 200;
    bool SceneMoving() const { return moving_; }
    // Draws the smooth frame now if the shown one is a moving one, so that
    // a picture read back from the view is the one the options ask for.
    void SettleFrame();

    // How long the mouse position waits before the point under it is read.
    static constexpr int kPointReadIntervalMs = 50;

    // Renderer of this view's context; valid after initializeGL.
    SceneRenderer *Renderer() const { return renderer_.get(); }
    // The functions' drawings in this view's context.
    const ListSet &ScreenLists() const { return *screenLists_; }

    // The view's commands, for the main window's bars.
    const ViewActions &Actions() const { return actions_; }

    // The view's context, once its window has been shown (null before).
    QOpenGLContext *context() const;
    // Makes the context current with the framebuffer bound that keeps the
    // frames, where pictures, copies and points are read from.
    void makeCurrent();
    // The same, with the last frame in that framebuffer: drawn there once
    // more when it went straight to the window (the first frame does).
    void MakeCurrentWithLastFrame();
    void doneCurrent();
    // The framebuffer that keeps the frames.
    GLuint defaultFramebufferObject() const;
    // Draws a frame now and returns it (null when the view has no context).
    QImage grabFramebuffer();
    // Asks for a frame; however often asked, the next frame comes once.
    void RequestFrame();
    // The window the frames are shown in, which covers this widget.
    QWindow *Surface() const { return surface_; }

public slots:
    void SetTrace(bool on, int handle);
    void SetAnimation(bool on, int handle);
    // The library holds new values of the function `handle` while the user
    // drags them: the function is sampled again with the next frame, as an
    // animation's positions are, however many values came since the last.
    void PreviewFunction(int handle);

signals:
    void PickModeChanged(bool on);
    // Pick mode: a left click names the nearest visible function under the
    // mouse (-1 for none); the tree selects it.
    void FunctionPicked(int handle);
    // What the trace cursor read in the last frame that drew it: the
    // function value and the cursor's point in the user's coordinates.
    void TraceValues(double value, double x, double y, double z);
    // The animation's timer started (true) or stopped (false).
    void AnimationPlaying(bool playing);
    // The traced or animated function was removed or redefined: the view has
    // ended trace and animation; whoever shows their controls closes them.
    void ModesEnded();
    void ModifiedByCamera();
    // Escape was pressed: the main window lets the view cover the screen, or
    // gives it its place back.
    void FullScreenRequested();
    // The mouse rests over a drawn function (outside pick mode and drags):
    // its label, the point under the mouse in the user's coordinates, and
    // the distance between points one pixel apart there.
    void PointUnderMouse(const QString &label, double x, double y, double z, double pixelSize);
    // The mouse left the functions (paper, furniture, another widget) after
    // a PointUnderMouse.
    void PointUnderMouseGone();
    // A function could not be drawn (its grid is unusable).  The view alone
    // tells the user, once per function until it draws again or the
    // document's functions are replaced; this is for whoever wants to know
    // besides, never to tell the user a second time.
    void DrawingProblem(const QString &message);
    // A frame was shown on the screen.
    void frameSwapped();

protected:
    bool event(QEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;
    void keyReleaseEvent(QKeyEvent *e) override;
    void focusOutEvent(QFocusEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;
    void mousePressEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
    void wheelEvent(QWheelEvent *e) override;
    void leaveEvent(QEvent *e) override;

private slots:
    void OnViewsNeedUpdate(QObject *sender, int hint);
    void ReleaseGL();
    void ReportTrace();
    void ReadPointUnderMouse();
    void Settle();

private:
    void InitializeScene() override;
    void ResizeScene(int w, int h) override;
    void DrawScene() override;
    bool HasContext() const;
    void Rebuild(int handle);
    void ReportProblems();
    void ApplyHeldKeys();
    void CameraChanged();
    void SceneMoves();
    void SetAnchors(const QMouseEvent *e);
    void PickFunction(QPointF pos);
    void SchedulePointRead();
    void ForgetPointUnderMouse();
    void HidePoint();
    double Step() const;
    void ConnectActions();
    void MoveBy(CameraMove move);
    void ResetCamera();
    void TogglePickMode();
    void StepTrace(int along1, int along2);
    void RunAnimationCommand(void (AnimationEngine::*command)(uint32_t));
    void RunAnimationCommand(void (AnimationEngine::*command)());
    void AnimationApplied(int32_t handle);
    void EndModesOfChangedFunctions();

    QPointer<CVeltrix2Doc> doc_;
    ViewSurface *surface_ = nullptr;   // owned by its container, a child of this
    ViewActions actions_;
    Camera camera_;
    std::unique_ptr<SceneRenderer> renderer_;
    std::unique_ptr<ListSet> screenLists_;
    bool rebuildAllPending_ = true;

    // Smooth lines: the frame is drawn into a multisampled framebuffer and
    // resolved into the surface's, where pictures are read from.
    FramebufferFunctions framebufferFunctions_;
    bool framebufferFunctionsLoaded_ = false;
    std::unique_ptr<MultisampleTarget> multisample_;
    bool moving_ = false;
    QTimer settleTimer_;
    // What the last frame was drawn with, for reading points back from it.
    struct FrameInfo {
        Camera camera;
        int width = 0, height = 0;
        bool multisampled = false;
        bool valid = false;
    } lastFrame_;

    // The point under the mouse.
    QTimer pointReadTimer_;
    std::optional<QPointF> mousePosition_;   // while the mouse is over the view
    bool pointShown_ = false;
    int wheelAngle_ = 0;   // eighths of a degree not yet walked
    std::set<int> reportedProblems_;   // handles the user was told about

    std::array<unsigned char, 256> keyDown_{};
    NavigationKeys keys_;
    int rightAnchorX_ = 0, rightAnchorY_ = 0;
    int leftAnchorX_ = 0, leftAnchorY_ = 0;
    int bothAnchorY_ = 0;

    bool pickMode_ = false;
    // The trace state itself is the renderer's, which draws the cursor.
    std::string tracedText_;
    TraceReading pendingTrace_;
    bool traceReportQueued_ = false;

    std::unique_ptr<TimerClock> clock_;
    std::unique_ptr<AnimationEngine> animation_;
    std::string animatedText_;
    bool animationRebuildDue_ = false;
    std::set<int> previewsDue_;   // functions whose values are being dragged
};
