// Moving the positions written inside the subtype data of procedural curves and spline
// surfaces: the control points of every spline approximation the data holds.
#pragma once

#include "solidkernel/fieldio.h"
#include "solidkernel/vecmath.h"

// Rewrites the control points of the approximation that leads each definition in data
// (nested ones too) as transformed by transf; weights, knots and everything else stay as
// written. With parameterSpace set, the leading definition is a curve in a surface's
// parameters and keeps its data (only what is nested in it moves). Throws kernel_failure
// when the data holds a definition whose positions the kernel cannot find; data is then
// unchanged.
void transform_definition(RawData& data, const SPAtransf& transf, bool parameterSpace = false);
