#include "output/SceneFigure.h"

#include <algorithm>
#include <cmath>
#include <unordered_map>
#include <unordered_set>

#include "model/CVeltrix2Doc.h"
#include "output/FigureCanvas.h"
#include "output/FigureProjection.h"
#include "view3d/FunctionTessellator.h"
#include "view3d/FurnitureGeometry.h"
#include "view3d/GlyphOutlines.h"
#include "view3d/GradientColor.h"
#include "model/LibraryFunction.h"
#include "view3d/ContourLines.h"
#include "view3d/SceneLighting.h"
#include "view3d/SceneState.h"
#include "view3d/TraceCursor.h"

// A face's outline: drawn along its cell edges in `colour`, or not at all.
// Where the spacing leaves grid lines without outlines, the face is also
// stroked in its own fill along the edges no outline covers.
struct SceneFigure::FaceStyle {
    bool outlined = false;
    QRgb color = 0;
    bool thinned = false;
};

// A text of the scene, as figure outlines, and the colour it is drawn in.
struct SceneFigure::Text {
    QPainterPath path;
    QRgb color = 0;
};

namespace {

// Width of the stroke, in the fill's own colour, around faces without an
// outline: it covers the hairline an antialiasing viewer leaves between
// two faces that share an edge.
constexpr double kSeamWidth = 1.0;

// Corners whose colours differ by at most this much (0..255) are filled
// with one colour; on faces smaller than kSmallFace pixels across, up to
// kSmallFaceSpread.
constexpr double kFlatSpread = 2.0, kSmallFaceSpread = 6.0, kSmallFace = 8.0;

// The sphere of the trace cursor, as the view draws it.
constexpr int kSphereSlices = 8, kSphereStacks = 8;

Rgb ToRgb(Color c)
{
    return {double(ColorRed(c)), double(ColorGreen(c)), double(ColorBlue(c))};
}

QRgb ToQRgb(Color c)
{
    return qRgb(ColorRed(c), ColorGreen(c), ColorBlue(c));
}

int Channel(double v)
{
    return std::clamp(int(std::lround(v)), 0, 255);
}

QRgb ToQRgb(const Rgb &c)
{
    return qRgb(Channel(c.r), Channel(c.g), Channel(c.b));
}

QPointF ToQPoint(const FigurePoint &p)
{
    return {p.x, p.y};
}

// The fill of a polygon whose corners have the given colours: one colour,
// or the linear gradient that comes closest to the colours' plane over it
// (exact where the colours change along one direction, as a gradient
// surface's do).
FigurePaint FillOf(const QPolygonF &points, const std::vector<Rgb> &colors)
{
    const size_t n = colors.size();
    Rgb mean;
    QPointF centre;
    for (size_t k = 0; k < n; ++k) {
        mean.r += colors[k].r / double(n);
        mean.g += colors[k].g / double(n);
        mean.b += colors[k].b / double(n);
        centre += points[int(k)] / double(n);
    }
    double spread = 0;
    for (const Rgb &c : colors)
        spread = std::max({spread, std::fabs(c.r - mean.r), std::fabs(c.g - mean.g), std::fabs(c.b - mean.b)});
    const QRectF box = points.boundingRect();
    const double across = std::hypot(box.width(), box.height());
    if (spread <= kFlatSpread || (spread <= kSmallFaceSpread && across <= kSmallFace))
        return FigurePaint::Solid(ToQRgb(mean));

    // Least squares: colour = mean + gx * dx + gy * dy, channel by channel.
    double sxx = 0, sxy = 0, syy = 0, sxc[3] = {}, syc[3] = {};
    for (size_t k = 0; k < n; ++k) {
        const double dx = points[int(k)].x() - centre.x(), dy = points[int(k)].y() - centre.y();
        const double c[3] = {colors[k].r - mean.r, colors[k].g - mean.g, colors[k].b - mean.b};
        sxx += dx * dx;
        sxy += dx * dy;
        syy += dy * dy;
        for (int ch = 0; ch < 3; ++ch) {
            sxc[ch] += dx * c[ch];
            syc[ch] += dy * c[ch];
        }
    }
    const double det = sxx * syy - sxy * sxy;
    if (!(std::fabs(det) > 1e-12 * (sxx * syy + 1e-300)))
        return FigurePaint::Solid(ToQRgb(mean));
    double gx[3], gy[3];
    for (int ch = 0; ch < 3; ++ch) {
        gx[ch] = (syy * sxc[ch] - sxy * syc[ch]) / det;
        gy[ch] = (sxx * syc[ch] - sxy * sxc[ch]) / det;
    }
    // A gradient changes along one direction: the one along which the
    // colours change most (the largest eigenvector of M^T M, M = [gx gy]).
    double a = 0, b = 0, c = 0;
    for (int ch = 0; ch < 3; ++ch) {
        a += gx[ch] * gx[ch];
        b += gx[ch] * gy[ch];
        c += gy[ch] * gy[ch];
    }
    const double angle = 0.5 * std::atan2(2 * b, a - c);
    const double ux = std::cos(angle), uy = std::sin(angle);
    double lo = 0, hi = 0;
    for (const QPointF &p : points) {
        const double t = (p.x() - centre.x()) * ux + (p.y() - centre.y()) * uy;
        lo = std::min(lo, t);
        hi = std::max(hi, t);
    }
    if (hi - lo < 1e-9)
        return FigurePaint::Solid(ToQRgb(mean));
    auto at = [&](double t) {
        return Rgb{mean.r + t * (gx[0] * ux + gy[0] * uy), mean.g + t * (gx[1] * ux + gy[1] * uy),
                   mean.b + t * (gx[2] * ux + gy[2] * uy)};
    };
    FigurePaint paint;
    paint.from = centre + QPointF(ux, uy) * lo;
    paint.to = centre + QPointF(ux, uy) * hi;
    paint.stops = {{0.0, QColor::fromRgb(ToQRgb(at(lo)))}, {1.0, QColor::fromRgb(ToQRgb(at(hi)))}};
    paint.color = ToQRgb(mean);
    return paint;
}

} // namespace

