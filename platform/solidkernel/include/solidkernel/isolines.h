// Parameter lines of a face: curves of constant u or constant v across it, cut to the face
// by its loops, as new edges owned by the caller (api_del_entity deletes each).
#pragma once

#include "solidkernel/entity.h"
#include "solidkernel/outcome.h"
#include "solidkernel/vecmath.h"

class FACE;

// Appends to edges nu lines along which u runs (each at one v) and nv lines along which v
// runs (each at one u), spread evenly over the face's parameter range (over a whole period
// where the face goes all round), each cut into the stretches that lie in the face. Every
// edge has its own vertices and an exact curve (a line, an ellipse or a spline) whose
// parameter is the surface's; the edge's parameter range is the stretch. The transform,
// when given, moves the lines. A face of no surface kind the kernel knows gets none.
outcome api_face_nu_nv_isolines(FACE* face, int nu, int nv, const SPAtransf* transf, ENTITY_LIST& edges);
