// Records of the topology classes, version by version, and their small helpers.
#include "KernelClasses.h"
#include "solidkernel/geometry.h"
#include "solidkernel/topology.h"

#include <cmath>

const int BODY_TYPE = new_type_number(), LUMP_TYPE = new_type_number(),
          SHELL_TYPE = new_type_number(), SUBSHELL_TYPE = new_type_number(),
          FACE_TYPE = new_type_number(), LOOP_TYPE = new_type_number(),
          COEDGE_TYPE = new_type_number(), EDGE_TYPE = new_type_number(),
          VERTEX_TYPE = new_type_number(), WIRE_TYPE = new_type_number(),
          APOINT_TYPE = new_type_number(), TRANSFORM_TYPE = new_type_number();

KERNEL_IDENTITY(BODY, ENTITY, BODY_TYPE, 1)
KERNEL_IDENTITY(LUMP, ENTITY, LUMP_TYPE, 1)
KERNEL_IDENTITY(SHELL, ENTITY, SHELL_TYPE, 1)
KERNEL_IDENTITY(SUBSHELL, ENTITY, SUBSHELL_TYPE, 1)
KERNEL_IDENTITY(FACE, ENTITY, FACE_TYPE, 1)
KERNEL_IDENTITY(LOOP, ENTITY, LOOP_TYPE, 1)
KERNEL_IDENTITY(COEDGE, ENTITY, COEDGE_TYPE, 1)
KERNEL_IDENTITY(EDGE, ENTITY, EDGE_TYPE, 1)
KERNEL_IDENTITY(VERTEX, ENTITY, VERTEX_TYPE, 1)
KERNEL_IDENTITY(WIRE, ENTITY, WIRE_TYPE, 1)
KERNEL_IDENTITY(APOINT, ENTITY, APOINT_TYPE, 1)
KERNEL_IDENTITY(TRANSFORM, ENTITY, TRANSFORM_TYPE, 1)

namespace {
ENTITY* restoreAsmHeader() {
    // The forked kernel's build record: read, not kept.
    RawData ignored;
    FieldIo reader = FieldIo::reader(*current_restore());
    reader.rest(ignored);
    return nullptr;
}
}  // namespace

subclass_list& entity_subclasses() {
    static subclass_list list;
    static bool registered = false;
    if (!registered) {
        registered = true;
        register_topology_classes();
        register_geometry_classes();
        register_attrib_classes();
    }
    return list;
}

void register_topology_classes() {
    subclass_list& top = entity_subclasses();
    static restore_def defs[] = {
        {top, "body", restore_kernel_entity<BODY>},
        {top, "lump", restore_kernel_entity<LUMP>},
        {top, "shell", restore_kernel_entity<SHELL>},
        {top, "subshell", restore_kernel_entity<SUBSHELL>},
        {top, "face", restore_kernel_entity<FACE>},
        {top, "loop", restore_kernel_entity<LOOP>},
        {top, "coedge", restore_kernel_entity<COEDGE>},
        {top, "edge", restore_kernel_entity<EDGE>},
        {top, "vertex", restore_kernel_entity<VERTEX>},
        {top, "wire", restore_kernel_entity<WIRE>},
        {top, "point", restore_kernel_entity<APOINT>},
        {top, "transform", restore_kernel_entity<TRANSFORM>},
        {top, "asmheader", restoreAsmHeader},
    };
    (void)defs;
}

void BODY::io(FieldIo& io) {
    ENTITY::io(io);
    if (io.reading() && io.version() >= 3000 && io.version() < 20000) io.longint(extra_);
    io.ptr(lump_);
    io.ptr(wire_);
    io.ptr(transform_);
}

void LUMP::io(FieldIo& io) {
    ENTITY::io(io);
    io.ptr(next_);
    io.ptr(shell_);
    io.ptr(body_);
}

void SHELL::io(FieldIo& io) {
    ENTITY::io(io);
    io.ptr(next_);
    io.ptr(subshell_);
    io.ptr(face_);
    if (!(io.reading() && io.version() < 107)) io.ptr(wire_);  // wires came with 1.7
    io.ptr(lump_);
}

void SUBSHELL::io(FieldIo& io) {
    ENTITY::io(io);
    io.entity(parent_);
    io.ptr(next_);
    io.ptr(child_);
    io.ptr(face_);
    io.ptr(wire_);
}

SURFACE* FACE::geometry() const { return dynamic_cast<SURFACE*>(geometry_); }

void FACE::io(FieldIo& io) {
    ENTITY::io(io);
    io.ptr(next_);
    io.ptr(loop_);
    io.ptr(shell_);
    io.ptr(subshell_);
    io.entity(geometry_);
    io.logical(reversed_, "forward", "reversed");
    io.logical(doubleSided_, "single", "double");
    if (doubleSided_) io.logical(inside_, "out", "in");
}

void LOOP::io(FieldIo& io) {
    ENTITY::io(io);
    io.ptr(next_);
    io.ptr(start_);
    io.ptr(face_);
}

VERTEX* COEDGE::start() const {
    if (!edge_) return nullptr;
    return reversed_ ? edge_->end() : edge_->start();
}

