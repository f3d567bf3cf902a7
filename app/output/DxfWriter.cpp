#include "output/DxfWriter.h"

#include "model/CVeltrix2Doc.h"
#include "view3d/FunctionTessellator.h"

// One group: its code line and its value line.
void DxfWriter::Group(const char *code, double value, int digits)
{
    out_.Append('\n');
    out_.Append(code, 2);
    out_.Append('\n');
    out_.AppendGeneral(value, digits);
}

void DxfWriter::WriteHeader()
{
    out_.Append("0\nSECTION\n2\nENTITIES\n");
}

void DxfWriter::WriteTrailer()
{
    out_.Append("0\nENDSEC\n0\nEOF");
    out_.Finish();
}

// Every group value is one line: a line break in a label would end the
// layer name early and make the rest of it a group code, which readers
// refuse.  Control characters become "_", the rest of the label stays.
std::string DxfLayerName(const std::string &label)
{
    std::string name = label;
    for (char &c : name)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            c = '_';
    return name;
}

void DxfWriter::BeginFunction(const FunctionRecord &record, double, double)
{
    layer_ = DxfLayerName(record.label);
    mode_ = record.mode;
}

void DxfWriter::Cell(const CellGeometry &c)
{
    if (mode_ == WireFrame) {
        for (int k = 0; k < 4; ++k)
            Line(c.p[k], c.p[(k + 1) % 4]);
    } else {
        Face(c.p);
    }
}

void DxfWriter::Triangle(const TriangleGeometry &t)
{
    if (mode_ == WireFrame) {
        for (int k = 0; k < 3; ++k)
            Line(t.p[k], t.p[(k + 1) % 3]);
    } else {
        const GLPoint corners[4] = {t.p[0], t.p[1], t.p[2], t.p[2]};
        Face(corners);
    }
}

void DxfWriter::Segment(const SegmentGeometry &s)
{
    Line(s.p[0], s.p[1]);
}

void DxfWriter::Line(const GLPoint &p, const GLPoint &q)
{
    out_.Append("0\nLINE\n8\n");
    out_.Append(layer_);
    Group("10", p.x, 20);
    Group("20", p.z, 20);
    Group("30", p.y, 20);
    Group("11", q.x, 20);
    Group("21", q.z, 20);
    Group("31", q.y, 20);
    out_.Append('\n');
}

void DxfWriter::Face(const GLPoint (&p)[4])
{
    static const char *const codes[4][3] = {
        {"10", "20", "30"}, {"11", "21", "31"}, {"12", "22", "32"}, {"13", "23", "33"}};
    out_.Append("0\n3DFACE\n8\n");
    out_.Append(layer_);
    for (int k = 0; k < 4; ++k) {
        Group(codes[k][0], p[k].x, 15);
        // The second corner's file Z has always been written with 20 digits
        // like the lines; keeping it keeps drawings identical to earlier ones.
        Group(codes[k][1], p[k].z, k == 1 ? 20 : 15);
        Group(codes[k][2], p[k].y, 15);
    }
    out_.Append('\n');
}

bool WriteDxf(const CVeltrix2Doc &doc, QIODevice &out, QStringList *leftOut)
{
    DxfWriter writer(out);
    writer.WriteHeader();
    const FunctionList &functions = doc.Functions();
    const double cube = doc.Settings().cubeDimension;
    for (int p = functions.First(); p >= 0 && writer.Ok(); p = functions.Next(p)) {
        const FunctionRecord &record = functions.At(p);
        const QString problem = TessellateFunction(writer, record, cube);
        if (!problem.isEmpty() && leftOut)
            *leftOut << problem;
    }
    writer.WriteTrailer();
    return writer.Ok();
}
