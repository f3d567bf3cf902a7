#include "tree/TreePictures.h"

#include <cmath>
#include <random>

#include <QPainter>
#include <QPainterPath>

namespace {
constexpr int kImageWidth = 15;
constexpr int kImageHeight = 14;
constexpr int kMenuSize = 13;

QPixmap Blank(int width, int height)
{
    QPixmap pixmap(width, height);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

QPixmap LetterF(const QColor &color)
{
    QPixmap pixmap = Blank(kImageWidth, kImageHeight);
    QPainter p(&pixmap);
    p.fillRect(3, 1, 3, 12, color);     // stem
    p.fillRect(3, 1, 10, 3, color);     // top bar
    p.fillRect(3, 6, 7, 2, color);      // middle bar
    return pixmap;
}

QPixmap Pencil()
{
    QPixmap pixmap = Blank(kImageWidth, kImageHeight);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(7.5, 7);
    p.rotate(-45);
    p.setPen(QPen(QColor(60, 60, 60), 0.8));
    p.setBrush(QColor(240, 190, 40));
    p.drawRect(QRectF(-4, -2, 8, 4));
    p.setBrush(QColor(230, 120, 140));
    p.drawRect(QRectF(4, -2, 2.5, 4));
    QPainterPath tip;
    tip.moveTo(-4, -2);
    tip.lineTo(-7.5, 0);
    tip.lineTo(-4, 2);
    tip.closeSubpath();
    p.setBrush(QColor(235, 210, 170));
    p.drawPath(tip);
    return pixmap;
}

QPixmap VarWord()
{
    QPixmap pixmap = Blank(kImageWidth, kImageHeight);
    QPainter p(&pixmap);
    QFont font;
    font.setPixelSize(8);
    font.setBold(true);
    p.setFont(font);
    p.setPen(QColor(0, 100, 0));
    p.drawText(QRect(0, 0, kImageWidth, kImageHeight), Qt::AlignCenter, QStringLiteral("Var"));
    return pixmap;
}

QPixmap Brackets()
{
    QPixmap pixmap = Blank(kImageWidth, kImageHeight);
    QPainter p(&pixmap);
    const QColor blue(0, 0, 200);
    p.fillRect(2, 1, 2, 12, blue);
    p.fillRect(2, 1, 4, 2, blue);
    p.fillRect(2, 11, 4, 2, blue);
    p.fillRect(11, 1, 2, 12, blue);
    p.fillRect(9, 1, 4, 2, blue);
    p.fillRect(9, 11, 4, 2, blue);
    return pixmap;
}

QPixmap Footprints()
{
    QPixmap pixmap = Blank(kImageWidth, kImageHeight);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(90, 60, 30));
    p.drawEllipse(QRectF(1.5, 6.5, 4, 6));     // left sole
    p.drawEllipse(QRectF(2, 3.5, 3, 2.5));      // left heel
    p.drawEllipse(QRectF(9, 1, 4, 6));          // right sole
    p.drawEllipse(QRectF(9.5, 8, 3, 2.5));      // right heel
    return pixmap;
}

QPixmap Spectacles()
{
    QPixmap pixmap = Blank(kImageWidth, kImageHeight);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 1.3));
    p.setBrush(QColor(170, 210, 255));
    p.drawEllipse(QRectF(0.8, 5, 5.5, 5.5));
    p.drawEllipse(QRectF(8.7, 5, 5.5, 5.5));
    p.drawLine(QPointF(6.3, 7), QPointF(8.7, 7));
    p.drawLine(QPointF(0.8, 7), QPointF(0.5, 3.5));
    p.drawLine(QPointF(14.2, 7), QPointF(14.5, 3.5));
    return pixmap;
}

QPixmap Discs()
{
    QPixmap pixmap = Blank(kImageWidth, kImageHeight);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 0, 0, 200));
    p.drawEllipse(QRectF(0.5, 0.5, 8, 8));
    p.setBrush(QColor(0, 200, 0, 200));
    p.drawEllipse(QRectF(6.5, 0.5, 8, 8));
    p.setBrush(QColor(0, 0, 255, 200));
    p.drawEllipse(QRectF(3.5, 5.5, 8, 8));
    return pixmap;
}

QPixmap PaintBrush(int width, int height)
{
    QPixmap pixmap = Blank(width, height);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(width / 15.0, height / 14.0);
    p.translate(7.5, 7);
    p.rotate(45);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(150, 90, 40));
    p.drawRect(QRectF(-1, -1, 2, 8));           // handle
    p.setBrush(QColor(180, 180, 180));
    p.drawRect(QRectF(-1.5, -3, 3, 2));         // ferrule
    p.setBrush(QColor(220, 30, 30));
    QPainterPath bristles;
    bristles.moveTo(-1.5, -3);
    bristles.quadTo(0, -9, 1.5, -3);
    p.drawPath(bristles);
    return pixmap;
}