VERTEX* COEDGE::end() const {
    if (!edge_) return nullptr;
    return reversed_ ? edge_->start() : edge_->end();
}

void COEDGE::io(FieldIo& io) {
    ENTITY::io(io);
    io.ptr(next_);
    io.ptr(prev_);
    io.ptr(partner_);
    io.ptr(edge_);
    io.logical(reversed_, "forward", "reversed");
    io.entity(owner_);
    if (io.mode() == FieldIo::kFix && owner_ && !dynamic_cast<LOOP*>(owner_) && !dynamic_cast<WIRE*>(owner_))
        kernel_fail(203);
    io.entity(pcurve_);
}

CURVE* EDGE::geometry() const { return dynamic_cast<CURVE*>(curve_); }

void EDGE::io(FieldIo& io) {
    ENTITY::io(io);
    bool params = io.version() >= 500;
    io.ptr(start_);
    if (params) io.real(startParam_);
    io.ptr(end_);
    if (params) io.real(endParam_);
    io.ptr(coedge_);
    io.entity(curve_);
    io.logical(reversed_, "forward", "reversed");
    if (params) io.string(convexity_);
    if (io.reading() && !params) needsParams_ = true;
}

void EDGE::finish_restore() {
    if (!needsParams_) return;
    needsParams_ = false;
    // Texts before 5.0 keep no parameters: take them from the vertices on the curve.
    const CURVE* curve = geometry();
    if (!curve || !start_ || !end_ || !start_->geometry() || !end_->geometry()) return;
    double s = curve->param(start_->geometry()->coords());
    double e = curve->param(end_->geometry()->coords());
    if (reversed_) {
        s = -s;
        e = -e;
    }
    if (curve->periodic() && e <= s) e += 2 * 3.14159265358979323846;
    startParam_ = s;
    endParam_ = e;
}

SPAposition EDGE::eval_position(double t) const {
    SPAposition p;
    if (const CURVE* curve = geometry()) curve->eval(reversed_ ? -t : t, p);
    return p;
}

void VERTEX::io(FieldIo& io) {
    ENTITY::io(io);
    io.ptr(edge_);
    if (io.reading() && io.isAsm() && io.version() >= 21200) io.longint(asmInt_);
    io.ptr(point_);
}

void WIRE::io(FieldIo& io) {
    ENTITY::io(io);
    io.ptr(next_);
    io.ptr(coedge_);
    io.entity(owner_);
    io.ptr(subshell_);
    io.logical(inside_, "out", "in");
}

void APOINT::io(FieldIo& io) {
    ENTITY::io(io);
    io.position(coords_);
}

void TRANSFORM::set_transform(const SPAtransf& t) {
    transf_ = t;
    double det = t.a[0][0] * (t.a[1][1] * t.a[2][2] - t.a[1][2] * t.a[2][1]) -
                 t.a[0][1] * (t.a[1][0] * t.a[2][2] - t.a[1][2] * t.a[2][0]) +
                 t.a[0][2] * (t.a[1][0] * t.a[2][1] - t.a[1][1] * t.a[2][0]);
    reflect_ = det < 0;
    rotate_ = std::fabs(t.a[0][0] - 1) > 1e-12 || std::fabs(t.a[1][1] - 1) > 1e-12 ||
              std::fabs(t.a[2][2] - 1) > 1e-12;
    shear_ = std::fabs(dot(SPAvector(t.a[0][0], t.a[0][1], t.a[0][2]), SPAvector(t.a[1][0], t.a[1][1], t.a[1][2]))) > 1e-9;
}

void TRANSFORM::io(FieldIo& io) {
    // A transform record has neither pattern nor extra integer.
    ENTITY::io(io);
    for (auto& row : transf_.a)
        for (double& value : row) io.real(value);
    io.vector(transf_.t);
    io.real(transf_.scale);
    io.logical(rotate_, "no_rotate", "rotate");
    io.logical(reflect_, "no_reflect", "reflect");
    io.logical(shear_, "no_shear", "shear");
}

void UNKNOWN_ENTITY::save_type() const { current_save()->file->write_id(typeName_.c_str(), 1); }

void UNKNOWN_ENTITY::io(FieldIo& io) {
    ENTITY::io(io);
    io.rest(data_);
}

// ------------------------------------------------------------------ transforms
SPAtransf SPAtransf::then(const SPAtransf& next) const {
    SPAtransf r;
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) {
            double sum = 0;
            for (int k = 0; k < 3; ++k) sum += a[i][k] * next.a[k][j];
            r.a[i][j] = sum;
        }
    r.scale = scale * next.scale;
    r.t = next.apply(t);
    return r;
}

bool SPAtransf::singular() const {
    double det = a[0][0] * (a[1][1] * a[2][2] - a[1][2] * a[2][1]) -
                 a[0][1] * (a[1][0] * a[2][2] - a[1][2] * a[2][0]) +
                 a[0][2] * (a[1][0] * a[2][1] - a[1][1] * a[2][0]);
    return std::fabs(det * scale) < 1e-12;
}
