// The transform algebra: the matrix convention, composition order, inverses, the
// conformal test, unit vectors of zero vectors and the small vector tests.
#include "solidkernel/transf.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {

void expectNear(const SPAvector& a, const SPAvector& b, double tolerance = 1e-12) {
    EXPECT_NEAR(a.x, b.x, tolerance);
    EXPECT_NEAR(a.y, b.y, tolerance);
    EXPECT_NEAR(a.z, b.z, tolerance);
}

const SPAmatrix kQuarterTurnZ(SPAvector(0, 1, 0), SPAvector(-1, 0, 0), SPAvector(0, 0, 1));

TEST(TransformAlgebra, MatrixRowsAreTheImagesOfTheAxes) {
    SPAtransf turn = restore_transf(kQuarterTurnZ, SPAvector(), 1, 1, 0, 0);
    expectNear(turn.apply(SPAposition(1, 0, 0)), SPAposition(0, 1, 0));
    expectNear(turn.apply(SPAposition(0, 1, 0)), SPAposition(-1, 0, 0));
    EXPECT_DOUBLE_EQ(kQuarterTurnZ.determinant(), 1.0);
    EXPECT_DOUBLE_EQ(kQuarterTurnZ.element(0, 1), 1.0);
    // Scale and translation: scale * image(p) + t.
    SPAtransf placed = restore_transf(kQuarterTurnZ, SPAvector(10, 0, 0), 2, 1, 0, 0);
    expectNear(placed.apply(SPAposition(1, 0, 0)), SPAposition(10, 2, 0));
    expectNear(placed.applyVector(SPAvector(1, 0, 0)), SPAvector(0, 2, 0));
}

TEST(TransformAlgebra, ComposingAppliesTheLeftOperandFirst) {
    SPAtransf shift = restore_transf(SPAmatrix(), SPAvector(1, 0, 0), 1, 0, 0, 0);
    SPAtransf turn = restore_transf(kQuarterTurnZ, SPAvector(), 1, 1, 0, 0);
    SPAtransf shiftThenTurn = shift;
    shiftThenTurn *= turn;
    expectNear(shiftThenTurn.apply(SPAposition(0, 0, 0)), SPAposition(0, 1, 0));
    SPAtransf turnThenShift = turn;
    turnThenShift *= shift;
    expectNear(turnThenShift.apply(SPAposition(0, 0, 0)), SPAposition(1, 0, 0));
    EXPECT_TRUE(shiftThenTurn.rotate());
    SPAtransf mirror =
        restore_transf(SPAmatrix(SPAvector(-1, 0, 0), SPAvector(0, 1, 0), SPAvector(0, 0, 1)),
                       SPAvector(), 1, 1, 1, 0);
    SPAtransf twice = mirror;
    twice *= mirror;
    EXPECT_FALSE(twice.reflect()) << "two reflections make none";
}

TEST(TransformAlgebra, InversesUndoMatricesAndTransforms) {
    SPAmatrix m(SPAvector(2, 1, 0), SPAvector(0, 3, 1), SPAvector(1, 0, 4));
    SPAmatrix product = m * m.inverse();
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) EXPECT_NEAR(product.element(i, j), i == j ? 1.0 : 0.0, 1e-14);
    SPAmatrix singular(SPAvector(1, 2, 3), SPAvector(2, 4, 6), SPAvector(0, 0, 1));
    EXPECT_DOUBLE_EQ(singular.inverse().element(0, 0), 0.0);

    SPAtransf t = restore_transf(kQuarterTurnZ, SPAvector(5, -2, 7), 3, 1, 0, 0);
    SPAtransf inverse;
    ASSERT_TRUE(invert_transf(t, inverse));
    SPAposition p(0.25, -4, 9);
    expectNear(inverse.apply(t.apply(p)), p);
    SPAtransf roundTrip = t;
    roundTrip *= inverse;
    EXPECT_TRUE(is_identity(roundTrip, 1e-12));
    SPAtransf flat = restore_transf(singular, SPAvector(), 1, 0, 0, 0);
    EXPECT_FALSE(invert_transf(flat, inverse));
}

TEST(TransformAlgebra, ConformalMeansRotationReflectionAndUniformScaleOnly) {
    EXPECT_TRUE(is_conformal(restore_transf(kQuarterTurnZ, SPAvector(), 5, 1, 0, 0)));
    SPAmatrix uniform(SPAvector(2, 0, 0), SPAvector(0, 2, 0), SPAvector(0, 0, -2));
    EXPECT_TRUE(is_conformal(restore_transf(uniform, SPAvector(), 1, 0, 1, 0)));
    EXPECT_NEAR(transf_length_factor(restore_transf(uniform, SPAvector(), 1.5, 0, 1, 0)), 3.0,
                1e-14);
    SPAmatrix shear(SPAvector(1, 0, 0), SPAvector(0.5, 1, 0), SPAvector(0, 0, 1));
    EXPECT_FALSE(is_conformal(restore_transf(shear, SPAvector(), 1, 0, 0, 0)));
    SPAmatrix stretch(SPAvector(2, 0, 0), SPAvector(0, 1, 0), SPAvector(0, 0, 1));
    EXPECT_FALSE(is_conformal(restore_transf(stretch, SPAvector(), 1, 0, 0, 0)));
}

TEST(TransformAlgebra, UnitVectorsParallelsAndProjections) {
    SPAunit_vector none(SPAvector(0, 0, 0));
    EXPECT_TRUE(is_zero(none)) << "a zero vector has no direction";
    SPAunit_vector nan(SPAvector(std::nan(""), 1, 0));
    EXPECT_TRUE(is_zero(nan));
    SPAunit_vector u(SPAvector(3, 0, 4));
    EXPECT_NEAR(length(u), 1.0, 1e-15);
    EXPECT_NEAR(u.z, 0.8, 1e-15);

    EXPECT_TRUE(biparallel(SPAvector(1, 2, 3), SPAvector(-2, -4, -6)));
    EXPECT_FALSE(biparallel(SPAvector(1, 0, 0), SPAvector(1, 1e-8, 0)));
    EXPECT_TRUE(biparallel(SPAvector(1, 0, 0), SPAvector(1, 1e-12, 0)));
    EXPECT_TRUE(is_zero(1e-7));
    EXPECT_FALSE(is_zero(2e-6));

    SPAposition foot =
        proj_pt_to_plane(SPAposition(1, 2, 3), SPAposition(0, 0, 1), SPAunit_vector(0, 0, 2));
    expectNear(foot, SPAposition(1, 2, 1));
}

}  // namespace
