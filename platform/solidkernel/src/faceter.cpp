// The faceter's API: default refinement, faceting an entity's faces, handing out the meshes.
#include "BodyFaceter.h"
#include "KernelState.h"
#include "ModelWalk.h"
#include "solidkernel/errors.h"
#include "solidkernel/faceter.h"

#include <cmath>

namespace {

REFINEMENT& defaultRefinement() {
    static REFINEMENT refinement;
    return refinement;
}

// Meshes of the last faceting, until taken.
std::map<const FACE*, std::unique_ptr<POLYGON_POINT_MESH>>& store() {
    static std::map<const FACE*, std::unique_ptr<POLYGON_POINT_MESH>> meshes;
    return meshes;
}

const BODY* bodyOf(const ENTITY* entity) {
    for (int guard = 0; entity && guard < 16; ++guard, entity = entity->owner())
        if (auto* body = dynamic_cast<const BODY*>(entity)) return body;
    return nullptr;
}

}  // namespace

POLYGON_POINT_MESH::POLYGON_POINT_MESH(const POLYGON_POINT_MESH& other)
    : polygons_(other.polygons_), vertices_(other.vertices_), starts_(other.starts_) {
    finish();
}

void POLYGON_POINT_MESH::add_polygon(const std::vector<SPAposition>& points, const std::vector<SPAvector>& normals) {
    POLYGON polygon;
    polygon.count_ = static_cast<int>(points.size());
    starts_.push_back(static_cast<int>(vertices_.size()));
    for (std::size_t i = 0; i < points.size(); ++i) {
        POLYGON_VERTEX vertex;
        vertex.point_ = points[i];
        vertex.normal_ = i < normals.size() ? normals[i] : SPAvector();
        vertices_.push_back(vertex);
    }
    polygons_.push_back(polygon);
}

void POLYGON_POINT_MESH::finish() {
    for (std::size_t p = 0; p < polygons_.size(); ++p) {
        POLYGON& polygon = polygons_[p];
        polygon.next_ = p + 1 < polygons_.size() ? &polygons_[p + 1] : nullptr;
        int start = starts_[p];
        polygon.first_ = polygon.count_ ? &vertices_[start] : nullptr;
        for (int k = 0; k < polygon.count_; ++k)
            vertices_[start + k].next_ = k + 1 < polygon.count_ ? &vertices_[start + k + 1] : nullptr;
    }
}

outcome api_get_default_refinement(REFINEMENT*& refinement, int surfaceMode) {
    refinement = nullptr;
    if (surfaceMode != 0) return outcome(kernel_errors::kBadParameter);
    return model_walk::guarded([&] { refinement = new REFINEMENT(defaultRefinement()); });
}

outcome api_set_default_refinement(const REFINEMENT* refinement, int surfaceMode) {
    if (!refinement) return outcome(kernel_errors::kNullEntity);
    if (surfaceMode != 0 || !std::isfinite(refinement->normal_tol()) || !std::isfinite(refinement->surface_tol()))
        return outcome(kernel_errors::kBadParameter);
    defaultRefinement() = *refinement;
    return outcome();
}

outcome api_facet_entity(ENTITY* entity) {
    if (err_mess_type injected = takeArmedFailure("api_facet_entity")) return outcome(injected);
    if (!entity) return outcome(kernel_errors::kNullEntity);
    store().clear();
    return model_walk::guarded([&] {
        ENTITY_LIST faces;
        outcome found = api_get_faces(entity, faces);
        if (!found.ok()) kernel_fail(found.error_number());
        std::vector<FACE*> list;
        for (int i = 0; i < faces.count(); ++i) list.push_back(static_cast<FACE*>(faces[i]));
        const BODY* body = bodyOf(entity);
        const SPAtransf* transform = body && body->transform() ? &body->transform()->transform() : nullptr;
        BodyFaceter faceter(defaultRefinement(), transform);
        store() = faceter.run(list);
    });
}

outcome api_get_face_facets(FACE* face, POLYGON_POINT_MESH*& mesh, int take) {
    if (err_mess_type injected = takeArmedFailure("api_get_face_facets")) return outcome(injected);
    mesh = nullptr;
    if (!face) return outcome(kernel_errors::kNullEntity);
    return model_walk::guarded([&] {
        auto found = store().find(face);
        if (found == store().end()) return;
        if (take) {
            mesh = found->second.release();
            store().erase(found);
        } else {
            mesh = new POLYGON_POINT_MESH(*found->second);
        }
    });
}
