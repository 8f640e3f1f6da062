// A face's surface as the faceter and the parameter lines see it: positions and outward
// normals at (u, v), the parameters of a point on it, and the shape of its parameter
// plane (periodic directions, natural bounds, lines that collapse to a point such as a
// sphere's poles or a cone's apex).
#pragma once

#include "solidkernel/geometry.h"

#include <vector>

class SurfaceParam {
public:
    enum Kind { kPlane, kCone, kSphere, kTorus, kSpline };

    explicit SurfaceParam(const SURFACE& surface);
    // False when the surface's data cannot be evaluated (zero axes, not-a-number values).
    bool valid() const { return valid_; }

    Kind kind() const { return kind_; }
    const SURFACE& surface() const { return *surface_; }

    // Direction 0 is u, 1 is v.
    bool periodic(int d) const { return periodic_[d]; }
    double period(int d) const { return period_[d]; }
    // The natural range of a direction; unbounded ones (a plane's) report false.
    bool bounded(int d) const { return bounded_[d]; }
    double low(int d) const { return low_[d]; }
    double high(int d) const { return high_[d]; }
    // Parameter values of direction d at which the whole line across collapses to a point.
    const std::vector<double>& singular(int d) const { return singular_[d]; }

    SPAposition eval(double u, double v) const;
    void eval(double u, double v, SPAposition& p, SPAvector& du, SPAvector& dv) const;
    // The unit normal pointing away from the material of a forward face (the surface's own
    // sense: a plane's normal, away from a cone's axis, out of a sphere or a torus tube,
    // du x dv for a spline, each turned round when the surface says it is reversed).
    SPAvector normal(double u, double v) const;
    // The same, but at a collapsed point (a pole, an apex) the normal of the surface just
    // towards (towardU, towardV): the normal the facet there stands for.
    SPAvector normalToward(double u, double v, double towardU, double towardV) const;
    // +1 when du x dv points along normal(), -1 when against it.
    int uvSign() const { return uvSign_; }

    // Parameters of the surface point nearest to p. With a hint the answer is the one near
    // it (and periodic values are brought next to it); without one, principal values.
    void invert(const SPAposition& p, double& u, double& v, const double* hint = nullptr) const;

    // A length that gives the scale of the surface (a radius, a spline's extent).
    double size() const { return size_; }

private:
    void setUp();
    void invertSpline(const SPAposition& p, double& u, double& v, const double* hint) const;
    void newton(const SPAposition& p, double& u, double& v) const;
    bool collapsed(const SPAvector& n) const;

    const SURFACE* surface_;
    Kind kind_ = kPlane;
    bool valid_ = false;
    bool periodic_[2] = {false, false};
    double period_[2] = {0, 0};
    bool bounded_[2] = {false, false};
    double low_[2] = {0, 0}, high_[2] = {0, 0};
    std::vector<double> singular_[2];
    int uvSign_ = 1;
    double size_ = 1.0;
    // Spline samples for finding a start for the inversion.
    int sampleCount_[2] = {0, 0};
    std::vector<SPAposition> samples_;
};

// Brings value next to reference by whole periods.
double nearestPeriodic(double value, double reference, double period);
