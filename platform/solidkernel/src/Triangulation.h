// A constrained triangulation of points in a rectangle, for faceting a face in its
// parameter plane. Coordinates are snapped to an integer lattice so that every orientation
// test is exact; the Delaunay flips use a rounded in-circle test, which can only cost
// shape, never validity. Segments are forced in by flipping the edges that cross them.
#pragma once

#include <cstdint>
#include <vector>

class Triangulation {
public:
    struct Tri {
        int v[3];     // counter-clockwise
        int n[3];     // neighbour across the edge opposite v[i], -1 on the rectangle's rim
        int tag[3];   // 0, or the tag of the segment forced along that edge
    };

    // The rectangle every point lies in; its corners are vertices 0..3.
    Triangulation(double x0, double y0, double x1, double y1);

    // Adds a point (clamped into the rectangle) and returns its vertex; a point that snaps
    // onto an existing vertex returns that vertex.
    int add(double x, double y);
    // Forces the segment a-b in as edges tagged `tag` (> 0), split where it passes through
    // vertices. False when it could not be forced in (it crosses another forced segment).
    bool constrain(int a, int b, int tag);

    const std::vector<Tri>& triangles() const { return tris_; }
    int vertexCount() const { return static_cast<int>(x_.size()); }
    std::int64_t x(int v) const { return x_[v]; }
    std::int64_t y(int v) const { return y_[v]; }
    // Exact orientation of c against a->b: > 0 left, < 0 right, 0 on the line.
    std::int64_t orient(int a, int b, int c) const;
    // The lattice coordinate a value maps to along x or y (for matching rims).
    std::int64_t snapX(double x) const;
    std::int64_t snapY(double y) const;

private:
    int locate(std::int64_t px, std::int64_t py) const;
    int insertAt(int v, int t);
    void legalize(std::vector<std::pair<int, int>>& stack);
    void flip(int t, int i);
    bool findEdge(int a, int b, int& t, int& i) const;
    bool inCircle(int a, int b, int c, int d) const;
    bool crosses(int a, int b, int p, int q) const;
    void setTag(int t, int i, int tag);
    void touch(int t);

    double x0_, y0_, scaleX_, scaleY_;
    std::int64_t maxX_ = std::int64_t(1) << 26, maxY_ = std::int64_t(1) << 26;
    std::vector<std::int64_t> x_, y_;
    std::vector<Tri> tris_;
    std::vector<int> vertexTri_;
    mutable int last_ = 0;
};
