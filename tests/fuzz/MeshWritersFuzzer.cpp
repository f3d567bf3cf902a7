// The DXF, OBJ and STL writers on whatever documents the reader accepts.
// Each output is read back by a small checker of its own format: its
// structure, its numbers, and as many entities, vertices and triangles as
// the emitter gave cells, segments and corners.
//
// Input: a document file.  Documents whose grids would take long to sample
// are passed over: the writers, not the sampling, are under test.

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include <QBuffer>
#include <QtEndian>

#include "FuzzSupport.h"
#include "model/CVeltrix2Doc.h"
#include "model/FunctionDefinition.h"
#include "model/LibraryFunction.h"
#include "output/DxfWriter.h"
#include "output/MeshFiles.h"
#include "output/SurfaceMesh.h"
#include "qel/qel.h"
#include "view3d/FunctionTessellator.h"
#include "view3d/SampleGrid.h"

namespace {

constexpr int64_t kMostSamples = 4096;

bool SmallEnough(const CVeltrix2Doc &doc)
{
    int64_t samples = 0;
    for (int p = 0; p < doc.Count(); ++p) {
        int64_t points = 1;
        for (const FunctionVariable &v : LibraryFunction(doc.Get(p).handle).Variables())
            if (v.steps > 0)
                points = std::min(points * (v.steps + 1), kMostSamples + 1);
        samples += points;
        if (samples > kMostSamples)
            return false;
    }
    return true;
}

// What the emitter gives for the whole document, as the DXF writer walks it.
class CountingSink : public GeometrySink {
public:
    size_t lines = 0, faces = 0;

    void BeginFunction(const FunctionRecord &record, double, double) override { mode_ = record.mode; }
    void Cell(const CellGeometry &) override { mode_ == WireFrame ? lines += 4 : ++faces; }
    void Segment(const SegmentGeometry &) override { ++lines; }
    void Triangle(const TriangleGeometry &) override { mode_ == WireFrame ? lines += 3 : ++faces; }
    void EndFunction() override {}

private:
    int mode_ = 0;
};

CountingSink CountGeometry(const CVeltrix2Doc &doc)
{
    CountingSink sink;
    for (int p = 0; p < doc.Count(); ++p) {
        const FunctionRecord record = doc.Get(p);
        DrawSamples(sink, record, SampleGrid(record.text, record.handle, record.label), doc.Settings().cubeDimension);
    }
    return sink;
}

bool ReadNumber(const std::string &text, double *value)
{
    char *end = nullptr;
    *value = std::strtod(text.c_str(), &end);
    return !text.empty() && end == text.c_str() + text.size() && std::isfinite(*value);
}

void CheckDxf(const CVeltrix2Doc &doc)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    FUZZ_CHECK(WriteDxf(doc, buffer), "the drawing is written");
    const std::string text = buffer.data().toStdString();
    const std::string head = "0\nSECTION\n2\nENTITIES\n", tail = "0\nENDSEC\n0\nEOF";
    FUZZ_CHECK(text.compare(0, head.size(), head) == 0, "the drawing starts with its section");
    FUZZ_CHECK(text.size() >= head.size() + tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0,
               "and ends with its end");

    std::vector<std::string> lines;
    std::istringstream in(text.substr(head.size(), text.size() - head.size() - tail.size()));
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    FUZZ_CHECK(lines.size() % 2 == 0, "groups are pairs of lines");
    const double half = doc.Settings().cubeDimension / 2;
    const double reach = std::fabs(half) * (1 + 1e-12) + 1e-300;
    size_t entityLines = 0, entityFaces = 0;
    std::set<std::string> codes;
    const auto finishEntity = [&](const std::string &kind) {
        if (kind == "LINE")
            FUZZ_CHECK(codes == std::set<std::string>({"8", "10", "20", "30", "11", "21", "31"}), "a LINE has its groups");
        else if (kind == "3DFACE")
            FUZZ_CHECK(codes == std::set<std::string>({"8", "10", "20", "30", "11", "21", "31", "12", "22", "32", "13",
                                                       "23", "33"}),
                       "a 3DFACE has its groups");
    };
    std::string kind;
    for (size_t k = 0; k < lines.size(); k += 2) {
        const std::string &code = lines[k], &value = lines[k + 1];
        if (code == "0") {
            finishEntity(kind);
            kind = value;
            FUZZ_CHECK(kind == "LINE" || kind == "3DFACE", "only lines and faces: " + kind);
            kind == "LINE" ? ++entityLines : ++entityFaces;
            codes.clear();
            continue;
        }
        FUZZ_CHECK(!kind.empty(), "groups belong to an entity");
        FUZZ_CHECK(codes.insert(code).second, "no group twice in an entity: " + code);
        if (code == "8")
            continue;
        double v = 0;
        FUZZ_CHECK(ReadNumber(value, &v), "a coordinate is a number: " + value);
        FUZZ_CHECK(std::fabs(v) <= reach, "a coordinate lies in the cube: " + value);
    }
    finishEntity(kind);
    const CountingSink expected = CountGeometry(doc);
    FUZZ_CHECK(entityLines == expected.lines && entityFaces == expected.faces, "an entity for each cell, triangle and segment");
}

