// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QString>

// What a start says to the program already running: one line, the absolute
// path of the file to open in UTF-8, ended by a line feed.  The running
// program answers HandOverAnswer() when it took the file.

// Lines longer than this are no paths.
constexpr qint64 kMaxHandOverLine = 64 * 1024;

// The line that hands `absolutePath` over; empty when the path cannot
// travel as one line (it holds a line feed or a NUL, or is no absolute
// path): the start then opens the file itself.
QByteArray HandOverLine(const QString &absolutePath);

// The path a received line (its line feed included) names; empty when the
// line is refused: unfinished, too long, not UTF-8, not an absolute path,
// or holding a NUL.
QString HandedOverPath(const QByteArray &line);

QByteArray HandOverAnswer();
