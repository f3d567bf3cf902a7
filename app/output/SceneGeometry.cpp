#include "output/SceneGeometry.h"

#include <cmath>
#include <limits>

#include "model/CVeltrix2Doc.h"
#include "model/CodePage1252.h"
#include "view3d/FunctionTessellator.h"
#include "view3d/GradientColor.h"

namespace {

constexpr uint32_t kNoVertex = std::numeric_limits<uint32_t>::max();

// The user's coordinates of a GL point: x, y, z = GL X, Z, Y.
void AppendUser(std::vector<float> &to, const GLPoint &p)
{
    to.insert(to.end(), {float(p.x), float(p.z), float(p.y)});
}

LineSegment ToUser(const LineSegment &l)
{
    return {{l.a.x, l.a.z, l.a.y}, {l.b.x, l.b.z, l.b.y}};
}

std::vector<LineSegment> ToUser(const std::vector<LineSegment> &lines)
{
    std::vector<LineSegment> out;
    out.reserve(lines.size());
    for (const LineSegment &l : lines)
        out.push_back(ToUser(l));
    return out;
}

// Collects one function's cells and segments.  A cell's corners are keyed
// by their grid sample, so a corner shared by up to four cells is one vertex.
class FunctionSink : public GeometrySink {
public:
    FunctionSink(FunctionGeometry &out, Color background) : out_(out), background_(background) {}

    void BeginGrid(uint32_t count1, uint32_t count2, const GridProbe &) override
    {
        count2_ = count2;
        vertexOfSample_.assign(size_t(count1) * count2, kNoVertex);
    }

    void BeginMesh(uint32_t vertexCount) override { vertexOfSample_.assign(vertexCount, kNoVertex); }

    // A mesh's triangles are drawn as cells are: faces with their edges as
    // outlines (each triangle its own), or the edges alone in WireFrame.
    void Triangle(const TriangleGeometry &t) override
    {
        hasCells_ = true;
        uint32_t v[3];
        for (int k = 0; k < 3; ++k)
            v[k] = MeshVertex(t, k);
        // The user's coordinates mirror GL's: the turn changes with them.
        const std::initializer_list<uint32_t> face = {v[0], v[2], v[1]};
        const std::initializer_list<uint32_t> edges = {v[0], v[1], v[1], v[2], v[2], v[0]};
        switch (mode_) {
        case WireFrame: lines_.insert(lines_.end(), edges); break;
        case ChessBoard: (t.odd ? faces_ : otherFaces_).insert((t.odd ? faces_ : otherFaces_).end(), face); break;
        case FilledPolygons:
        case Gradient:
            faces_.insert(faces_.end(), face);
            lines_.insert(lines_.end(), edges);
            break;
        default: break;
        }
    }

    void BeginFunction(const FunctionRecord &record, double low, double high) override
    {
        low_ = low;
        high_ = high;
        mode_ = record.mode;
    }

    bool WantsNormals() const override
    {
        return mode_ == FilledPolygons || mode_ == ChessBoard || mode_ == Gradient;
    }

    void Cell(const CellGeometry &cell) override
    {
        static const uint32_t di[4] = {0, 1, 1, 0}, dj[4] = {0, 0, 1, 1};
        uint32_t v[4];
        for (int k = 0; k < 4; ++k)
            v[k] = CellVertex(size_t(cell.i + di[k]) * count2_ + cell.j + dj[k], cell, k);
        switch (mode_) {
        case WireFrame: Outline(lines_, v); break;
        case FilledPolygons:
            Faces(faces_, v);
            Outline(lines_, v);
            break;
        case ChessBoard: Faces((cell.i + cell.j) % 2 ? faces_ : otherFaces_, v); break;
        case Gradient:
            Faces(faces_, v);
            Outline(lines_, v);
            break;
        default: break;
        }
    }

