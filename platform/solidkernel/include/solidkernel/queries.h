// Questions the display asks of faces and edges: the kind of a face's surface, and whether
// an edge closes on itself.
#pragma once

#include "solidkernel/outcome.h"

class FACE;
class EDGE;

// The face lies on a plane.
logical is_planar_face(const FACE* face);
// The face lies on a cylinder: a cone whose half-angle is zero (of any cross-section).
logical is_cylindrical_face(const FACE* face);
// The edge has a curve and runs from a point back to the same point (a full circle, say).
logical is_closed_curve(const EDGE* edge);
