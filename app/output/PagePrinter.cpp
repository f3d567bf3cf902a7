// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "output/PagePrinter.h"

#include <QDateTime>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPaintEngine>
#include <QPainter>

#include "model/CVeltrix2Doc.h"
#include "model/CodePage1252.h"
#include "model/DisplayForms.h"

using namespace PrintLayout;

namespace {

constexpr int kNormalCell = 40;     // 4 mm
constexpr int kLargeCell = 80;      // 8 mm
constexpr int kSwatchGap = 20;
constexpr int kSwatchWidth = 200;

// "Arial" whose cell (ascent plus descent) is `cell` units tall.
QFont CellFont(int cell, QFont::Weight weight, bool italic)
{
    QFont font(QStringLiteral("Arial"));
    font.setWeight(weight);
    font.setItalic(italic);
    font.setHintingPreference(QFont::PreferNoHinting);
    constexpr int kReference = 1000;
    font.setPixelSize(kReference);
    const QFontMetricsF m(font);
    const double cellPerEm = (m.ascent() + m.descent()) / kReference;
    font.setPixelSize(qMax(1, qRound(cell / cellPerEm)));
    return font;
}

QColor ToQColor(Color c)
{
    return QColor(ColorRed(c), ColorGreen(c), ColorBlue(c));
}

// Pages painted into a recording (a print preview's) rather than a printer.
bool RecordedForReplay(const QPainter &painter)
{
    return painter.paintEngine() && painter.paintEngine()->type() == QPaintEngine::Picture;
}

// The picture averaged down to kPreviewDpi where it would show `destWidth`
// printer pixels wide at `printerDpi`; never enlarged.
QImage ReducedForScreen(const QImage &picture, int destWidth, int printerDpi)
{
    constexpr int kPreviewDpi = 120;
    if (printerDpi <= 0 || picture.width() <= 0)
        return picture;
    const int width = qRound(double(destWidth) * kPreviewDpi / printerDpi);
    if (width <= 0 || width >= picture.width())
        return picture;
    return picture.scaledToWidth(width, Qt::SmoothTransformation);
}

} // namespace

PagePrinter::PagePrinter(QPagedPaintDevice &device, const CVeltrix2Doc &doc)
    : device_(device), doc_(doc),
      normal_(CellFont(kNormalCell, QFont::Normal, false)),
      large_(CellFont(kLargeCell, QFont::ExtraBold, true))
{
    metrics_.pixelsX = device.width();
    metrics_.pixelsY = device.height();
    metrics_.widthMM = device.widthMM();
    metrics_.heightMM = device.heightMM();
    pageWidth_ = metrics_.widthMM * 10;
    pageHeight_ = metrics_.heightMM * 10;
    lineHeight_ = qRound(QFontMetricsF(normal_, &device_).height());
    const std::vector<int> heights(size_t(doc.Count()), kLinesPerBlock * lineHeight_);
    places_ = PlaceBlocks(heights, pageHeight_);
}

QString PagePrinter::FitLine(const QString &text, const QFont &font, int width) const
{
    const QFontMetricsF m(font, &device_);
    if (m.horizontalAdvance(text) < width)
        return text;
    // The longest start that is narrower: widths grow with the length.
    qsizetype low = 0, high = text.size() - 1;
    while (low < high) {
        const qsizetype mid = (low + high + 1) / 2;
        if (m.horizontalAdvance(text.left(mid)) < width)
            low = mid;
        else
            high = mid - 1;
    }
    return text.left(low);
}

void PagePrinter::UseTenthsOfMillimetre(QPainter &painter) const
{
    painter.resetTransform();
    painter.scale(device_.logicalDpiX() / 254.0, device_.logicalDpiY() / 254.0);
}

void PagePrinter::DrawText(QPainter &painter, const QFont &font, int x, int top, Qt::Alignment align,
                           const QString &text) const
{
    const QFontMetricsF m(font, &device_);
    double left = x;
    if (align & Qt::AlignHCenter)
        left -= m.horizontalAdvance(text) / 2;
    else if (align & Qt::AlignRight)
        left -= m.horizontalAdvance(text);
    painter.setFont(font);
    painter.drawText(QPointF(left, top + m.ascent()), text);
}

void PagePrinter::DrawHeader(QPainter &painter, int boxHeight) const
{
    painter.drawRect(QRect(QPoint(kMargin, kMargin), QPoint(pageWidth_ - kMargin, kMargin + boxHeight)));
    const QDateTime now = QDateTime::currentDateTime();
    const int top = kMargin + 30;
    const int centre = CentreX();
    DrawText(painter, normal_, kMargin + 10, top, Qt::AlignLeft, FileText(doc_.PathName()));
    DrawText(painter, normal_, centre, top, Qt::AlignHCenter, DateText(now.date()));
    DrawText(painter, normal_, pageWidth_ - kMargin - 10, top, Qt::AlignRight, TimeText(now.time()));
}

