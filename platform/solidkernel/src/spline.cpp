// Spline approximations: parsing the control data of a subtype and evaluating it.
#include "solidkernel/spline.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

// Tokens read one at a time; any malformed or missing value makes the parse fail.
class TokenCursor {
public:
    explicit TokenCursor(const std::vector<std::string>& tokens) : tokens_(tokens) {}
    bool word(std::string& out) {
        if (pos_ >= tokens_.size()) return false;
        out = tokens_[pos_++];
        return true;
    }
    bool peekIs(const char* text) const { return pos_ < tokens_.size() && tokens_[pos_] == text; }
    void skip() { ++pos_; }
    bool number(double& out) {
        if (pos_ >= tokens_.size()) return false;
        const char* s = tokens_[pos_].c_str();
        char* end = nullptr;
        out = std::strtod(s, &end);
        if (end == s || !std::isfinite(out)) return false;
        ++pos_;
        return true;
    }
    bool integer(long& out) {
        double d;
        if (!number(d) || d < -1e9 || d > 1e9) return false;
        out = static_cast<long>(d);
        return true;
    }
    std::size_t remaining() const { return tokens_.size() - std::min(pos_, tokens_.size()); }

private:
    const std::vector<std::string>& tokens_;
    std::size_t pos_ = 0;
};

// The subtype name and the approximation flag that newer texts put before the data.
bool readPrologue(TokenCursor& c, std::string& type) {
    std::string name;
    if (!c.word(name)) return false;
    if (c.peekIs("full") || c.peekIs("summary") || c.peekIs("none")) c.skip();
    return c.word(type) && (type == "nubs" || type == "nurbs");
}

// "n  k1 m1  k2 m2 ..." with end multiplicities one short: the full knot vector.
bool readKnots(TokenCursor& c, long distinct, std::vector<double>& knots) {
    if (distinct < 2 || static_cast<std::size_t>(distinct) * 2 > c.remaining()) return false;
    for (long i = 0; i < distinct; ++i) {
        double k;
        long m;
        if (!c.number(k) || !c.integer(m) || m < 1 || m > 64) return false;
        if (!knots.empty() && k < knots.back()) return false;
        int times = static_cast<int>(m) + (i == 0 || i == distinct - 1 ? 1 : 0);
        knots.insert(knots.end(), times, k);
        if (knots.size() > 1000000) return false;
    }
    return true;
}

bool readPoints(TokenCursor& c, std::size_t count, bool rational, std::vector<SPAposition>& points,
                std::vector<double>& weights) {
    std::size_t per = rational ? 4 : 3;
    if (count == 0 || count > c.remaining() / per) return false;
    points.resize(count);
    if (rational) weights.resize(count);
    for (std::size_t i = 0; i < count; ++i) {
        if (!c.number(points[i].x) || !c.number(points[i].y) || !c.number(points[i].z)) return false;
        if (rational && (!c.number(weights[i]) || !(weights[i] > 0))) return false;
    }
    return true;
}

// Span index and basis functions (with first derivatives) of degree p at t.
int basis(const std::vector<double>& U, int p, int n, double t, double* N, double* dN) {
    t = std::min(std::max(t, U[p]), U[n + 1]);
    int span = n;
    if (t < U[n + 1]) {
        span = static_cast<int>(std::upper_bound(U.begin() + p, U.begin() + n + 1, t) - U.begin()) - 1;
        span = std::max(p, std::min(span, n));
    }
    double left[65], right[65], ndu[65][65];
    ndu[0][0] = 1.0;
    for (int j = 1; j <= p; ++j) {
        left[j] = t - U[span + 1 - j];
        right[j] = U[span + j] - t;
        double saved = 0.0;
        for (int r = 0; r < j; ++r) {
            ndu[j][r] = right[r + 1] + left[j - r];
            double temp = ndu[j][r] != 0 ? ndu[r][j - 1] / ndu[j][r] : 0.0;
            ndu[r][j] = saved + right[r + 1] * temp;
            saved = left[j - r] * temp;
        }
        ndu[j][j] = saved;
    }
    for (int j = 0; j <= p; ++j) N[j] = ndu[j][p];
    for (int r = 0; r <= p; ++r) {
        double d = 0.0;
        if (r >= 1 && ndu[p][r - 1] != 0) d += ndu[r - 1][p - 1] / ndu[p][r - 1];
        if (r <= p - 1 && ndu[p][r] != 0) d -= ndu[r][p - 1] / ndu[p][r];
        dN[r] = p * d;
    }
    return span;
}

}  // namespace

bool parse_bs3_curve(const std::vector<std::string>& tokens, bs3_curve& curve) {
    curve = bs3_curve();
    TokenCursor c(tokens);
    std::string type, closure;
    long degree, distinct;
    if (!readPrologue(c, type) || !c.integer(degree) || degree < 1 || degree > 25) return false;
    if (!c.word(closure) || !c.integer(distinct)) return false;
    std::vector<double> knots;
    if (!readKnots(c, distinct, knots)) return false;
    long count = static_cast<long>(knots.size()) - degree - 1;
    bs3_curve result;
    result.degree = static_cast<int>(degree);
    result.rational = type == "nurbs";
    // A B-spline needs at least degree + 1 control points; fewer leave its basis undefined.
    if (count < degree + 1 || !readPoints(c, static_cast<std::size_t>(count), result.rational, result.points, result.weights))
        return false;
    result.knots = std::move(knots);
    curve = std::move(result);
    return true;
}

