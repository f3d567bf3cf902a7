// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "view3d/GLView.h"

#include <cmath>
#include <cstdlib>
#include <iterator>

#ifdef __GLIBC__
#include <malloc.h>
#endif

#include <QApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QMouseEvent>
#include <QOpenGLContext>
#include <QSurfaceFormat>
#include <QTimer>
#include <QVBoxLayout>
#include <QWheelEvent>

#include "model/CVeltrix2Doc.h"
#include "model/CodePage1252.h"
#include "model/LibraryFunction.h"
#include "view3d/AnimationEngine.h"
#include "view3d/MultisampleTarget.h"
#include "view3d/SceneRenderer.h"
#include "view3d/TimerClock.h"

namespace {

// A rebuild leaves the samples and the meshes it replaced behind as free
// memory scattered through the heap, megabytes for a fine grid, which the
// C library would keep for the process: hand it back.
void ReturnFreedMemory()
{
#ifdef __GLIBC__
    malloc_trim(0);
#endif
}

// Held navigation keys, in the order their steps are applied.
constexpr int kHeldKeyOrder[] = {VkRight, VkLeft, VkUp, VkDown, VkPageUp,
                                 VkPageDown, VkHome, VkEnd, VkMinus, VkPeriod};

// Buttons and keyboard modifiers of a mouse event, compared as one value.
int MouseFlags(const QMouseEvent *e)
{
    const Qt::KeyboardModifiers mods =
        e->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    return int(e->buttons()) | int(mods);
}

constexpr int kLeft = int(Qt::LeftButton);
constexpr int kRight = int(Qt::RightButton);
constexpr int kBoth = kLeft | kRight;
constexpr int kOrbit = kLeft | int(Qt::ControlModifier);

// A wheel's notch, in eighths of a degree.
constexpr int kWheelNotch = 120;

const char *const kViewPrompt =
    "Drag: left button walks, right turns, both rise, Ctrl+left orbits the cube; "
    "the wheel walks forward and back";

} // namespace

GLView::GLView(QWidget *parent)
    : QWidget(parent), actions_(ViewActions::Make(this)), renderer_(std::make_unique<SceneRenderer>()),
      screenLists_(std::make_unique<ListSet>()),
      multisample_(std::make_unique<MultisampleTarget>(framebufferFunctions_)),
      clock_(std::make_unique<TimerClock>()), animation_(std::make_unique<AnimationEngine>(*clock_))
{
    surface_ = new ViewSurface(*this, *this);
    connect(surface_, &QOpenGLWindow::frameSwapped, this, &GLView::frameSwapped);
    QWidget *container = QWidget::createWindowContainer(surface_, this);
    // The keyboard stays with this widget: the window never takes focus.
    container->setFocusPolicy(Qt::NoFocus);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(container);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setMinimumSize(0, 0);
    setStatusTip(QString::fromLatin1(kViewPrompt));
    pointReadTimer_.setSingleShot(true);
    pointReadTimer_.setInterval(kPointReadIntervalMs);
    connect(&pointReadTimer_, &QTimer::timeout, this, &GLView::ReadPointUnderMouse);
    settleTimer_.setSingleShot(true);
    settleTimer_.setInterval(kSettleMs);
    connect(&settleTimer_, &QTimer::timeout, this, &GLView::Settle);
    connect(&clock_->Timer(), &QTimer::timeout, this, [this] { animation_->Tick(); });
    animation_->onApplied = [this](int32_t handle) { AnimationApplied(handle); };
    ConnectActions();
}

