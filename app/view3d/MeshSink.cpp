// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "view3d/MeshSink.h"

#include <algorithm>
#include <array>
#include <iterator>

#include "model/FunctionRecord.h"
#include "view3d/ContourLines.h"
#include "view3d/GradientColor.h"

namespace {

constexpr int kCornerI[4] = {0, 1, 1, 0}, kCornerJ[4] = {0, 0, 1, 1};

void Push(std::vector<float> &to, const GLPoint &p)
{
    to.push_back(float(p.x));
    to.push_back(float(p.y));
    to.push_back(float(p.z));
}

void PushColor(std::vector<float> &to, Color c)
{
    const std::array<float, 3> rgb = ColorFloats(c);
    to.insert(to.end(), rgb.begin(), rgb.end());
}

template <size_t N> void Append(std::vector<uint32_t> &to, const uint32_t (&indices)[N])
{
    for (const uint32_t k : indices)
        to.push_back(k);
}

bool SameNormal(const float *stored, const GLPoint &n)
{
    return stored[0] == float(n.x) && stored[1] == float(n.y) && stored[2] == float(n.z);
}

} // namespace

void MeshSink::BeginFunction(const FunctionRecord &record, double low, double high)
{
    color1_ = record.color1;
    color2_ = record.color2;
    mode_ = record.mode;
    low_ = low;
    high_ = high;
    mesh_ = RenderMesh();
    std::fill(std::begin(roles_), std::end(roles_), 0);
    for (auto &family : outlineBatches_)
        std::fill(std::begin(family), std::end(family), 0);
    slot_.clear();
    count2_ = 0;
    cells_ = 0;
    levels_.clear();
}

void MeshSink::BeginMesh(uint32_t vertexCount)
{
    slot_.assign(vertexCount, 0);
    mesh_.positions.reserve(3 * size_t(vertexCount));
}

bool MeshSink::HasFaces() const
{
    return mode_ == FilledPolygons || mode_ == ChessBoard || mode_ == Gradient;
}

// Room for a grid whose cells are all inside: the arrays never move while
// they fill, and take no more than they need.
void MeshSink::BeginGrid(uint32_t count1, uint32_t count2, const GridProbe &probe)
{
    slot_.assign(size_t(count1) * count2, 0);
    count2_ = count2;
    mesh_.probe = probe;
    const size_t cells = count1 > 1 && count2 > 1 ? size_t(count1 - 1) * (count2 - 1) : 0;
    cells_ = cells;
    const size_t points = mode_ == ChessBoard ? 4 * cells : slot_.size();
    mesh_.positions.reserve(3 * points);
    if (mode_ == Gradient || mode_ == ChessBoard)
        mesh_.colors.reserve(3 * points);
    if (WantsNormals())
        mesh_.normals.reserve(3 * points);
    if (mode_ == FilledPolygons || mode_ == ChessBoard || mode_ == Gradient)
        Batch(Faces).indices.reserve(6 * cells);
    if (mode_ == WireFrame)
        Batch(Outlines).indices.reserve(8 * cells);
}

bool MeshSink::WantsNormals() const
{
    return shaded_ && (mode_ == FilledPolygons || mode_ == ChessBoard || mode_ == Gradient);
}

// Batches are made on first use, in the order they are drawn: a function has
// either cells (faces, then outlines) or segments.
MeshBatch &MeshSink::Batch(BatchRole role)
{
    int &slot = roles_[role];
    if (slot == 0) {
        MeshBatch b;
        const bool faces = role == Faces;
        b.primitive = faces ? MeshBatch::Triangles : MeshBatch::Lines;
        b.lit = faces && WantsNormals();
        // Contour lines lie on the faces: the faces give way to them.
        b.pushedBack = faces && (mode_ == FilledPolygons || mode_ == Gradient || !levels_.empty());
        b.pointColors = (faces && mode_ == ChessBoard) || (mode_ == Gradient && role != Outlines);
        b.unmarked = role == FloorContours;
        // The role's outlines are a wire frame's, or a mesh's edges; a grid's
        // in the other modes come by grid line (OutlineBatch).
        switch (role) {
        case Outlines:
            b.color = mode_ == FilledPolygons ? color2_ : mode_ == Gradient ? background_
                                                                            : color1_;
            break;
        case SurfaceContours: b.color = SurfaceContourColor(mode_, color1_, color2_, low_, high_, 0); break;
        default: b.color = color1_; break;
        }
        mesh_.batches.push_back(std::move(b));
        slot = int(mesh_.batches.size());
    }
    return mesh_.batches[size_t(slot - 1)];
}

bool MeshSink::ThinnedOutlines() const
{
    return mode_ == FilledPolygons || mode_ == Gradient;
}

MeshBatch &MeshSink::OutlineBatch(const GridLine &line)
{
    const uint8_t level = std::min<uint8_t>(GridLineLevel(line.index), kLevels - 1);
    int &slot = outlineBatches_[line.family][level];
    if (slot == 0) {
        MeshBatch b;
        b.primitive = MeshBatch::Lines;
        b.color = mode_ == FilledPolygons ? color2_ : background_;
        b.outline = OutlineClass{int8_t(line.family), level};
        // A family's edges are two per cell; half its lines are of level 0,
        // a quarter of level 1, and so on.
        b.indices.reserve(4 * cells_ / (size_t(1) << std::min<int>(level + 1, 20)) + 16);
        mesh_.batches.push_back(std::move(b));
        slot = int(mesh_.batches.size());
    }
    return mesh_.batches[size_t(slot - 1)];
}

