// The topology of a model: a body holds lumps, a lump shells, a shell faces and wires; a
// face is bounded by loops of coedges, each coedge runs along an edge between vertices.
// Geometry hangs off faces (surfaces), edges (curves), coedges (pcurves) and vertices.
#pragma once

#include "solidkernel/entity.h"
#include "solidkernel/fieldio.h"
#include "solidkernel/interval.h"
#include "solidkernel/vecmath.h"

#include <string>

class LUMP; class SHELL; class SUBSHELL; class FACE; class LOOP; class COEDGE; class EDGE;
class VERTEX; class WIRE; class TRANSFORM; class APOINT; class SURFACE; class CURVE;

// Common base of topology and geometry: their records carry the pattern prefix.
class TOPOLOGY_OR_GEOMETRY : public ENTITY {
public:
    bool has_pattern() const override { return true; }
protected:
    TOPOLOGY_OR_GEOMETRY() = default;
    TOPOLOGY_OR_GEOMETRY(const TOPOLOGY_OR_GEOMETRY&) = default;
};

#define KERNEL_ENTITY(Class, word)                                       \
    const char* type_name() const override { return word; }              \
    int identity(int level = 0) const override;                          \
    int size() const override { return sizeof(Class); }                  \
    ENTITY* make_copy() const override { return new Class(*this); }      \
    void io(FieldIo& io) override;

class BODY : public TOPOLOGY_OR_GEOMETRY {
public:
    KERNEL_ENTITY(BODY, "body")
    LUMP* lump() const { return lump_; }
    WIRE* wire() const { return wire_; }
    TRANSFORM* transform() const { return transform_; }
    void set_lump(LUMP* l) { lump_ = l; }
    void set_wire(WIRE* w) { wire_ = w; }
    void set_transform(TRANSFORM* t) { transform_ = t; }
private:
    LUMP* lump_ = nullptr;
    WIRE* wire_ = nullptr;
    TRANSFORM* transform_ = nullptr;
    long extra_ = 0;  // newer versions: an integer before the lump
};

class LUMP : public TOPOLOGY_OR_GEOMETRY {
public:
    KERNEL_ENTITY(LUMP, "lump")
    ENTITY* owner() const override;
    LUMP* next() const { return next_; }
    SHELL* shell() const { return shell_; }
    BODY* body() const { return body_; }
    void set_next(LUMP* l) { next_ = l; }
    void set_body(BODY* b) { body_ = b; }
private:
    LUMP* next_ = nullptr;
    SHELL* shell_ = nullptr;
    BODY* body_ = nullptr;
};

class SHELL : public TOPOLOGY_OR_GEOMETRY {
public:
    KERNEL_ENTITY(SHELL, "shell")
    ENTITY* owner() const override;
    SHELL* next() const { return next_; }
    SUBSHELL* subshell() const { return subshell_; }
    FACE* face() const { return face_; }
    WIRE* wire() const { return wire_; }
    LUMP* lump() const { return lump_; }
    void set_face(FACE* f) { face_ = f; }
private:
    SHELL* next_ = nullptr;
    SUBSHELL* subshell_ = nullptr;
    FACE* face_ = nullptr;
    WIRE* wire_ = nullptr;
    LUMP* lump_ = nullptr;
};

class SUBSHELL : public TOPOLOGY_OR_GEOMETRY {
public:
    KERNEL_ENTITY(SUBSHELL, "subshell")
    ENTITY* owner() const override;
    SUBSHELL* next() const { return next_; }
    SUBSHELL* child() const { return child_; }
    FACE* face() const { return face_; }
    WIRE* wire() const { return wire_; }
private:
    ENTITY* parent_ = nullptr;  // shell or subshell
    SUBSHELL* next_ = nullptr;
    SUBSHELL* child_ = nullptr;
    FACE* face_ = nullptr;
    WIRE* wire_ = nullptr;
};

