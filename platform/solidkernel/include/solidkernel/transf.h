// Matrices, unit vectors and the algebra of transforms: building a transform from a matrix,
// a translation, a scale and its flags; composing and inverting transforms; the small
// vector tests (zero, parallel) and projections the modeler's queries use.
#pragma once

#include "solidkernel/outcome.h"
#include "solidkernel/tolerance.h"
#include "solidkernel/vecmath.h"

// A 3 x 3 matrix whose row k is the image of unit axis k, as transforms store it: a turn
// of 90 degrees about z maps (1, 0, 0) to (0, 1, 0), so its first row is (0, 1, 0).
class SPAmatrix {
public:
    SPAmatrix() = default;  // identity
    SPAmatrix(const SPAvector& xImage, const SPAvector& yImage, const SPAvector& zImage);

    double element(int row, int column) const { return m_[row][column]; }
    SPAvector row(int k) const { return SPAvector(m_[k][0], m_[k][1], m_[k][2]); }
    SPAvector column(int k) const { return SPAvector(m_[0][k], m_[1][k], m_[2][k]); }
    double determinant() const;
    SPAmatrix transpose() const;
    // The inverse; the zero matrix when the matrix is singular.
    SPAmatrix inverse() const;
    SPAmatrix& operator*=(double factor);
    // The image of v: v's components weighting the rows.
    SPAvector image(const SPAvector& v) const;

private:
    double m_[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
};

inline double determinant(const SPAmatrix& m) {
    return m.determinant();
}
SPAmatrix operator*(const SPAmatrix& a, const SPAmatrix& b);  // a, then b

// A direction of length one. A zero (or non-finite) vector has no direction: its unit
// vector is the zero vector, which callers can test with is_zero.
class SPAunit_vector : public SPAvector {
public:
    SPAunit_vector() : SPAvector(0, 0, 1) {}
    SPAunit_vector(double x, double y, double z);
    explicit SPAunit_vector(const SPAvector& v);
};

// Zero within a tolerance (SPAresabs unless given).
inline bool is_zero(double value, double tolerance = SPAresabs) {
    return value < tolerance && value > -tolerance;
}
inline bool is_zero(const SPAvector& v, double tolerance = SPAresabs) {
    return is_zero(v.x, tolerance) && is_zero(v.y, tolerance) && is_zero(v.z, tolerance);
}
// Parallel or antiparallel: the sine of the angle between them is at most the tolerance. A
// zero vector is parallel to everything.
bool biparallel(const SPAvector& a, const SPAvector& b, double tolerance = SPAresnor);

// The foot of the perpendicular from a point to the plane through root with that normal.
SPAposition proj_pt_to_plane(const SPAposition& point, const SPAposition& root,
                             const SPAunit_vector& normal);

// A transform from its parts: positions map to scale * image(p) + translation. The flags
// record what the caller says the matrix does; they do not change how it is applied.
SPAtransf restore_transf(const SPAmatrix& matrix, const SPAvector& translation, double scale,
                         logical rotate, logical reflect, logical shear);

// The linear part as a matrix (scale not included), and the whole map's determinant.
SPAmatrix transf_matrix(const SPAtransf& transf);
double transf_determinant(const SPAtransf& transf);
bool is_identity(const SPAtransf& transf, double tolerance = SPAresnor);
// Whether the map keeps angles: its matrix, scale taken out, is orthogonal (a rotation,
// possibly with a reflection) within the tolerance.
bool is_conformal(const SPAtransf& transf, double tolerance = 1e-9);
// The map that undoes transf; false (and identity) when it is singular.
bool invert_transf(const SPAtransf& transf, SPAtransf& inverse);
// How much the map stretches lengths when it is conformal: |scale| times the matrix's
// length factor.
double transf_length_factor(const SPAtransf& transf);
