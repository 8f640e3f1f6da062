// Planarity of spline curves and the points where lines from a point touch a planar one.
#pragma once

#include "solidkernel/outcome.h"
#include "solidkernel/spline.h"
#include "solidkernel/transf.h"

#include <vector>

// Whether every control point (hence the whole curve) lies in one plane within the
// tolerance; the plane's normal is returned. A curve whose points all lie on one line (or
// at one point) spans no single plane and is not planar.
logical bs3_curve_planar(const bs3_curve& curve, SPAunit_vector& normal,
                         double tolerance = SPAresabs);

// The points of a planar curve where a line from the point touches it: the point is first
// projected onto the curve's plane, then every parameter where the curve's tangent passes
// through it is found (points at the projected point itself do not count). At most
// maxPoints are returned, in parameter order.
std::vector<SPAposition> bs3_curve_line_tan_pt_crv(const SPAposition& point, const bs3_curve& curve,
                                                   const SPAunit_vector& normal, int maxPoints);