class FACE : public TOPOLOGY_OR_GEOMETRY {
public:
    KERNEL_ENTITY(FACE, "face")
    ENTITY* owner() const override;  // the shell, or the subshell
    FACE* next() const { return next_; }
    LOOP* loop() const { return loop_; }
    SHELL* shell() const { return shell_; }
    SUBSHELL* subshell() const { return subshell_; }
    // The surface (null when the record names a geometry type the kernel does not know).
    SURFACE* geometry() const;
    ENTITY* geometry_entity() const { return geometry_; }
    bool reversed() const { return reversed_; }
    bool double_sided() const { return doubleSided_; }
    bool inside() const { return inside_; }
    void set_next(FACE* f) { next_ = f; }
    void set_loop(LOOP* l) { loop_ = l; }
    void set_shell(SHELL* s) { shell_ = s; }
    void set_geometry(ENTITY* g) { geometry_ = g; }
private:
    FACE* next_ = nullptr;
    LOOP* loop_ = nullptr;
    SHELL* shell_ = nullptr;
    SUBSHELL* subshell_ = nullptr;
    ENTITY* geometry_ = nullptr;
    bool reversed_ = false, doubleSided_ = false, inside_ = false;
};

class LOOP : public TOPOLOGY_OR_GEOMETRY {
public:
    KERNEL_ENTITY(LOOP, "loop")
    ENTITY* owner() const override;
    LOOP* next() const { return next_; }
    COEDGE* start() const { return start_; }
    FACE* face() const { return face_; }
    void set_next(LOOP* l) { next_ = l; }
    void set_start(COEDGE* c) { start_ = c; }
    void set_face(FACE* f) { face_ = f; }
private:
    LOOP* next_ = nullptr;
    COEDGE* start_ = nullptr;
    FACE* face_ = nullptr;
};

class COEDGE : public TOPOLOGY_OR_GEOMETRY {
public:
    KERNEL_ENTITY(COEDGE, "coedge")
    COEDGE* next() const { return next_; }
    COEDGE* previous() const { return prev_; }
    COEDGE* partner() const { return partner_; }
    EDGE* edge() const { return edge_; }
    bool reversed() const { return reversed_; }
    ENTITY* owner() const override { return owner_; }  // a loop or a wire
    ENTITY* geometry_entity() const { return pcurve_; }
    void set_next(COEDGE* c) { next_ = c; }
    void set_previous(COEDGE* c) { prev_ = c; }
    void set_partner(COEDGE* c) { partner_ = c; }
    void set_edge(EDGE* e) { edge_ = e; }
    void set_owner(ENTITY* o) { owner_ = o; }
    void set_reversed(bool r) { reversed_ = r; }
    void set_geometry(ENTITY* g) { pcurve_ = g; }
    // The vertex the coedge starts from, following its sense along the edge.
    VERTEX* start() const;
    VERTEX* end() const;
private:
    COEDGE* next_ = nullptr;
    COEDGE* prev_ = nullptr;
    COEDGE* partner_ = nullptr;
    EDGE* edge_ = nullptr;
    bool reversed_ = false;
    ENTITY* owner_ = nullptr;
    ENTITY* pcurve_ = nullptr;
};

