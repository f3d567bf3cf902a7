// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <memory>

#include <GL/gl.h>
#include <QImage>
#include <QOpenGLWindow>

class QOpenGLFramebufferObject;
class QWidget;

// The window the 3D view draws into, shown inside the view's widget.  A
// QOpenGLWidget's every frame is composed by Qt into the whole top-level
// window, which on a software rasteriser costs about as much as drawing a
// small scene; a window of its own shows its frames as they are drawn.
//
// Each frame is drawn into a framebuffer that keeps it, with its depth and
// stencil (the point under the mouse is read from those, pictures and
// copies from its colours), and is then copied into the window; all but
// the first, which goes straight into the window.  Mouse
// input and drops go to the widget that shows the window, as if they had
// come there; the keyboard stays with that widget, since the window never
// takes focus.
class ViewSurface : public QOpenGLWindow {
    Q_OBJECT
public:
    // Whatever draws the frames, into the framebuffer bound at the call
    // with the context current.
    class Scene {
    public:
        virtual void InitializeScene() = 0;
        virtual void ResizeScene(int width, int height) = 0;
        virtual void DrawScene() = 0;

    protected:
        ~Scene() = default;
    };

    ViewSurface(Scene &scene, QWidget &inputTarget);
    ~ViewSurface() override;

    // Asks for a frame to be drawn and shown; however often asked, the
    // next frame comes once.
    void RequestFrame();
    // Makes the context current with the frame's framebuffer bound.
    void MakeCurrent();
    // The same, with the last frame in that framebuffer: drawn there once
    // more when it went straight into the window.
    void MakeCurrentWithLastFrame();
    // The framebuffer the frame is drawn into: the one that keeps it, or
    // while the first frame is drawn the window's.
    GLuint FrameBuffer() const;
    // Draws a frame into the framebuffer without showing it; the context
    // is current.
    void DrawFrame();
    // The last frame's colours; the context is current.
    QImage ReadFrame() const;
    // Frees the framebuffer; the context is current.
    void ReleaseFrame();

protected:
    void initializeGL() override;
    void resizeGL(int w, int h) override;
    void paintGL() override;
    bool event(QEvent *e) override;

private:
    QSize DeviceSize() const;
    // Whether the framebuffer keeps the last frame drawn; not so after the
    // first frame, which went straight into the window.
    bool KeepsLastFrame() const;
    void ShowFirstFrame();
    void ShowKeptFrame();
    void Forward(QEvent *e);

    Scene &scene_;
    QWidget &inputTarget_;
    std::unique_ptr<QOpenGLFramebufferObject> frame_;
    bool firstShown_ = false;
    bool drawingFirst_ = false;
    bool resized_ = false;         // since the last frame
    bool showAgainOnly_ = false;   // the next frame shows the kept one again
};
