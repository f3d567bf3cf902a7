// The yardstick of the program's start: a Qt window holding one
// QOpenGLWidget that clears itself, made as the program makes its own
// (compatibility context, shared contexts), at the program's first size.
#include <QApplication>
#include <QOpenGLWidget>
#include <QSurfaceFormat>

#include <GL/gl.h>

namespace {

class ClearingView : public QOpenGLWidget {
protected:
    void paintGL() override
    {
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    }
};

} // namespace

int main(int argc, char **argv)
{
    QSurfaceFormat format;
    format.setVersion(2, 1);
    format.setProfile(QSurfaceFormat::CompatibilityProfile);
    format.setDepthBufferSize(24);
    QSurfaceFormat::setDefaultFormat(format);
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    ClearingView view;
    view.resize(argc > 2 ? atoi(argv[1]) : 800, argc > 2 ? atoi(argv[2]) : 600);
    view.show();
    return QApplication::exec();
}
