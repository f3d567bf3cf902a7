#include "OffscreenScene.h"

#include <GL/glu.h>

OffscreenScene::OffscreenScene(int width, int height) : width_(width), height_(height)
{
    surface_.setFormat(QSurfaceFormat::defaultFormat());
    surface_.create();
    context_.setFormat(QSurfaceFormat::defaultFormat());
    if (!context_.create() || !context_.makeCurrent(&surface_))
        return;
    QOpenGLFramebufferObjectFormat format;
    format.setAttachment(QOpenGLFramebufferObject::CombinedDepthStencil);
    fbo_ = std::make_unique<QOpenGLFramebufferObject>(width, height, format);
    fbo_->bind();
    renderer_.SetDocument(&doc_);
    renderer_.InitializeGL();
    renderer_.Resize(width, height);
}

OffscreenScene::~OffscreenScene()
{
    if (context_.makeCurrent(&surface_)) {
        renderer_.ReleaseGL({&lists_});
        fbo_.reset();
        context_.doneCurrent();
    }
}

QImage OffscreenScene::Render(const Camera &camera)
{
    context_.makeCurrent(&surface_);
    fbo_->bind();
    renderer_.RebuildLists(lists_, -1);
    reading_ = renderer_.RenderScene(lists_, camera);
    return Frame();
}

QImage OffscreenScene::RenderOnce(const Camera &camera)
{
    context_.makeCurrent(&surface_);
    fbo_->bind();
    reading_ = renderer_.RenderSceneOnce(camera);
    return Frame();
}

QPoint OffscreenScene::Project(double x, double y, double z) const
{
    GLdouble model[16], projection[16], wx, wy, wz;
    GLint viewport[4] = {0, 0, width_, height_};
    glGetDoublev(GL_MODELVIEW_MATRIX, model);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    gluProject(x, y, z, model, projection, viewport, &wx, &wy, &wz);
    return QPoint(int(wx), height_ - 1 - int(wy));
}

void OffscreenScene::HideFurniture()
{
    settings().showCube = 0;
    settings().showReferenceMarks = 0;
    settings().showAxes = 0;
}

bool HasColorNear(const QImage &image, QPoint p, Color color, int radius)
{
    for (int dy = -radius; dy <= radius; ++dy)
        for (int dx = -radius; dx <= radius; ++dx) {
            const QPoint q = p + QPoint(dx, dy);
            if (image.rect().contains(q) && PixelColor(image, q) == color)
                return true;
        }
    return false;
}

int CountColor(const QImage &image, Color color)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += PixelColor(image, QPoint(x, y)) == color;
    return n;
}
