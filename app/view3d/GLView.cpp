#include "view3d/GLView.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QMouseEvent>
#include <QOpenGLContext>
#include <QScreen>
#include <QSplitter>
#include <QSurfaceFormat>
#include <QTimer>

#include "model/CVeltrix2Doc.h"
#include "view3d/SceneRenderer.h"

namespace {

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

// Virtual key code of a key event (0 when it is none of the view's keys).
int VirtualKeyOf(const QKeyEvent *e)
{
    return VirtualKeyFromQt(e->key(), e->modifiers() & Qt::KeypadModifier);
}

// Trace bar: one step along either variable of the traced function.
constexpr int kTraceIndex1Up = 118;
constexpr int kTraceIndex1Down = 119;
constexpr int kTraceIndex2Up = 120;
constexpr int kTraceIndex2Down = 121;

constexpr int kLeft = int(Qt::LeftButton);
constexpr int kRight = int(Qt::RightButton);
constexpr int kBoth = kLeft | kRight;

} // namespace

GLView::GLView(QWidget *parent)
    : QOpenGLWidget(parent), renderer_(std::make_unique<SceneRenderer>()),
      screenLists_(std::make_unique<ListSet>())
{
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setMinimumSize(0, 0);
}

GLView::~GLView()
{
    // ~QOpenGLWidget emits aboutToBeDestroyed after this object is gone.
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
}

void GLView::SetDocument(CVeltrix2Doc *doc)
{
    if (doc_) {
        disconnect(doc_, nullptr, this, nullptr);
        if (doc_->GetCameraLink() == this)
            doc_->SetCameraLink(nullptr);
    }
    doc_ = doc;
    renderer_->SetDocument(doc);
    if (doc) {
        connect(doc, &CVeltrix2Doc::ViewsNeedUpdate, this, &GLView::OnViewsNeedUpdate);
        connect(doc, &QObject::destroyed, this, [this] { renderer_->SetDocument(nullptr); });
        doc->SetCameraLink(this);
        // A document opened before it had a view keeps its camera there.
        const ViewSettings &s = doc->Settings();
        camera_.SetPose({s.cameraX, s.cameraY, s.cameraZ, s.cameraPitch, s.cameraYaw});
    }
    rebuildAllPending_ = true;
    update();
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
    update();
}

SceneState GLView::CurrentScene() const
{
    return {doc_.data(), camera_, renderer_->ViewportWidth(), renderer_->ViewportHeight()};
}

bool GLView::HasContext() const
{
    return context() && context()->isValid();
}

void GLView::initializeGL()
{
    connect(context(), &QOpenGLContext::aboutToBeDestroyed, this, &GLView::ReleaseGL,
            Qt::UniqueConnection);
    renderer_->InitializeGL();
    rebuildAllPending_ = true;
}

void GLView::ReleaseGL()
{
    if (!HasContext() || !renderer_)
        return;
    makeCurrent();
    renderer_->ReleaseGL({screenLists_.get()});
    doneCurrent();
    rebuildAllPending_ = true;
}

void GLView::resizeGL(int w, int h)
{
    const qreal dpr = devicePixelRatioF();
    renderer_->Resize(qRound(w * dpr), qRound(h * dpr));
}

void GLView::paintGL()
{
    if (!doc_)
        return;
    if (rebuildAllPending_) {
        rebuildAllPending_ = false;
        renderer_->RebuildLists(*screenLists_, -1);
        QTimer::singleShot(0, this, &GLView::ReportProblems);
    }
    // The widget sets its own viewport before painting; the size rule keeps
    // the last usable one.
    renderer_->ApplyViewport();
    renderer_->RenderScene(*screenLists_, camera_);
}

void GLView::OnViewsNeedUpdate(QObject *sender, int hint)
{
    if (sender == this)
        return;
    if (!HasContext() || rebuildAllPending_) {
        rebuildAllPending_ = true;   // rebuilt with the first frame
        update();
        return;
    }
    Rebuild(hint);
    update();
}

