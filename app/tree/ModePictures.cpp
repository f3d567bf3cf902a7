// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "tree/ModePictures.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include <QPainter>
#include <QPainterPath>

#include "model/FunctionRecord.h"

namespace {
constexpr int kSize = 100;
constexpr int kCells = 14;
constexpr double kPi = 3.14159265358979;

struct Cell {
    QPolygonF corners;
    double depth = 0;      // larger: nearer to the viewer
    double height = 0;     // mean z, -1..1
    bool dark = false;     // chess-board parity
};

double SampleZ(double x, double y)
{
    return std::cos(x) * std::sin(y);
}

// Oblique view of z = cos x * sin y over [-pi, pi]^2.
QPointF Project(double x, double y, double z)
{
    const double sx = 50 + (x - y) * 6.3;
    const double sy = 52 + (x + y) * 3.3 - z * 16;
    return QPointF(sx, sy);
}

std::vector<Cell> SurfaceCells()
{
    std::vector<Cell> cells;
    const double step = 2 * kPi / kCells;
    for (int i = 0; i < kCells; ++i) {
        for (int j = 0; j < kCells; ++j) {
            const double x0 = -kPi + i * step, y0 = -kPi + j * step;
            const double xs[] = {x0, x0 + step, x0 + step, x0};
            const double ys[] = {y0, y0, y0 + step, y0 + step};
            Cell cell;
            for (int k = 0; k < 4; ++k) {
                const double z = SampleZ(xs[k], ys[k]);
                cell.corners << Project(xs[k], ys[k], z);
                cell.height += z / 4;
            }
            cell.depth = x0 + y0;
            cell.dark = (i + j) % 2 != 0;
            cells.push_back(cell);
        }
    }
    // Painter's order: far cells first.
    std::sort(cells.begin(), cells.end(), [](const Cell &a, const Cell &b) { return a.depth < b.depth; });
    return cells;
}

void DrawSurface(QPainter &p, int mode)
{
    const QColor wire(0, 230, 0);
    for (const Cell &cell : SurfaceCells()) {
        switch (mode) {
        case WireFrame:
            p.setPen(QPen(wire, 1));
            p.setBrush(Qt::NoBrush);
            break;
        case FilledPolygons:
            p.setPen(QPen(QColor(40, 120, 40), 1));
            p.setBrush(QColor(150, 240, 150));
            break;
        case ChessBoard:
            p.setPen(Qt::NoPen);
            p.setBrush(cell.dark ? QColor(0, 110, 0) : QColor(120, 230, 120));
            break;
        default: {
            const int level = int(std::lround(60 + (cell.height + 1) / 2 * 180));
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(level / 4, level, level / 4));
            break;
        }
        }
        p.drawPolygon(cell.corners);
    }
}

void DrawTick(QPainter &p)
{
    QPainterPath tick;
    tick.moveTo(6, 14);
    tick.lineTo(11, 20);
    tick.lineTo(22, 5);
    p.setPen(QPen(QColor(255, 0, 0), 3.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(tick);
}
}  // namespace

QImage ModePicture(int mode, bool ticked)
{
    QImage image(kSize, kSize, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    DrawSurface(p, mode);
    if (ticked)
        DrawTick(p);
    return image;
}
