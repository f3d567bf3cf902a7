#include "view3d/IsoSurface.h"

#include <cmath>
#include <unordered_map>

namespace {

constexpr uint32_t kNoVertex = UINT32_MAX;
// Crossings nearer a grid point than this part of an edge lie on the point.
constexpr double kOnPoint = 1e-9;

// Corner c of a cell lies at offset (c & 1, c >> 1 & 1, c >> 2 & 1) from its
// first grid point.  The six faces, each with its corners counter-clockwise
// about its outward normal: the cells on both sides of a face walk its edges
// in opposite directions.
constexpr int kFaces[6][4] = {{0, 4, 6, 2}, {1, 3, 7, 5}, {0, 1, 5, 4}, {2, 6, 7, 3}, {0, 2, 3, 1}, {4, 5, 7, 6}};

// A cell's edge between corners a and b (one bit apart): 3 * lower corner +
// axis, 0 to 23.
int EdgeOf(int a, int b)
{
    const int lower = a < b ? a : b, bit = a ^ b;
    return 3 * lower + (bit == 1 ? 0 : bit == 2 ? 1
                                                : 2);
}

int Offset(int corner, int axis)
{
    return corner >> axis & 1;
}

void Normalize(double (&v)[3])
{
    const double length = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
    if (!(length > 1e-300) || !std::isfinite(length)) {
        v[0] = v[1] = v[2] = 0;
        return;
    }
    for (double &c : v)
        c /= length;
}

class Polygoniser {
public:
    explicit Polygoniser(const VolumeSamples &s) : s_(s)
    {
        const size_t plane = size_t(s.n[1]) * s.n[2] * 3;
        edges_[0].assign(plane, kNoVertex);
        edges_[1].assign(plane, kNoVertex);
        // A negative step mirrors the grid, and with it every triangle's turn.
        int mirrored = 0;
        for (const double step : s.step)
            mirrored += step < 0;
        flip_ = mirrored % 2 == 1;
    }

    IsoMesh Run()
    {
        if (s_.values.size() != size_t(s_.n[0]) * s_.n[1] * s_.n[2] || s_.n[0] < 2 || s_.n[1] < 2 || s_.n[2] < 2)
            return std::move(mesh_);
        for (uint32_t i = 0; i + 1 < s_.n[0]; ++i) {
            for (uint32_t j = 0; j + 1 < s_.n[1]; ++j)
                for (uint32_t k = 0; k + 1 < s_.n[2]; ++k)
                    Cell(i, j, k);
            // The plane i + 1 becomes the first of the next layer of cells.
            std::swap(edges_[0], edges_[1]);
            std::fill(edges_[1].begin(), edges_[1].end(), kNoVertex);
        }
        return std::move(mesh_);
    }

private:
    void Cell(uint32_t i, uint32_t j, uint32_t k)
    {
        i_ = i, j_ = j, k_ = k;
        unsigned positive = 0;
        for (int c = 0; c < 8; ++c) {
            f_[c] = s_.At(i + Offset(c, 0), j + Offset(c, 1), k + Offset(c, 2));
            if (!std::isfinite(f_[c]))
                return;
            positive |= unsigned(f_[c] >= 0) << c;
        }
        if (positive == 0 || positive == 0xFF)
            return;
        positive_ = positive;
        int next[24];
        std::fill(std::begin(next), std::end(next), -1);
        for (const auto &face : kFaces)
            FaceSegments(face, next);
        bool done[24] = {};
        for (int start = 0; start < 24; ++start) {
            if (next[start] < 0 || done[start])
                continue;
            loop_.clear();
            for (int e = start; !done[e]; e = next[e]) {
                done[e] = true;
                const uint32_t v = EdgeVertex(e);
                if (loop_.empty() || loop_.back() != v)
                    loop_.push_back(v);
            }
            while (loop_.size() > 1 && loop_.front() == loop_.back())
                loop_.pop_back();
            Triangulate();
        }
    }