void PagePrinter::DrawFrameAndFooter(QPainter &painter, int bodyTop, int page) const
{
    painter.drawRect(QRect(QPoint(kMargin, bodyTop), QPoint(pageWidth_ - kMargin, pageHeight_ - kMargin - 120)));
    painter.drawRect(QRect(QPoint(kMargin, pageHeight_ - kMargin - 100), QPoint(pageWidth_ - kMargin, pageHeight_ - kMargin)));
    const int centre = CentreX();
    DrawText(painter, normal_, centre, pageHeight_ - kMargin - 60, Qt::AlignHCenter, PageText(page));
}

void PagePrinter::DrawFirstPage(QPainter &painter, const QImage &picture, const Picture &place) const
{
    DrawHeader(painter, 200);
    DrawText(painter, large_, CentreX(), kMargin + 100, Qt::AlignHCenter,
             QStringLiteral("Veltrix 2.0"));
    DrawFrameAndFooter(painter, kMargin + 220, 1);
    if (picture.isNull() || place.destWidth <= 0 || place.destHeight <= 0)
        return;
    // The picture is placed in printer pixels, and reaches a PDF losslessly:
    // JPEG would blur the one-pixel lines and the labels.
    const QRect target(place.x, place.y, place.destWidth, place.destHeight);
    painter.save();
    painter.resetTransform();
    if (RecordedForReplay(painter)) {
        // A preview replays the page at its zoom, picking single pixels of
        // the picture: one-pixel lines would break into dots.  Averaged down
        // to about the screen's resolution and drawn smoothly, they stay
        // whole lines as the print has them.
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(target, ReducedForScreen(picture, place.destWidth, device_.logicalDpiX()));
    } else {
        painter.setRenderHint(QPainter::LosslessImageRendering);
        painter.drawImage(target, picture);
    }
    painter.restore();
}

void PagePrinter::DrawBlock(QPainter &painter, const FunctionRecord &record, int top) const
{
    const int width = pageWidth_ - 2 * kMargin - 80;
    const QString lines[kLinesPerBlock] = {
        QStringLiteral("Label: ") + FromCp1252(record.label),
        QStringLiteral("Text: ") + FromCp1252(record.text),
        QStringLiteral("Visualization: ") + ModeName(record.mode),
        QStringLiteral("Color 1: "),
        QStringLiteral("Color 2: "),
    };
    const QFontMetricsF m(normal_, &device_);
    for (int k = 0; k < kLinesPerBlock; ++k) {
        const int y = top + k * lineHeight_;
        const QString line = FitLine(lines[k], normal_, width);
        DrawText(painter, normal_, kBlockIndent, y, Qt::AlignLeft, line);
        if (k < 3)
            continue;
        const int left = kBlockIndent + qRound(m.horizontalAdvance(line)) + kSwatchGap;
        const QRect outline(QPoint(left, y + 2), QPoint(left + kSwatchWidth, y + lineHeight_ - 4));
        painter.drawRect(outline);
        painter.fillRect(outline.adjusted(1, 1, -1, -1), ToQColor(k == 3 ? record.color1 : record.color2));
    }
}

bool PagePrinter::StartPage(QPainter &painter, bool &begun)
{
    if (!begun) {
        begun = painter.begin(&device_);
        if (!begun)
            return false;
    } else if (!device_.newPage()) {
        return false;
    }
    UseTenthsOfMillimetre(painter);
    painter.setPen(QPen(Qt::black, 0));
    painter.setBrush(Qt::NoBrush);
    return true;
}

bool PagePrinter::Print(PageRange range, const QImage &picture, const Picture &place)
{
    QPainter painter;
    bool begun = false;
    if (range.Contains(1)) {
        if (!StartPage(painter, begun))
            return false;
        DrawFirstPage(painter, picture, place);
    }
    const FunctionList &functions = doc_.Functions();
    size_t next = 0;
    for (int page = 2; page <= PageCount(); ++page) {
        const bool shown = range.Contains(page);
        if (shown) {
            if (!StartPage(painter, begun))
                return false;
            DrawHeader(painter, 100);
            DrawFrameAndFooter(painter, kMargin + 120, page);
        }
        for (; next < places_.size() && places_[next].page == page; ++next)
            if (shown)
                DrawBlock(painter, functions.At(int(next)), places_[next].top);
    }
    if (begun)
        painter.end();
    return true;
}
