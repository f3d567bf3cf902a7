// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QFile>
#include <QString>

#include "FunctionList.h"
#include "ViewSettings.h"

// What reading a document file gave.
enum class ReadOutcome {
    Ok,
    InvalidFile,     // signature, magic or version wrong: "Invalid file" / "Bad file format"
    BadFormat,       // truncated or damaged body: "Bad file format" / "Error"
    BlockFailed,     // a function block did not load or compile
    CannotOpen,      // the file could not be opened at all (error text given)
};

// Message box texts for an outcome (empty for Ok / CannotOpen).
QString ReadOutcomeMessage(ReadOutcome outcome);
QString ReadOutcomeTitle(ReadOutcome outcome);
// One line for a document that could not be read, for a program without
// message boxes: "The document P cannot be opened: REASON." or "P: Invalid
// file"; `error` is the reason given with CannotOpen.
QString ReadFailureLine(const QString &path, ReadOutcome outcome, const QString &error);

// Writes settings and functions to `path` through a temporary file that
// replaces the target only when everything was written.  Functions whose
// library function is not compiled are recompiled from their text first.
bool WriteDocumentFile(const QString &path, const ViewSettings &settings,
                       const FunctionList &list, QString *error);

// "<path> is not a regular file.": what readers and writers say of a path
// that holds something else (a folder, a FIFO, a device).
QString NotRegularFileMessage(const QString &path);
// Whether something other than a regular file is at `path`, links followed:
// writing a file there would replace it (or, for a FIFO, block).
bool HoldsOtherThanRegularFile(const QString &path);

// Opens `path` for reading.  Only a regular file is opened, and what is not
// one is refused without waiting on it (opening a FIFO would block until
// something writes to it).  On failure `error` receives a readable reason.
bool OpenDocumentForReading(const QString &path, QFile &file, QString *error);

// Reads `path`.  On Ok, `settings` and `list` hold what was read, each record
// with a freshly allocated qel handle.  On any failure, every handle allocated
// while reading is deleted, `list` is empty and `settings` default.
ReadOutcome ReadDocumentFile(const QString &path, ViewSettings &settings,
                             FunctionList &list, QString *error);