// Turns the scene into depth items.
class SceneFigure::Builder : public GeometrySink {
public:
    Builder(SceneFigure &figure, const SceneState &scene, DepthOrder &order)
        : figure_(figure), scene_(scene), settings_(scene.doc->Settings()), order_(order),
          light_(HeadlightDirection(scene.camera))
    {
    }

    void Functions();
    void Furniture();

    // GeometrySink
    void BeginFunction(const FunctionRecord &record, double low, double high) override;
    void BeginGrid(uint32_t count1, uint32_t count2, const GridProbe &probe) override;
    void Cell(const CellGeometry &cell) override;
    void Segment(const SegmentGeometry &segment) override;
    void Triangle(const TriangleGeometry &triangle) override;
    void ContourLevelsUsed(const std::vector<double> &levels) override;
    void Contour(const ContourGeometry &contour) override;
    void EndFunction() override;
    bool WantsNormals() const override;

    std::vector<LegendEntry> legend;

private:
    uint32_t Style(bool outlined, Color color, bool thinned = false);
    // `outlined`: which edges carry the outline (all when empty).
    void AddFace(const GLPoint *corners, const Rgb *colors, int count, uint32_t style, bool cell, uint32_t i,
                 uint32_t j, std::vector<uint8_t> outlined = {});
    void AddLine(const GLPoint &a, const GLPoint &b, const Rgb &ca, const Rgb &cb);
    void AddLines(const std::vector<LineSegment> &lines, Color color);
    void AddText(const PlacedText &text, Color color);
    void TraceCursor(const FunctionRecord &record);
    // The colours of a face's corners under the light (shaded surfaces).
    void Light(const GLPoint *corners, const GLPoint *normals, int count, Rgb *colors) const;
    // The colours of a face's corners in the function's mode (false: it has
    // no faces) and the style of its outline.
    bool FaceColors(const double *values, int count, bool odd, Rgb *colors, uint32_t &style) const;

