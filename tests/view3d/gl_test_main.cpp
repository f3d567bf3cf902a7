// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>
#include <QApplication>

#include "view3d/GLView.h"

int main(int argc, char **argv)
{
    testing::InitGoogleTest(&argc, argv);
    GLView::PrepareSurfaceFormat();
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
