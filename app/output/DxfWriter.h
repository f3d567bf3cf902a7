#pragma once

#include <string>

#include <QStringList>

#include "output/ChunkedWriter.h"
#include "view3d/GeometrySink.h"

class CVeltrix2Doc;
class QIODevice;

// Writes the geometry the emitter produces as entities of an ASCII DXF
// drawing in the user's coordinates (x, y, z = GL X, Z, Y), on a layer named
// by the function's label (DxfLayerName): a wire-frame cell as four LINEs,
// any other cell as one 3DFACE, a curve segment as one LINE; a triangle of
// an implicit surface as three LINEs or one 3DFACE whose fourth corner is
// its third, as DXF writes triangles.  Lines end in
// a single line feed.  Writing stops at the first failed write (see Ok()).
// The text is gathered and written in large pieces; the trailer writes the
// rest.
class DxfWriter : public GeometrySink {
public:
    explicit DxfWriter(QIODevice &out) : out_(out) {}

    void WriteHeader();
    // The closing text; the file ends right after the final EOF.  Writes
    // whatever is still gathered.
    void WriteTrailer();

    void BeginFunction(const FunctionRecord &record, double low, double high) override;
    void Cell(const CellGeometry &cell) override;
    void Segment(const SegmentGeometry &segment) override;
    void Triangle(const TriangleGeometry &triangle) override;
    void EndFunction() override {}

    bool Ok() const { return out_.Ok(); }

private:
    void Line(const GLPoint &p, const GLPoint &q);
    void Face(const GLPoint (&corners)[4]);
    void Group(const char *code, double value, int digits);

    ChunkedWriter out_;
    std::string layer_;
    int mode_ = 0;
};

// The layer of a function labelled `label`: the label with its control
// characters (line breaks among them) as "_".
std::string DxfLayerName(const std::string &label);

// The whole drawing of the document: every function in list order, hidden
// ones too, sampled afresh over the current cube.  Functions whose grid
// cannot be made are left out, each with a message in `leftOut`.  False
// when a write failed.
bool WriteDxf(const CVeltrix2Doc &doc, QIODevice &out, QStringList *leftOut = nullptr);
