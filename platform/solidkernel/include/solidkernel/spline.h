// Spline approximations read from subtype data: knots with multiplicities as entity text
// stores them (end knots once less than textbook NURBS), control points, optional weights.
#pragma once

#include "solidkernel/vecmath.h"

#include <string>
#include <vector>

struct bs3_curve {
    int degree = 0;
    bool rational = false;
    std::vector<double> knots;  // full knot vector, degree + 1 at each end
    std::vector<SPAposition> points;
    std::vector<double> weights;
    bool valid() const { return degree > 0 && !points.empty(); }
    void eval(double t, SPAposition& p, SPAvector* d) const;
};

struct bs3_surface {
    int uDegree = 0, vDegree = 0;
    bool rational = false;
    std::vector<double> uKnots, vKnots;
    int uCount = 0, vCount = 0;  // control points, u varies fastest
    std::vector<SPAposition> points;
    std::vector<double> weights;
    bool valid() const { return uDegree > 0 && vDegree > 0 && !points.empty(); }
    void eval(double u, double v, SPAposition& p, SPAvector* du, SPAvector* dv) const;
    // The surface's exact curve along u at a fixed v, and along v at a fixed u.
    bs3_curve u_curve_at(double v) const;
    bs3_curve v_curve_at(double u) const;
};

// Parses the approximation that starts a curve or surface subtype ("exactcur full nubs 3
// open 2 ..."); tokens are the subtype's own (without the braces). Returns false (and
// leaves the result invalid) when the data is not a spline it can read.
bool parse_bs3_curve(const std::vector<std::string>& tokens, bs3_curve& curve);
bool parse_bs3_surface(const std::vector<std::string>& tokens, bs3_surface& surface);
