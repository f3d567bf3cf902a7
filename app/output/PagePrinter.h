// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <vector>

#include <QFont>
#include <QImage>
#include <QString>

#include "output/PrintLayout.h"

class CVeltrix2Doc;
class QPagedPaintDevice;
class QPainter;
struct FunctionRecord;

// Draws the printed pages of a document on a printer (or a PDF writer):
// page 1 with a header box, the title, a framed scene picture and a footer;
// then the function pages, one block per function with its label, text,
// mode and colour swatches.  Page numbers are those of the whole document
// whatever range is printed.
class PagePrinter {
public:
    PagePrinter(QPagedPaintDevice &device, const CVeltrix2Doc &doc);

    const PrintLayout::Printer &Metrics() const { return metrics_; }
    int PageCount() const { return PrintLayout::PageCount(places_); }
    // Height of one text line, tenths of a millimetre.
    int LineHeight() const { return lineHeight_; }

    // Prints the pages of `range` with `picture` stretched into `place` on
    // page 1 (a null picture leaves the frame empty).  False when the device
    // could not be painted on; a range holding no page prints nothing.
    bool Print(PrintLayout::PageRange range, const QImage &picture, const PrintLayout::Picture &place);

    // `text` shortened at its end until it is narrower than `width` when
    // drawn in `font` on the device.
    QString FitLine(const QString &text, const QFont &font, int width) const;

private:
    bool StartPage(QPainter &painter, bool &begun);
    void UseTenthsOfMillimetre(QPainter &painter) const;
    // The middle of the page, on a whole millimetre.
    int CentreX() const { return metrics_.widthMM / 2 * 10; }
    void DrawText(QPainter &painter, const QFont &font, int x, int top, Qt::Alignment align,
                  const QString &text) const;
    void DrawHeader(QPainter &painter, int boxHeight) const;
    void DrawFrameAndFooter(QPainter &painter, int bodyTop, int page) const;
    void DrawFirstPage(QPainter &painter, const QImage &picture, const PrintLayout::Picture &place) const;
    void DrawBlock(QPainter &painter, const FunctionRecord &record, int top) const;

    QPagedPaintDevice &device_;
    const CVeltrix2Doc &doc_;
    PrintLayout::Printer metrics_;
    QFont normal_, large_;
    int lineHeight_ = 0;
    int pageWidth_ = 0, pageHeight_ = 0;   // tenths of a millimetre
    std::vector<PrintLayout::BlockPlace> places_;
};
