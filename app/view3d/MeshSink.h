#pragma once

#include <vector>

#include "view3d/FunctionTessellator.h"
#include "view3d/GeometrySink.h"
#include "view3d/RenderMesh.h"

// Turns a function's cells and segments into a RenderMesh in its
// visualization mode.  A grid point shared by cells is one point of the
// mesh; a cell is two triangles, P0 P1 P3 and P1 P2 P3, and its outline the
// four edges P0 P1, P1 P2, P2 P3, P3 P0, each cell drawing its own (so an
// edge between two cells is drawn once from each side, as a cell-by-cell
// drawing does).  The outlines of the filled and gradient modes come in a
// batch per family and level of grid line, so that a drawing can leave out
// those a coarser spacing drops (OutlineThinning.h).
//   WireFrame       the outlines in color1
//   FilledPolygons  faces in color1 (pushed back), outlines in color2
//   ChessBoard      faces in color1 where i + j is odd, color2 where even
//                   (each cell with points of its own)
//   Gradient        faces in their points' colors between color1 and color2
//                   by value (pushed back), outlines in the background color
// Curve segments are lines in color1, or between their ends' gradient
// colors in Gradient.  The triangles of a mesh (an implicit surface) are
// drawn like cells: faces, and their three edges as outlines; in ChessBoard
// by the parity of the grid cell they lie in.  Contour lines on the surface
// are drawn over the faces (pushed back, in every filled mode) in black or
// white, whichever shows on them (in Gradient, on the color of their level);
// those on the floor in color1 or the level's gradient color, unmarked in
// the stencil (they are not the function's points).  Shaded, the faces of the filled modes carry the
// points' normals and are lit; a point whose cells need different normals
// (a corner without neighbours to take it from) is one point per normal.
class MeshSink : public GeometrySink {
public:
    explicit MeshSink(Color background, bool shaded = false) : background_(background), shaded_(shaded) {}

    void BeginFunction(const FunctionRecord &record, double low, double high) override;
    void BeginGrid(uint32_t count1, uint32_t count2, const GridProbe &probe) override;
    void Cell(const CellGeometry &cell) override;
    void Segment(const SegmentGeometry &segment) override;
    void BeginMesh(uint32_t vertexCount) override;
    void Triangle(const TriangleGeometry &triangle) override;
    void ContourLevelsUsed(const std::vector<double> &levels) override;
    void Contour(const ContourGeometry &contour) override;
    void EndFunction() override;
    bool WantsNormals() const override;

    // The range of the gradient colors of the last function.
    GradientRange Range() const { return {low_, high_}; }
    // The contour levels of the last function (none when it has no lines).
    const std::vector<double> &ContourLevels() const { return levels_; }
    // The last function's mesh; the sink is empty afterwards.
    RenderMesh TakeMesh();

private:
    enum BatchRole { Faces,
                     Outlines,
                     Segments,
                     SurfaceContours,
                     FloorContours,
                     kRoles };
    MeshBatch &Batch(BatchRole role);
    // The batch of the outlines on grid line `line`, made on first use.
    MeshBatch &OutlineBatch(const GridLine &line);
    // The filled and gradient modes' outlines, which come by grid line.
    bool ThinnedOutlines() const;
    uint32_t AddPoint(const GLPoint &p, Color color, const GLPoint *normal);
    uint32_t CornerPoint(const CellGeometry &cell, int k);
    // The point `key` of the grid or mesh, shared while its normal is the same.
    uint32_t SharedPoint(size_t key, const GLPoint &p, double value, const GLPoint *normal);
    bool HasFaces() const;

    Color background_;
    bool shaded_;
    Color color1_ = 0, color2_ = 0;
    int mode_ = 0;
    double low_ = 0, high_ = 0;
    RenderMesh mesh_;
    int roles_[kRoles] = {};         // batch index + 1 of each role, 0 before its first use
    // The same for the outlines of each family and level.
    static constexpr int kLevels = 33;
    int outlineBatches_[2][kLevels] = {};
    size_t cells_ = 0;   // in the grid, for the room batches take
    std::vector<uint32_t> slot_;     // grid point -> mesh point + 1, 0 before its first use
    uint32_t count2_ = 0;
    std::vector<double> levels_;
};
