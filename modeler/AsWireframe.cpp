// Wireframe generation and edge tessellation.
#include "AsWireframe.h"

#include "AsAcadColorAttrib.h"
#include "AsApiBracket.h"
#include "AsAttribMarker.h"
#include "AsColorLookup.h"
#include "AsDisplayList.h"
#include "AsTools.h"
#include "solidkernel/facetcurve.h"
#include "solidkernel/isolines.h"
#include "solidkernel/kernelapi.h"
#include "solidkernel/queries.h"
#include "solidkernel/tolerance.h"

#include <algorithm>
#include <exception>
#include <vector>

namespace {

// Drawing markers come off every edge of the body when generation ends, however it ends.
// After a failure the listing's outcome is not checked: the failure's error number stays.
class MarkerRemoval {
public:
    explicit MarkerRemoval(BODY* body) : body_(body) {}
    ~MarkerRemoval() {
        if (!done_) {
            try {
                remove(false);
            } catch (...) {
            }
        }
    }
    // The normal end: the edges' listing goes through the outcome check.
    void finish() {
        done_ = true;
        remove(true);
    }

private:
    void remove(bool checked) {
        ENTITY_LIST edges;
        outcome listed = api_get_edges(body_, edges);
        if (checked) AsOutcomeCheck(listed);
        for (int i = 0; i < edges.count(); ++i)
            for (int guard = 0; guard < 1000; ++guard) {
                AsAttribMarker* marker = AsAttribMarker::find(edges[i]);
                if (!marker) break;
                marker->lose();
            }
    }
    BODY* body_;
    bool done_ = false;
};

// The parameter lines of one face: the bridge owns them until it deletes them.
class ParameterLines {
public:
    ~ParameterLines() {
        for (int i = 0; i < edges.count(); ++i) api_del_entity(edges[i]);
    }
    // The normal end: each deletion goes through the outcome check.
    void deleteAll() {
        ENTITY_LIST lines = edges;
        edges.clear();
        for (int i = 0; i < lines.count(); ++i) AsOutcomeCheck(api_del_entity(lines[i]));
    }
    ENTITY_LIST edges;
};

}  // namespace

std::unique_ptr<AsDisplayPolyline> AsTessellateCurve(const CURVE& curve, double start, double end,
                                                     double tolerance, unsigned kind, int colour) {
    tolerance = std::max(tolerance, SPAresabs);  // a quality of 0 would never be met
    auto polyline = std::make_unique<AsDisplayPolyline>(kind, colour);
    int n = 100, count = 0;
    std::vector<SPAposition> points;
    std::vector<double> params;
    for (;;) {
        points.resize(static_cast<std::size_t>(n));
        params.resize(static_cast<std::size_t>(n));
        AsOutcomeCheck(api_facet_curve(curve.equation(), start, end, tolerance, n, count, points.data(), params.data()));
        if (count < n || n >= kMostEdgePoints) break;
        n = std::min(2 * n, kMostEdgePoints);
    }
    points.resize(static_cast<std::size_t>(std::max(0, std::min(count, n))));
    polyline->points = std::move(points);
    return polyline;
}

void AsTessellateEdges(AsDisplayList& list, ENTITY_LIST& work, int faceEdges, double tolerance) {
    AsApiBracket([&] {
        for (int i = work.count() - 1; i >= 0; --i) {
            auto* edge = dynamic_cast<EDGE*>(work[i]);
            if (!edge || !edge->geometry()) continue;
            bool first = false;
            if (!AsAttribMarker::find(edge)) {
                new (__FILE__, __LINE__) AsAttribMarker(edge);
                first = true;
            }
            SPAinterval range = edge->param_range();
            if (range.empty()) continue;
            if (edge->sense() == REVERSED) range = -range;
            unsigned kind = is_closed_curve(edge) ? AsDisplayPolyline::kClosed : AsDisplayPolyline::kOpen;
            if (!first) kind |= AsDisplayPolyline::kDrawnBefore;
            int colour = AsColorLookup(edge, true);
            std::intptr_t tag = i < faceEdges ? reinterpret_cast<std::intptr_t>(edge) : AsDisplayMarker::kParameterLines;
            auto polyline = AsTessellateCurve(*edge->geometry(), range.start_pt(), range.end_pt(), tolerance, kind, colour);
            list.appendMarker(tag);
            list.appendPolyline(std::move(polyline));
            list.appendMarker(tag);
        }
    });
}

void AsGenerateWireframe(BODY* body, AsDisplayList& list, int lines, double tolerance) {
    ENTITY_LIST faces;
    AsOutcomeCheck(api_get_faces(body, faces));
    MarkerRemoval markers(body);
    list.appendMarker(body);
    for (int f = 0; f < faces.count(); ++f) {
        auto* face = static_cast<FACE*>(faces[f]);
        ENTITY_LIST work;
        api_get_edges(face, work);  // its outcome is not looked at: no edges, no lines drawn
        const int faceEdges = work.count();
        const int colour = AsColorLookup(face, true);
        ParameterLines parameterLines;
        if (!is_planar_face(face)) {
            SPAtransf identity;
            AsOutcomeCheck(api_face_nu_nv_isolines(face, lines, is_cylindrical_face(face) ? 0 : lines, &identity,
                                                   parameterLines.edges));
            for (int i = 0; i < parameterLines.edges.count(); ++i) {
                ENTITY* line = parameterLines.edges[i];
                if (!AsAcadColorAttrib::find(line)) new (__FILE__, __LINE__) AsAcadColorAttrib(line, colour);
                work.add(line);
            }
        }
        list.appendMarker(face);
        AsTessellateEdges(list, work, faceEdges, tolerance);
        list.appendMarker(face);
        parameterLines.deleteAll();
    }
    markers.finish();
    list.appendMarker(body);
}