void CheckStl(const SceneMesh &mesh)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    if (!StlRefusal(mesh).isEmpty()) {
        FUZZ_CHECK(!WriteStl(mesh, buffer) && buffer.data().isEmpty(), "a refused mesh writes nothing");
        return;
    }
    FUZZ_CHECK(WriteStl(mesh, buffer), "the STL file is written");
    const QByteArray &bytes = buffer.data();
    FUZZ_CHECK(bytes.size() >= 84, "a header and a count");
    FUZZ_CHECK(!bytes.startsWith("solid"), "a binary file does not look like a text one");
    const quint32 count = qFromLittleEndian<quint32>(bytes.constData() + 80);
    FUZZ_CHECK(count == mesh.TriangleCount(), "the count is the mesh's");
    FUZZ_CHECK(size_t(bytes.size()) == 84 + 50 * size_t(count), "fifty bytes a triangle");
    for (quint32 t = 0; t < count; ++t) {
        const char *record = bytes.constData() + 84 + 50 * size_t(t);
        float f[12];
        for (int k = 0; k < 12; ++k)
            f[k] = qFromLittleEndian<float>(record + 4 * k);
        for (float v : f)
            FUZZ_CHECK(std::isfinite(v), "finite numbers");
        const double length = std::sqrt(double(f[0]) * f[0] + double(f[1]) * f[1] + double(f[2]) * f[2]);
        FUZZ_CHECK(length == 0 || std::fabs(length - 1) < 1e-5, "a unit normal");
    }
}

void CheckObj(const SceneMesh &mesh)
{
    QBuffer obj, mtl;
    obj.open(QIODevice::WriteOnly);
    mtl.open(QIODevice::WriteOnly);
    FUZZ_CHECK(WriteObj(mesh, QStringLiteral("scene.mtl"), obj), "the OBJ file is written");
    FUZZ_CHECK(WriteMtl(mesh, mtl), "the material library is written");

    size_t vertices = 0, faces = 0, objects = 0;
    std::vector<std::string> used;
    std::istringstream in(obj.data().toStdString());
    for (std::string line; std::getline(in, line);) {
        std::istringstream words(line);
        std::string keyword;
        words >> keyword;
        if (keyword == "v") {
            std::vector<double> numbers;
            for (std::string word; words >> word;) {
                double v = 0;
                FUZZ_CHECK(ReadNumber(word, &v), "a vertex's numbers: " + line);
                numbers.push_back(v);
            }
            FUZZ_CHECK(numbers.size() == 3 || numbers.size() == 6, "a position, and perhaps a colour");
            for (size_t k = 3; k < numbers.size(); ++k)
                FUZZ_CHECK(numbers[k] >= 0 && numbers[k] <= 1, "colour channels from 0 to 1");
            ++vertices;
        } else if (keyword == "f") {
            int corners = 0;
            for (long index; words >> index; ++corners)
                FUZZ_CHECK(index >= 1 && size_t(index) <= vertices, "a face's corners are vertices given before it");
            FUZZ_CHECK(corners == 3 && words.eof(), "triangles: " + line);
            ++faces;
        } else if (keyword == "o") {
            ++objects;
        } else if (keyword == "usemtl") {
            std::string name;
            words >> name;
            used.push_back(name);
        } else {
            FUZZ_CHECK(keyword == "#" || keyword == "mtllib", "a line of a known kind: " + line);
        }
    }
    size_t expectedVertices = 0;
    for (const FunctionMesh &f : mesh.functions)
        expectedVertices += f.VertexCount();
    FUZZ_CHECK(objects == mesh.functions.size() && used.size() == objects, "an object and a material a surface");
    FUZZ_CHECK(vertices == expectedVertices && faces == mesh.TriangleCount(), "every vertex and triangle");

    std::set<std::string> defined;
    std::istringstream materials(mtl.data().toStdString());
    for (std::string line; std::getline(materials, line);)
        if (line.rfind("newmtl ", 0) == 0)
            FUZZ_CHECK(defined.insert(line.substr(7)).second, "material names are unique");
    for (const std::string &name : used)
        FUZZ_CHECK(defined.count(name), "every material used is defined: " + name);
}

void CheckMesh(const SceneMesh &mesh)
{
    for (const FunctionMesh &f : mesh.functions) {
        FUZZ_CHECK(!f.colored || f.colors.size() == f.VertexCount(), "a colour a vertex");
        for (size_t t = 0; t < f.triangles.size(); t += 3) {
            const uint32_t a = f.triangles[t], b = f.triangles[t + 1], c = f.triangles[t + 2];
            FUZZ_CHECK(a < f.VertexCount() && b < f.VertexCount() && c < f.VertexCount(), "corners are vertices");
            FUZZ_CHECK(a != b && b != c && a != c, "three corners");
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString input = QString::fromStdString(WriteFuzzFile("input.vxf", data, size));
    CVeltrix2Doc doc;
    if (doc.Open(input) != ReadOutcome::Ok || !SmallEnough(doc)) {
        doc.Clear();
        return 0;
    }
    CheckDxf(doc);
    const SceneMesh mesh = BuildSceneMesh(doc);
    CheckMesh(mesh);
    CheckStl(mesh);
    CheckObj(mesh);
    doc.Clear();
    return 0;
}