class EDGE : public TOPOLOGY_OR_GEOMETRY {
public:
    KERNEL_ENTITY(EDGE, "edge")
    ENTITY* owner() const override;  // the first coedge
    VERTEX* start() const { return start_; }
    VERTEX* end() const { return end_; }
    double start_param() const { return startParam_; }
    double end_param() const { return endParam_; }
    COEDGE* coedge() const { return coedge_; }
    CURVE* geometry() const;
    ENTITY* geometry_entity() const { return curve_; }
    bool reversed() const { return reversed_; }
    const std::string& convexity() const { return convexity_; }
    void set_start(VERTEX* v) { start_ = v; }
    void set_end(VERTEX* v) { end_ = v; }
    void set_params(double s, double e) { startParam_ = s; endParam_ = e; }
    void set_coedge(COEDGE* c) { coedge_ = c; }
    void set_geometry(ENTITY* g) { curve_ = g; }
    void set_reversed(bool r) { reversed_ = r; }
    // The point at an edge parameter (the edge's sense applied to its curve).
    SPAposition eval_position(double t) const;
    // The edge's length between its parameters, measured after the transform when one is
    // given (the body's own transform is not applied otherwise); 0 without a curve.
    double length(const SPAtransf* transf = nullptr) const;
    // The edge's parameters, in the edge's own sense: negate the interval for the curve's.
    SPAinterval param_range() const { return SPAinterval(startParam_, endParam_); }
    REVBIT sense() const { return reversed_ ? REVERSED : FORWARD; }
    // After the fix-up of a restore: texts before 5.0 keep no parameters, so they are
    // taken from the vertices on the curve.
    void finish_restore();
private:
    bool needsParams_ = false;
    VERTEX* start_ = nullptr;
    VERTEX* end_ = nullptr;
    double startParam_ = 0.0, endParam_ = 0.0;
    COEDGE* coedge_ = nullptr;
    ENTITY* curve_ = nullptr;
    bool reversed_ = false;
    std::string convexity_ = "unknown";
};

class VERTEX : public TOPOLOGY_OR_GEOMETRY {
public:
    KERNEL_ENTITY(VERTEX, "vertex")
    ENTITY* owner() const override;  // an edge it bounds
    EDGE* edge() const { return edge_; }
    APOINT* geometry() const { return point_; }
    void set_edge(EDGE* e) { edge_ = e; }
    void set_geometry(APOINT* p) { point_ = p; }
private:
    EDGE* edge_ = nullptr;
    long asmInt_ = 1;  // newer forked texts: an integer between edge and point
    APOINT* point_ = nullptr;
};

class WIRE : public TOPOLOGY_OR_GEOMETRY {
public:
    KERNEL_ENTITY(WIRE, "wire")
    WIRE* next() const { return next_; }
    COEDGE* coedge() const { return coedge_; }
    ENTITY* owner() const override { return owner_; }
private:
    WIRE* next_ = nullptr;
    COEDGE* coedge_ = nullptr;
    ENTITY* owner_ = nullptr;  // body or shell
    SUBSHELL* subshell_ = nullptr;
    bool inside_ = false;
};

class APOINT : public TOPOLOGY_OR_GEOMETRY {
public:
    KERNEL_ENTITY(APOINT, "point")
    APOINT() = default;
    explicit APOINT(const SPAposition& p) : coords_(p) {}
    const SPAposition& coords() const { return coords_; }
    void set_coords(const SPAposition& p) { coords_ = p; }
private:
    SPAposition coords_;
};

class TRANSFORM : public ENTITY {
public:
    KERNEL_ENTITY(TRANSFORM, "transform")
    const SPAtransf& transform() const { return transf_; }
    void set_transform(const SPAtransf& t);
private:
    SPAtransf transf_;
    bool rotate_ = false, reflect_ = false, shear_ = false;
};

// A record of a type the kernel does not know and that is no attribute: type name and
// data kept whole.
class UNKNOWN_ENTITY : public ENTITY {
public:
    const char* type_name() const override { return typeName_.c_str(); }
    int size() const override { return sizeof(UNKNOWN_ENTITY); }
    ENTITY* make_copy() const override { return new UNKNOWN_ENTITY(*this); }
    void io(FieldIo& io) override;
    void save_type() const override;
    void set_type_chain(const char* chain) { typeName_ = chain; }
private:
    std::string typeName_;
    RawData data_;
};

extern const int BODY_TYPE, LUMP_TYPE, SHELL_TYPE, SUBSHELL_TYPE, FACE_TYPE, LOOP_TYPE,
    COEDGE_TYPE, EDGE_TYPE, VERTEX_TYPE, WIRE_TYPE, APOINT_TYPE, TRANSFORM_TYPE;