    SceneFigure &figure_;
    const SceneState &scene_;
    const ViewSettings &settings_;
    DepthOrder &order_;
    GLPoint light_;

    // The function being drawn.
    const FunctionRecord *record_ = nullptr;
    int32_t group_ = 0;
    bool graph_ = false;   // the function's surface is a Cartesian graph
    double low_ = 0, high_ = 0;
    uint32_t outlineStyle_ = 0, plainStyle_ = 0;
    // The grid lines outlined on this figure.
    OutlineSpacing spacing_;
    // Wire-frame cells, whose shared edges are drawn once; the same for a
    // mesh's triangles, by their vertices.
    std::vector<CellGeometry> wireCells_;
    std::unordered_set<uint64_t> wireEdges_;
    bool hasLegend_ = false;
};

uint32_t SceneFigure::Builder::Style(bool outlined, Color color, bool thinned)
{
    figure_.faceStyles_.push_back({outlined, ToQRgb(color), thinned});
    return uint32_t(figure_.faceStyles_.size() - 1);
}

void SceneFigure::Builder::AddFace(const GLPoint *corners, const Rgb *colors, int count, uint32_t style,
                                   bool cell, uint32_t i, uint32_t j, std::vector<uint8_t> outlined)
{
    DepthItem item;
    item.kind = DepthItem::Face;
    item.cell = cell;
    item.group = group_;
    item.graph = graph_;
    item.i = i;
    item.j = j;
    item.payload = style;
    for (int k = 0; k < count; ++k)
        item.shape.v.push_back({figure_.projection_->ToEye(corners[k]), colors[k]});
    item.shape.outlined = std::move(outlined);
    order_.Add(std::move(item));
}

void SceneFigure::Builder::AddLine(const GLPoint &a, const GLPoint &b, const Rgb &ca, const Rgb &cb)
{
    DepthItem item;
    item.kind = DepthItem::Line;
    item.group = group_;
    item.shape.v = {{figure_.projection_->ToEye(a), ca}, {figure_.projection_->ToEye(b), cb}};
    order_.Add(std::move(item));
}

void SceneFigure::Builder::AddLines(const std::vector<LineSegment> &lines, Color color)
{
    const Rgb c = ToRgb(color);
    for (const LineSegment &l : lines)
        AddLine(l.a, l.b, c, c);
}

void SceneFigure::Builder::AddText(const PlacedText &text, Color color)
{
    const QPainterPath em = figure_.glyphs_->TextPath(text.text);
    if (em.isEmpty())
        return;
    const FigureProjection &projection = *figure_.projection_;
    const EyePoint at = projection.ToEye(text.at);
    const double depth = -at.z;
    if (depth < projection.Near() || depth > projection.Far())
        return;
    // The text faces the eye: its plane is one of constant depth, which the
    // perspective only scales.
    const FigurePoint origin = projection.ToFigure(at);
    const double s = projection.Scale(depth) * text.scale;
    figure_.texts_.push_back({QTransform(s, 0, 0, -s, origin.x, origin.y).map(em), ToQRgb(color)});

    const QRectF box = em.boundingRect();
    DepthItem item;
    item.kind = DepthItem::Flat;
    item.group = -1;
    item.payload = uint32_t(figure_.texts_.size() - 1);
    const Rgb c = ToRgb(color);
    for (const QPointF &corner : {box.topLeft(), box.topRight(), box.bottomRight(), box.bottomLeft()})
        item.shape.v.push_back({{at.x + text.scale * corner.x(), at.y + text.scale * corner.y(), at.z}, c});
    order_.Add(std::move(item));
}

