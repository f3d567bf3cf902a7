#include "output/EyePolygon.h"

#include <algorithm>
#include <cmath>

namespace {

EyePoint Lerp(const EyePoint &a, const EyePoint &b, double t)
{
    return {a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t, a.z + (b.z - a.z) * t};
}

Rgb Lerp(const Rgb &a, const Rgb &b, double t)
{
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

PolygonVertex Between(const PolygonVertex &a, const PolygonVertex &b, double da, double db)
{
    const double t = da / (da - db);
    return {Lerp(a.p, b.p, t), Lerp(a.color, b.color, t)};
}

double Cross(FigurePoint o, FigurePoint a, FigurePoint b)
{
    return (a.x - o.x) * (b.y - o.y) - (a.y - o.y) * (b.x - o.x);
}

double SignedArea(const FigurePoint *p, int n)
{
    double a = 0;
    for (int k = 0; k < n; ++k) {
        const FigurePoint &s = p[k], &e = p[(k + 1) % n];
        a += s.x * e.y - e.x * s.y;
    }
    return a / 2;
}

// Sutherland-Hodgman: the part of one side of the polygon.  `sign` +1 keeps
// the positive side.  Distances within the tolerance count as 0, so that a
// vertex on the plane belongs to both parts.
void KeepSide(const EyePolygon &in, const std::vector<double> &distance, double sign, EyePolygon *out)
{
    out->v.clear();
    out->outlined.clear();
    const size_t n = in.v.size();
    // The flag of the edge that ends at each vertex given out.
    std::vector<uint8_t> into;
    for (size_t k = 0; k < n; ++k) {
        const size_t s = (k + n - 1) % n;
        const double ds = sign * distance[s], de = sign * distance[k];
        const uint8_t flag = in.outlined[s];
        if (de > 0 && ds < 0) {
            // Entering: the edge along the plane ends at the crossing.
            out->v.push_back(Between(in.v[s], in.v[k], ds, de));
            into.push_back(0);
            out->v.push_back(in.v[k]);
            into.push_back(flag);
        } else if (de >= 0) {
            out->v.push_back(in.v[k]);
            into.push_back(ds < 0 ? 0 : flag);
        } else if (ds > 0) {
            out->v.push_back(Between(in.v[s], in.v[k], ds, de));
            into.push_back(flag);
        }
    }
    const size_t m = out->v.size();
    if (m < 3) {
        out->v.clear();
        return;
    }
    out->outlined.resize(m);
    for (size_t k = 0; k < m; ++k)
        out->outlined[k] = into[(k + 1) % m];
}

} // namespace

EyePlane PlaneThrough(const PolygonVertex *const *points, int count)
{
    EyePlane plane;
    EyePoint c;
    for (int k = 0; k < count; ++k) {
        const EyePoint &a = points[k]->p, &b = points[(k + 1) % count]->p;
        plane.n.x += (a.y - b.y) * (a.z + b.z);
        plane.n.y += (a.z - b.z) * (a.x + b.x);
        plane.n.z += (a.x - b.x) * (a.y + b.y);
        c.x += a.x;
        c.y += a.y;
        c.z += a.z;
    }
    const double length = std::sqrt(plane.n.x * plane.n.x + plane.n.y * plane.n.y + plane.n.z * plane.n.z);
    if (!(length > 0) || count == 0)
        return {};
    plane.n = {plane.n.x / length, plane.n.y / length, plane.n.z / length};
    plane.d = (plane.n.x * c.x + plane.n.y * c.y + plane.n.z * c.z) / count;
    return plane;
}

EyePlane PlaneOf(const EyePolygon &polygon)
{
    const PolygonVertex *stack[16];
    std::vector<const PolygonVertex *> heap;
    const PolygonVertex **points = stack;
    if (polygon.v.size() > 16) {
        heap.resize(polygon.v.size());
        points = heap.data();
    }
    for (size_t k = 0; k < polygon.v.size(); ++k)
        points[k] = &polygon.v[k];
    return PlaneThrough(points, int(polygon.v.size()));
}

void SplitPolygon(const EyePolygon &polygon, const EyePlane &plane, double tolerance, EyePolygon *positive,
                  EyePolygon *negative)
{
    std::vector<double> distance(polygon.v.size());
    bool above = false, below = false;
    for (size_t k = 0; k < polygon.v.size(); ++k) {
        double d = plane.Distance(polygon.v[k].p);
        if (std::fabs(d) <= tolerance)
            d = 0;
        distance[k] = d;
        above |= d > 0;
        below |= d < 0;
    }
    if (!below) {
        *positive = polygon;
        negative->v.clear();
        negative->outlined.clear();
        return;
    }
    if (!above) {
        *negative = polygon;
        positive->v.clear();
        positive->outlined.clear();
        return;
    }
    KeepSide(polygon, distance, 1, positive);
    KeepSide(polygon, distance, -1, negative);
}

void SplitLine(const EyePolygon &line, const EyePlane &plane, double tolerance, EyePolygon *positive,
               EyePolygon *negative)
{
    double da = plane.Distance(line.v[0].p), db = plane.Distance(line.v[1].p);
    if (std::fabs(da) <= tolerance)
        da = 0;
    if (std::fabs(db) <= tolerance)
        db = 0;
    positive->v.clear();
    negative->v.clear();
    if (da >= 0 && db >= 0) {
        *positive = line;
    } else if (da <= 0 && db <= 0) {
        *negative = line;
    } else {
        const PolygonVertex middle = Between(line.v[0], line.v[1], da, db);
        EyePolygon &first = da > 0 ? *positive : *negative, &second = da > 0 ? *negative : *positive;
        first = line;
        first.v[1] = middle;
        second = line;
        second.v[0] = middle;
    }
}

namespace {

// Whether an edge of `p` has all of `q` on its outer side (or on it).
bool EdgeSeparates(const FigurePoint *p, int countP, const FigurePoint *q, int countQ, double orientation)
{
    for (int k = 0; k < countP; ++k) {
        const FigurePoint &e0 = p[k], &e1 = p[(k + 1) % countP];
        bool outside = true;
        for (int m = 0; m < countQ && outside; ++m)
            outside = orientation * Cross(e0, e1, q[m]) <= 0;
        if (outside)
            return true;
    }
    return false;
}

} // namespace

bool Overlaps(const FigurePoint *a, int countA, const FigurePoint *b, int countB)
{
    // Most polygons asked about lie apart: their boxes, or an edge of one,
    // separate them.
    double ax0 = a[0].x, ax1 = a[0].x, ay0 = a[0].y, ay1 = a[0].y;
    for (int k = 1; k < countA; ++k) {
        ax0 = std::min(ax0, a[k].x);
        ax1 = std::max(ax1, a[k].x);
        ay0 = std::min(ay0, a[k].y);
        ay1 = std::max(ay1, a[k].y);
    }
    bool left = true, right = true, above = true, below = true;
    for (int k = 0; k < countB; ++k) {
        left = left && b[k].x <= ax0;
        right = right && b[k].x >= ax1;
        above = above && b[k].y <= ay0;
        below = below && b[k].y >= ay1;
    }
    if (left || right || above || below)
        return false;
    const double turnA = SignedArea(a, countA), turnB = SignedArea(b, countB);
    return turnA != 0 && turnB != 0 && !EdgeSeparates(a, countA, b, countB, turnA) &&
           !EdgeSeparates(b, countB, a, countA, turnB);
}

double OverlapArea(const FigurePoint *a, int countA, const FigurePoint *b, int countB, FigurePoint *centroid)
{
    if (!Overlaps(a, countA, b, countB))
        return 0;
    // Clip a by every edge of b, b taken counter-clockwise.  Clipping by an
    // edge adds at most one vertex: the buffers hold countA + countB.
    const double orientation = SignedArea(b, countB);
    constexpr int kOnStack = 64;
    FigurePoint stackA[kOnStack], stackB[kOnStack];
    std::vector<FigurePoint> heapA, heapB;
    FigurePoint *poly = stackA, *next = stackB;
    if (countA + countB > kOnStack) {
        heapA.resize(size_t(countA + countB));
        heapB.resize(size_t(countA + countB));
        poly = heapA.data();
        next = heapB.data();
    }
    std::copy(a, a + countA, poly);
    int n = countA;
    for (int k = 0; k < countB && n >= 3; ++k) {
        const FigurePoint e0 = orientation > 0 ? b[k] : b[(k + 1) % countB];
        const FigurePoint e1 = orientation > 0 ? b[(k + 1) % countB] : b[k];
        int m = 0;
        for (int v = 0; v < n; ++v) {
            const FigurePoint &s = poly[v == 0 ? n - 1 : v - 1], &e = poly[v];
            const double ds = Cross(e0, e1, s), de = Cross(e0, e1, e);
            if (de >= 0) {
                if (ds < 0)
                    next[m++] = {s.x + (e.x - s.x) * ds / (ds - de), s.y + (e.y - s.y) * ds / (ds - de)};
                next[m++] = e;
            } else if (ds > 0) {
                next[m++] = {s.x + (e.x - s.x) * ds / (ds - de), s.y + (e.y - s.y) * ds / (ds - de)};
            }
        }
        std::swap(poly, next);
        n = m;
    }
    if (n < 3)
        return 0;
    double area = 0, cx = 0, cy = 0;
    for (int v = 0; v < n; ++v) {
        const FigurePoint &s = poly[v], &e = poly[(v + 1) % n];
        const double w = s.x * e.y - e.x * s.y;
        area += w;
        cx += (s.x + e.x) * w;
        cy += (s.y + e.y) * w;
    }
    if (area == 0)
        return 0;
    centroid->x = cx / (3 * area);
    centroid->y = cy / (3 * area);
    return std::fabs(area / 2);
}

bool SegmentInside(FigurePoint a, FigurePoint b, const FigurePoint *polygon, int count, double *t0, double *t1)
{
    const double orientation = SignedArea(polygon, count);
    if (orientation == 0)
        return false;
    double lo = 0, hi = 1;
    for (int k = 0; k < count; ++k) {
        const FigurePoint e0 = orientation > 0 ? polygon[k] : polygon[(k + 1) % count];
        const FigurePoint e1 = orientation > 0 ? polygon[(k + 1) % count] : polygon[k];
        const double da = Cross(e0, e1, a), db = Cross(e0, e1, b);
        if (da < 0 && db < 0)
            return false;
        if (da < 0)
            lo = std::max(lo, da / (da - db));
        else if (db < 0)
            hi = std::min(hi, da / (da - db));
        if (lo >= hi)
            return false;
    }
    *t0 = lo;
    *t1 = hi;
    return true;
}
