#include <cmath>

#include <gtest/gtest.h>

#include <QBuffer>
#include <QRegularExpression>
#include <QSet>
#include <QXmlStreamReader>

#include "output/EyePolygon.h"
#include "output/SvgFigureCanvas.h"

namespace {

EyePolygon Square(double z)
{
    EyePolygon p;
    for (auto [x, y] : {std::pair{0.0, 0.0}, {2.0, 0.0}, {2.0, 2.0}, {0.0, 2.0}})
        p.v.push_back({{x, y, z}, {x * 100, y * 100, 50}});
    p.outlined = {1, 1, 1, 1};
    return p;
}

// A split keeps the outline on the parts of the polygon's own edges, not on
// the cut; colours are interpolated along the cut edges; a polygon that only
// touches the plane stays whole on one side.
TEST(EyePolygon, SplitsKeepOutlinesAndColors)
{
    const EyePlane x1{{1, 0, 0}, 1};   // x = 1
    EyePolygon right, left;
    SplitPolygon(Square(-5), x1, 1e-12, &right, &left);
    ASSERT_EQ(right.Size(), 4u);
    ASSERT_EQ(left.Size(), 4u);
    int cutEdges = 0;
    for (const EyePolygon *part : {&right, &left}) {
        for (size_t k = 0; k < part->Size(); ++k) {
            const EyePoint &a = part->v[k].p, &b = part->v[(k + 1) % part->Size()].p;
            const bool onCut = std::fabs(a.x - 1) < 1e-12 && std::fabs(b.x - 1) < 1e-12;
            EXPECT_EQ(part->outlined[k], onCut ? 0 : 1) << k;
            cutEdges += onCut;
            EXPECT_NEAR(part->v[k].color.r, part->v[k].p.x * 100, 1e-9);
        }
    }
    EXPECT_EQ(cutEdges, 2);

    const EyePlane x2{{1, 0, 0}, 2};   // along the square's right edge
    SplitPolygon(Square(-5), x2, 1e-12, &right, &left);
    EXPECT_TRUE(right.v.empty());
    EXPECT_EQ(left.Size(), 4u);

    EyePolygon line, front, back;
    line.v = {{{0, 0, -10}, {}}, {{0, 0, -2}, {}}};
    SplitLine(line, EyePlane{{0, 0, 1}, -4}, 0, &front, &back);   // z = -4
    ASSERT_EQ(front.Size(), 2u);
    ASSERT_EQ(back.Size(), 2u);
    EXPECT_DOUBLE_EQ(front.v[0].p.z, -4);
    EXPECT_DOUBLE_EQ(back.v[1].p.z, -4);
}

// Overlap on the figure: shared area and its centroid, nothing for polygons
// that only touch or lie apart, and the part of a segment inside.
TEST(EyePolygon, OverlapsOnTheFigure)
{
    const FigurePoint a[4] = {{0, 0}, {4, 0}, {4, 4}, {0, 4}};
    const FigurePoint b[3] = {{2, 2}, {6, 2}, {2, 6}};   // clockwise or not: either
    FigurePoint c;
    EXPECT_NEAR(OverlapArea(a, 4, b, 3, &c), 4, 1e-9);   // the square's corner [2, 4] x [2, 4]
    EXPECT_TRUE(Overlaps(a, 4, b, 3));
    EXPECT_NEAR(c.x, 3, 1e-9);
    EXPECT_NEAR(c.y, 3, 1e-9);
    const FigurePoint cut[3] = {{1, 1}, {6, 1}, {1, 6}};   // x + y <= 7 cuts the corner (4, 4) off
    EXPECT_NEAR(OverlapArea(a, 4, cut, 3, &c), 9 - 0.5, 1e-9);

    const FigurePoint touching[4] = {{4, 0}, {8, 0}, {8, 4}, {4, 4}};
    EXPECT_EQ(OverlapArea(a, 4, touching, 4, &c), 0);
    EXPECT_FALSE(Overlaps(a, 4, touching, 4));
    const FigurePoint apart[3] = {{5, 5}, {9, 5}, {5, 9}};
    EXPECT_FALSE(Overlaps(a, 4, apart, 3));
    const FigurePoint reversed[4] = {{0, 4}, {4, 4}, {4, 0}, {0, 0}};
    EXPECT_NEAR(OverlapArea(a, 4, reversed, 4, &c), 16, 1e-9);

    double t0 = 0, t1 = 0;
    ASSERT_TRUE(SegmentInside({-2, 2}, {6, 2}, a, 4, &t0, &t1));
    EXPECT_DOUBLE_EQ(t0, 0.25);
    EXPECT_DOUBLE_EQ(t1, 0.75);
    EXPECT_FALSE(SegmentInside({-2, 6}, {6, 6}, a, 4, &t0, &t1));
}

// The SVG is well-formed XML; every gradient is defined before it is used;
// lines of one stroke in a row share a path; fills without an outline say
// so inside a stroked group; texts keep their curves.
TEST(SvgFigure, WritesWellFormedCompactSvg)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        SvgFigureCanvas canvas(buffer, 200, 100, QStringLiteral("a <title> & more"));
        canvas.Background(qRgb(0, 0, 0));
        const FigurePaint white = FigurePaint::Solid(qRgb(255, 255, 255));
        canvas.Polyline({QPointF(0, 0), QPointF(10, 10)}, white, 1.5);
        canvas.Polyline({QPointF(10, 10), QPointF(20, 5)}, white, 1.5);
        const FigurePaint red = FigurePaint::Solid(qRgb(255, 0, 0));
        canvas.Polygon({QPointF(1, 1), QPointF(5, 1), QPointF(5, 5)}, red, &white, 1.5);
        canvas.Polygon({QPointF(1, 1), QPointF(5, 1), QPointF(5, 5)}, red, nullptr, 0);
        FigurePaint ramp;
        ramp.from = QPointF(0, 0);
        ramp.to = QPointF(10, 0);
        ramp.stops = {{0.0, Qt::blue}, {1.0, Qt::yellow}};
        canvas.Polygon({QPointF(1, 1), QPointF(9, 1), QPointF(9, 9)}, ramp, &ramp, 1);
        canvas.Polyline({QPointF(0, 0), QPointF(5, 5)}, ramp, 1);
        QPainterPath text;
        text.moveTo(0, 0);
        text.cubicTo(1, 2, 3, 4, 5, 0);
        canvas.Path(text, qRgb(0, 255, 0));
        ASSERT_TRUE(canvas.Finish());
    }
    const QByteArray svg = buffer.data();
    QXmlStreamReader xml(svg);
    QSet<QString> defined;
    int paths = 0, groups = 0;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("linearGradient"))
            defined << xml.attributes().value(QLatin1String("id")).toString();
        if (xml.name() == QLatin1String("g"))
            ++groups;
        if (xml.name() == QLatin1String("title")) {
            EXPECT_EQ(xml.readElementText(), QStringLiteral("a <title> & more"));
        }
        if (xml.name() != QLatin1String("path"))
            continue;
        ++paths;
        for (const char *paint : {"fill", "stroke"}) {
            const QString value = xml.attributes().value(QLatin1String(paint)).toString();
            if (value.startsWith(QLatin1String("url(#"))) {
                EXPECT_TRUE(defined.contains(value.mid(5).chopped(1))) << value.toStdString();
            }
        }
    }
    ASSERT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    EXPECT_EQ(paths, 6) << "two lines in one path, three polygons, a gradient line and a text";
    EXPECT_EQ(defined.size(), 2) << "fill and outline share one definition";
    EXPECT_EQ(groups, 2) << "the document's and the white stroke's";
    EXPECT_TRUE(svg.contains("d=\"M0 0l10 10M10 10l10-5\"")) << svg.toStdString();
    EXPECT_TRUE(svg.contains("stroke=\"none\"")) << "a fill without outline in a stroked group";
    EXPECT_TRUE(svg.contains("C1 2 3 4 5 0")) << "curves stay curves";
}

} // namespace
