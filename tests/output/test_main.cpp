#include <gtest/gtest.h>

// The GL tests show the 3D view, a widget; the others need no widgets.
#ifdef VELTRIX_GL_TESTS
#include <QApplication>
#include "view3d/GLView.h"
using TestApplication = QApplication;
#else
#include <QGuiApplication>
using TestApplication = QGuiApplication;
#endif

int main(int argc, char **argv)
{
    testing::InitGoogleTest(&argc, argv);
#ifdef VELTRIX_GL_TESTS
    GLView::PrepareSurfaceFormat();
#endif
    TestApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
