// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <functional>

#include <QString>
#include <QStringList>

// Printing from the command line, with no window and no dialog:
//   veltrix --print doc.vxf                    on the default printer
//   veltrix --print-to-pdf out.pdf doc.vxf     into a PDF file
// The pages are those File > Print gives of the document as it was saved,
// drawn with the user's drawing choices of the View menu.

// Exit statuses of a print from the command line; those of veltrix-export
// for the same failures.
enum CommandLinePrintStatus {
    PrintDone = 0,
    PrintFailed = 1,          // no printer, or the pages could not be made
    PrintDocumentUnreadable = 2,
    PrintUsageError = 3,
};

// Whether the arguments (the program's name first) ask to print.
bool AsksForPrint(const QStringList &arguments);

// Prints as the arguments ask.  Every message (why nothing was printed,
// which functions were left out) goes to `say`; the result is the status.
int PrintFromCommandLine(const QStringList &arguments, const std::function<void(const QString &)> &say);
