// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <optional>

#include <QString>
#include <QStringList>

#include "output/PrintLayout.h"

class QPageLayout;
class QPageSize;
class QPagedPaintDevice;
struct SceneState;

// The name of print jobs and the title of PDF files.
QString PrintJobName();

// Prints the scene's document on `device`: renders the scene off-screen at
// the size the printer's page allows (within the document's print buffer)
// and draws the pages of `range`, or every page when none is given.  False
// with a message in `error` when nothing could be printed.  Shown functions
// that could not be drawn are named in `leftOut`.
bool PrintScene(QPagedPaintDevice &device, const SceneState &scene,
                std::optional<PrintLayout::PageRange> range, QString *error, QStringList *leftOut = nullptr);

// The printed pages of the scene as a PDF file on `paper`, as File > Print
// gives them on a PDF printer (1200 dpi, 10 pt margins).  Written through a
// temporary file, every write checked; false with a message in `error`
// naming the file and the reason, and no file written.
bool PrintSceneToPdf(const QString &path, const SceneState &scene, const QPageSize &paper, QString *error,
                     QStringList *leftOut = nullptr);
// The same with a printer's page layout, resolution and page range: File >
// Print to a PDF file.
bool PrintSceneToPdf(const QString &path, const SceneState &scene, const QPageLayout &layout, int resolution,
                     std::optional<PrintLayout::PageRange> range, QString *error);
