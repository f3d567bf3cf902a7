// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <functional>

#include <QByteArray>
#include <QString>

struct ExportOptions;

// The exporter's exit statuses.
enum ExportStatus {
    ExportWritten = 0,
    ExportOutputFailed = 1,       // could not render or write the output
    ExportDocumentUnreadable = 2,
    ExportUsageError = 3,         // wrong command line, or a --set refused
};

// Where the exporter's messages go.
struct ExportConsole {
    std::function<void(const QString &)> error;   // why it stopped
    std::function<void(const QString &)> note;    // what was left out
    std::function<void(const QByteArray &)> output;   // what was asked for (--info)
    // Called after each frame written; unset when nobody watches.
    std::function<void(int written, int total)> progress;
};

// Reads the document (or builds it from -e), applies the --set values,
// keeps it (--save), prints it (--info) and writes the output.  Needs a
// QGuiApplication (offscreen platform) for pictures, PDF, glTF and web
// pages, where fonts are drawn; a QCoreApplication does for the others.
int RunExport(const ExportOptions &options, const ExportConsole &console);
// Whether the run draws text and so needs a QGuiApplication.
bool ExportNeedsFonts(const ExportOptions &options);

// The file of frame `index` (from 1) of `count`: frame.png gives
// frame0001.png, with more digits when the count needs them.
QString FrameFileName(const QString &output, int index, int count);
