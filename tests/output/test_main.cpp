#include <gtest/gtest.h>

#include <QApplication>

#ifdef VELTRIX_GL_TESTS
#include "view3d/GLView.h"
#endif

int main(int argc, char **argv)
{
    testing::InitGoogleTest(&argc, argv);
#ifdef VELTRIX_GL_TESTS
    GLView::PrepareSurfaceFormat();
#endif
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
