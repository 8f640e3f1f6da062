// Records and evaluation of the geometry classes.
#include "KernelClasses.h"
#include "solidkernel/geometry.h"

#include <cmath>

const int SURFACE_TYPE = new_type_number(), CURVE_TYPE = new_type_number(),
          PLANE_TYPE = new_type_number(), CONE_TYPE = new_type_number(),
          SPHERE_TYPE = new_type_number(), TORUS_TYPE = new_type_number(),
          SPLINE_TYPE = new_type_number(), STRAIGHT_TYPE = new_type_number(),
          ELLIPSE_TYPE = new_type_number(), INTCURVE_TYPE = new_type_number(),
          PCURVE_TYPE = new_type_number();

KERNEL_IDENTITY(SURFACE, ENTITY, SURFACE_TYPE, 1)
KERNEL_IDENTITY(CURVE, ENTITY, CURVE_TYPE, 1)
KERNEL_IDENTITY(PLANE, SURFACE, PLANE_TYPE, 2)
KERNEL_IDENTITY(CONE, SURFACE, CONE_TYPE, 2)
KERNEL_IDENTITY(SPHERE, SURFACE, SPHERE_TYPE, 2)
KERNEL_IDENTITY(TORUS, SURFACE, TORUS_TYPE, 2)
KERNEL_IDENTITY(SPLINE, SURFACE, SPLINE_TYPE, 2)
KERNEL_IDENTITY(STRAIGHT, CURVE, STRAIGHT_TYPE, 2)
KERNEL_IDENTITY(ELLIPSE, CURVE, ELLIPSE_TYPE, 2)
KERNEL_IDENTITY(INTCURVE, CURVE, INTCURVE_TYPE, 2)
KERNEL_IDENTITY(PCURVE, ENTITY, PCURVE_TYPE, 1)

namespace {
subclass_list& surfaceSubclasses() {
    static subclass_list list;
    return list;
}
subclass_list& curveSubclasses() {
    static subclass_list list;
    return list;
}

void saveChain(const char* leaf, const char* root) {
    current_save()->file->write_id(leaf, 2);
    current_save()->file->write_id(root, 1);
}

std::vector<std::string> subtypeTokens(const RawData& data) {
    std::vector<std::string> tokens = raw_tokens(data);
    if (!tokens.empty() && tokens.front() == "{") tokens.erase(tokens.begin());
    return tokens;
}
}  // namespace

void register_geometry_classes() {
    subclass_list& top = entity_subclasses();
    static restore_def defs[] = {
        {top, "surface", nullptr, &surfaceSubclasses()},
        {top, "curve", nullptr, &curveSubclasses()},
        {top, "pcurve", restore_kernel_entity<PCURVE>},
        {surfaceSubclasses(), "plane", restore_kernel_entity<PLANE>},
        {surfaceSubclasses(), "cone", restore_kernel_entity<CONE>},
        {surfaceSubclasses(), "sphere", restore_kernel_entity<SPHERE>},
        {surfaceSubclasses(), "torus", restore_kernel_entity<TORUS>},
        {surfaceSubclasses(), "spline", restore_kernel_entity<SPLINE>},
        {curveSubclasses(), "straight", restore_kernel_entity<STRAIGHT>},
        {curveSubclasses(), "ellipse", restore_kernel_entity<ELLIPSE>},
        {curveSubclasses(), "intcurve", restore_kernel_entity<INTCURVE>},
    };
    (void)defs;
}

void SURFACE::io(FieldIo& io) { ENTITY::io(io); }
void CURVE::io(FieldIo& io) { ENTITY::io(io); }