bool parse_bs3_surface(const std::vector<std::string>& tokens, bs3_surface& surface) {
    surface = bs3_surface();
    TokenCursor c(tokens);
    std::string type, word;
    long ud, vd, nu, nv;
    if (!readPrologue(c, type) || !c.integer(ud) || !c.integer(vd)) return false;
    if (ud < 1 || ud > 25 || vd < 1 || vd > 25) return false;
    bs3_surface result;
    result.rational = type == "nurbs";
    if (result.rational && !c.word(word)) return false;  // which directions are rational
    for (int i = 0; i < 4; ++i)
        if (!c.word(word)) return false;  // closures and singularities
    if (!c.integer(nu) || !c.integer(nv)) return false;
    if (!readKnots(c, nu, result.uKnots) || !readKnots(c, nv, result.vKnots)) return false;
    long cu = static_cast<long>(result.uKnots.size()) - ud - 1;
    long cv = static_cast<long>(result.vKnots.size()) - vd - 1;
    if (cu < ud + 1 || cv < vd + 1 || cu > 1000000 / cv) return false;
    if (!readPoints(c, static_cast<std::size_t>(cu * cv), result.rational, result.points, result.weights))
        return false;
    result.uDegree = static_cast<int>(ud);
    result.vDegree = static_cast<int>(vd);
    result.uCount = static_cast<int>(cu);
    result.vCount = static_cast<int>(cv);
    surface = std::move(result);
    return true;
}

void bs3_curve::eval(double t, SPAposition& p, SPAvector* d) const {
    p = SPAposition();
    if (d) *d = SPAvector();
    if (!valid()) return;
    int n = static_cast<int>(points.size()) - 1;
    double N[26], dN[26];
    int span = basis(knots, degree, n, t, N, dN);
    SPAvector a, da;
    double w = 0, dw = 0;
    for (int j = 0; j <= degree; ++j) {
        int i = span - degree + j;
        double wi = rational ? weights[i] : 1.0;
        a = a + (N[j] * wi) * points[i];
        da = da + (dN[j] * wi) * points[i];
        w += N[j] * wi;
        dw += dN[j] * wi;
    }
    if (w == 0) return;
    p = (1.0 / w) * a;
    if (d) *d = (1.0 / w) * (da - dw * p);
}

void bs3_surface::eval(double u, double v, SPAposition& p, SPAvector* du, SPAvector* dv) const {
    p = SPAposition();
    if (du) *du = SPAvector();
    if (dv) *dv = SPAvector();
    if (!valid()) return;
    double Nu[26], dNu[26], Nv[26], dNv[26];
    int su = basis(uKnots, uDegree, uCount - 1, u, Nu, dNu);
    int sv = basis(vKnots, vDegree, vCount - 1, v, Nv, dNv);
    SPAvector a, au, av;
    double w = 0, wu = 0, wv = 0;
    for (int l = 0; l <= vDegree; ++l) {
        int jv = sv - vDegree + l;
        for (int k = 0; k <= uDegree; ++k) {
            int iu = su - uDegree + k;
            std::size_t idx = static_cast<std::size_t>(jv) * uCount + iu;
            double wi = rational ? weights[idx] : 1.0;
            const SPAposition& q = points[idx];
            a = a + (Nu[k] * Nv[l] * wi) * q;
            au = au + (dNu[k] * Nv[l] * wi) * q;
            av = av + (Nu[k] * dNv[l] * wi) * q;
            w += Nu[k] * Nv[l] * wi;
            wu += dNu[k] * Nv[l] * wi;
            wv += Nu[k] * dNv[l] * wi;
        }
    }
    if (w == 0) return;
    p = (1.0 / w) * a;
    if (du) *du = (1.0 / w) * (au - wu * p);
    if (dv) *dv = (1.0 / w) * (av - wv * p);
}

bs3_curve bs3_surface::u_curve_at(double v) const {
    bs3_curve curve;
    if (!valid()) return curve;
    double Nv[26], dNv[26];
    int sv = basis(vKnots, vDegree, vCount - 1, v, Nv, dNv);
    curve.degree = uDegree;
    curve.rational = rational;
    curve.knots = uKnots;
    for (int i = 0; i < uCount; ++i) {
        SPAvector sum;
        double w = 0;
        for (int l = 0; l <= vDegree; ++l) {
            std::size_t idx = static_cast<std::size_t>(sv - vDegree + l) * uCount + i;
            double wi = rational ? weights[idx] : 1.0;
            sum = sum + (Nv[l] * wi) * points[idx];
            w += Nv[l] * wi;
        }
        curve.points.push_back(w != 0 ? (1.0 / w) * sum : sum);
        if (rational) curve.weights.push_back(w);
    }
    return curve;
}

bs3_curve bs3_surface::v_curve_at(double u) const {
    bs3_curve curve;
    if (!valid()) return curve;
    double Nu[26], dNu[26];
    int su = basis(uKnots, uDegree, uCount - 1, u, Nu, dNu);
    curve.degree = vDegree;
    curve.rational = rational;
    curve.knots = vKnots;
    for (int j = 0; j < vCount; ++j) {
        SPAvector sum;
        double w = 0;
        for (int k = 0; k <= uDegree; ++k) {
            std::size_t idx = static_cast<std::size_t>(j) * uCount + (su - uDegree + k);
            double wi = rational ? weights[idx] : 1.0;
            sum = sum + (Nu[k] * wi) * points[idx];
            w += Nu[k] * wi;
        }
        curve.points.push_back(w != 0 ? (1.0 / w) * sum : sum);
        if (rational) curve.weights.push_back(w);
    }
    return curve;
}