void GLView::ConnectActions()
{
    const ViewActions &a = actions_;
    const struct {
        QAction *action;
        CameraMove move;
    } moves[] = {
        {a.cameraForward, CameraMove::Forward},
        {a.cameraBack, CameraMove::Backward},
        {a.cameraUp, CameraMove::Up},
        {a.cameraDown, CameraMove::Down},
        {a.cameraLeft, CameraMove::Left},
        {a.cameraRight, CameraMove::Right},
        {a.pitchUp, CameraMove::LookUp},
        {a.pitchDown, CameraMove::LookDown},
        {a.yawLeft, CameraMove::TurnLeft},
        {a.yawRight, CameraMove::TurnRight},
    };
    for (const auto &m : moves)
        connect(m.action, &QAction::triggered, this, [this, move = m.move] { MoveBy(move); });
    connect(a.cameraReset, &QAction::triggered, this, &GLView::ResetCamera);
    connect(a.pickMode, &QAction::triggered, this, &GLView::TogglePickMode);

    connect(a.play, &QAction::triggered, this, [this] { RunAnimationCommand(&AnimationEngine::Play); });
    connect(a.stop, &QAction::triggered, this, [this] { RunAnimationCommand(&AnimationEngine::Stop); });
    connect(a.rewind, &QAction::triggered, this, [this] { RunAnimationCommand(&AnimationEngine::Rewind); });
    connect(a.stepBack, &QAction::triggered, this, [this] { RunAnimationCommand(&AnimationEngine::StepBack); });
    connect(a.stepForward, &QAction::triggered, this,
            [this] { RunAnimationCommand(&AnimationEngine::StepForward); });
    connect(this, &GLView::AnimationPlaying, a.play, &QAction::setChecked);

    connect(a.traceFirstUp, &QAction::triggered, this, [this] { StepTrace(1, 0); });
    connect(a.traceFirstDown, &QAction::triggered, this, [this] { StepTrace(-1, 0); });
    connect(a.traceSecondUp, &QAction::triggered, this, [this] { StepTrace(0, 1); });
    connect(a.traceSecondDown, &QAction::triggered, this, [this] { StepTrace(0, -1); });
}

GLView::~GLView()
{
    // The surface's context goes with the surface, after this object.
    if (context())
        disconnect(context(), &QOpenGLContext::aboutToBeDestroyed, this, &GLView::ReleaseGL);
    ReleaseGL();
    if (doc_ && doc_->GetCameraLink() == this)
        doc_->SetCameraLink(nullptr);
}

void GLView::PrepareSurfaceFormat()
{
    QSurfaceFormat f;
    f.setRenderableType(QSurfaceFormat::OpenGL);
    // Display lists, immediate mode and the selection buffer need the
    // compatibility profile; asking for 3.0 or later would need
    // DeprecatedFunctions, or Mesa hands out a core context.
    f.setVersion(2, 1);
    f.setProfile(QSurfaceFormat::CompatibilityProfile);
    f.setSwapBehavior(QSurfaceFormat::DoubleBuffer);
    f.setDepthBufferSize(32);   // a wish: GLX gives the deepest it has (24 here)
    QSurfaceFormat::setDefaultFormat(f);
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    // Qt holds a window's request for a frame back 5 ms by default, which
    // would cap an animation below 200 positions a second before anything
    // is drawn; the frame is asked for once however often it is asked.
    if (!qEnvironmentVariableIsSet("QT_QPA_UPDATE_IDLE_TIME"))
        qputenv("QT_QPA_UPDATE_IDLE_TIME", "0");
}

void GLView::SetDocument(CVeltrix2Doc *doc)
{
    if (doc_) {
        disconnect(doc_, nullptr, this, nullptr);
        if (doc_->GetCameraLink() == this)
            doc_->SetCameraLink(nullptr);
    }
    // Trace and animation belong to the functions of one document.
    if (doc != doc_) {
        animation_->End();
        renderer_->SetTrace({});
    }
    doc_ = doc;
    renderer_->SetDocument(doc);
    if (doc) {
        connect(doc, &CVeltrix2Doc::ViewsNeedUpdate, this, &GLView::OnViewsNeedUpdate);
        connect(doc, &QObject::destroyed, this, [this] { renderer_->SetDocument(nullptr); });
        connect(doc, &CVeltrix2Doc::ContentsReplaced, this, [this] { reportedProblems_.clear(); });
        doc->SetCameraLink(this);
        // A document opened before it had a view keeps its camera there.
        const ViewSettings &s = doc->Settings();
        camera_.SetPose({s.cameraX, s.cameraY, s.cameraZ, s.cameraPitch, s.cameraYaw});
    }
    rebuildAllPending_ = true;
    lastFrame_.valid = false;
    ForgetPointUnderMouse();
    RequestFrame();
}

CVeltrix2Doc *GLView::Document() const
{
    return doc_.data();
}