    void Segment(const SegmentGeometry &s) override
    {
        uint32_t v[2];
        for (int e = 0; e < 2; ++e) {
            // Segments follow each other along the curve: the end of one is
            // the start of the next.
            if (e == 0 && lastSegmentEnd_ != kNoVertex && SamePoint(lastSegmentEnd_, s.p[0])) {
                v[0] = lastSegmentEnd_;
                continue;
            }
            v[e] = NewVertex(s.p[e], s.value[e]);
        }
        lastSegmentEnd_ = v[1];
        lines_.insert(lines_.end(), {v[0], v[1]});
    }

    void EndFunction() override
    {
        const Color c1 = out_.color1, c2 = out_.color2;
        const bool gradient = mode_ == Gradient;
        AddPart(GeometryPart::Triangles, gradient, c1, faces_);
        AddPart(GeometryPart::Triangles, false, c2, otherFaces_);
        // A curve has no cells; the outlines of cells are in color2 or the
        // background color.
        const bool curve = !hasCells_;
        const Color lineColor = curve ? c1 : mode_ == FilledPolygons ? c2
                                         : mode_ == Gradient         ? background_
                                                                     : c1;
        AddPart(GeometryPart::Lines, gradient && curve, lineColor, lines_);
        if (!HasTriangles())
            out_.normals.clear();
        if (!gradient)
            out_.colors.clear();   // every part has a color of its own
    }

private:
    bool HasTriangles() const
    {
        for (const GeometryPart &p : out_.parts)
            if (p.kind == GeometryPart::Triangles)
                return true;
        return false;
    }

    void AddPart(GeometryPart::Kind kind, bool vertexColors, Color color, std::vector<uint32_t> &indices)
    {
        if (indices.empty())
            return;
        out_.parts.push_back({kind, vertexColors, color, std::move(indices)});
    }

    static void Faces(std::vector<uint32_t> &to, const uint32_t (&v)[4])
    {
        to.insert(to.end(), {v[0], v[1], v[2], v[0], v[2], v[3]});
    }

    static void Outline(std::vector<uint32_t> &to, const uint32_t (&v)[4])
    {
        to.insert(to.end(), {v[0], v[1], v[1], v[2], v[2], v[3], v[3], v[0]});
    }

    bool SamePoint(uint32_t vertex, const GLPoint &p) const
    {
        const float *q = &out_.positions[size_t(vertex) * 3];
        return q[0] == float(p.x) && q[1] == float(p.z) && q[2] == float(p.y);
    }

    uint32_t NewVertex(const GLPoint &p, double value)
    {
        const uint32_t index = uint32_t(out_.VertexCount());
        AppendUser(out_.positions, p);
        out_.colors.push_back(GradientColor(low_, high_, value, out_.color1, out_.color2));
        return index;
    }

    uint32_t MeshVertex(const TriangleGeometry &t, int k)
    {
        uint32_t &index = vertexOfSample_[t.vertex[k]];
        if (index == kNoVertex) {
            index = NewVertex(t.p[k], t.value[k]);
            AppendNormal(t.normal[k]);
        }
        return index;
    }

    uint32_t CellVertex(size_t sample, const CellGeometry &cell, int corner)
    {
        hasCells_ = true;
        uint32_t &index = vertexOfSample_[sample];
        if (index == kNoVertex) {
            index = NewVertex(cell.p[corner], cell.value[corner]);
            AppendNormal(cell.normal[corner]);
        }
        return index;
    }

    // Unit length in single precision, as files keep it.
    void AppendNormal(const GLPoint &n)
    {
        const size_t at = out_.normals.size();
        AppendUser(out_.normals, n);
        float *v = &out_.normals[at];
        const float length = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
        if (!(length > 0) || !std::isfinite(length)) {
            v[0] = v[1] = 0;
            v[2] = 1;
            return;
        }
        for (int k = 0; k < 3; ++k)
            v[k] /= length;
    }

