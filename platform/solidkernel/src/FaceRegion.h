// Faces as regions of their surface's parameter plane: the parameters of a point on a
// surface, and whether a parameter point lies in a face (on its boundary counts as in).
#pragma once

#include "solidkernel/geometry.h"

#include <vector>

namespace face_region {

struct Params {
    double u = 0, v = 0;
    bool singular = false;  // a pole or apex: every v (or u) meets there, v (u) is arbitrary
};

// The parameters of a surface and the inverse of its evaluation.
class SurfaceChart {
public:
    explicit SurfaceChart(const SURFACE& surface);
    // The parameters of the surface point nearest to p (exact on the surface for analytic
    // surfaces, by Newton steps for splines).
    Params inverse(const SPAposition& p) const;
    double uPeriod() const { return uPeriod_; }  // 0 when not periodic
    // A torus whose tube crosses its axis (a lemon or an apple) meets itself at two tips,
    // u = +-tip; no face crosses them, so each face keeps to one arc of u between them.
    bool tipsSplitU(double& tip) const;
    double vPeriod() const { return vPeriod_; }
    const SURFACE& surface() const { return surface_; }
    // The outward normal of the surface as its record means it (not yet the face's sense),
    // or zero where the surface gives none; only its direction matters.
    SPAvector outwardNormal(double u, double v) const;
    bool hasOutwardConvention() const;

private:
    const SURFACE& surface_;
    double uPeriod_ = 0, vPeriod_ = 0;
    std::vector<Params> splineGrid_;  // spline surfaces: start points of the inverse
    std::vector<SPAposition> splineGridPoints_;
};

// A face's loops as closed polylines in its surface's parameter plane.
class FaceRegion {
public:
    FaceRegion(const FACE& face, const SurfaceChart& chart);
    // Whether the parameter point is in the face or within tolerance of its boundary (in
    // parameter units). A face without loops is its whole surface.
    bool contains(double u, double v, double tolerance = 1e-9) const;
    bool whole() const { return loops_.empty(); }
    // +1 when the face lies left of its loops in the (u, v) plane, -1 when right, 0 when the
    // loops do not say.
    int orientation() const { return orientation_; }

private:
    struct Loop {
        std::vector<Params> points;     // unwrapped: consecutive points within half a period
        double uShift = 0, vShift = 0;  // how far the loop's end lies from its start
    };
    std::vector<Params> sampleLoop(const LOOP& loop) const;
    void addLoop(std::vector<Params> raw);
    int findOrientation(const FACE& face) const;
    double uPeriod() const { return arc_ ? 0 : chart_.uPeriod(); }
    // Puts u into the face's arc between a lemon's tips; false when it lies outside it.
    bool toArc(double& u, double tolerance) const;

    const SurfaceChart& chart_;
    std::vector<Loop> loops_;
    int orientation_ = 0;
    bool arc_ = false;
    double arcLow_ = 0, arcHigh_ = 0;
};

}  // namespace face_region