    bool Positive(int corner) const { return positive_ >> corner & 1; }

    // The segments the surface cuts across one face, each from the edge
    // where the sign turns from positive to negative (walking the face
    // counter-clockwise) to the edge where it turns back: the positive side
    // lies to the left of every segment, seen from outside the cell.
    void FaceSegments(const int (&q)[4], int (&next)[24]) const
    {
        int changes = 0;
        for (int e = 0; e < 4; ++e)
            changes += Positive(q[e]) != Positive(q[(e + 1) % 4]);
        if (changes == 2) {
            int rising = -1, falling = -1;
            for (int e = 0; e < 4; ++e) {
                const int a = q[e], b = q[(e + 1) % 4];
                if (!Positive(a) && Positive(b))
                    rising = EdgeOf(a, b);
                else if (Positive(a) && !Positive(b))
                    falling = EdgeOf(a, b);
            }
            next[falling] = rising;
        } else if (changes == 4) {
            // The bilinear interpolant's value at its saddle decides which
            // pair of opposite corners the face joins.
            const double a = f_[q[0]], b = f_[q[1]], c = f_[q[2]], d = f_[q[3]];
            const bool positiveJoined = (a * c - b * d) / (a + c - b - d) >= 0;
            for (int m = 0; m < 4; ++m) {
                const int before = q[(m + 3) % 4], corner = q[m], after = q[(m + 1) % 4];
                if (Positive(corner) == positiveJoined)
                    continue;
                // The corner is cut off alone.
                if (positiveJoined)
                    next[EdgeOf(before, corner)] = EdgeOf(corner, after);
                else
                    next[EdgeOf(corner, after)] = EdgeOf(before, corner);
            }
        }
    }

    // The vertex where the surface crosses the cell's edge `e`, shared with
    // every cell around that edge.
    uint32_t EdgeVertex(int e)
    {
        const int lower = e / 3, axis = e % 3;
        const uint32_t i = i_ + Offset(lower, 0), j = j_ + Offset(lower, 1), k = k_ + Offset(lower, 2);
        uint32_t &slot = edges_[Offset(lower, 0)][(size_t(j) * s_.n[2] + k) * 3 + axis];
        if (slot != kNoVertex)
            return slot;
        const uint32_t p[3] = {i, j, k};
        uint32_t q[3] = {i, j, k};
        ++q[axis];
        const double f0 = s_.At(p[0], p[1], p[2]), f1 = s_.At(q[0], q[1], q[2]);
        // A crossing that rounding puts on a grid point (f there is 0, or
        // as good as 0) is that point's vertex: every edge that ends there
        // shares it, instead of leaving triangles without area between them.
        const double t = f0 / (f0 - f1);
        if (!(t > kOnPoint))
            slot = PointVertex(p);
        else if (!(t < 1 - kOnPoint))
            slot = PointVertex(q);
        else
            slot = NewVertex(p, q, t);
        return slot;
    }

    // A vertex on a grid point where f is 0: all the edges that end there
    // share it.
    uint32_t PointVertex(const uint32_t (&p)[3])
    {
        const auto found = pointVertices_.emplace(s_.Index(p[0], p[1], p[2]), kNoVertex);
        if (found.second)
            found.first->second = NewVertex(p, p, 0);
        return found.first->second;
    }

    uint32_t NewVertex(const uint32_t (&p)[3], const uint32_t (&q)[3], double t)
    {
        IsoMesh::Vertex v;
        double gp[3], gq[3];
        Gradient(p, gp);
        Gradient(q, gq);
        for (int a = 0; a < 3; ++a) {
            const double at = p[a] + t * (double(q[a]) - p[a]);
            v.p[a] = s_.start[a] + at * s_.step[a];
            v.normal[a] = gp[a] + t * (gq[a] - gp[a]);
        }
        Normalize(v.normal);
        mesh_.vertices.push_back(v);
        return uint32_t(mesh_.vertices.size() - 1);
    }

