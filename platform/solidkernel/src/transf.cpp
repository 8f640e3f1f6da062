// The algebra of matrices and transforms.
#include "solidkernel/transf.h"

#include <algorithm>
#include <cmath>

SPAmatrix::SPAmatrix(const SPAvector& xImage, const SPAvector& yImage, const SPAvector& zImage) {
    const SPAvector* rows[3] = {&xImage, &yImage, &zImage};
    for (int i = 0; i < 3; ++i) {
        m_[i][0] = rows[i]->x;
        m_[i][1] = rows[i]->y;
        m_[i][2] = rows[i]->z;
    }
}

double SPAmatrix::determinant() const {
    return m_[0][0] * (m_[1][1] * m_[2][2] - m_[1][2] * m_[2][1]) -
           m_[0][1] * (m_[1][0] * m_[2][2] - m_[1][2] * m_[2][0]) +
           m_[0][2] * (m_[1][0] * m_[2][1] - m_[1][1] * m_[2][0]);
}

SPAmatrix SPAmatrix::transpose() const {
    return SPAmatrix(column(0), column(1), column(2));
}

SPAmatrix SPAmatrix::inverse() const {
    double det = determinant();
    SPAmatrix r;
    if (det == 0 || !std::isfinite(det)) {
        r *= 0.0;
        return r;
    }
    // Row i of the inverse is the cross product of the other two columns over det: its dot
    // product with column i is det, with the other columns 0.
    SPAvector c0 = column(0), c1 = column(1), c2 = column(2);
    r = SPAmatrix(cross(c1, c2), cross(c2, c0), cross(c0, c1));
    r *= 1.0 / det;
    return r;
}

SPAmatrix& SPAmatrix::operator*=(double factor) {
    for (auto& row : m_)
        for (double& value : row) value *= factor;
    return *this;
}

SPAvector SPAmatrix::image(const SPAvector& v) const {
    return v.x * row(0) + v.y * row(1) + v.z * row(2);
}

SPAmatrix operator*(const SPAmatrix& a, const SPAmatrix& b) {
    return SPAmatrix(b.image(a.row(0)), b.image(a.row(1)), b.image(a.row(2)));
}

SPAunit_vector::SPAunit_vector(double x, double y, double z) : SPAunit_vector(SPAvector(x, y, z)) {}

SPAunit_vector::SPAunit_vector(const SPAvector& v) : SPAvector(0, 0, 0) {
    double l = length(v);
    if (l > 0 && std::isfinite(l)) {
        x = v.x / l;
        y = v.y / l;
        z = v.z / l;
    }
}

bool biparallel(const SPAvector& a, const SPAvector& b, double tolerance) {
    double la = length(a), lb = length(b);
    if (la == 0 || lb == 0) return true;
    return length(cross(a, b)) <= tolerance * la * lb;
}

SPAposition proj_pt_to_plane(const SPAposition& point, const SPAposition& root,
                             const SPAunit_vector& normal) {
    return point - dot(point - root, normal) * normal;
}

SPAtransf restore_transf(const SPAmatrix& matrix, const SPAvector& translation, double scale,
                         logical rotate, logical reflect, logical shear) {
    SPAtransf t;
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) t.a[i][j] = matrix.element(i, j);
    t.t = translation;
    t.scale = scale;
    t.rotateFlag = rotate != 0;
    t.reflectFlag = reflect != 0;
    t.shearFlag = shear != 0;
    return t;
}

SPAtransf& SPAtransf::operator*=(const SPAtransf& next) {
    SPAtransf combined = then(next);
    combined.rotateFlag = rotateFlag || next.rotateFlag;
    combined.reflectFlag = reflectFlag != next.reflectFlag;
    combined.shearFlag = shearFlag || next.shearFlag;
    *this = combined;
    return *this;
}

SPAmatrix transf_matrix(const SPAtransf& transf) {
    return SPAmatrix(SPAvector(transf.a[0][0], transf.a[0][1], transf.a[0][2]),
                     SPAvector(transf.a[1][0], transf.a[1][1], transf.a[1][2]),
                     SPAvector(transf.a[2][0], transf.a[2][1], transf.a[2][2]));
}

double transf_determinant(const SPAtransf& transf) {
    return transf_matrix(transf).determinant() * transf.scale * transf.scale * transf.scale;
}

bool is_identity(const SPAtransf& transf, double tolerance) {
    SPAtransf identity;
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            if (std::fabs(transf.scale * transf.a[i][j] - identity.a[i][j]) > tolerance)
                return false;
    return std::fabs(transf.t.x) <= tolerance && std::fabs(transf.t.y) <= tolerance &&
           std::fabs(transf.t.z) <= tolerance;
}

bool is_conformal(const SPAtransf& transf, double tolerance) {
    SPAmatrix m = transf_matrix(transf);
    double det = m.determinant();
    if (!std::isfinite(det) || det == 0) return false;
    double k = std::cbrt(std::fabs(det));  // the length factor if the rows are orthogonal
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) {
            double expected = i == j ? k * k : 0.0;
            if (std::fabs(dot(m.row(i), m.row(j)) - expected) > tolerance * k * k) return false;
        }
    return true;
}

bool invert_transf(const SPAtransf& transf, SPAtransf& inverse) {
    inverse = SPAtransf();
    SPAmatrix m = transf_matrix(transf);
    double det = m.determinant();
    if (transf.scale == 0 || !std::isfinite(transf.scale) || det == 0 || !std::isfinite(det))
        return false;
    SPAmatrix inv = m.inverse();
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) inverse.a[i][j] = inv.element(i, j);
    inverse.scale = 1.0 / transf.scale;
    // p = image^-1((p' - t) / scale): the translation is the image of -t.
    inverse.t = -1.0 * inverse.applyVector(transf.t);
    inverse.rotateFlag = transf.rotateFlag;
    inverse.reflectFlag = transf.reflectFlag;
    inverse.shearFlag = transf.shearFlag;
    return true;
}

double transf_length_factor(const SPAtransf& transf) {
    return std::fabs(transf.scale) * std::cbrt(std::fabs(transf_matrix(transf).determinant()));
}
