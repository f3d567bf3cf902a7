#include "output/DepthOrder.h"

#include <algorithm>
#include <cmath>
#include <queue>
#include <thread>
#include <tuple>
#include <unordered_map>

#include "output/FigureProjection.h"

namespace {

// Overlaps smaller than this (square pixels, or pixels along a line) are
// edges that only touch.
constexpr double kMinOverlapArea = 1e-3;
constexpr double kMinOverlapLength = 1e-3;

// The two triangles the rasteriser makes of a quadrilateral 0-1-2-3 (last
// vertex convention): 0-1-3 and 1-2-3.
constexpr int kCellTriangles[2][3] = {{0, 1, 3}, {1, 2, 3}};

double Depth(const EyePoint &p) { return -p.z; }

EyePoint Sub(const EyePoint &a, const EyePoint &b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
double Dot(const EyePoint &a, const EyePoint &b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
EyePoint CrossProduct(const EyePoint &a, const EyePoint &b)
{
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

// The triangle of a cell as a polygon; its edge to the other triangle is no
// outline.
EyePolygon CellTriangle(const EyePolygon &cell, int t)
{
    EyePolygon p;
    for (int k = 0; k < 3; ++k)
        p.v.push_back(cell.v[size_t(kCellTriangles[t][k])]);
    // 0-1-3: edges 0-1 and 3-0 are the cell's; 1-2-3: edges 1-2 and 2-3.
    p.outlined = t == 0 ? std::vector<uint8_t>{cell.outlined[0], 0, cell.outlined[3]}
                        : std::vector<uint8_t>{cell.outlined[1], cell.outlined[2], 0};
    return p;
}

// Whether a cell's corners lie in one plane (within a millionth of its
// size): it is then one flat face, not two triangles.
bool Flat(const EyePolygon &cell)
{
    const EyePlane plane = PlaneOf(cell);
    if (!plane.Valid())
        return false;
    const EyePoint &a = cell.v[0].p, &c = cell.v[2].p;
    const double size = std::sqrt((a.x - c.x) * (a.x - c.x) + (a.y - c.y) * (a.y - c.y) + (a.z - c.z) * (a.z - c.z));
    for (const PolygonVertex &v : cell.v)
        if (std::fabs(plane.Distance(v.p)) > 1e-6 * size)
            return false;
    return true;
}

// Whether an item is a cell that bends: two triangles.
bool Bent(const DepthItem &item)
{
    return item.cell && item.shape.v.size() == 4 && !Flat(item.shape);
}

// The polygons an item is cut as: a bent cell's two triangles, else its
// shape.
std::vector<EyePolygon> Pieces(const DepthItem &item)
{
    if (Bent(item))
        return {CellTriangle(item.shape, 0), CellTriangle(item.shape, 1)};
    return {item.shape};
}

// Cuts every piece along the plane; keeps the parts on its positive side,
// and with `both` those on the negative side too.
void CutPieces(std::vector<EyePolygon> &pieces, const EyePlane &plane, bool line, double tolerance, bool both)
{
    std::vector<EyePolygon> kept;
    for (const EyePolygon &p : pieces) {
        EyePolygon positive, negative;
        if (line)
            SplitLine(p, plane, tolerance, &positive, &negative);
        else
            SplitPolygon(p, plane, tolerance, &positive, &negative);
        if (!positive.v.empty())
            kept.push_back(std::move(positive));
        if (both && !negative.v.empty())
            kept.push_back(std::move(negative));
    }
    pieces.swap(kept);
}

// An item of each piece, like `item` otherwise.
void AddPieces(const DepthItem &item, std::vector<EyePolygon> &pieces, std::vector<DepthItem> &to)
{
    for (EyePolygon &p : pieces) {
        DepthItem piece = item;
        piece.cell = false;
        piece.shape = std::move(p);
        to.push_back(std::move(piece));
    }
}

// What the ordering needs of an item, worked out once: its corners on the
// figure, and its facets (flat convex polygons) with their corners' indices,
// their corners on the figure and their planes.  The arrays of all items
// live in shared pools.
struct Facet {
    uint32_t begin = 0;   // into Pools::facetIndex and facetPoints
    int count = 0;
    EyePlane plane;
};

struct Prepared {
    uint32_t pointBegin = 0;                 // into Pools::points, one per vertex
    uint32_t facetBegin = 0, facetCount = 0;  // into Pools::facets
    double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    double zmin = 0, zmax = 0, key = 0;
    // +1 or -1 as a whole cell turns on the figure; 0 for anything else.
    int turn = 0;
    // A whole cell whose four corners make a convex figure polygon: it
    // stands for both its triangles where only overlapping matters.
    bool convex = false;
};

struct Pools {
    std::vector<FigurePoint> points;
    std::vector<Facet> facets;
    std::vector<int> facetIndex;
    std::vector<FigurePoint> facetPoints;

    const FigurePoint *Points(const Prepared &p) const { return points.data() + p.pointBegin; }
    const Facet *FacetsBegin(const Prepared &p) const { return facets.data() + p.facetBegin; }
    const Facet *FacetsEnd(const Prepared &p) const { return facets.data() + p.facetBegin + p.facetCount; }
    int Index(const Facet &f, int k) const { return facetIndex[f.begin + uint32_t(k)]; }
    const FigurePoint *Corners(const Facet &f) const { return facetPoints.data() + f.begin; }
};

Prepared Prepare(const DepthItem &item, const FigureProjection &projection, Pools &pools)
{
    Prepared p;
    const size_t n = item.shape.v.size();
    p.pointBegin = uint32_t(pools.points.size());
    p.zmin = p.zmax = Depth(item.shape.v[0].p);
    double sum = 0;
    for (const PolygonVertex &v : item.shape.v) {
        pools.points.push_back(projection.ToFigure(v.p));
        const double z = Depth(v.p);
        p.zmin = std::min(p.zmin, z);
        p.zmax = std::max(p.zmax, z);
        sum += z;
    }
    p.key = sum / double(n);
    const FigurePoint *points = pools.points.data() + p.pointBegin;
    p.x0 = p.x1 = points[0].x;
    p.y0 = p.y1 = points[0].y;
    for (size_t k = 1; k < n; ++k) {
        p.x0 = std::min(p.x0, points[k].x);
        p.x1 = std::max(p.x1, points[k].x);
        p.y0 = std::min(p.y0, points[k].y);
        p.y1 = std::max(p.y1, points[k].y);
    }
    p.facetBegin = uint32_t(pools.facets.size());
    auto addFacet = [&](const int *indices, int count) {
        Facet f;
        f.begin = uint32_t(pools.facetIndex.size());
        f.count = count;
        const PolygonVertex *stack[64];
        std::vector<const PolygonVertex *> heap;
        const PolygonVertex **corners = stack;
        if (count > 64) {
            heap.resize(size_t(count));
            corners = heap.data();
        }
        for (int k = 0; k < count; ++k) {
            pools.facetIndex.push_back(indices[k]);
            pools.facetPoints.push_back(pools.points[p.pointBegin + uint32_t(indices[k])]);
            corners[k] = &item.shape.v[size_t(indices[k])];
        }
        f.plane = PlaneThrough(corners, count);
        if (f.plane.Valid()) {
            pools.facets.push_back(f);
            ++p.facetCount;
        } else {
            pools.facetIndex.resize(f.begin);
            pools.facetPoints.resize(f.begin);
        }
    };
    if (item.kind == DepthItem::Line)
        return p;
    if (Bent(item)) {
        addFacet(kCellTriangles[0], 3);
        addFacet(kCellTriangles[1], 3);
    } else {
        static const int ascending[8] = {0, 1, 2, 3, 4, 5, 6, 7};
        if (n <= 8) {
            addFacet(ascending, int(n));
        } else {
            std::vector<int> all(n);
            for (size_t k = 0; k < n; ++k)
                all[k] = int(k);
            addFacet(all.data(), int(n));
        }
    }
    if (item.cell && n == 4) {
        const FigurePoint *q = pools.points.data() + p.pointBegin;
        double area = 0;
        for (size_t k = 0; k < 4; ++k)
            area += q[k].x * q[(k + 1) % 4].y - q[(k + 1) % 4].x * q[k].y;
        const int turn = area > 0 ? 1 : area < 0 ? -1
                                                 : 0;
        // A bent cell whose triangles turn different ways folds over: no
        // turn of its own.
        bool same = true;
        for (const Facet *f = pools.FacetsBegin(p); f != pools.FacetsEnd(p); ++f) {
            const FigurePoint *c = pools.Corners(*f);
            const double a = (c[1].x - c[0].x) * (c[2].y - c[0].y) - (c[1].y - c[0].y) * (c[2].x - c[0].x);
            same = same && (a > 0 ? 1 : a < 0 ? -1
                                              : 0) == turn;
        }
        p.turn = same ? turn : 0;
        bool convex = p.turn != 0;
        for (size_t k = 0; k < 4 && convex; ++k) {
            const FigurePoint &a = q[k], &b = q[(k + 1) % 4], &c = q[(k + 2) % 4];
            const double cross = (b.x - a.x) * (c.y - b.y) - (b.y - a.y) * (c.x - b.x);
            convex = cross * p.turn > 0;
        }
        p.convex = convex;
    }
    return p;
}

// Scenes with this many items have their pairs looked at in threads.
constexpr size_t kThreadedItems = 10000;

int PairThreads(size_t items)
{
    if (items < kThreadedItems)
        return 1;
    return int(std::clamp(std::thread::hardware_concurrency(), 1u, 4u));
}

// Calls `pair(thread, a, b)` for every two items whose boxes on the figure
// overlap, once each, through a grid of buckets, in `threads` threads that
// take turns over the rows of buckets.  With `wanted`, only pairs with at
// least one wanted item are visited (the others cost nothing).
template <typename F>
void ForOverlappingBoxes(const std::vector<Prepared> &prepared, int width, int height, int threads, F pair,
                         const std::vector<uint8_t> *wanted = nullptr)
{
    const size_t n = prepared.size();
    if (n < 2)
        return;
    // Buckets about twice the size of an average item, within the figure
    // (and a margin for what lies partly outside it).
    double area = 0;
    for (const Prepared &p : prepared)
        area += (p.x1 - p.x0) * (p.y1 - p.y0);
    const double side = std::clamp(2 * std::sqrt(area / double(n)), 4.0, 512.0);
    const double left = -width * 0.5, top = -height * 0.5;
    const int columns = std::max(1, int(std::ceil(width * 2.0 / side)));
    const int rows = std::max(1, int(std::ceil(height * 2.0 / side)));
    auto column = [&](double x) { return std::clamp(int((x - left) / side), 0, columns - 1); };
    auto row = [&](double y) { return std::clamp(int((y - top) / side), 0, rows - 1); };
    auto isWanted = [&](uint32_t k) { return !wanted || (*wanted)[k]; };

    const size_t buckets = size_t(columns) * size_t(rows);
    std::vector<uint32_t> counts(buckets + 1, 0), wantedCounts(buckets, 0);
    for (uint32_t k = 0; k < n; ++k) {
        const Prepared &p = prepared[k];
        for (int r = row(p.y0); r <= row(p.y1); ++r)
            for (int c = column(p.x0); c <= column(p.x1); ++c) {
                ++counts[size_t(r) * size_t(columns) + size_t(c) + 1];
                wantedCounts[size_t(r) * size_t(columns) + size_t(c)] += isWanted(k);
            }
    }
    for (size_t b = 1; b < counts.size(); ++b)
        counts[b] += counts[b - 1];
    // Each bucket lists its wanted items first.
    std::vector<uint32_t> members(counts.back());
    std::vector<uint32_t> fill(counts.begin(), counts.end() - 1);
    for (int pass = 0; pass < 2; ++pass) {
        for (uint32_t k = 0; k < n; ++k) {
            if (isWanted(k) != (pass == 0))
                continue;
            const Prepared &p = prepared[k];
            for (int r = row(p.y0); r <= row(p.y1); ++r)
                for (int c = column(p.x0); c <= column(p.x1); ++c)
                    members[fill[size_t(r) * size_t(columns) + size_t(c)]++] = k;
        }
    }
    auto visit = [&](int thread) {
        for (int r = thread; r < rows; r += threads) {
            for (int c = 0; c < columns; ++c) {
                const size_t b = size_t(r) * size_t(columns) + size_t(c);
                for (uint32_t m = counts[b]; m < counts[b] + wantedCounts[b]; ++m) {
                    const uint32_t a = members[m];
                    const Prepared &pa = prepared[a];
                    for (uint32_t o = m + 1; o < counts[b + 1]; ++o) {
                        const uint32_t other = members[o];
                        const Prepared &pb = prepared[other];
                        const double x0 = std::max(pa.x0, pb.x0), x1 = std::min(pa.x1, pb.x1);
                        const double y0 = std::max(pa.y0, pb.y0), y1 = std::min(pa.y1, pb.y1);
                        if (x0 > x1 || y0 > y1)
                            continue;
                        // Each pair once: in the bucket of its common box's corner.
                        if (column(x0) != c || row(y0) != r)
                            continue;
                        pair(thread, a, other);
                    }
                }
            }
        }
    };
    std::vector<std::thread> helpers;
    for (int t = 1; t < threads; ++t)
        helpers.emplace_back(visit, t);
    visit(0);
    for (std::thread &h : helpers)
        h.join();
}

// Whether two cells of one surface lie within `reach` steps of each other.
bool Neighbours(const DepthItem &a, const DepthItem &b, int reach = 1)
{
    if (a.group < 0 || a.group != b.group)
        return false;
    const int64_t di = int64_t(a.i) - int64_t(b.i), dj = int64_t(a.j) - int64_t(b.j);
    return di >= -reach && di <= reach && dj >= -reach && dj <= reach;
}

// Where a plane crosses a convex polygon: the interval of the crossing
// along `direction`.  False when the polygon lies on one side.
bool CrossingInterval(const DepthItem &item, const Pools &prepared, const Facet &facet, const EyePlane &plane,
                      const EyePoint &direction, double tolerance, double *lo, double *hi)
{
    bool above = false, below = false;
    double d[64];
    const int n = std::min(facet.count, 64);
    for (int k = 0; k < n; ++k) {
        d[k] = plane.Distance(item.shape.v[size_t(prepared.Index(facet, k))].p);
        above |= d[k] > tolerance;
        below |= d[k] < -tolerance;
    }
    if (!above || !below)
        return false;
    *lo = HUGE_VAL;
    *hi = -HUGE_VAL;
    for (int k = 0; k < n; ++k) {
        const EyePoint &s = item.shape.v[size_t(prepared.Index(facet, k))].p;
        const EyePoint &e = item.shape.v[size_t(prepared.Index(facet, (k + 1) % n))].p;
        const double ds = d[k], de = d[(k + 1) % n];
        if ((ds > 0) == (de > 0))
            continue;
        const double t = ds / (ds - de);
        const EyePoint x{s.x + (e.x - s.x) * t, s.y + (e.y - s.y) * t, s.z + (e.z - s.z) * t};
        const double along = Dot(x, direction);
        *lo = std::min(*lo, along);
        *hi = std::max(*hi, along);
    }
    return *lo <= *hi;
}

// Whether two faces pass through each other.
bool FacetsPierce(const DepthItem &a, const Facet &fa, const DepthItem &b, const Facet &fb, const Pools &pools,
                  double tolerance)
{
    const EyePoint direction = CrossProduct(fa.plane.n, fb.plane.n);
    const double length = std::sqrt(Dot(direction, direction));
    if (length < 1e-12)
        return false;   // parallel planes
    const EyePoint unit{direction.x / length, direction.y / length, direction.z / length};
    double a0, a1, b0, b1;
    if (!CrossingInterval(a, pools, fa, fb.plane, unit, tolerance, &a0, &a1) ||
        !CrossingInterval(b, pools, fb, fa.plane, unit, tolerance, &b0, &b1))
        return false;
    return std::min(a1, b1) - std::max(a0, b0) > tolerance;
}

// Whether a line passes through a face.
bool LinePierces(const DepthItem &line, const DepthItem &face, const Pools &pf, const Facet &f, double tolerance)
{
    const EyePoint &a = line.shape.v[0].p, &b = line.shape.v[1].p;
    const double da = f.plane.Distance(a), db = f.plane.Distance(b);
    if (!((da > tolerance && db < -tolerance) || (da < -tolerance && db > tolerance)))
        return false;
    const double t = da / (da - db);
    const EyePoint x{a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t, a.z + (b.z - a.z) * t};
    for (int k = 0; k < f.count; ++k) {
        const EyePoint &s = face.shape.v[size_t(pf.Index(f, k))].p;
        const EyePoint &e = face.shape.v[size_t(pf.Index(f, (k + 1) % f.count))].p;
        if (Dot(CrossProduct(Sub(e, s), Sub(x, s)), f.plane.n) < -tolerance)
            return false;
    }
    return true;
}

// The depth at a figure point of a facet's plane.
double PlaneDepth(const EyePlane &plane, const EyePoint &ray)
{
    const double along = Dot(plane.n, ray);
    return along == 0 ? HUGE_VAL : plane.d / along;
}

// The depth of a line at the point `u` along its figure image (0 at its
// first end), perspective-correct.
double LineDepth(const DepthItem &line, double u)
{
    const double wa = Depth(line.shape.v[0].p), wb = Depth(line.shape.v[1].p);
    const double t = u * wa / (u * wa + (1 - u) * wb);
    return wa + (wb - wa) * t;
}

} // namespace

DepthOrder::DepthOrder(const FigureProjection &projection) : projection_(projection)
{
    // Depth >= near: -z - near >= 0; depth <= far: far + z >= 0.  The edges:
    // x on the figure >= 0 is focal x - (width / 2) z >= 0, and so on.
    const double f = projection.Scale(1), w = projection.Width() / 2.0, h = projection.Height() / 2.0;
    auto plane = [](double x, double y, double z, double d) {
        const double length = std::sqrt(x * x + y * y + z * z);
        return EyePlane{{x / length, y / length, z / length}, d / length};
    };
    view_ = {plane(0, 0, -1, projection.Near()), plane(0, 0, 1, -projection.Far()), plane(f, 0, -w, 0),
             plane(-f, 0, -w, 0), plane(0, f, -h, 0), plane(0, -f, -h, 0)};
}

void DepthOrder::Add(DepthItem item)
{
    if (item.shape.v.size() < (item.kind == DepthItem::Line ? 2u : 3u))
        return;
    if (item.shape.outlined.size() != item.shape.v.size())
        item.shape.outlined.assign(item.shape.v.size(), 1);
    ClipToView(std::move(item));
}

// Keeps what lies between the near and the far plane and inside the
// figure's edges.  A cell that reaches beyond them becomes the pieces of its
// two triangles.
void DepthOrder::ClipToView(DepthItem item)
{
    bool inside = true;
    for (const EyePlane &plane : view_)
        for (const PolygonVertex &v : item.shape.v)
            inside = inside && plane.Distance(v.p) >= 0;
    if (inside) {
        items_.push_back(std::move(item));
        return;
    }
    std::vector<EyePolygon> pieces = Pieces(item);
    for (const EyePlane &plane : view_)
        CutPieces(pieces, plane, item.kind == DepthItem::Line, 0, false);
    AddPieces(item, pieces, items_);
}

namespace {

// The items with their prepared geometry, and what the two passes count.
struct Work {
    const FigureProjection &projection;
    std::vector<DepthItem> &items;
    std::vector<Prepared> prepared;
    Pools pools;
    DepthOrder::Statistics &stats;
    double tolerance;

    void PrepareAll()
    {
        prepared.clear();
        prepared.reserve(items.size());
        for (const DepthItem &item : items)
            prepared.push_back(Prepare(item, projection, pools));
    }

    void CutPiercingItems();
    std::vector<uint32_t> Order();
    // +1 when item a is in front of item b where they overlap, -1 when b
    // is, 0 when they do not overlap (or cannot be told apart).
    int Front(uint32_t a, uint32_t b) const;
};

void Work::CutPiercingItems()
{
    // Cuts count only beyond this distance: touching is not piercing.
    const double touch = 1e4 * tolerance;
    // Two cells of one graph never pierce each other: the pairs within the
    // largest graph need not even be visited.
    std::unordered_map<int32_t, size_t> graphCells;
    for (const DepthItem &item : items)
        if (item.graph)
            ++graphCells[item.group];
    int32_t largest = -1;
    size_t most = 0;
    for (const auto &[group, count] : graphCells)
        if (count > most) {
            most = count;
            largest = group;
        }
    std::vector<uint8_t> wanted(items.size());
    for (size_t k = 0; k < items.size(); ++k)
        wanted[k] = !(items[k].graph && items[k].group == largest);
    // The planes each item is cut along, gathered per thread.
    const int threads = PairThreads(items.size());
    std::vector<std::unordered_map<uint32_t, std::vector<EyePlane>>> found(static_cast<size_t>(threads));
    ForOverlappingBoxes(prepared, projection.Width(), projection.Height(), threads, [&](int thread, uint32_t a, uint32_t b) {
        std::unordered_map<uint32_t, std::vector<EyePlane>> &cuts = found[size_t(thread)];
        const DepthItem &ia = items[a], &ib = items[b];
        const Prepared &pa = prepared[a], &pb = prepared[b];
        if (ia.kind == DepthItem::Line && ib.kind == DepthItem::Line)
            return;
        if (pa.zmax < pb.zmin || pb.zmax < pa.zmin || Neighbours(ia, ib) ||
            (ia.graph && ia.group == ib.group))
            return;
        if (ia.kind == DepthItem::Line || ib.kind == DepthItem::Line) {
            const uint32_t line = ia.kind == DepthItem::Line ? a : b, face = line == a ? b : a;
            for (const Facet *f = pools.FacetsBegin(prepared[face]); f != pools.FacetsEnd(prepared[face]); ++f)
                if (LinePierces(items[line], items[face], pools, *f, touch))
                    cuts[line].push_back(f->plane);
            return;
        }
        for (const Facet *fa = pools.FacetsBegin(pa); fa != pools.FacetsEnd(pa); ++fa) {
            for (const Facet *fb = pools.FacetsBegin(pb); fb != pools.FacetsEnd(pb); ++fb) {
                if (FacetsPierce(ia, *fa, ib, *fb, pools, touch)) {
                    cuts[a].push_back(fb->plane);
                    cuts[b].push_back(fa->plane);
                }
            }
        } }, &wanted);
    std::unordered_map<uint32_t, std::vector<EyePlane>> cuts = std::move(found[0]);
    for (size_t t = 1; t < found.size(); ++t)
        for (auto &[k, planes] : found[t])
            cuts[k].insert(cuts[k].end(), planes.begin(), planes.end());
    if (cuts.empty())
        return;
    // Cut in an order of their own, once each: the pieces do not depend on
    // how the pairs were shared among threads.
    auto key = [](const EyePlane &p) { return std::make_tuple(p.n.x, p.n.y, p.n.z, p.d); };
    for (auto &[k, planes] : cuts) {
        std::sort(planes.begin(), planes.end(), [&](const EyePlane &a, const EyePlane &b) { return key(a) < key(b); });
        planes.erase(std::unique(planes.begin(), planes.end(),
                                 [&](const EyePlane &a, const EyePlane &b) { return key(a) == key(b); }),
                     planes.end());
    }

    // The first piece of a cut item takes its place, the others go to the
    // end; the rest keep their prepared geometry.
    const size_t before = items.size();
    for (const auto &[k, planes] : cuts) {
        ++stats.cuts;
        std::vector<EyePolygon> pieces = Pieces(items[k]);
        for (const EyePlane &plane : planes)
            CutPieces(pieces, plane, items[k].kind == DepthItem::Line, tolerance, true);
        std::vector<DepthItem> made;
        AddPieces(items[k], pieces, made);
        if (made.empty())
            continue;   // nothing left of it with any area: drawn whole
        items[k] = std::move(made[0]);
        prepared[k] = Prepare(items[k], projection, pools);
        for (size_t p = 1; p < made.size(); ++p)
            items.push_back(std::move(made[p]));
    }
    for (size_t k = before; k < items.size(); ++k)
        prepared.push_back(Prepare(items[k], projection, pools));
}

int Work::Front(uint32_t a, uint32_t b) const
{
    // A line this close to a face (relative to the depth) lies on it.
    constexpr double tie = 1e-6;
    const DepthItem &ia = items[a], &ib = items[b];
    const Prepared &pa = prepared[a], &pb = prepared[b];
    if (ia.kind == DepthItem::Line && ib.kind == DepthItem::Line)
        return 0;
    if (ia.kind == DepthItem::Line || ib.kind == DepthItem::Line) {
        const bool lineFirst = ia.kind == DepthItem::Line;
        const DepthItem &line = lineFirst ? ia : ib;
        const Prepared &pl = lineFirst ? pa : pb, &pf = lineFirst ? pb : pa;
        const FigurePoint *ends = pools.Points(pl);
        double best = kMinOverlapLength, lineDepth = 0, faceDepth = 0;
        const double length = std::hypot(ends[1].x - ends[0].x, ends[1].y - ends[0].y);
        for (const Facet *f = pools.FacetsBegin(pf); f != pools.FacetsEnd(pf); ++f) {
            double t0, t1;
            if (!SegmentInside(ends[0], ends[1], pools.Corners(*f), f->count, &t0, &t1))
                continue;
            if ((t1 - t0) * length <= best)
                continue;
            best = (t1 - t0) * length;
            const double u = (t0 + t1) / 2;
            const FigurePoint at{ends[0].x + (ends[1].x - ends[0].x) * u, ends[0].y + (ends[1].y - ends[0].y) * u};
            lineDepth = LineDepth(line, u);
            faceDepth = PlaneDepth(f->plane, projection.AtDepth(at, 1));
        }
        if (best == kMinOverlapLength)
            return 0;
        // A line on a face shows, as the polygon offset lets it.
        const bool lineInFront = lineDepth <= faceDepth + tie * faceDepth;
        return lineInFront == lineFirst ? 1 : -1;
    }
    // Nearby cells of one surface that turn the same way on the figure lie
    // side by side: for them to overlap, the surface would have to fold
    // over within the one cell between them.
    if (pa.turn != 0 && pa.turn == pb.turn && Neighbours(ia, ib, 2))
        return 0;
    // One lies wholly behind the other: which is in front is known, only
    // whether they overlap is not.
    if (pa.zmax < pb.zmin || pb.zmax < pa.zmin) {
        const int in = pa.zmax < pb.zmin ? 1 : -1;
        if (pa.convex && pb.convex)
            return Overlaps(pools.Points(pa), 4, pools.Points(pb), 4) ? in : 0;
        for (const Facet *fa = pools.FacetsBegin(pa); fa != pools.FacetsEnd(pa); ++fa)
            for (const Facet *fb = pools.FacetsBegin(pb); fb != pools.FacetsEnd(pb); ++fb)
                if (Overlaps(pools.Corners(*fa), fa->count, pools.Corners(*fb), fb->count))
                    return pa.zmax < pb.zmin ? 1 : -1;
        return 0;
    }
    double best = kMinOverlapArea, depthA = 0, depthB = 0;
    for (const Facet *fa = pools.FacetsBegin(pa); fa != pools.FacetsEnd(pa); ++fa) {
        for (const Facet *fb = pools.FacetsBegin(pb); fb != pools.FacetsEnd(pb); ++fb) {
            FigurePoint centroid;
            const double area = OverlapArea(pools.Corners(*fa), fa->count, pools.Corners(*fb), fb->count, &centroid);
            if (area <= best)
                continue;
            best = area;
            const EyePoint ray = projection.AtDepth(centroid, 1);
            depthA = PlaneDepth(fa->plane, ray);
            depthB = PlaneDepth(fb->plane, ray);
        }
    }
    if (best == kMinOverlapArea || depthA == depthB)
        return 0;
    return depthA < depthB ? 1 : -1;
}

std::vector<uint32_t> Work::Order()
{
    const size_t n = items.size();
    // Edges from the item behind to the item in front.
    const int threads = PairThreads(n);
    std::vector<std::vector<std::pair<uint32_t, uint32_t>>> found(static_cast<size_t>(threads));
    ForOverlappingBoxes(prepared, projection.Width(), projection.Height(), threads, [&](int thread, uint32_t a, uint32_t b) {
        const int f = Front(a, b);
        if (f > 0)
            found[size_t(thread)].emplace_back(b, a);
        else if (f < 0)
            found[size_t(thread)].emplace_back(a, b);
    });
    std::vector<std::pair<uint32_t, uint32_t>> edges = std::move(found[0]);
    for (size_t t = 1; t < found.size(); ++t)
        edges.insert(edges.end(), found[t].begin(), found[t].end());
    stats.relations = edges.size();
    // Kahn's topological sort, the farthest free item first.
    std::vector<uint32_t> start(n + 1, 0), targets(edges.size()), indegree(n, 0);
    for (const auto &e : edges) {
        ++start[e.first + 1];
        ++indegree[e.second];
    }
    for (size_t k = 1; k <= n; ++k)
        start[k] += start[k - 1];
    {
        std::vector<uint32_t> fill(start.begin(), start.end() - 1);
        for (const auto &e : edges)
            targets[fill[e.first]++] = e.second;
    }
    auto farther = [&](uint32_t a, uint32_t b) {
        return prepared[a].key != prepared[b].key ? prepared[a].key < prepared[b].key : a > b;
    };
    std::priority_queue<uint32_t, std::vector<uint32_t>, decltype(farther)> ready(farther);
    for (uint32_t k = 0; k < n; ++k)
        if (indegree[k] == 0)
            ready.push(k);
    // For breaking cycles: every item, farthest first (sorted at the first).
    std::vector<uint32_t> byDepth;
    size_t nextByDepth = 0;
    std::vector<uint8_t> done(n, 0);
    std::vector<uint32_t> order;
    order.reserve(n);
    while (order.size() < n) {
        uint32_t k;
        if (!ready.empty()) {
            k = ready.top();
            ready.pop();
            if (done[k])
                continue;
        } else {
            if (byDepth.empty()) {
                byDepth.resize(n);
                for (uint32_t i = 0; i < n; ++i)
                    byDepth[i] = i;
                std::sort(byDepth.begin(), byDepth.end(), [&](uint32_t a, uint32_t b) { return farther(b, a); });
            }
            while (done[byDepth[nextByDepth]])
                ++nextByDepth;
            k = byDepth[nextByDepth];
            ++stats.cyclesBroken;
        }
        done[k] = 1;
        order.push_back(k);
        for (uint32_t e = start[k]; e < start[k + 1]; ++e) {
            const uint32_t t = targets[e];
            if (indegree[t] > 0 && --indegree[t] == 0 && !done[t])
                ready.push(t);
        }
    }
    return order;
}

} // namespace

std::vector<DepthItem> DepthOrder::Sorted()
{
    // Distances are compared relative to the size of the scene in view.
    double extent = 0;
    for (const DepthItem &item : items_)
        for (const PolygonVertex &v : item.shape.v)
            extent = std::max(extent, Depth(v.p));
    Work work{projection_, items_, {}, {}, stats_, 1e-9 * std::max(extent, 1e-300)};
    work.PrepareAll();
    work.CutPiercingItems();
    const std::vector<uint32_t> order = work.Order();
    std::vector<DepthItem> out;
    out.reserve(order.size());
    for (uint32_t k : order)
        out.push_back(std::move(items_[k]));
    items_.clear();
    stats_.items = out.size();
    return out;
}
