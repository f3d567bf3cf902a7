// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <cstdio>

#include <QApplication>
#include <QStringList>

#include "CMainFrame.h"
#include "CommandLineHelp.h"
#include "CommandLinePrint.h"
#include "PlotStart.h"
#include "model/ProcessStartup.h"
#include "RunningInstance.h"
#include "SettingsStore.h"
#include "view3d/GLView.h"

int main(int argc, char *argv[])
{
    PrepareProcess();
    // A print from the command line opens no window: it needs no display.
    QStringList given;
    for (int k = 0; k < argc; ++k)
        given << QString::fromLocal8Bit(argv[k]);
    const HelpRequest help = AsksForHelp(given);
    if (help != HelpRequest::None) {
        const QString text = help == HelpRequest::Usage ? ProgramUsage() : ProgramVersion();
        std::fputs(text.toLocal8Bit().constData(), stdout);
        return 0;
    }
    const bool print = AsksForPrint(given);
    if (print)
        qputenv("QT_QPA_PLATFORM", "offscreen");
    GLView::PrepareSurfaceFormat();
    QApplication app(argc, argv);
    ConfigureSettingsStore();
    if (print) {
        return PrintFromCommandLine(QApplication::arguments(), [](const QString &text) {
            std::fprintf(stderr, "veltrix: %s\n", text.toLocal8Bit().constData());
        });
    }

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