CameraPose GLView::GetCamera() const
{
    return camera_.Pose();
}

void GLView::SetCamera(const CameraPose &pose)
{
    camera_.SetPose(pose);
    RequestFrame();
}

SceneState GLView::CurrentScene() const
{
    return {doc_.data(), camera_, renderer_->ViewportWidth(), renderer_->ViewportHeight(), renderer_->Trace(),
            renderer_->Options(), renderer_->LineWidth()};
}

void GLView::SetRenderOptions(const RenderOptions &options)
{
    const RenderOptions before = renderer_->Options();
    if (options == before)
        return;
    renderer_->SetOptions(options);
    // Normals and contour lines are built into the meshes, or left out of
    // them.
    if (options.shadedSurfaces != before.shadedSurfaces || options.contours != before.contours)
        rebuildAllPending_ = true;
    RequestFrame();
}

RenderOptions GLView::Options() const
{
    return renderer_->Options();
}

int GLView::FrameSamples() const
{
    return lastFrame_.valid && lastFrame_.multisampled ? multisample_->Samples() : 0;
}

bool GLView::HasContext() const
{
    return context() && context()->isValid();
}

QOpenGLContext *GLView::context() const
{
    return surface_->context();
}

void GLView::makeCurrent()
{
    surface_->MakeCurrent();
}

void GLView::MakeCurrentWithLastFrame()
{
    surface_->MakeCurrentWithLastFrame();
}

void GLView::doneCurrent()
{
    surface_->doneCurrent();
}

GLuint GLView::defaultFramebufferObject() const
{
    return surface_->FrameBuffer();
}

QImage GLView::grabFramebuffer()
{
    if (!HasContext())
        return {};
    makeCurrent();
    surface_->DrawFrame();
    QImage frame = surface_->ReadFrame();
    doneCurrent();
    return frame;
}

void GLView::RequestFrame()
{
    surface_->RequestFrame();
}

void GLView::InitializeScene()
{
    connect(context(), &QOpenGLContext::aboutToBeDestroyed, this, &GLView::ReleaseGL,
            Qt::UniqueConnection);
    QOpenGLContext *gl = context();
    framebufferFunctionsLoaded_ =
        framebufferFunctions_.Load([gl](const char *name) { return gl->getProcAddress(name); });
    renderer_->InitializeGL();
    rebuildAllPending_ = true;
    // The first frame comes plain, and at once; the smooth one follows as
    // soon as the window rests, as after a move.  Multisampling the first
    // would cost llvmpipe the frame several times over, and a shader
    // compiled for the resolve, before the window shows anything.
    SceneMoves();
}

void GLView::ReleaseGL()
{
    if (!HasContext() || !renderer_)
        return;
    makeCurrent();
    renderer_->ReleaseGL({screenLists_.get()});
    multisample_->Release();
    surface_->ReleaseFrame();
    doneCurrent();
    rebuildAllPending_ = true;
    lastFrame_.valid = false;
}

void GLView::ResizeScene(int w, int h)
{
    const qreal dpr = devicePixelRatioF();
    renderer_->Resize(qRound(w * dpr), qRound(h * dpr));
}

void GLView::DrawScene()
{
    if (!doc_)
        return;
    if (rebuildAllPending_) {
        rebuildAllPending_ = false;
        animationRebuildDue_ = false;
        previewsDue_.clear();
        renderer_->RebuildLists(*screenLists_, -1);
        ReturnFreedMemory();
        QTimer::singleShot(0, this, &GLView::ReportProblems);
    } else if (animationRebuildDue_) {
        // Built here rather than at each tick: however many ticks came since
        // the last frame, the function is sampled once per frame.
        animationRebuildDue_ = false;
        previewsDue_.erase(animation_->Handle());
        renderer_->RebuildLists(*screenLists_, animation_->Handle());
    }
    // Values being dragged: sampled once per frame, as an animation's
    // positions are.
    for (const int handle : previewsDue_)
        renderer_->RebuildLists(*screenLists_, handle);
    previewsDue_.clear();
    const int w = renderer_->ViewportWidth(), h = renderer_->ViewportHeight();
    const bool smooth = renderer_->Options().smoothLines && framebufferFunctionsLoaded_;
    if (!smooth)
        multisample_->Release();
    const bool multisampled = smooth && !moving_ && multisample_->Prepare(w, h, kSmoothLineSamples);
    if (multisampled)
        multisample_->Bind();
    // The viewport may have been set for another framebuffer; the size rule
    // keeps the last usable one.
    renderer_->ApplyViewport();
    const std::optional<TraceReading> reading = renderer_->RenderScene(*screenLists_, camera_);
    if (multisampled)
        multisample_->ResolveColor(defaultFramebufferObject());
    lastFrame_ = {camera_, w, h, multisampled, true};
    animation_->FrameShown();
    if (mousePosition_)
        SchedulePointRead();
    if (reading) {
        // Told after the frame: the tree and the status bar repaint at once.
        pendingTrace_ = *reading;
        if (!traceReportQueued_) {
            traceReportQueued_ = true;
            QMetaObject::invokeMethod(this, &GLView::ReportTrace, Qt::QueuedConnection);
        }
    }
}