void SceneFigure::Builder::Functions()
{
    const FunctionList &functions = scene_.doc->Functions();
    for (int p = functions.First(); p >= 0; p = functions.Next(p)) {
        const FunctionRecord &record = functions.At(p);
        if (!record.visible)
            continue;
        const DependentKind kind = LibraryFunction(record).Kind();
        graph_ = kind >= KindZ && kind <= KindY;
        const QString problem = TessellateFunction(*this, record, settings_.cubeDimension, scene_.options.contours);
        if (!problem.isEmpty())
            figure_.leftOut_ << problem;
        graph_ = false;
        if (scene_.trace.on && record.handle == scene_.trace.handle)
            TraceCursor(record);
        ++group_;
    }
}

void SceneFigure::Builder::BeginFunction(const FunctionRecord &record, double low, double high)
{
    record_ = &record;
    low_ = low;
    high_ = high;
    spacing_ = OutlineSpacing();
    wireCells_.clear();
    wireEdges_.clear();
    switch (record.mode) {
    case FilledPolygons: outlineStyle_ = Style(true, record.color2); break;
    case Gradient: outlineStyle_ = Style(true, settings_.backgroundColor); break;
    default: break;
    }
    plainStyle_ = Style(false, 0);
    hasLegend_ = record.mode == Gradient;
    if (hasLegend_)
        legend.push_back({record.label, low, high, record.color1, record.color2, {}});
}

void SceneFigure::Builder::ContourLevelsUsed(const std::vector<double> &levels)
{
    if (hasLegend_)
        legend.back().marks = levels;
}

// A line on the surface lies in the plane of the faces it crosses: brought
// a little nearer the eye along its rays, which leaves it where it is on the
// figure, it is drawn over them, as the view's pushed-back faces let it.
void SceneFigure::Builder::Contour(const ContourGeometry &c)
{
    const Rgb color = ToRgb(c.onFloor ? FloorContourColor(record_->mode, record_->color1, record_->color2, low_,
                                                          high_, c.level)
                                      : SurfaceContourColor(record_->mode, record_->color1, record_->color2, low_,
                                                            high_, c.level));
    DepthItem item;
    item.kind = DepthItem::Line;
    item.group = group_;
    for (const GLPoint &p : c.p) {
        EyePoint e = figure_.projection_->ToEye(p);
        if (!c.onFloor) {
            constexpr double kNearer = 1 - 1e-4;
            e = {e.x * kNearer, e.y * kNearer, e.z * kNearer};
        }
        item.shape.v.push_back({e, color});
    }
    order_.Add(std::move(item));
}

void SceneFigure::Builder::BeginGrid(uint32_t, uint32_t, const GridProbe &probe)
{
    const FigureProjection &projection = *figure_.projection_;
    spacing_ = ChooseOutlineSpacing(
        probe,
        [&projection](const GLPoint &p, double *x, double *y) {
            const EyePoint e = projection.ToEye(p);
            if (!(-e.z > 0))
                return false;
            const FigurePoint f = projection.ToFigure(e);
            *x = f.x;
            *y = f.y;
            return true;
        },
        figure_.lineWidth_);
    if (spacing_.IsEveryLine() || (record_->mode != FilledPolygons && record_->mode != Gradient))
        return;
    outlineStyle_ = Style(true, record_->mode == FilledPolygons ? record_->color2 : settings_.backgroundColor, true);
}

bool SceneFigure::Builder::WantsNormals() const
{
    return scene_.options.shadedSurfaces && record_ &&
           (record_->mode == FilledPolygons || record_->mode == ChessBoard || record_->mode == Gradient);
}

void SceneFigure::Builder::Light(const GLPoint *corners, const GLPoint *normals, int count, Rgb *colors) const
{
    // The light's two-sided model: a face turned away from the eye is lit
    // on its back.  Window y is up, figure y down: front faces turn
    // clockwise on the figure.
    double area = 0;
    FigurePoint f[4];
    for (int k = 0; k < count; ++k)
        f[k] = figure_.projection_->ToFigure(figure_.projection_->ToEye(corners[k]));
    for (int k = 0; k < count; ++k)
        area += f[k].x * f[(k + 1) % count].y - f[(k + 1) % count].x * f[k].y;
    const double side = area < 0 ? 1 : -1;
    for (int k = 0; k < count; ++k) {
        const GLPoint &n = normals[k];
        const double facing = std::max(0.0, side * (n.x * light_.x + n.y * light_.y + n.z * light_.z));
        const double brightness = std::min(1.0, 0.3 + 0.7 * facing);
        colors[k] = {colors[k].r * brightness, colors[k].g * brightness, colors[k].b * brightness};
    }
}

