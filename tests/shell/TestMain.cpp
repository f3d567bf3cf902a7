// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>

#include "SettingsStore.h"
#include "view3d/GLView.h"

// Every run gets its own configuration and runtime folders, so the settings
// the tests write never reach the user's and earlier runs do not leak in.
int main(int argc, char **argv)
{
    QTemporaryDir home;
    qputenv("HOME", home.path().toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", (home.path() + QStringLiteral("/config")).toLocal8Bit());
    // The running program's socket too, and the programs the tests start
    // find it there.
    QTemporaryDir runtime;
    qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
#ifdef VELTRIX_GL_TESTS
    GLView::PrepareSurfaceFormat();
#endif
    QApplication app(argc, argv);
    ConfigureSettingsStore();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