void GLView::ReportTrace()
{
    traceReportQueued_ = false;
    if (!TraceOn() || pendingTrace_.handle != TracedHandle())
        return;   // ended or moved to another function meanwhile
    // The tree shows the traced point as the plotted variables' values.
    if (doc_)
        doc_->UpdateAllViews(this, pendingTrace_.handle);
    emit TraceValues(pendingTrace_.value, pendingTrace_.x, pendingTrace_.y, pendingTrace_.z);
}

void GLView::OnViewsNeedUpdate(QObject *sender, int hint)
{
    if (sender == this)
        return;
    EndModesOfChangedFunctions();
    if (!HasContext() || rebuildAllPending_) {
        rebuildAllPending_ = true;   // rebuilt with the first frame
        RequestFrame();
        return;
    }
    Rebuild(hint);
    RequestFrame();
}

void GLView::Rebuild(int handle)
{
    if (handle < 0)
        previewsDue_.clear();
    else
        previewsDue_.erase(handle);
    const bool waitCursor = !animation_->IsOn();
    if (waitCursor)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    makeCurrent();
    renderer_->RebuildLists(*screenLists_, handle);
    doneCurrent();
    if (waitCursor)
        QApplication::restoreOverrideCursor();
    ReportProblems();
    // The other views (the function tree) follow the variables the drawing
    // may have changed.
    if (doc_ && doc_->Count() > 0)
        doc_->UpdateAllViews(this, doc_->Get(doc_->Last()).handle);
}

