// A face in its surface's parameter plane: its loops mapped into one rectangle (cut where a
// periodic direction starts again, reaching out to poles and apexes the face may cover),
// and which points of the rectangle belong to the face. Both the faceter and the parameter
// lines work on it.
#pragma once

#include "SurfaceParam.h"

#include <vector>

// A point of a face's boundary as the caller sampled it along a coedge.
struct BoundaryNode {
    SPAposition p;
    int id = -1;       // the caller's name for the point (shared by the faces that use it)
    int edge = -1;     // the caller's edge the boundary runs along from this point, the
    int index = -1;    // point's place in that edge's points and the next point's place
    int nextIndex = -1;
    bool vertex = false;
};
// One loop: the nodes of its coedges in order, each shared end given once.
using LoopNodes = std::vector<BoundaryNode>;

class FaceDomain {
public:
    struct Point {
        double u, v;
        int loop, node;   // the node it came from, or -1 for a point cut at a seam
        SPAposition p;    // the 3D position (a node's own, or the cut point's)
    };
    // A stretch of boundary inside the rectangle: closed, or running from rim to rim.
    struct Piece {
        std::vector<Point> points;
        bool closed = false;
    };
    // A boundary segment between two nodes that crosses a seam without a node on it.
    struct Crossing {
        int loop, node;  // the segment from this node to the next of its loop
        int direction;   // the periodic direction whose seam it crosses
        double value;    // that seam's parameter value (unwrapped as the segment has it)
    };

    FaceDomain(const SurfaceParam& surface, bool faceReversed, const std::vector<LoopNodes>& loops);

    // False when the face has no usable domain (no loops on an unbounded surface, a
    // boundary that does not map into the plane).
    bool valid() const { return valid_; }
    const SurfaceParam& surface() const { return surface_; }
    // The rectangle, direction 0 (u) and 1 (v).
    double low(int d) const { return low_[d]; }
    double high(int d) const { return high_[d]; }
    // The rectangle's sides across direction d are one seam (the direction is periodic).
    bool seamed(int d) const { return seamed_[d]; }
    // The side at low(d) (or high(d)) is a line of the surface that collapses to a point.
    bool singularLow(int d) const { return singularLow_[d]; }
    bool singularHigh(int d) const { return singularHigh_[d]; }
    // +1 when the face lies left of its boundary in (u, v) (u across, v up), else -1.
    int side() const { return side_; }
    // Metric lengths of a unit step in u and in v, on average over the face.
    double scale(int d) const { return scale_[d]; }
    // The range the face covers in direction d (the rectangle less its margins).
    double coveredLow(int d) const { return coveredLow_[d]; }
    double coveredHigh(int d) const { return coveredHigh_[d]; }
    bool coversPeriod(int d) const { return coversPeriod_[d]; }

    const std::vector<Piece>& pieces() const { return pieces_; }
    const std::vector<Crossing>& crossings() const { return crossings_; }
    // The face has no loops: the whole rectangle is the face.
    bool whole() const { return whole_; }

    bool inside(double u, double v) const;
    // The point lies on the rectangle's rim.
    bool onRim(double u, double v) const;
    // Along the line where direction d has the given value: the stretches of the other
    // direction's parameter that lie in the face, in increasing order.
    std::vector<std::pair<double, double>> insideAlong(int d, double value) const;

private:
    struct Uv {
        double x[2];
        int loop, node;
        SPAposition p;
    };
    bool unwrapLoop(const LoopNodes& nodes, int loop, const std::vector<int>& singularDir,
                    const std::vector<double>& singularValue, std::vector<Uv>& out) const;
    void chooseRectangle(const std::vector<std::vector<Uv>>& loops, const std::vector<LoopNodes>& input);
    void chooseSeam(int d, const std::vector<std::vector<Uv>>& loops, const std::vector<LoopNodes>& input);
    void chooseRange(int d, double minX, double maxX);
    void cutIntoPieces(const std::vector<Uv>& loop);
    void chooseReference();
    int crossingsTo(double u, double v) const;

    const SurfaceParam& surface_;
    bool valid_ = false, whole_ = false, unbounded_ = false;
    double low_[2] = {0, 0}, high_[2] = {0, 0};
    double seam_[2] = {0, 0};
    bool seamed_[2] = {false, false};
    bool singularLow_[2] = {false, false}, singularHigh_[2] = {false, false};
    double coveredLow_[2] = {0, 0}, coveredHigh_[2] = {0, 0};
    bool coversPeriod_[2] = {false, false};
    double scale_[2] = {1, 1};
    int side_ = 1;
    std::vector<Piece> pieces_;
    std::vector<Crossing> crossings_;
    std::vector<double> touched_[2];  // singular values some node lies on
    // A point whose membership is known: outside the rectangle, or just beside the boundary.
    double refU_ = 0, refV_ = 0;
    bool refInside_ = false;
};