bool SceneFigure::Builder::FaceColors(const double *values, int count, bool odd, Rgb *colors, uint32_t &style) const
{
    style = plainStyle_;
    switch (record_->mode) {
    case FilledPolygons:
        std::fill(colors, colors + count, ToRgb(record_->color1));
        style = outlineStyle_;
        return true;
    case ChessBoard: std::fill(colors, colors + count, ToRgb(odd ? record_->color1 : record_->color2)); return true;
    case Gradient:
        for (int k = 0; k < count; ++k)
            colors[k] = ToRgb(GradientColor(low_, high_, values[k], record_->color1, record_->color2));
        style = outlineStyle_;
        return true;
    default: return false;
    }
}

void SceneFigure::Builder::Cell(const CellGeometry &cell)
{
    if (record_->mode == WireFrame) {
        wireCells_.push_back(cell);
        return;
    }
    Rgb colors[4];
    uint32_t style = plainStyle_;
    if (!FaceColors(cell.value, 4, (cell.i + cell.j) % 2 == 1, colors, style))
        return;
    if (WantsNormals())
        Light(cell.p, cell.normal, 4, colors);
    std::vector<uint8_t> outlined;
    if (style == outlineStyle_ && !spacing_.IsEveryLine()) {
        for (int e = 0; e < 4; ++e) {
            const GridLine line = CellEdgeLine(cell.i, cell.j, e);
            outlined.push_back(spacing_.DrawsLine(line.family, line.index));
        }
    }
    AddFace(cell.p, colors, 4, style, true, cell.i, cell.j, std::move(outlined));
}

// A triangle of a mesh is a face of its own (it meets its neighbours at
// edges, but they are not a grid's), outlined whole.
void SceneFigure::Builder::Triangle(const TriangleGeometry &t)
{
    if (record_->mode == WireFrame) {
        const Rgb color = ToRgb(record_->color1);
        for (int k = 0; k < 3; ++k) {
            const uint32_t a = t.vertex[k], b = t.vertex[(k + 1) % 3];
            if (wireEdges_.insert(uint64_t(std::min(a, b)) << 32 | std::max(a, b)).second)
                AddLine(t.p[k], t.p[(k + 1) % 3], color, color);
        }
        return;
    }
    Rgb colors[3];
    uint32_t style = plainStyle_;
    if (!FaceColors(t.value, 3, t.odd, colors, style))
        return;
    if (WantsNormals())
        Light(t.p, t.normal, 3, colors);
    AddFace(t.p, colors, 3, style, false, 0, 0);
}

void SceneFigure::Builder::Segment(const SegmentGeometry &s)
{
    if (record_->mode == Gradient)
        AddLine(s.p[0], s.p[1], ToRgb(GradientColor(low_, high_, s.value[0], record_->color1, record_->color2)),
                ToRgb(GradientColor(low_, high_, s.value[1], record_->color1, record_->color2)));
    else
        AddLine(s.p[0], s.p[1], ToRgb(record_->color1), ToRgb(record_->color1));
}

void SceneFigure::Builder::EndFunction()
{
    if (wireCells_.empty())
        return;
    // Every edge once: a cell draws its edges towards lower i and j, and the
    // other two where no neighbour will.
    std::unordered_set<uint64_t> present;
    for (const CellGeometry &c : wireCells_)
        present.insert(uint64_t(c.i) << 32 | c.j);
    const Rgb color = ToRgb(record_->color1);
    for (const CellGeometry &c : wireCells_) {
        AddLine(c.p[0], c.p[1], color, color);
        AddLine(c.p[3], c.p[0], color, color);
        if (!present.count(uint64_t(c.i + 1) << 32 | c.j))
            AddLine(c.p[1], c.p[2], color, color);
        if (!present.count(uint64_t(c.i) << 32 | (c.j + 1)))
            AddLine(c.p[2], c.p[3], color, color);
    }
    wireCells_.clear();
}

