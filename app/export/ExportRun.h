#pragma once

#include <functional>

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
    // Called after each frame written; unset when nobody watches.
    std::function<void(int written, int total)> progress;
};

// Reads the document, applies the --set values and writes the output.
// Needs a QGuiApplication (offscreen platform) for pictures and PDF, where
// fonts are drawn; a QCoreApplication does for the other formats.
int RunExport(const ExportOptions &options, const ExportConsole &console);

// The file of frame `index` (from 1) of `count`: frame.png gives
// frame0001.png, with more digits when the count needs them.
QString FrameFileName(const QString &output, int index, int count);
