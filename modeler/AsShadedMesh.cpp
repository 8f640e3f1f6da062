// Shaded mesh generation and the quality's normal tolerance.
#include "AsShadedMesh.h"

#include "AsApiBracket.h"
#include "AsColorLookup.h"
#include "AsDisplayList.h"
#include "AsTools.h"
#include "solidkernel/faceter.h"
#include "solidkernel/kernelapi.h"

#include <algorithm>
#include <cmath>
#include <memory>

double AsNormalTolerance(double quality) {
    // Out of range (or not a number) the map would give angles of 0 and below, or above 40.
    double q = std::isnan(quality) ? 0.5 : std::min(10.0, std::max(0.01, quality));
    if (q <= 0.5) return 40 - (q - 0.01) * 51.02040816326531;
    return 15 - (q - 0.5) * 1.0526315789473684;
}

void AsGenerateMesh(BODY* body, AsDisplayList& list, double quality) {
    AsApiBracket([&] {
        REFINEMENT* refinement = nullptr;
        AsOutcomeCheck(api_get_default_refinement(refinement, 0));
        std::unique_ptr<REFINEMENT, void (*)(REFINEMENT*)> owned(refinement, [](REFINEMENT* r) { r->lose(); });
        refinement->set_surface_tol(60.0);
        refinement->set_normal_tol(AsNormalTolerance(quality));
        refinement->set_grid_mode(1);
        refinement->set_adjust_mode(0);
        refinement->set_triang_mode(3);
        refinement->set_max_grid_lines(50);
        AsOutcomeCheck(api_set_default_refinement(refinement));
    });
    AsOutcomeCheck(api_facet_entity(body));
    ENTITY_LIST faces;
    AsOutcomeCheck(api_get_faces(body, faces));
    for (int f = 0; f < faces.count(); ++f) {
        auto* face = static_cast<FACE*>(faces[f]);
        POLYGON_POINT_MESH* facets = nullptr;
        AsOutcomeCheck(api_get_face_facets(face, facets, 1));
        std::unique_ptr<POLYGON_POINT_MESH> mesh(facets);
        if (!mesh) continue;
        const int colour = AsColorLookup(face, false);
        list.appendMarker(face);
        for (POLYGON* polygon = mesh->first(); polygon; polygon = polygon->next()) {
            auto item = std::make_unique<AsDisplayPolyline>(AsDisplayPolyline::kClosed, colour);
            item->points.reserve(static_cast<std::size_t>(polygon->count()));
            for (POLYGON_VERTEX* v = polygon->first(); v; v = v->next()) item->points.push_back(v->point());
            list.appendPolyline(std::move(item));
        }
        list.appendMarker(face);
    }
}
