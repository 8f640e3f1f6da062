// The exact curve of a surface along one parameter direction with the other held fixed,
// parameterised by the surface's own parameter: lines on planes and cones, ellipses on
// cones, spheres and tori, splines on spline surfaces.
#pragma once

#include "SurfaceParam.h"

// A new curve along direction `along` (0: u runs, 1: v runs) where the other parameter has
// the given value; null where that line is a point (a pole's parallel).
CURVE* make_iso_curve(const SurfaceParam& surface, int along, double fixed);

// Moves a curve made by make_iso_curve by the transform.
void transform_iso_curve(CURVE* curve, const SPAtransf& transf);