QPixmap EditGlyph()
{
    QPixmap pixmap = Blank(kMenuSize, kMenuSize);
    QPainter p(&pixmap);
    p.setPen(QColor(60, 60, 60));
    p.setBrush(Qt::white);
    p.drawRect(1, 1, 8, 10);
    for (int y = 3; y <= 9; y += 2)
        p.drawLine(3, y, 7, y);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(200, 120, 0), 2));
    p.drawLine(QPointF(11.5, 2.5), QPointF(6, 9));
    return pixmap;
}

QPixmap RedCross()
{
    QPixmap pixmap = Blank(kMenuSize, kMenuSize);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(220, 0, 0), 2.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(2.5, 2.5), QPointF(10.5, 10.5));
    p.drawLine(QPointF(10.5, 2.5), QPointF(2.5, 10.5));
    return pixmap;
}

QPixmap CircularArrow()
{
    QPixmap pixmap = Blank(kMenuSize, kMenuSize);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor blue(0, 60, 220);
    p.setPen(QPen(blue, 1.8));
    p.drawArc(QRectF(2, 2, 9, 9), 60 * 16, 290 * 16);
    p.setPen(Qt::NoPen);
    p.setBrush(blue);
    QPainterPath head;
    head.moveTo(7.5, 0.2);
    head.lineTo(11.5, 2.7);
    head.lineTo(7.2, 5.2);
    head.closeSubpath();
    p.drawPath(head);
    return pixmap;
}

QPixmap MenuLetterF()
{
    QPixmap pixmap = Blank(kMenuSize, kMenuSize);
    QPainter p(&pixmap);
    const QColor red(220, 0, 0);
    p.fillRect(3, 1, 3, 11, red);
    p.fillRect(3, 1, 8, 2, red);
    p.fillRect(3, 5, 6, 2, red);
    return pixmap;
}

QPixmap CurveWithDot()
{
    QPixmap pixmap = Blank(kMenuSize, kMenuSize);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0, 90, 200), 1.4));
    QPainterPath curve;
    curve.moveTo(0.5, 10);
    curve.cubicTo(4, -2, 8, 14, 12.5, 3);
    p.drawPath(curve);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(220, 0, 0));
    p.drawEllipse(QPointF(6.5, 6.2), 2, 2);
    return pixmap;
}

// A small surface z = sin r / r seen from above and the side, as wires.
void DrawFaintSurface(QPainter &p, const QRectF &area, const QColor &color)
{
    constexpr int kCells = 12;
    auto project = [&area](double u, double v) {
        const double x = u * 6 - 3, y = v * 6 - 3;
        const double r = std::hypot(x, y) + 1e-9;
        const double z = std::sin(r * 1.6) / (r * 1.6);
        const double sx = area.center().x() + (u - v) * area.width() * 0.45;
        const double sy = area.center().y() + (u + v - 1) * area.height() * 0.22 - z * area.height() * 0.35;
        return QPointF(sx, sy);
    };
    p.setPen(QPen(color, 0.8));
    for (int i = 0; i <= kCells; ++i) {
        QPolygonF row, column;
        for (int j = 0; j <= kCells; ++j) {
            row << project(double(i) / kCells, double(j) / kCells);
            column << project(double(j) / kCells, double(i) / kCells);
        }
        p.drawPolyline(row);
        p.drawPolyline(column);
    }
}
}  // namespace

QVector<QPixmap> TreeImages()
{
    return {LetterF(QColor(230, 0, 0)), LetterF(QColor(150, 150, 150)), Pencil(), VarWord(), Brackets(),
            Footprints(), Spectacles(), Discs(), PaintBrush(kImageWidth, kImageHeight)};
}

QVector<QPixmap> MenuPictures()
{
    return {EditGlyph(), RedCross(), CircularArrow(), MenuLetterF(), CurveWithDot()};
}

QImage PaperBackground()
{
    constexpr int kSize = 200;
    QImage image(kSize, kSize, QImage::Format_RGB32);
    // Fibres of the paper: a fixed seed keeps the texture the same every run.
    std::mt19937 random(20061208);
    std::uniform_int_distribution<int> grain(-7, 7);
    for (int y = 0; y < kSize; ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < kSize; ++x) {
            const int g = grain(random);
            line[x] = qRgb(246 + g / 2, 238 + g / 2, 214 + g);
        }
    }
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    DrawFaintSurface(p, QRectF(40, 50, 120, 100), QColor(218, 204, 170));
    return image;
}

QIcon FontButtonIcon()
{
    QPixmap pixmap = Blank(24, 24);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QFont font(QStringLiteral("Serif"));
    font.setPixelSize(17);
    font.setBold(true);
    p.setFont(font);
    p.setPen(QColor(0, 0, 160));
    p.drawText(QRect(0, 0, 15, 20), Qt::AlignCenter, QStringLiteral("A"));
    font.setPixelSize(12);
    p.setFont(font);
    p.setPen(QColor(200, 0, 0));
    p.drawText(QRect(11, 7, 13, 16), Qt::AlignCenter, QStringLiteral("a"));
    return QIcon(pixmap);
}

QIcon ColorButtonIcon()
{
    return QIcon(PaintBrush(24, 24));
}
