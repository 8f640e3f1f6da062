// Points, vectors and transforms of model space.
#pragma once

#include <cmath>

struct SPAvector {
    double x = 0, y = 0, z = 0;
    SPAvector() = default;
    SPAvector(double ax, double ay, double az) : x(ax), y(ay), z(az) {}
    double* data() { return &x; }
    const double* data() const { return &x; }
};
using SPAposition = SPAvector;

inline SPAvector operator+(const SPAvector& a, const SPAvector& b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
inline SPAvector operator-(const SPAvector& a, const SPAvector& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
inline SPAvector operator-(const SPAvector& a) { return {-a.x, -a.y, -a.z}; }
inline SPAvector operator*(double s, const SPAvector& a) { return {s * a.x, s * a.y, s * a.z}; }
inline SPAvector operator*(const SPAvector& a, double s) { return s * a; }
inline double dot(const SPAvector& a, const SPAvector& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
inline SPAvector cross(const SPAvector& a, const SPAvector& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
inline double length(const SPAvector& a) { return std::sqrt(dot(a, a)); }
inline double distance(const SPAposition& a, const SPAposition& b) { return length(a - b); }
inline SPAvector normalise(const SPAvector& a) {
    double l = length(a);
    return l > 0 ? (1.0 / l) * a : a;
}

// Row-vector affine map as entity text stores it: p' = scale * (p * A) + t, where the rows
// of A are the images of the x, y and z axes.
struct SPAtransf {
    double a[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
    SPAvector t;
    double scale = 1.0;

    SPAposition apply(const SPAposition& p) const {
        return SPAposition(scale * (p.x * a[0][0] + p.y * a[1][0] + p.z * a[2][0]) + t.x,
                           scale * (p.x * a[0][1] + p.y * a[1][1] + p.z * a[2][1]) + t.y,
                           scale * (p.x * a[0][2] + p.y * a[1][2] + p.z * a[2][2]) + t.z);
    }
    SPAvector applyVector(const SPAvector& v) const {
        return SPAvector(scale * (v.x * a[0][0] + v.y * a[1][0] + v.z * a[2][0]),
                         scale * (v.x * a[0][1] + v.y * a[1][1] + v.z * a[2][1]),
                         scale * (v.x * a[0][2] + v.y * a[1][2] + v.z * a[2][2]));
    }
    // This map followed by next.
    SPAtransf then(const SPAtransf& next) const;
    bool singular() const;

    // What the map was built as (restore_transf): informative only, every operation
    // applies the whole matrix whatever they say.
    bool rotateFlag = false, reflectFlag = false, shearFlag = false;
    bool rotate() const { return rotateFlag; }
    bool reflect() const { return reflectFlag; }
    bool shear() const { return shearFlag; }
    // This map followed by next (transf.h has the rest of the transform algebra).
    SPAtransf& operator*=(const SPAtransf& next);
};
