// Geometry of faces and edges: planes, cones (cylinders included), spheres, tori and
// spline surfaces; straight lines, ellipses and procedural curves; parameter-space curves.
// Each evaluates positions and first derivatives by the parameterisation stored in text.
#pragma once

#include "solidkernel/fieldio.h"
#include "solidkernel/spline.h"
#include "solidkernel/topology.h"

#include <utility>

class SURFACE : public TOPOLOGY_OR_GEOMETRY {
public:
    const char* type_name() const override { return "surface"; }
    int identity(int level = 0) const override;
    // Position and (optionally) first derivatives at (u, v).
    virtual void eval(double u, double v, SPAposition& p, SPAvector* du = nullptr,
                      SPAvector* dv = nullptr) const = 0;
    void io(FieldIo& io) override;  // the ranges that end every surface record
    // Moves the surface by a transform that keeps angles (is_conformal), keeping its
    // parameterisation; throws kernel_failure when it cannot.
    virtual void apply_transf(const SPAtransf& transf) = 0;
    const Interval& u_range() const { return uRange_; }
    const Interval& v_range() const { return vRange_; }
protected:
    SURFACE() = default;
    SURFACE(const SURFACE&) = default;
    void save_type_as(const char* leaf) const;
    Interval uRange_, vRange_;
};

class CURVE : public TOPOLOGY_OR_GEOMETRY {
public:
    const char* type_name() const override { return "curve"; }
    int identity(int level = 0) const override;
    virtual void eval(double t, SPAposition& p, SPAvector* d = nullptr) const = 0;
    // The parameter of the curve point nearest to p (exact for lines and ellipses).
    virtual double param(const SPAposition& p) const = 0;
    virtual bool periodic() const { return false; }
    // Moves the curve by a transform that keeps angles, keeping its parameterisation;
    // throws kernel_failure when it cannot.
    virtual void apply_transf(const SPAtransf& transf) = 0;
    void io(FieldIo& io) override;
    const Interval& range() const { return range_; }
    // The curve's equation: the entity evaluates itself.
    const CURVE& equation() const { return *this; }
protected:
    CURVE() = default;
    CURVE(const CURVE&) = default;
    Interval range_;
};

#define KERNEL_GEOMETRY(Class, word)                                     \
    const char* type_name() const override { return word; }              \
    int identity(int level = 0) const override;                          \
    int size() const override { return sizeof(Class); }                  \
    ENTITY* make_copy() const override { return new Class(*this); }      \
    void io(FieldIo& io) override;                                        \
    void save_type() const override;

class PLANE : public SURFACE {
public:
    KERNEL_GEOMETRY(PLANE, "plane")
    void eval(double u, double v, SPAposition& p, SPAvector* du, SPAvector* dv) const override;
    void apply_transf(const SPAtransf& transf) override;
    SPAposition root, normal, uDir;
    bool reverseV = false;
};

// A cone's frame as its evaluation uses it: the half-angle's sine and cosine turned so the
// cosine is not negative, the radius (negative for a reversed cone), the unit axis and the
// minor axis. Points are centre + (1 + sine u) e(v) + (cosine u radius) axis, with
// e(v) = cos v major + sin v minor.
struct ConeFrame {
    double sine = 0, cosine = 1, radius = 0;
    SPAvector axis, minor;
};

class CONE : public SURFACE {
public:
    KERNEL_GEOMETRY(CONE, "cone")
    void eval(double u, double v, SPAposition& p, SPAvector* du, SPAvector* dv) const override;
    ConeFrame frame() const;
    void apply_transf(const SPAtransf& transf) override;
    SPAposition centre, normal, major;
    double ratio = 1, sinAngle = 0, cosAngle = 1, uScale = 1;
    Interval ellipseRange;
    bool reversed = false;
};

class SPHERE : public SURFACE {
public:
    KERNEL_GEOMETRY(SPHERE, "sphere")
    void eval(double u, double v, SPAposition& p, SPAvector* du, SPAvector* dv) const override;
    void apply_transf(const SPAtransf& transf) override;
    SPAposition centre, uvOrigin, pole;
    double radius = 1;
    bool reverseV = false;
};

class TORUS : public SURFACE {
public:
    KERNEL_GEOMETRY(TORUS, "torus")
    void eval(double u, double v, SPAposition& p, SPAvector* du, SPAvector* dv) const override;
    void apply_transf(const SPAtransf& transf) override;
    SPAposition centre, normal, uvOrigin;
    double majorRadius = 1, minorRadius = 0.5;
    bool reverseV = false;
};

class SPLINE : public SURFACE {
public:
    KERNEL_GEOMETRY(SPLINE, "spline")
    // Evaluates the spline approximation; outside its knots the end values are used.
    void eval(double u, double v, SPAposition& p, SPAvector* du, SPAvector* dv) const override;
    void apply_transf(const SPAtransf& transf) override;
    const bs3_surface& approximation() const { return surface_; }
    bool reversed = false;
private:
    RawData definition_;
    bs3_surface surface_;
};

class STRAIGHT : public CURVE {
public:
    KERNEL_GEOMETRY(STRAIGHT, "straight")
    void eval(double t, SPAposition& p, SPAvector* d) const override;
    double param(const SPAposition& p) const override;
    void apply_transf(const SPAtransf& transf) override;
    SPAposition root, direction;
};

class ELLIPSE : public CURVE {
public:
    KERNEL_GEOMETRY(ELLIPSE, "ellipse")
    void eval(double t, SPAposition& p, SPAvector* d) const override;
    double param(const SPAposition& p) const override;
    void apply_transf(const SPAtransf& transf) override;
    bool periodic() const override { return true; }
    SPAposition centre, normal, major;
    double ratio = 1;
};

class INTCURVE : public CURVE {
public:
    KERNEL_GEOMETRY(INTCURVE, "intcurve")
    void eval(double t, SPAposition& p, SPAvector* d) const override;
    double param(const SPAposition& p) const override;
    void apply_transf(const SPAtransf& transf) override;
    const bs3_curve& approximation() const { return curve_; }
    // A curve made in the model (not read from text) from its spline alone.
    void set_approximation(bs3_curve curve) { curve_ = std::move(curve); }
    bool reversed = false;
private:
    RawData definition_;
    bs3_curve curve_;
};

// A curve in a face's parameter space: its own data, or a reference to one of the two
// parameter curves of a procedural curve.
class PCURVE : public TOPOLOGY_OR_GEOMETRY {
public:
    KERNEL_GEOMETRY(PCURVE, "pcurve")
    // Parameter-space data stays; surfaces written into the definition move with transf.
    void apply_transf(const SPAtransf& transf);
    // Runs the curve the other way, as its coedge now does.
    void reverse() { reversed_ = !reversed_; }
private:
    long kind_ = 0;
    bool reversed_ = false;
    RawData definition_;
    ENTITY* curve_ = nullptr;
    double du_ = 0, dv_ = 0;
};

extern const int SURFACE_TYPE, CURVE_TYPE, PLANE_TYPE, CONE_TYPE, SPHERE_TYPE, TORUS_TYPE,
    SPLINE_TYPE, STRAIGHT_TYPE, ELLIPSE_TYPE, INTCURVE_TYPE, PCURVE_TYPE;
