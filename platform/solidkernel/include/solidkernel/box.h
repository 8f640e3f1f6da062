// Axis-aligned boxes and the box of a body: the smallest box holding every point of the
// body's faces, edges and vertices as placed by a transform.
#pragma once

#include "solidkernel/outcome.h"
#include "solidkernel/topology.h"

class SPAbox {
public:
    SPAbox() = default;  // empty
    SPAbox(const SPAposition& low, const SPAposition& high);
    bool empty() const { return empty_; }
    const SPAposition& low() const { return low_; }
    const SPAposition& high() const { return high_; }
    void add(const SPAposition& p);
    SPAbox& operator|=(const SPAbox& other);
    bool contains(const SPAposition& p, double tolerance = 0) const;

private:
    bool empty_ = true;
    SPAposition low_, high_;
};

// The box of the body's geometry as placed by transf (the body's own transform when transf
// is null). Edges and vertices are bounded exactly (lines at their ends, ellipses at their
// extreme angles, procedural curves at the roots of their slope); faces add the points
// inside them where the surface turns (a sphere's or torus's extremes, a cone's apex, a
// spline surface's stationary points). Faces without loops on unbounded surfaces add
// nothing. tight is accepted for the call's shape: the box is always the tight one.
SPAbox get_body_box(const BODY* body, const SPAtransf* transf = nullptr, logical tight = 0);
