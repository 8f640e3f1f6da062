// An edge's curve between the edge's ends, with the queries object snapping asks of it:
// the parameter nearest to a line of sight, the position at a parameter and the point
// nearest to a position; plus the edge queries that need no bounded curve (mid position,
// type tests of geometry).
#pragma once

#include "solidkernel/geometry.h"
#include "solidkernel/transf.h"

// A line of sight: from a root along a direction. A zero direction makes it a point.
struct pick_ray {
    pick_ray() = default;
    pick_ray(const SPAposition& root, const SPAunit_vector& direction)
        : root(root), direction(direction) {}
    SPAposition root;
    SPAunit_vector direction;
};

// Parameters are the edge's: they run along the edge in its own sense, from
// get_start_param to get_end_param.
class BOUNDED_CURVE {
public:
    virtual ~BOUNDED_CURVE();
    // Yes when the curve is closed (its ends meet within SPAresabs) or periodic (its range
    // spans a whole period of a periodic curve): then any parameter is on it.
    virtual logical closed_or_periodic() const;
    // The parameter of the curve point nearest to the ray's line. Lines answer for the
    // whole line, periodic curves within one period from the start, others within the range.
    virtual double param_nearest_to_ray(const pick_ray& ray) const;
    virtual SPAposition eval_position(double param) const;
    // The curve point nearest to a position and its parameter, over the same extent.
    virtual void closest_point(const SPAposition& point, SPAposition& foot, double& param) const;

    double get_start_param() const { return start_; }
    double get_end_param() const { return end_; }
    const CURVE& curve() const { return *curve_; }
    bool reversed() const { return reversed_; }

protected:
    friend BOUNDED_CURVE* get_bounded_curve(EDGE* edge, logical applyBodyTransform);
    BOUNDED_CURVE() = default;
    BOUNDED_CURVE(const BOUNDED_CURVE&) = delete;
    BOUNDED_CURVE& operator=(const BOUNDED_CURVE&) = delete;
    // The extent the nearest-point searches cover.
    virtual void search_extent(double& low, double& high) const;
    SPAvector eval_derivative(double param) const;

    const CURVE* curve_ = nullptr;
    CURVE* ownCopy_ = nullptr;  // the curve moved by the body's transform, when made
    bool reversed_ = false;
    double start_ = 0, end_ = 0;
};

// The edge's curve bounded by the edge, or null when the edge has no curve (or its body's
// transform cannot be applied to it). With applyBodyTransform set, positions include the
// transform of the body owning the edge. The caller deletes it.
BOUNDED_CURVE* get_bounded_curve(EDGE* edge, logical applyBodyTransform = 1);

// The position at the middle of the edge's parameter range, transformed when given.
SPAposition edge_mid_pos(EDGE* edge, const SPAtransf* transf = nullptr);

// The body that owns an edge (through its coedge's loop, face, shell and lump, or its wire),
// or null.
BODY* edge_body(const EDGE* edge);

// Type tests of geometry (null answers false).
inline bool is_ELLIPSE(const ENTITY* e) {
    return e && e->identity(2) == ELLIPSE_TYPE;
}
inline bool is_STRAIGHT(const ENTITY* e) {
    return e && e->identity(2) == STRAIGHT_TYPE;
}
inline bool is_INTCURVE(const ENTITY* e) {
    return e && e->identity(2) == INTCURVE_TYPE;
}
inline bool is_SPHERE(const ENTITY* e) {
    return e && e->identity(2) == SPHERE_TYPE;
}
inline bool is_PLANE(const ENTITY* e) {
    return e && e->identity(2) == PLANE_TYPE;
}
