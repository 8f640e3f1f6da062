// Points along a curve for drawing it: a polyline whose chords stay within a distance of
// the curve.
#pragma once

#include "solidkernel/geometry.h"
#include "solidkernel/outcome.h"

// Fills positions and params (arrays of max entries) with points of the curve from start
// to end, both ends included, such that no chord strays further than tolerance from the
// curve between its ends (tolerances below SPAresabs count as SPAresabs). When more than
// max points would be needed, count is max and the points are max evenly spaced parameters:
// a caller that wants the tolerance met asks again with a larger max.
outcome api_facet_curve(const CURVE& curve, double start, double end, double tolerance, int max,
                        int& count, SPAposition positions[], double params[]);
