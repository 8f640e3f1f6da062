// The shaded mesh of a body: the kernel's facets of each face as closed polygons in the
// face's colour.
#pragma once

class AsDisplayList;
class BODY;

// The normal tolerance (degrees) for a display quality: 40 at 0.01, 15 at 0.5, 5 at 10,
// linear in between; qualities outside [0.01, 10] count as the nearer end.
double AsNormalTolerance(double quality);

// Sets the kernel's default refinement for the quality and appends the body's facets to
// the list (markers around each face's polygons). Throws std::exception on failure.
void AsGenerateMesh(BODY* body, AsDisplayList& list, double quality);