void GLView::Rebuild(int handle)
{
    const bool waitCursor = !animationOn_;
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

void GLView::ReportProblems()
{
    for (int32_t handle : renderer_->DrawnHandles())
        reportedProblems_.erase(handle);
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
    update();
}

bool GLView::Handles(int id) const
{
    switch (id) {
    case CmdCameraReset:
    case CmdCameraForward:
    case CmdCameraBackward:
    case CmdCameraUp:
    case CmdCameraDown:
    case CmdCameraLeft:
    case CmdCameraRight:
    case CmdLookUp:
    case CmdLookDown:
    case CmdTurnLeft:
    case CmdTurnRight:
    case CmdPickMode:
    case kTraceIndex1Up:
    case kTraceIndex1Down:
    case kTraceIndex2Up:
    case kTraceIndex2Down:
        return true;
    default:
        return false;
    }
}

bool GLView::OnCommand(int id)
{
    if (ApplyCameraCommand(camera_, id, Step())) {
        CameraChanged();
        return true;
    }
    switch (id) {
    case CmdPickMode:
        pickMode_ = !pickMode_;
        setCursor(pickMode_ ? Qt::CrossCursor : Qt::ArrowCursor);
        emit PickModeChanged(pickMode_);
        return true;
    case kTraceIndex1Up: ++traceIndex1_; update(); return true;
    case kTraceIndex1Down: --traceIndex1_; update(); return true;
    case kTraceIndex2Up: ++traceIndex2_; update(); return true;
    case kTraceIndex2Down: --traceIndex2_; update(); return true;
    default:
        return false;
    }
}

void GLView::SetTrace(bool on, int handle)
{
    traceOn_ = on;
    tracedHandle_ = handle;
    traceIndex1_ = traceIndex2_ = 0;
    update();
}

void GLView::SetAnimation(bool on, int handle)
{
    animationOn_ = on;
    animatedHandle_ = on ? handle : -1;
}

// Keys.  Every key message first applies one step per held navigation key,
// then is dispatched: the first press of a key moves nothing, each
// auto-repeat moves every held key once, and the release moves once more.
// X11 auto-repeat sends release/press pairs; the repeated releases are not
// real releases and are dropped.
bool GLView::event(QEvent *e)
{
    if (e->type() == QEvent::KeyPress || e->type() == QEvent::KeyRelease) {
        auto *k = static_cast<QKeyEvent *>(e);
        if (e->type() == QEvent::KeyRelease && k->isAutoRepeat()) {
            e->accept();
            return true;
        }
        ApplyHeldKeys();
    }
    return QOpenGLWidget::event(e);
}

void GLView::ApplyHeldKeys()
{
    const double d = Step();
    bool held = false;
    for (int vk : kHeldKeyOrder) {
        if (keyDown_[size_t(vk)]) {
            ApplyHeldKey(camera_, vk, d, traceOn_);
            held = true;
        }
    }
    if (held)
        CameraChanged();
}

void GLView::keyPressEvent(QKeyEvent *e)
{
    const int vk = VirtualKeyOf(e);
    if (vk == 0) {
        QOpenGLWidget::keyPressEvent(e);
        return;
    }
    keyDown_[size_t(vk)] = 1;
    if (vk == VkEscape && !e->isAutoRepeat())
        ToggleFullScreen();
    e->accept();
}

void GLView::keyReleaseEvent(QKeyEvent *e)
{
    const int vk = VirtualKeyOf(e);
    if (vk == 0) {
        QOpenGLWidget::keyReleaseEvent(e);
        return;
    }
    keyDown_[size_t(vk)] = 0;
    e->accept();
}

void GLView::focusOutEvent(QFocusEvent *e)
{
    // Releases that happen elsewhere never reach the view.
    keyDown_.fill(0);
    QOpenGLWidget::focusOutEvent(e);
}

// Full screen: the main window grows and moves so that the view covers the
// screen; the frame's other parts lie beyond the screen edges.  In a
// splitter the whole growth goes to the view.
void GLView::ToggleFullScreen()
{
    QWidget *frame = window();
    auto *splitter = qobject_cast<QSplitter *>(parentWidget());
    if (!fullScreen_) {
        const QScreen *screen = frame->screen() ? frame->screen() : QGuiApplication::primaryScreen();
        const QRect area = screen->geometry();
        const QSize growth = area.size() - size();
        savedFrameRect_ = frame->geometry();
        if (splitter) {
            savedSplitterSizes_ = splitter->sizes();
            savedSplitterSize_ = splitter->size();
            QList<int> sizes = savedSplitterSizes_;
            const int me = splitter->indexOf(this);
            if (me >= 0)
                sizes[me] += splitter->orientation() == Qt::Horizontal ? growth.width() : growth.height();
            ExpectSplitter(splitter, sizes, splitter->size() + growth);
        }
        const QPoint offset = mapTo(frame, QPoint(0, 0));
        frame->setGeometry(QRect(area.topLeft() - offset, frame->size() + growth));
        fullScreen_ = true;
    } else {
        if (splitter && !savedSplitterSizes_.isEmpty())
            ExpectSplitter(splitter, savedSplitterSizes_, savedSplitterSize_);
        frame->setGeometry(savedFrameRect_);
        frame->show();
        fullScreen_ = false;
    }
}

void GLView::ExpectSplitter(QSplitter *splitter, const QList<int> &sizes, QSize size)
{
    pendingSplitterSizes_ = sizes;
    pendingSplitterSize_ = size;
    splitter->installEventFilter(this);
}

bool GLView::eventFilter(QObject *watched, QEvent *e)
{
    auto *splitter = qobject_cast<QSplitter *>(watched);
    if (splitter && e->type() == QEvent::Resize && !pendingSplitterSizes_.isEmpty() &&
        splitter->size() == pendingSplitterSize_) {
        splitter->removeEventFilter(this);
        const QList<int> sizes = pendingSplitterSizes_;
        pendingSplitterSizes_.clear();
        // After the splitter has laid out its panes for the new size.
        QTimer::singleShot(0, splitter, [splitter, sizes] { splitter->setSizes(sizes); });
    }
    return QOpenGLWidget::eventFilter(watched, e);
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
    default:
        return;
    }
    CameraChanged();
}

void GLView::mousePressEvent(QMouseEvent *e)
{
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