void SceneFigure::Builder::TraceCursor(const FunctionRecord &record)
{
    TraceState trace = scene_.trace;
    const GLPoint p = PlaceTraceCursor(record, trace).point;
    if (!InsideCube(settings_.cubeDimension, p))
        return;
    const Rgb color = ToRgb(settings_.cursorColor);
    if (settings_.cursorKind == CrossCursor) {
        const double h = settings_.cubeDimension / 2;
        AddLine({p.x, h, p.z}, {p.x, -h, p.z}, color, color);
        AddLine({p.x, p.y, h}, {p.x, p.y, -h}, color, color);
        AddLine({h, p.y, p.z}, {-h, p.y, p.z}, color, color);
        return;
    }
    if (settings_.cursorKind != SphereCursor)
        return;
    // The quadric's sphere about its z axis (GL Z), stack by stack.
    const double r = settings_.cubeDimension / 100;
    auto at = [&](int stack, int slice) {
        const double rho = M_PI * stack / kSphereStacks, theta = 2 * M_PI * slice / kSphereSlices;
        return GLPoint{p.x + r * std::sin(theta) * std::sin(rho), p.y + r * std::cos(theta) * std::sin(rho),
                       p.z + r * std::cos(rho)};
    };
    const uint32_t style = Style(false, 0);
    const Rgb colors[4] = {color, color, color, color};
    ++group_;
    for (int stack = 0; stack < kSphereStacks; ++stack) {
        for (int slice = 0; slice < kSphereSlices; ++slice) {
            GLPoint corners[4] = {at(stack, slice), at(stack + 1, slice), at(stack + 1, slice + 1),
                                  at(stack, slice + 1)};
            // The poles' quadrilaterals are triangles.
            if (stack == 0)
                AddFace(corners + 1, colors, 3, style, false, uint32_t(stack), uint32_t(slice));
            else if (stack == kSphereStacks - 1)
                AddFace(corners, colors, 3, style, false, uint32_t(stack), uint32_t(slice));
            else
                AddFace(corners, colors, 4, style, false, uint32_t(stack), uint32_t(slice));
        }
    }
}

void SceneFigure::Builder::Furniture()
{
    group_ = -1;
    const GlyphMetricsTable &metrics = figure_.glyphs_->AllMetrics();
    if (settings_.showCube) {
        AddLines(CubeEdges(settings_.cubeDimension), settings_.cubeColor);
        if (settings_.showReferenceMarks) {
            AddLines(ReferenceTicks(settings_.cubeDimension), settings_.cubeColor);
            for (const PlacedText &t : ReferenceMarkTexts(settings_, metrics))
                AddText(t, settings_.cubeColor);
        }
    }
    if (settings_.showAxes) {
        AddLines(AxisLines(settings_.cubeDimension), settings_.axesColor);
        for (const PlacedText &t : AxisTexts(settings_, metrics))
            AddText(t, settings_.axesColor);
    }
}

SceneFigure::SceneFigure(const SceneState &scene, int width, int height)
    : width_(width), height_(height), glyphs_(std::make_unique<GlyphOutlines>())
{
    if (!scene.doc)
        return;
    const ViewSettings &s = scene.doc->Settings();
    background_ = s.backgroundColor;
    lineWidth_ = scene.lineWidth;
    projection_ = std::make_unique<FigureProjection>(scene.camera, s, width, height);
    DepthOrder order(*projection_);
    Builder builder(*this, scene, order);
    builder.Functions();
    builder.Furniture();
    items_ = order.Sorted();
    stats_ = order.Stats();
    ShareCellEdges();
    if (scene.options.colorLegend) {
        // Clear of the numbers and letters, in the legend's window
        // coordinates (y up).
        const FigureProjection &projection = *projection_;
        const std::vector<ScreenRect> texts = FurnitureTextRects(
            s, glyphs_->AllMetrics(), scene.camera, [&projection, height](const GLPoint &p, double *x, double *y) {
                const EyePoint e = projection.ToEye(p);
                if (!(-e.z > 0))
                    return false;
                const FigurePoint f = projection.ToFigure(e);
                *x = f.x;
                *y = height - f.y;
                return true;
            });
        legend_ = ComposeLegend(builder.legend, glyphs_->AllMetrics(), width, height, background_, texts);
    }
}

