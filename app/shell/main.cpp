// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <cstdio>

#include <QApplication>
#include <QStringList>

#include "CMainFrame.h"
#include "PlotStart.h"
#include "model/ProcessStartup.h"
#include "RunningInstance.h"
#include "SettingsStore.h"
#include "view3d/GLView.h"

int main(int argc, char *argv[])
{
    PrepareProcess();
    GLView::PrepareSurfaceFormat();
    QApplication app(argc, argv);
    ConfigureSettingsStore();

    // A document opened while the program runs goes to the running program;
    // a plot from the command line is a program of its own.
    const QStringList arguments = QApplication::arguments();
    const bool plot = AsksForPlot(arguments);
    RunningInstance instance;
    if (!plot && arguments.size() > 1 && instance.HandOver(arguments.at(1)))
        return 0;
    instance.Listen();

    CMainFrame frame;
    OpenHandedOverFiles(instance, frame);
    if (plot) {
        QString message;
        if (!StartWithPlot(*frame.Document(), arguments, &message)) {
            std::fprintf(stderr, "veltrix: %s\n", message.toLocal8Bit().constData());
            return kPlotRefusedStatus;
        }
    } else if (!frame.ProcessCommandLine(arguments)) {
        return 1;
    }
    frame.show();
    return QApplication::exec();
}
