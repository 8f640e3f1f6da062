// Owners of the topology classes and the questions of queries.h.
#include "solidkernel/geometry.h"
#include "solidkernel/queries.h"
#include "solidkernel/tolerance.h"
#include "solidkernel/topology.h"

#include <cmath>

ENTITY* LUMP::owner() const { return body_; }
ENTITY* SHELL::owner() const { return lump_; }
ENTITY* SUBSHELL::owner() const { return parent_; }
ENTITY* FACE::owner() const { return shell_ ? static_cast<ENTITY*>(shell_) : subshell_; }
ENTITY* LOOP::owner() const { return face_; }
ENTITY* EDGE::owner() const { return coedge_; }
ENTITY* VERTEX::owner() const { return edge_; }

logical is_planar_face(const FACE* face) {
    return face && dynamic_cast<const PLANE*>(face->geometry()) != nullptr;
}

logical is_cylindrical_face(const FACE* face) {
    auto* cone = face ? dynamic_cast<const CONE*>(face->geometry()) : nullptr;
    return cone && std::fabs(cone->sinAngle) < SPAresnor;
}

logical is_closed_curve(const EDGE* edge) {
    if (!edge || !edge->geometry() || !edge->start() || !edge->end()) return 0;
    SPAinterval range = edge->param_range();
    if (range.empty() || !(range.length() > 0)) return 0;
    if (edge->start() == edge->end()) return 1;
    // Two vertices on one spot close the curve too, unless the edge is that spot.
    const APOINT* a = edge->start()->geometry();
    const APOINT* b = edge->end()->geometry();
    if (!a || !b || distance(a->coords(), b->coords()) > SPAresabs) return 0;
    return distance(edge->eval_position(range.mid_pt()), a->coords()) > SPAresabs;
}