SceneFigure::~SceneFigure() = default;

// An edge between two outlined cells is stroked once, with the cell drawn
// later: stroking it twice would darken it where a viewer smooths it, and
// the later cell's fill would cover half of the first stroke anyway.
void SceneFigure::ShareCellEdges()
{
    auto key = [](int32_t group, int64_t i, int64_t j) {
        return uint64_t(uint32_t(group)) << 44 | uint64_t(i & 0x3FFFFF) << 22 | uint64_t(j & 0x3FFFFF);
    };
    auto outlinedCell = [&](const DepthItem &item) {
        return item.kind == DepthItem::Face && item.cell && faceStyles_[item.payload].outlined;
    };
    std::unordered_map<uint64_t, size_t> position;
    for (size_t k = 0; k < items_.size(); ++k)
        if (outlinedCell(items_[k]))
            position[key(items_[k].group, items_[k].i, items_[k].j)] = k;
    // Across edge e (P0-P1, P1-P2, P2-P3, P3-P0) lies the cell at i + di, j + dj.
    static const int di[4] = {0, 1, 0, -1}, dj[4] = {-1, 0, 1, 0};
    for (size_t k = 0; k < items_.size(); ++k) {
        DepthItem &item = items_[k];
        if (!outlinedCell(item))
            continue;
        for (int e = 0; e < 4; ++e) {
            const auto found = position.find(key(item.group, int64_t(item.i) + di[e], int64_t(item.j) + dj[e]));
            if (found != position.end() && found->second > k)
                item.shape.outlined[size_t(e)] = 0;
        }
    }
}

void SceneFigure::Paint(FigureCanvas &canvas) const
{
    canvas.Background(ToQRgb(background_));
    for (const DepthItem &item : items_) {
        switch (item.kind) {
        case DepthItem::Face: PaintFace(canvas, item); break;
        case DepthItem::Line: PaintLine(canvas, item); break;
        case DepthItem::Flat: PaintText(canvas, item); break;
        }
    }
    PaintLegend(canvas);
}

void SceneFigure::PaintFace(FigureCanvas &canvas, const DepthItem &item) const
{
    const FaceStyle &style = faceStyles_[item.payload];
    QPolygonF points;
    std::vector<Rgb> colors;
    for (const PolygonVertex &v : item.shape.v) {
        points << ToQPoint(projection_->ToFigure(v.p));
        colors.push_back(v.color);
    }
    const FigurePaint fill = FillOf(points, colors);
    const bool whole = std::all_of(item.shape.outlined.begin(), item.shape.outlined.end(), [](uint8_t o) { return o; });
    const FigurePaint outline = FigurePaint::Solid(style.color);
    if (style.outlined && whole) {
        canvas.Polygon(points, fill, &outline, lineWidth_);
        return;
    }
    // The edges of a whole cell that it does not stroke, a neighbour drawn
    // later strokes (unless the spacing left their line without outline); a
    // piece's cut edges need the fill's own stroke.
    if (item.cell && style.outlined && !style.thinned)
        canvas.Polygon(points, fill, nullptr, 0);
    else
        canvas.Polygon(points, fill, &fill, kSeamWidth);
    if (!style.outlined)
        return;
    // The edges to stroke, in runs, starting after one that is not (there
    // is one: the face is not whole).
    const std::vector<uint8_t> &outlined = item.shape.outlined;
    const int n = points.size();
    int start = 0;
    while (outlined[size_t(start)])
        ++start;
    QPolygonF run;
    for (int k = 1; k <= n; ++k) {
        const int e = (start + k) % n;
        if (outlined[size_t(e)]) {
            if (run.isEmpty())
                run << points[e];
            run << points[(e + 1) % n];
        } else if (!run.isEmpty()) {
            canvas.Polyline(run, outline, lineWidth_);
            run.clear();
        }
    }
}

