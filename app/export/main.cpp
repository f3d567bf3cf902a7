// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

// veltrix-export: renders a document with no display and writes it as a
// picture, PDF pages, a DXF drawing, an OBJ/STL mesh, a glTF scene or a web
// page; or plots functions given on its command line.
#include <cstdio>
#include <memory>

#include <unistd.h>

#include <QCoreApplication>
#include <QGuiApplication>

#include "ExportOptions.h"
#include "ExportRun.h"
#include "model/ProcessStartup.h"

namespace {

void Print(FILE *stream, const QString &text)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
}

void PrintLine(const QString &text)
{
    Print(stderr, QStringLiteral("veltrix-export: %1\n").arg(text));
}

// Qt's notice that the session has no runtime folder says nothing about the
// export (a batch job, a cron job); every other message goes through.
QtMessageHandler g_qtHandler = nullptr;
void QuietStartup(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (!message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set")))
        g_qtHandler(type, context, message);
}

} // namespace

int main(int argc, char **argv)
{
    PrepareProcess();
    ExportOptions options;
    QStringList arguments;
    QString error;
    if (!DecodeArguments(argc, argv, &arguments, &error) || !ParseExportArguments(arguments, options, &error)) {
        PrintLine(error);
        Print(stderr, QStringLiteral("Try 'veltrix-export --help'.\n"));
        return ExportUsageError;
    }
    if (options.help) {
        Print(stdout, ExportUsage());
        return ExportWritten;
    }
    if (options.version) {
        Print(stdout, QStringLiteral("veltrix-export 2.0.0\n"));
        return ExportWritten;
    }

    // Fonts (the scene's 3D text, the printed pages) need a GUI application;
    // it runs on the offscreen platform, never on a display.  The OpenGL
    // context is made with EGL, apart from Qt.
    std::unique_ptr<QCoreApplication> app;
    if (ExportNeedsFonts(options)) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        g_qtHandler = qInstallMessageHandler(QuietStartup);
        app = std::make_unique<QGuiApplication>(argc, argv);
        qInstallMessageHandler(g_qtHandler);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }

    ExportConsole console;
    console.error = PrintLine;
    console.note = [](const QString &text) { PrintLine(QStringLiteral("note: ") + text); };
    console.output = [](const QByteArray &bytes) {
        std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
        std::fflush(stdout);
    };
    if (isatty(STDERR_FILENO)) {
        console.progress = [](int written, int total) {
            Print(stderr, QStringLiteral("\rveltrix-export: frame %1 of %2").arg(written).arg(total));
            if (written == total)
                Print(stderr, QStringLiteral("\n"));
        };
    }
    return RunExport(options, console);
}