    // f's gradient at a grid point from differences of its neighbours'
    // values: central where both are finite, one-sided otherwise.
    void Gradient(const uint32_t (&p)[3], double (&g)[3]) const
    {
        const double here = s_.At(p[0], p[1], p[2]);
        for (int a = 0; a < 3; ++a) {
            g[a] = 0;
            if (s_.step[a] == 0)
                continue;
            uint32_t lo[3] = {p[0], p[1], p[2]}, hi[3] = {p[0], p[1], p[2]};
            double below = NAN, above = NAN;
            if (p[a] > 0) {
                --lo[a];
                below = s_.At(lo[0], lo[1], lo[2]);
            }
            if (p[a] + 1 < s_.n[a]) {
                ++hi[a];
                above = s_.At(hi[0], hi[1], hi[2]);
            }
            const bool hasBelow = std::isfinite(below), hasAbove = std::isfinite(above);
            if (hasBelow && hasAbove)
                g[a] = (above - below) / (2 * s_.step[a]);
            else if (hasAbove)
                g[a] = (above - here) / s_.step[a];
            else if (hasBelow)
                g[a] = (here - below) / s_.step[a];
        }
    }

    void Emit(uint32_t a, uint32_t b, uint32_t c)
    {
        if (a == b || b == c || a == c)
            return;
        IsoMesh::Triangle t;
        t.v[0] = a;
        t.v[1] = flip_ ? c : b;
        t.v[2] = flip_ ? b : c;
        t.oddCell = (i_ + j_ + k_) % 2 == 1;
        mesh_.triangles.push_back(t);
    }

    double Distance2(uint32_t a, uint32_t b) const
    {
        const IsoMesh::Vertex &u = mesh_.vertices[a], &w = mesh_.vertices[b];
        double d = 0;
        for (int k = 0; k < 3; ++k)
            d += (u.p[k] - w.p[k]) * (u.p[k] - w.p[k]);
        return d;
    }

    void Triangulate()
    {
        const std::vector<uint32_t> &l = loop_;
        if (l.size() < 3)
            return;
        if (l.size() == 3) {
            Emit(l[0], l[1], l[2]);
        } else if (l.size() == 4) {
            if (Distance2(l[0], l[2]) <= Distance2(l[1], l[3])) {
                Emit(l[0], l[1], l[2]);
                Emit(l[0], l[2], l[3]);
            } else {
                Emit(l[1], l[2], l[3]);
                Emit(l[1], l[3], l[0]);
            }
        } else {
            const uint32_t centre = Centre();
            for (size_t m = 0; m < l.size(); ++m)
                Emit(centre, l[m], l[(m + 1) % l.size()]);
        }
    }

    // A vertex at the mean of the loop's, of the loop alone.
    uint32_t Centre()
    {
        IsoMesh::Vertex c = {{0, 0, 0}, {0, 0, 0}};
        for (const uint32_t v : loop_) {
            for (int a = 0; a < 3; ++a) {
                c.p[a] += mesh_.vertices[v].p[a] / double(loop_.size());
                c.normal[a] += mesh_.vertices[v].normal[a];
            }
        }
        Normalize(c.normal);
        mesh_.vertices.push_back(c);
        return uint32_t(mesh_.vertices.size() - 1);
    }

    const VolumeSamples &s_;
    IsoMesh mesh_;
    bool flip_ = false;
    // Vertices on the edges that start at the grid points of the current
    // plane (i) and the next (i + 1): three per point, one per axis.
    std::vector<uint32_t> edges_[2];
    std::unordered_map<size_t, uint32_t> pointVertices_;
    // The cell at hand.
    uint32_t i_ = 0, j_ = 0, k_ = 0;
    double f_[8] = {};
    unsigned positive_ = 0;
    std::vector<uint32_t> loop_;
};

} // namespace

IsoMesh PolygoniseVolume(const VolumeSamples &samples)
{
    return Polygoniser(samples).Run();
}
