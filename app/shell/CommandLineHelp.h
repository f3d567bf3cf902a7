// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QStringList>

// veltrix --help and --version: answered on standard output before anything
// else starts, so they need no display and never reach a running program.

enum class HelpRequest {
    None,
    Usage,
    Version,
};

// What the arguments (the program's name first) ask for.  Only the options
// themselves count: after "--" every argument is a document's name.
HelpRequest AsksForHelp(const QStringList &arguments);

QString ProgramUsage();
QString ProgramVersion();