// ------------------------------------------------------------------ surfaces
void PLANE::save_type() const { saveChain("plane", "surface"); }
void PLANE::io(FieldIo& io) {
    SURFACE::io(io);
    io.position(root);
    io.vector(normal);
    io.vector(uDir);
    io.logical(reverseV, "forward_v", "reverse_v");
    io.interval(uRange_);
    io.interval(vRange_);
}
void PLANE::eval(double u, double v, SPAposition& p, SPAvector* du, SPAvector* dv) const {
    SPAvector vDir = cross(normal, uDir);
    if (reverseV) vDir = -vDir;
    p = root + u * uDir + v * vDir;
    if (du) *du = uDir;
    if (dv) *dv = vDir;
}

void CONE::save_type() const { saveChain("cone", "surface"); }
void CONE::io(FieldIo& io) {
    SURFACE::io(io);
    io.position(centre);
    io.vector(normal);
    io.vector(major);
    io.real(ratio);
    io.interval(ellipseRange);
    io.real(sinAngle);
    io.real(cosAngle);
    if (!(io.reading() && io.version() < 400)) io.real(uScale);  // scaling came with 4.0
    io.logical(reversed, "forward", "reversed");
    io.interval(uRange_);
    io.interval(vRange_);
}
ConeFrame CONE::frame() const {
    ConeFrame f;
    f.sine = sinAngle;
    f.cosine = cosAngle;
    if (f.cosine < 0) {
        f.sine = -f.sine;
        f.cosine = -f.cosine;
    }
    f.radius = reversed ? -length(major) : length(major);
    f.axis = normalise(normal);
    f.minor = ratio * cross(f.axis, major);
    return f;
}

void CONE::eval(double u, double v, SPAposition& p, SPAvector* du, SPAvector* dv) const {
    const ConeFrame f = frame();
    const double s = f.sine, c = f.cosine, radius = f.radius;
    const SPAvector& axis = f.axis;
    const SPAvector& minor = f.minor;
    SPAvector e = std::cos(v) * major + std::sin(v) * minor;
    SPAvector de = -std::sin(v) * major + std::cos(v) * minor;
    p = centre + (1 + s * u) * e + (c * u * radius) * axis;
    if (du) *du = s * e + (c * radius) * axis;
    if (dv) *dv = (1 + s * u) * de;
}

void SPHERE::save_type() const { saveChain("sphere", "surface"); }
void SPHERE::io(FieldIo& io) {
    SURFACE::io(io);
    io.position(centre);
    io.real(radius);
    io.vector(uvOrigin);
    io.vector(pole);
    io.logical(reverseV, "forward_v", "reverse_v");
    io.interval(uRange_);
    io.interval(vRange_);
}
void SPHERE::eval(double u, double v, SPAposition& p, SPAvector* du, SPAvector* dv) const {
    SPAvector r = cross(pole, uvOrigin);
    if (reverseV) r = -r;
    SPAvector ring = std::cos(v) * uvOrigin + std::sin(v) * r;
    SPAvector dring = -std::sin(v) * uvOrigin + std::cos(v) * r;
    p = centre + (radius * std::sin(u)) * pole + (radius * std::cos(u)) * ring;
    if (du) *du = (radius * std::cos(u)) * pole - (radius * std::sin(u)) * ring;
    if (dv) *dv = (radius * std::cos(u)) * dring;
}

void TORUS::save_type() const { saveChain("torus", "surface"); }
void TORUS::io(FieldIo& io) {
    SURFACE::io(io);
    io.position(centre);
    io.vector(normal);
    io.real(majorRadius);
    io.real(minorRadius);
    io.vector(uvOrigin);
    io.logical(reverseV, "forward_v", "reverse_v");
    io.interval(uRange_);
    io.interval(vRange_);
}
void TORUS::eval(double u, double v, SPAposition& p, SPAvector* du, SPAvector* dv) const {
    double r = std::fabs(minorRadius);
    SPAvector rr = cross(normal, uvOrigin);
    if (reverseV) rr = -rr;
    SPAvector ring = std::cos(v) * uvOrigin + std::sin(v) * rr;
    SPAvector dring = -std::sin(v) * uvOrigin + std::cos(v) * rr;
    double across = majorRadius + r * std::cos(u);
    p = centre + (r * std::sin(u)) * normal + across * ring;
    if (du) *du = (r * std::cos(u)) * normal - (r * std::sin(u)) * ring;
    if (dv) *dv = across * dring;
}