uint32_t MeshSink::AddPoint(const GLPoint &p, Color color, const GLPoint *normal)
{
    const uint32_t index = uint32_t(mesh_.PointCount());
    Push(mesh_.positions, p);
    if (mode_ == Gradient || mode_ == ChessBoard)
        PushColor(mesh_.colors, color);
    if (normal)
        Push(mesh_.normals, *normal);
    return index;
}

uint32_t MeshSink::CornerPoint(const CellGeometry &c, int k)
{
    return SharedPoint(size_t(c.i + kCornerI[k]) * count2_ + c.j + kCornerJ[k], c.p[k], c.value[k],
                       WantsNormals() ? &c.normal[k] : nullptr);
}

uint32_t MeshSink::SharedPoint(size_t key, const GLPoint &p, double value, const GLPoint *normal)
{
    uint32_t &slot = slot_[key];
    if (slot != 0 && (!normal || SameNormal(&mesh_.normals[size_t(slot - 1) * 3], *normal)))
        return slot - 1;
    const Color color = mode_ == Gradient ? GradientColor(low_, high_, value, color1_, color2_) : 0;
    const uint32_t added = AddPoint(p, color, normal);
    if (slot == 0)
        slot = added + 1;
    return added;
}

void MeshSink::Cell(const CellGeometry &c)
{
    const bool faces = HasFaces();
    if (!faces && mode_ != WireFrame)
        return;
    uint32_t p[4];
    if (mode_ == ChessBoard) {
        // Neighbouring cells differ in color: every cell has points of its
        // own, and the faces are drawn in cell order like the other modes'.
        const Color color = (c.i + c.j) % 2 ? color1_ : color2_;
        for (int k = 0; k < 4; ++k)
            p[k] = AddPoint(c.p[k], color, WantsNormals() ? &c.normal[k] : nullptr);
    } else {
        for (int k = 0; k < 4; ++k)
            p[k] = CornerPoint(c, k);
    }
    if (faces)
        Append(Batch(Faces).indices, {p[0], p[1], p[3], p[1], p[2], p[3]});
    if (mode_ == WireFrame)
        Append(Batch(Outlines).indices, {p[0], p[1], p[1], p[2], p[2], p[3], p[3], p[0]});
    if (ThinnedOutlines())
        for (int e = 0; e < 4; ++e)
            Append(OutlineBatch(CellEdgeLine(c.i, c.j, e)).indices, {p[e], p[(e + 1) % 4]});
}

void MeshSink::Triangle(const TriangleGeometry &t)
{
    if (!HasFaces() && mode_ != WireFrame)
        return;
    uint32_t p[3];
    for (int k = 0; k < 3; ++k) {
        const GLPoint *normal = WantsNormals() ? &t.normal[k] : nullptr;
        if (mode_ == ChessBoard)
            p[k] = AddPoint(t.p[k], t.odd ? color1_ : color2_, normal);
        else
            p[k] = SharedPoint(t.vertex[k], t.p[k], t.value[k], normal);
    }
    if (HasFaces())
        Append(Batch(Faces).indices, {p[0], p[1], p[2]});
    if (mode_ != ChessBoard)
        Append(Batch(Outlines).indices, {p[0], p[1], p[1], p[2], p[2], p[0]});
}

void MeshSink::ContourLevelsUsed(const std::vector<double> &levels)
{
    levels_ = levels;
    if (!levels_.empty() && roles_[Faces] != 0)
        mesh_.batches[size_t(roles_[Faces] - 1)].pushedBack = true;
}

void MeshSink::Contour(const ContourGeometry &c)
{
    MeshBatch &b = Batch(c.onFloor ? FloorContours : SurfaceContours);
    const Color color = c.onFloor ? FloorContourColor(mode_, color1_, color2_, low_, high_, c.level)
                                  : SurfaceContourColor(mode_, color1_, color2_, low_, high_, c.level);
    // Lines are not lit, but every point has a normal once some have.
    static const GLPoint up{0, 1, 0};
    for (const GLPoint &p : c.p)
        b.indices.push_back(AddPoint(p, color, WantsNormals() ? &up : nullptr));
}

void MeshSink::Segment(const SegmentGeometry &s)
{
    MeshBatch &b = Batch(Segments);
    for (int e = 0; e < 2; ++e)
        b.indices.push_back(AddPoint(s.p[e], GradientColor(low_, high_, s.value[e], color1_, color2_), nullptr));
}

void MeshSink::EndFunction()
{
    slot_ = {};
    // Contour lines cross the outlines at the same depth: drawn first, they
    // keep those pixels and stay whole.
    int firstOutline = roles_[Outlines];
    for (const auto &family : outlineBatches_)
        for (const int slot : family)
            if (slot != 0 && (firstOutline == 0 || slot < firstOutline))
                firstOutline = slot;
    if (roles_[SurfaceContours] != 0 && firstOutline != 0 && firstOutline < roles_[SurfaceContours]) {
        auto &b = mesh_.batches;
        std::rotate(b.begin() + (firstOutline - 1), b.begin() + (roles_[SurfaceContours] - 1),
                    b.begin() + roles_[SurfaceContours]);
    }
    std::fill(std::begin(roles_), std::end(roles_), 0);
}

RenderMesh MeshSink::TakeMesh()
{
    RenderMesh out = std::move(mesh_);
    mesh_ = RenderMesh();
    return out;
}
