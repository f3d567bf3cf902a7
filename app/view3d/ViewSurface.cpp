// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "view3d/ViewSurface.h"

#include <utility>

#include <QCoreApplication>
#include <QMouseEvent>
#include <QOpenGLContext>
#include <QOpenGLFramebufferObject>
#include <QWidget>

ViewSurface::ViewSurface(Scene &scene, QWidget &inputTarget)
    // Shared as the widgets' contexts are, with the global share context.
    : QOpenGLWindow(QOpenGLContext::globalShareContext(), NoPartialUpdate), scene_(scene),
      inputTarget_(inputTarget)
{
    setFlag(Qt::WindowDoesNotAcceptFocus);
}

ViewSurface::~ViewSurface()
{
    if (frame_ && context()) {
        makeCurrent();
        frame_.reset();
        doneCurrent();
    }
}

QSize ViewSurface::DeviceSize() const
{
    return (QSizeF(size()) * devicePixelRatio()).toSize().expandedTo(QSize(1, 1));
}

void ViewSurface::MakeCurrent()
{
    makeCurrent();
    if (frame_)
        frame_->bind();
}

void ViewSurface::MakeCurrentWithLastFrame()
{
    MakeCurrent();
    if (!KeepsLastFrame())
        DrawFrame();
}

GLuint ViewSurface::FrameBuffer() const
{
    if (drawingFirst_)
        return defaultFramebufferObject();
    return frame_ ? frame_->handle() : 0;
}

bool ViewSurface::KeepsLastFrame() const
{
    return frame_ && frame_->size() == DeviceSize();
}

void ViewSurface::DrawFrame()
{
    const QSize size = DeviceSize();
    if (!frame_ || frame_->size() != size) {
        frame_.reset();
        frame_ = std::make_unique<QOpenGLFramebufferObject>(size, QOpenGLFramebufferObject::CombinedDepthStencil);
    }
    frame_->bind();
    scene_.DrawScene();
}

QImage ViewSurface::ReadFrame() const
{
    if (!frame_)
        return {};
    QImage image = frame_->toImage().convertToFormat(QImage::Format_RGB32);
    image.setDevicePixelRatio(devicePixelRatio());
    return image;
}

void ViewSurface::ReleaseFrame()
{
    frame_.reset();
}

void ViewSurface::initializeGL()
{
    scene_.InitializeScene();
}

void ViewSurface::resizeGL(int w, int h)
{
    scene_.ResizeScene(w, h);
    resized_ = true;
}

void ViewSurface::RequestFrame()
{
    showAgainOnly_ = false;
    update();
}

void ViewSurface::paintGL()
{
    if (!std::exchange(firstShown_, true)) {
        ShowFirstFrame();
        return;
    }
    ShowKeptFrame();
    // Mesa's software drivers learn the window's size when a frame is
    // swapped, for the frame after: the first frame after a resize is put
    // into a window buffer of the old size, cut off or short.  The next one
    // shows the same frame whole.
    if (std::exchange(resized_, false)) {
        showAgainOnly_ = true;
        update();
    }
}

// The copy into the window costs a software driver a shader of its own,
// compiled before anything shows: the first frame goes without it, straight
// into the window.  Whatever reads a frame draws one to keep first.  The
// window's buffers are made for this frame, at the window's size: there is
// no older size to show again for.
void ViewSurface::ShowFirstFrame()
{
    drawingFirst_ = true;
    scene_.DrawScene();
    drawingFirst_ = false;
    resized_ = false;
}

void ViewSurface::ShowKeptFrame()
{
    if (!std::exchange(showAgainOnly_, false) || !KeepsLastFrame())
        DrawFrame();
    const QRect whole(QPoint(0, 0), frame_->size());
    QOpenGLFramebufferObject::blitFramebuffer(nullptr, whole, frame_.get(), whole);
}

bool ViewSurface::event(QEvent *e)
{
    switch (e->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        // The widget takes the focus a click would have given it.
        if (inputTarget_.focusPolicy() & Qt::ClickFocus)
            inputTarget_.setFocus(Qt::MouseFocusReason);
        Forward(e);
        return true;
    case QEvent::MouseButtonRelease:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::Enter:
    case QEvent::Leave:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    // Files dropped on the window go where the widgets' drops go.
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::DragLeave:
    case QEvent::Drop:
        Forward(e);
        return true;
    case QEvent::Paint:
        // Putting the window on the screen brings paint events in twos and
        // threes, each of which would draw a whole frame at once: they come
        // together into one update, as a widget's do.
        update();
        return true;
    default:
        return QOpenGLWindow::event(e);
    }
}

// The window fills the widget, so positions need no mapping.
void ViewSurface::Forward(QEvent *e)
{
    QCoreApplication::sendEvent(&inputTarget_, e);
}