void SceneFigure::PaintLine(FigureCanvas &canvas, const DepthItem &item) const
{
    const QPointF a = ToQPoint(projection_->ToFigure(item.shape.v[0].p));
    const QPointF b = ToQPoint(projection_->ToFigure(item.shape.v[1].p));
    const QRgb ca = ToQRgb(item.shape.v[0].color), cb = ToQRgb(item.shape.v[1].color);
    FigurePaint paint = FigurePaint::Solid(ca);
    if (ca != cb) {
        paint.from = a;
        paint.to = b;
        paint.stops = {{0.0, QColor::fromRgb(ca)}, {1.0, QColor::fromRgb(cb)}};
    }
    canvas.Polyline(QPolygonF{a, b}, paint, lineWidth_);
}

void SceneFigure::PaintText(FigureCanvas &canvas, const DepthItem &item) const
{
    const Text &text = texts_[item.payload];
    if (std::all_of(item.shape.outlined.begin(), item.shape.outlined.end(), [](uint8_t o) { return o; })) {
        canvas.Path(text.path, text.color);
        return;
    }
    // A piece of a text that something passes through.
    QPolygonF piece;
    for (const PolygonVertex &v : item.shape.v)
        piece << ToQPoint(projection_->ToFigure(v.p));
    QPainterPath clip;
    clip.addPolygon(piece);
    clip.closeSubpath();
    canvas.Path(text.path.intersected(clip), text.color);
}

void SceneFigure::PaintLegend(FigureCanvas &canvas) const
{
    if (legend_.items.empty())
        return;
    // The legend is laid out in window coordinates, y up.
    auto point = [&](double x, double y) { return QPointF(x, height_ - y); };
    auto rectangle = [&](double x0, double y0, double x1, double y1) {
        return QPolygonF{point(x0, y0), point(x1, y0), point(x1, y1), point(x0, y1)};
    };
    const QRgb ink = ToQRgb(legend_.ink);
    const FigurePaint inkPaint = FigurePaint::Solid(ink);
    canvas.Polygon(rectangle(legend_.left, legend_.bottom, legend_.right, legend_.top),
                   FigurePaint::Solid(ToQRgb(legend_.background)), &inkPaint, lineWidth_);
    auto text = [&](const LegendText &t) {
        const QPainterPath em = glyphs_->TextPath(t.text);
        if (!em.isEmpty())
            canvas.Path(QTransform(t.size, 0, 0, -t.size, t.x, height_ - t.y).map(em), ink);
    };
    for (const LegendDrawing::Item &item : legend_.items) {
        text(item.label);
        const LegendEntry &e = item.entry;
        FigurePaint bar;
        bar.from = point(item.barLeft, 0);
        bar.to = point(item.barRight, 0);
        for (int k = 0; k <= kLegendBarSegments; ++k) {
            const double t = double(k) / kLegendBarSegments;
            bar.stops.append({t, QColor::fromRgb(ToQRgb(GradientColor(e.low, e.high, e.low + t * (e.high - e.low),
                                                                      e.color1, e.color2)))});
        }
        canvas.Polygon(rectangle(item.barLeft, item.barBottom, item.barRight, item.barTop), bar, &inkPaint,
                       lineWidth_);
        for (const double x : item.markX)
            canvas.Polyline(QPolygonF{point(x, item.barBottom), point(x, item.barTop)}, inkPaint, lineWidth_);
        text(item.low);
        text(item.high);
    }
}