    FunctionGeometry &out_;
    uint32_t count2_ = 0;
    std::vector<uint32_t> vertexOfSample_;
    Color background_;
    double low_ = 0, high_ = 0;
    int mode_ = 0;
    bool hasCells_ = false;
    uint32_t lastSegmentEnd_ = kNoVertex;
    std::vector<uint32_t> faces_, otherFaces_, lines_;
};

void AddTexts(SceneGeometry &scene, const std::vector<PlacedText> &texts, Color color, const GlyphOutlines &glyphs)
{
    for (const PlacedText &t : texts) {
        if (t.text.empty())
            continue;
        scene.texts.push_back({t, color, glyphs.TextContours(t.text)});
    }
}

} // namespace

size_t FunctionGeometry::TriangleCount() const
{
    size_t n = 0;
    for (const GeometryPart &p : parts)
        if (p.kind == GeometryPart::Triangles)
            n += p.indices.size() / 3;
    return n;
}

size_t FunctionGeometry::LineCount() const
{
    size_t n = 0;
    for (const GeometryPart &p : parts)
        if (p.kind == GeometryPart::Lines)
            n += p.indices.size() / 2;
    return n;
}

size_t SceneGeometry::TriangleCount() const
{
    size_t n = 0;
    for (const FunctionGeometry &f : functions)
        n += f.TriangleCount();
    return n;
}

size_t SceneGeometry::LineCount() const
{
    size_t n = cube.size() + ticks.size() + axes.size();
    for (const FunctionGeometry &f : functions)
        n += f.LineCount();
    return n;
}

SceneGeometry BuildSceneGeometry(const CVeltrix2Doc &doc, const GlyphOutlines &glyphs)
{
    SceneGeometry scene;
    const ViewSettings &s = doc.Settings();
    scene.settings = s;
    ForEachShownFunction(doc, scene.notes, [&](int p, const FunctionRecord &record) {
        FunctionGeometry f;
        f.label = record.label;
        f.position = p;
        f.color1 = record.color1;
        f.color2 = record.color2;
        f.mode = record.mode;
        FunctionSink sink(f, s.backgroundColor);
        const QString problem = TessellateFunction(sink, record, s.cubeDimension);
        if (!problem.isEmpty())
            return problem;
        if (f.parts.empty())
            scene.notes << QStringLiteral("%1 has nothing inside the cube.").arg(QuotedLabel(record.label));
        scene.functions.push_back(std::move(f));
        return QString();
    });
    if (s.showCube) {
        scene.cube = ToUser(CubeEdges(s.cubeDimension));
        if (s.showReferenceMarks) {
            scene.ticks = ToUser(ReferenceTicks(s.cubeDimension));
            AddTexts(scene, ReferenceMarkTexts(s, glyphs), s.cubeColor, glyphs);
        }
    }
    if (s.showAxes) {
        scene.axes = ToUser(AxisLines(s.cubeDimension));
        AddTexts(scene, AxisTexts(s, glyphs), s.axesColor, glyphs);
    }
    return scene;
}

void ForEachShownFunction(const CVeltrix2Doc &doc, QStringList &notes,
                          const std::function<QString(int position, const FunctionRecord &)> &take)
{
    const FunctionList &functions = doc.Functions();
    for (int p = functions.First(); p >= 0; p = functions.Next(p)) {
        const FunctionRecord &record = functions.At(p);
        if (!record.visible)
            continue;
        const QString problem = take(p, record);
        if (!problem.isEmpty())
            notes << problem;
    }
}

QString QuotedLabel(const std::string &label)
{
    return QLatin1Char('"') + FromCp1252(label) + QLatin1Char('"');
}

QString FunctionName(const std::string &label, int position)
{
    QString name = FromCp1252(label);
    for (QChar &c : name)
        if (c.category() == QChar::Other_Control)
            c = QLatin1Char('_');
    if (name.trimmed().isEmpty())
        return QStringLiteral("function %1").arg(position + 1);
    return name;
}