void SPLINE::save_type() const { saveChain("spline", "surface"); }
void SPLINE::io(FieldIo& io) {
    SURFACE::io(io);
    io.logical(reversed, "forward", "reversed");
    io.subtype(definition_);
    io.interval(uRange_);
    io.interval(vRange_);
    if (io.reading()) parse_bs3_surface(subtypeTokens(definition_), surface_);
}
void SPLINE::eval(double u, double v, SPAposition& p, SPAvector* du, SPAvector* dv) const {
    surface_.eval(u, v, p, du, dv);
}

// ------------------------------------------------------------------ curves
void STRAIGHT::save_type() const { saveChain("straight", "curve"); }
void STRAIGHT::io(FieldIo& io) {
    CURVE::io(io);
    io.position(root);
    io.vector(direction);
    io.interval(range_);
}
void STRAIGHT::eval(double t, SPAposition& p, SPAvector* d) const {
    p = root + t * direction;
    if (d) *d = direction;
}
double STRAIGHT::param(const SPAposition& p) const {
    double dd = dot(direction, direction);
    return dd > 0 ? dot(p - root, direction) / dd : 0.0;
}

void ELLIPSE::save_type() const { saveChain("ellipse", "curve"); }
void ELLIPSE::io(FieldIo& io) {
    CURVE::io(io);
    io.position(centre);
    io.vector(normal);
    io.vector(major);
    io.real(ratio);
    io.interval(range_);
}
void ELLIPSE::eval(double t, SPAposition& p, SPAvector* d) const {
    SPAvector minor = ratio * cross(normalise(normal), major);
    p = centre + std::cos(t) * major + std::sin(t) * minor;
    if (d) *d = -std::sin(t) * major + std::cos(t) * minor;
}
double ELLIPSE::param(const SPAposition& p) const {
    SPAvector minor = ratio * cross(normalise(normal), major);
    double mm = dot(major, major), nn = dot(minor, minor);
    if (mm <= 0 || nn <= 0) return 0.0;
    SPAvector q = p - centre;
    return std::atan2(dot(q, minor) / nn, dot(q, major) / mm);
}

void INTCURVE::save_type() const { saveChain("intcurve", "curve"); }
void INTCURVE::io(FieldIo& io) {
    CURVE::io(io);
    io.logical(reversed, "forward", "reversed");
    io.subtype(definition_);
    io.interval(range_);
    if (io.reading()) parse_bs3_curve(subtypeTokens(definition_), curve_);
}
void INTCURVE::eval(double t, SPAposition& p, SPAvector* d) const {
    curve_.eval(reversed ? -t : t, p, d);
    if (reversed && d) *d = -*d;
}
double INTCURVE::param(const SPAposition& p) const {
    // Nearest of a fine sampling of the approximation's knot range.
    if (!curve_.valid()) return 0.0;
    double lo = curve_.knots.front(), hi = curve_.knots.back();
    double best = lo, bestDistance = 1e300;
    const int samples = 256;
    for (int i = 0; i <= samples; ++i) {
        double t = lo + (hi - lo) * i / samples;
        SPAposition q;
        curve_.eval(t, q, nullptr);
        double dist = distance(p, q);
        if (dist < bestDistance) {
            bestDistance = dist;
            best = t;
        }
    }
    return reversed ? -best : best;
}

// ------------------------------------------------------------------ pcurves
void PCURVE::save_type() const { current_save()->file->write_id("pcurve", 1); }
void PCURVE::io(FieldIo& io) {
    ENTITY::io(io);
    io.longint(kind_);
    if (kind_ == 0) {
        io.logical(reversed_, "forward", "reversed");
        io.subtype(definition_);
    } else {
        io.entity(curve_);
    }
    io.real(du_);
    io.real(dv_);
}