// The one place that tells the user: once per function, until it draws again
// or the document's functions are replaced.
void GLView::ReportProblems()
{
    for (int32_t handle : renderer_->DrawnHandles())
        reportedProblems_.erase(handle);
    // A deleted function's handle may come back with another function.
    for (auto it = reportedProblems_.begin(); it != reportedProblems_.end();)
        it = doc_ && doc_->Find(*it) >= 0 ? std::next(it) : reportedProblems_.erase(it);
    QStringList fresh;
    for (const DrawProblem &p : renderer_->Problems()) {
        if (reportedProblems_.insert(p.handle).second) {
            fresh << p.message;
            emit DrawingProblem(p.message);
        }
    }
    if (fresh.isEmpty())
        return;
    // Not modal-blocking: a rebuild may come from inside another handler.
    auto *box = new QMessageBox(QMessageBox::Warning, QStringLiteral("Error"),
                                fresh.join(QStringLiteral("\n\n")), QMessageBox::Ok, window());
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

double GLView::Step() const
{
    return doc_ ? 10 * doc_->Settings().sensitivity : 0.0;
}

void GLView::CameraChanged()
{
    if (doc_)
        doc_->SetModifiedFlag(true);
    emit ModifiedByCamera();
    SceneMoves();
    RequestFrame();
}

// While the scene moves, frames are drawn without multisampling: it costs
// llvmpipe two to four times the frame, which would make every drag, held
// key and animation that much slower.  Once the scene rests, the frame is
// drawn once more, smooth.
void GLView::SceneMoves()
{
    moving_ = true;
    settleTimer_.start();
}

void GLView::Settle()
{
    settleTimer_.stop();
    if (!moving_)
        return;
    moving_ = false;
    if (renderer_->Options().smoothLines)
        RequestFrame();
}

void GLView::SettleFrame()
{
    const bool redraw = moving_ && renderer_->Options().smoothLines && HasContext();
    Settle();
    if (!redraw)
        return;
    // Into the surface's framebuffer now, where pictures are read from;
    // the screen follows with the frame Settle asked for.
    makeCurrent();
    surface_->DrawFrame();
    doneCurrent();
}

void GLView::MoveBy(CameraMove move)
{
    MoveCamera(camera_, move, Step());
    CameraChanged();
}

void GLView::ResetCamera()
{
    camera_ = Camera();
    CameraChanged();
}

void GLView::TogglePickMode()
{
    ForgetPointUnderMouse();
    pickMode_ = !pickMode_;
    setCursor(pickMode_ ? Qt::CrossCursor : Qt::ArrowCursor);
    actions_.pickMode->setChecked(pickMode_);
    emit PickModeChanged(pickMode_);
}

// ---------------------------------------------------------------- trace

bool GLView::TraceOn() const
{
    return renderer_->Trace().on;
}

int GLView::TracedHandle() const
{
    return renderer_->Trace().handle;
}

// The cursor starts at the first grid point.  The definition is kept to
// notice when the function is gone or redefined.
void GLView::SetTrace(bool on, int handle)
{
    TraceState trace;
    trace.on = on;
    trace.handle = handle;
    renderer_->SetTrace(trace);
    const int position = doc_ && on ? doc_->Find(handle) : -1;
    tracedText_ = position >= 0 ? doc_->Get(position).text : std::string();
    // The steps' texts name the traced function's plotted variables.
    const DependentKind kind = LibraryFunction(handle, tracedText_).Kind();
    actions_.NameTraceSteps(QString::fromLatin1(FirstPlottedName(kind)),
                            QString::fromLatin1(SecondPlottedName(kind)));
    RequestFrame();
}

// Unbounded here: the next frame clamps the indices to the grid.
void GLView::StepTrace(int along1, int along2)
{
    TraceState trace = renderer_->Trace();
    trace.index1 += along1;
    trace.index2 += along2;
    renderer_->SetTrace(trace);
    RequestFrame();
}

// ---------------------------------------------------------------- animation

bool GLView::AnimationOn() const
{
    return animation_->IsOn();
}

void GLView::SetAnimation(bool on, int handle)
{
    animatedText_.clear();
    if (on && doc_) {
        const int position = doc_->Find(handle);
        if (position >= 0)
            animatedText_ = doc_->Get(position).text;
        animation_->Start(doc_->Functions(), handle, doc_->Settings().animationIntervalMs);
    } else {
        animation_->End();
        animationRebuildDue_ = false;
    }
    emit AnimationPlaying(animation_->IsPlaying());
}

// The animation bar's commands; play is the one that takes the interval.
void GLView::RunAnimationCommand(void (AnimationEngine::*command)(uint32_t))
{
    (animation_.get()->*command)(doc_ ? doc_->Settings().animationIntervalMs : 0);
    emit AnimationPlaying(animation_->IsPlaying());
}

void GLView::RunAnimationCommand(void (AnimationEngine::*command)())
{
    (animation_.get()->*command)();
    emit AnimationPlaying(animation_->IsPlaying());
}

// A new position is in the library: the function is sampled again with the
// next frame, and the tree shows the parameters' new values now.  Nothing of
// this marks the document modified.
void GLView::AnimationApplied(int32_t handle)
{
    animationRebuildDue_ = true;
    SceneMoves();
    if (doc_)
        doc_->UpdateAllViews(this, handle);
    RequestFrame();
}

void GLView::PreviewFunction(int handle)
{
    previewsDue_.insert(handle);
    SceneMoves();
    // The tree shows the value now.
    if (doc_)
        doc_->UpdateAllViews(this, handle);
    RequestFrame();
}

// Trace and animation hold a function's handle and the names of its
// variables: once the function is gone or has another definition they end
// rather than drive what is left.
void GLView::EndModesOfChangedFunctions()
{
    auto changed = [this](int handle, const std::string &text) {
        const int position = doc_ ? doc_->Find(handle) : -1;
        return position < 0 || doc_->Get(position).text != text;
    };
    const bool traceEnds = TraceOn() && changed(TracedHandle(), tracedText_);
    const bool animationEnds = animation_->IsOn() && changed(animation_->Handle(), animatedText_);
    if (!traceEnds && !animationEnds)
        return;
    SetTrace(false, -1);
    SetAnimation(false, -1);
    emit ModesEnded();
}

// Keys.  Every key message first applies one step per held navigation key,
// then is dispatched: the first press of a key moves nothing, each
// auto-repeat moves every held key once, and the release moves once more.
// X11 auto-repeat sends release/press pairs; the repeated releases are not
// real releases and are dropped.
bool GLView::event(QEvent *e)
{
    // The window over this widget shows the cursor.
    if (e->type() == QEvent::CursorChange)
        surface_->setCursor(cursor());
    if (e->type() == QEvent::KeyPress || e->type() == QEvent::KeyRelease) {
        auto *k = static_cast<QKeyEvent *>(e);
        if (e->type() == QEvent::KeyRelease && k->isAutoRepeat()) {
            e->accept();
            return true;
        }
        ApplyHeldKeys();
    }
    return QWidget::event(e);
}

void GLView::ApplyHeldKeys()
{
    const double d = Step();
    bool moved = false;
    for (int vk : kHeldKeyOrder) {
        if (keyDown_[size_t(vk)] && ApplyHeldKey(camera_, vk, d, TraceOn()))
            moved = true;
    }
    if (moved)
        CameraChanged();
}

void GLView::keyPressEvent(QKeyEvent *e)
{
    const int vk = keys_.Pressed(*e);
    if (vk == 0) {
        QWidget::keyPressEvent(e);
        return;
    }
    keyDown_[size_t(vk)] = 1;
    if (vk == VkEscape && !e->isAutoRepeat())
        emit FullScreenRequested();
    e->accept();
}

void GLView::keyReleaseEvent(QKeyEvent *e)
{
    const int vk = keys_.Released(*e);
    if (vk == 0) {
        QWidget::keyReleaseEvent(e);
        return;
    }
    keyDown_[size_t(vk)] = 0;
    // While tracing, the arrows move the cursor when they are let go.
    if (TraceOn()) {
        switch (vk) {
        case VkUp: StepTrace(1, 0); break;
        case VkDown: StepTrace(-1, 0); break;
        case VkRight: StepTrace(0, 1); break;
        case VkLeft: StepTrace(0, -1); break;
        default: break;
        }
    }
    e->accept();
}

void GLView::focusOutEvent(QFocusEvent *e)
{
    // Releases that happen elsewhere never reach the view.
    keyDown_.fill(0);
    keys_.Clear();
    QWidget::focusOutEvent(e);
}

// Mouse.
void GLView::SetAnchors(const QMouseEvent *e)
{
    const QPoint p = e->position().toPoint();
    if (MouseFlags(e) == kBoth) {
        bothAnchorY_ = p.y();
    } else if (e->button() == Qt::RightButton) {
        rightAnchorX_ = p.x();
        rightAnchorY_ = p.y();
    } else if (e->button() == Qt::LeftButton) {
        leftAnchorX_ = p.x();
        leftAnchorY_ = p.y();
    }
}

void GLView::mouseMoveEvent(QMouseEvent *e)
{
    if (pickMode_) {
        setCursor(Qt::CrossCursor);
        ForgetPointUnderMouse();
        return;
    }
    setCursor(Qt::ArrowCursor);
    const double s = doc_ ? doc_->Settings().sensitivity : 0.0;
    const QPoint p = e->position().toPoint();
    switch (MouseFlags(e)) {
    case kRight:
        TurnByDrag(camera_, s, rightAnchorX_ - p.x(), rightAnchorY_ - p.y());
        rightAnchorX_ = p.x();
        rightAnchorY_ = p.y();
        break;
    case kLeft:
        WalkByDrag(camera_, s, leftAnchorX_ - p.x(), leftAnchorY_ - p.y());
        leftAnchorX_ = p.x();
        leftAnchorY_ = p.y();
        break;
    case kBoth:
        RiseByDrag(camera_, s, bothAnchorY_ - p.y());
        bothAnchorY_ = p.y();
        break;
    case kOrbit:
        OrbitByDrag(camera_, s, leftAnchorX_ - p.x(), leftAnchorY_ - p.y());
        leftAnchorX_ = p.x();
        leftAnchorY_ = p.y();
        break;
    default:
        if (e->buttons() == Qt::NoButton) {
            mousePosition_ = e->position();
            SchedulePointRead();
        }
        return;
    }
    CameraChanged();
}

void GLView::mousePressEvent(QMouseEvent *e)
{
    // A drag moves the scene under the mouse: the point is read again once
    // the mouse rests.
    ForgetPointUnderMouse();
    if (pickMode_ && e->button() == Qt::LeftButton) {
        PickFunction(e->position());
        return;
    }
    SetAnchors(e);
}

void GLView::PickFunction(QPointF pos)
{
    if (!HasContext() || !doc_)
        return;
    const qreal dpr = devicePixelRatioF();
    makeCurrent();
    renderer_->ApplyViewport();
    const int32_t handle =
        renderer_->PickFunction(camera_, pos.x() * dpr, renderer_->ViewportHeight() - pos.y() * dpr);
    doneCurrent();
    emit FunctionPicked(handle);
}

void GLView::mouseReleaseEvent(QMouseEvent *e)
{
    if (pickMode_ && e->button() == Qt::LeftButton)
        return;
    SetAnchors(e);
}

// One notch of the wheel walks as far as one press of a walk key.  Smaller
// steps of fine-grained wheels add up to notches.
void GLView::wheelEvent(QWheelEvent *e)
{
    wheelAngle_ += e->angleDelta().y();
    const int notches = wheelAngle_ / kWheelNotch;
    wheelAngle_ -= notches * kWheelNotch;
    e->accept();
    if (notches == 0)
        return;
    const CameraMove move = notches > 0 ? CameraMove::Forward : CameraMove::Backward;
    for (int n = 0; n < std::abs(notches); ++n)
        MoveCamera(camera_, move, Step());
    CameraChanged();
}

void GLView::leaveEvent(QEvent *e)
{
    ForgetPointUnderMouse();
    QWidget::leaveEvent(e);
}

// ---------------------------------------------------------------- point under the mouse

// Read at most once per interval, however fast the mouse moves or frames
// come.
void GLView::SchedulePointRead()
{
    if (!pointReadTimer_.isActive())
        pointReadTimer_.start();
}

void GLView::ForgetPointUnderMouse()
{
    mousePosition_.reset();
    pointReadTimer_.stop();
    HidePoint();
}

void GLView::HidePoint()
{
    if (pointShown_) {
        pointShown_ = false;
        emit PointUnderMouseGone();
    }
}

// From the last frame's depth and stencil at the mouse: nothing is sampled,
// and nothing drawn unless the last frame went straight to the window.
void GLView::ReadPointUnderMouse()
{
    if (!mousePosition_ || pickMode_ || !HasContext() || !doc_ || !lastFrame_.valid ||
        lastFrame_.width != renderer_->ViewportWidth() || lastFrame_.height != renderer_->ViewportHeight())
        return;
    const qreal dpr = devicePixelRatioF();
    const int x = int(std::floor(mousePosition_->x() * dpr));
    const int y = lastFrame_.height - 1 - int(std::floor(mousePosition_->y() * dpr));
    MakeCurrentWithLastFrame();
    double sampleX = 0.5, sampleY = 0.5;
    if (lastFrame_.multisampled && x >= 0 && y >= 0 && x < lastFrame_.width && y < lastFrame_.height) {
        multisample_->ResolveDepthStencilAround(defaultFramebufferObject(), x, y);
        sampleX = multisample_->SampleX();
        sampleY = multisample_->SampleY();
    }
    const std::optional<ScenePoint> point = renderer_->PointAt(lastFrame_.camera, x, y, sampleX, sampleY);
    doneCurrent();
    const int position = point ? doc_->Find(point->handle) : -1;
    if (position < 0) {
        HidePoint();
        return;
    }
    pointShown_ = true;
    emit PointUnderMouse(FromCp1252(doc_->Get(position).label), point->x, point->y, point->z, point->pixelSize);
}
