// Object snapping (slot 56): the points of a body the host's cursor may snap to, by kind,
// and the parameter rules they share.
#pragma once

#include "solidkernel/vecmath.h"
#include "stratum/Modeler.h"

#include <vector>

class AsBodyCache;
class BODY;
class EDGE;
class ELLIPSE;

// Whether a curve parameter lies in [start, end] within SPAresabs, after moving it by whole
// periods towards the range when a period (greater than SPAresabs) is given. A parameter
// that is not finite, or a range that is not, is never inside.
bool AsParamInside(double t, double start, double end, double period);

// The edge's range in its curve's own parameter: the edge's parameters, negated (and swapped)
// when the edge runs against its curve.
void AsCurveRange(const EDGE& edge, double& start, double& end);

// Quadrant points of an elliptic edge: the ellipse at 0, pi/2, pi and 3pi/2 where the
// edge covers them.
std::vector<SPAposition> AsQuadrantPoints(const EDGE& edge, const ELLIPSE& ellipse);

// Points of an elliptic edge where a line from the reference point touches it (at most two).
std::vector<SPAposition> AsEllipseTangentPoints(const EDGE& edge, const ELLIPSE& ellipse,
                                                const SPAposition& reference);

// Every snap point of the body for the request flags (kinds of ModelerSnapKind), in the
// order vertices, sphere centres, then edge by edge. The body's transform must have been
// baked into its geometry. Throws std::exception when a kernel call fails.
void AsCollectSnapPoints(BODY* body, int flags, const SPAposition& pick,
                         const SPAposition& reference, const SPAvector& viewDirection,
                         std::vector<ModelerSnapPoint>& out);

// Slot 56: looks the body up, bakes its transform, and replaces the vector's contents with
// the snap points. Returns true; throws std::exception (vector untouched) on failure.
bool AsSnapPoints(AsBodyCache& cache, const CDbAcisEntityData& record, int flags,
                  const double* pick, const double* reference, const double* viewDirection,
                  HostVector<ModelerSnapPoint>& out);
