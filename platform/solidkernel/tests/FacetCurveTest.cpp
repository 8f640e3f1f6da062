// Curve faceting: both ends kept, chords within the tolerance, and the "max or more" answer
// that lets a caller ask again with room for more points.
#include "solidkernel/facetcurve.h"
#include "solidkernel/tolerance.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

constexpr double kPi = 3.14159265358979323846;

ELLIPSE circle(double radius) {
    ELLIPSE e;
    e.normal = SPAvector(0, 0, 1);
    e.major = SPAvector(radius, 0, 0);
    return e;
}

// The largest distance between the curve and the polyline, sampled between the points.
double worstChordError(const CURVE& curve, const std::vector<double>& t, int count) {
    double worst = 0;
    for (int i = 0; i + 1 < count; ++i) {
        SPAposition a, b;
        curve.eval(t[i], a);
        curve.eval(t[i + 1], b);
        for (int k = 1; k < 16; ++k) {
            SPAposition p;
            curve.eval(t[i] + (t[i + 1] - t[i]) * k / 16, p);
            SPAvector ab = b - a;
            double along = dot(p - a, ab) / dot(ab, ab);
            worst = std::max(worst, length(p - (a + along * ab)));
        }
    }
    return worst;
}

TEST(FacetCurve, ALineNeedsItsTwoEndsOnly) {
    STRAIGHT line;
    line.direction = SPAvector(1, 0, 0);
    std::vector<SPAposition> p(100);
    std::vector<double> t(100);
    int count = 0;
    ASSERT_TRUE(api_facet_curve(line, -2, 5, 0.001, 100, count, p.data(), t.data()).ok());
    ASSERT_EQ(count, 2);
    EXPECT_EQ(t[0], -2);
    EXPECT_EQ(t[1], 5);
    EXPECT_DOUBLE_EQ(p[1].x, 5);
}

TEST(FacetCurve, ArcChordsStayWithinTheToleranceAndTheEndsAreExact) {
    ELLIPSE arc = circle(10);
    std::vector<SPAposition> p(1000);
    std::vector<double> t(1000);
    for (double tol : {0.5, 0.01, 1e-4}) {
        int count = 0;
        ASSERT_TRUE(api_facet_curve(arc, 0.3, 4.0, tol, 1000, count, p.data(), t.data()).ok());
        ASSERT_LT(count, 1000);
        EXPECT_EQ(t[0], 0.3);
        EXPECT_EQ(t[count - 1], 4.0);
        EXPECT_LE(worstChordError(arc, t, count), tol * 1.0001) << tol;
        // Not wastefully many: an even division at the tolerance would need this many.
        double even = 3.7 / (2 * std::acos(1 - tol / 10));
        EXPECT_LE(count, 2 * even + 8) << tol;
    }
}

TEST(FacetCurve, TooFewPlacesAnswerWithMaxEvenlySpacedPoints) {
    ELLIPSE full = circle(10);
    std::vector<SPAposition> p(400);
    std::vector<double> t(400);
    int count = 0;
    ASSERT_TRUE(api_facet_curve(full, 0, 2 * kPi, 1e-4, 100, count, p.data(), t.data()).ok());
    EXPECT_EQ(count, 100);
    EXPECT_NEAR(t[50] - t[49], 2 * kPi / 99, 1e-12);
    EXPECT_EQ(t[99], 2 * kPi);
    // Doubling the room until fewer points come back ends with the tolerance met.
    int max = 100;
    while (count >= max && max < 400) {
        max *= 2;
        ASSERT_TRUE(api_facet_curve(full, 0, 2 * kPi, 0.01, max, count, p.data(), t.data()).ok());
    }
    EXPECT_LT(count, max);
    EXPECT_LE(worstChordError(full, t, count), 0.01 * 1.0001);
}

TEST(FacetCurve, ZeroOrNegativeToleranceCountsAsTheKernelsResolution) {
    ELLIPSE arc = circle(1);
    std::vector<SPAposition> p(5000);
    std::vector<double> t(5000);
    int count = 0;
    ASSERT_TRUE(api_facet_curve(arc, 0, 0.5, 0.0, 5000, count, p.data(), t.data()).ok());
    EXPECT_LT(count, 5000);
    EXPECT_LE(worstChordError(arc, t, count), SPAresabs * 1.0001);
    EXPECT_FALSE(api_facet_curve(arc, 0, 0.5, 0.1, 1, count, p.data(), t.data()).ok()) << "no room for both ends";
    EXPECT_FALSE(api_facet_curve(arc, 0, NAN, 0.1, 10, count, p.data(), t.data()).ok());
}

}  // namespace
