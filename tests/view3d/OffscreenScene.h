#pragma once

#include <memory>
#include <optional>

#include <QImage>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFramebufferObject>

#include "model/CVeltrix2Doc.h"
#include "view3d/SceneRenderer.h"

// The scene renderer in an off-screen context and framebuffer, as printing
// and export use it.
class OffscreenScene {
public:
    OffscreenScene(int width = 400, int height = 300);
    ~OffscreenScene();

    bool ok() const { return fbo_ && fbo_->isValid(); }
    CVeltrix2Doc &doc() { return doc_; }
    ViewSettings &settings() { return doc_.Settings(); }
    SceneRenderer &renderer() { return renderer_; }
    ListSet &lists() { return lists_; }

    // Rebuilds every list and renders one frame.
    QImage Render(const Camera &camera = Camera());
    // The same frame drawn once, without lists.
    QImage RenderOnce(const Camera &camera = Camera());
    // What the trace cursor read in the last frame.
    const std::optional<TraceReading> &Reading() const { return reading_; }
    GLuint FramebufferId() const { return fbo_->handle(); }
    // Frame of the current framebuffer, top row first.
    QImage Frame() const { return fbo_->toImage(); }
    // Pixel position of a GL point under the matrices of the last frame.
    QPoint Project(double x, double y, double z) const;
    // Hides the cube, marks and axes.
    void HideFurniture();

private:
    QOffscreenSurface surface_;
    QOpenGLContext context_;
    std::unique_ptr<QOpenGLFramebufferObject> fbo_;
    CVeltrix2Doc doc_;
    SceneRenderer renderer_;
    ListSet lists_;
    std::optional<TraceReading> reading_;
    int width_, height_;
};

inline Color PixelColor(const QImage &image, QPoint p)
{
    const QRgb c = image.pixel(p);
    return MakeColor(qRed(c), qGreen(c), qBlue(c));
}

// True when some pixel within `radius` of p has the colour.
bool HasColorNear(const QImage &image, QPoint p, Color color, int radius = 1);
// Number of pixels of exactly that colour.
int CountColor(const QImage &image, Color color);
