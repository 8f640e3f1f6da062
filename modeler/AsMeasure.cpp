// Characteristic points, extents and perimeters.
#include "AsMeasure.h"

#include "AsBodyAccess.h"
#include "AsTools.h"
#include "AsTransform.h"
#include "solidkernel/bodytrans.h"
#include "solidkernel/boundedcurve.h"
#include "solidkernel/box.h"
#include "solidkernel/errors.h"
#include "solidkernel/kernelapi.h"

#include <exception>

namespace {

void add(std::vector<ModelerPoint>& out, const SPAposition& p) {
    out.push_back(ModelerPoint{p.x, p.y, p.z});
}

// A plane face bounded by one loop of one closed elliptic edge: the centre of that ellipse.
const ELLIPSE* diskEllipse(const FACE& face) {
    const LOOP* loop = face.loop();
    if (!is_PLANE(face.geometry()) || !loop || loop->next()) return nullptr;
    const COEDGE* coedge = loop->start();
    if (!coedge || coedge->next() != coedge || coedge->start() != coedge->end()) return nullptr;
    const CURVE* curve = coedge->edge() ? coedge->edge()->geometry() : nullptr;
    return is_ELLIPSE(curve) ? static_cast<const ELLIPSE*>(curve) : nullptr;
}

}  // namespace

void AsCollectCharacteristicPoints(BODY* body, std::vector<ModelerPoint>& out) {
    ENTITY_LIST vertices;
    AsOutcomeCheck(api_get_vertices(body, vertices));
    for (int i = 0; i < vertices.count(); ++i)
        if (const APOINT* p = static_cast<VERTEX*>(vertices[i])->geometry()) add(out, p->coords());
    ENTITY_LIST faces;
    AsOutcomeCheck(api_get_faces(body, faces));
    for (int i = 0; i < faces.count(); ++i) {
        const auto& face = *static_cast<FACE*>(faces[i]);
        const SURFACE* surface = face.geometry();
        if (is_SPHERE(surface) && !face.loop())
            add(out, static_cast<const SPHERE*>(surface)->centre);
        else if (const ELLIPSE* ellipse = diskEllipse(face))
            add(out, ellipse->centre);
    }
}

bool AsCharacteristicPoints(AsBodyCache& cache, const CDbAcisEntityData& record,
                            HostVector<ModelerPoint>& out) {
    BODY* body = AsLookupBody(cache, record);
    AsOutcomeCheck(api_change_body_trans(body, nullptr, 0, nullptr));
    std::vector<ModelerPoint> points;
    AsCollectCharacteristicPoints(body, points);
    // Reserved first, the append cannot fail half way.
    out.reserve(out.size() + points.size());
    out.insert(out.end(), points.begin(), points.end());
    return true;
}

bool AsExtents(AsBodyCache& cache, const CDbAcisEntityData& record, double* low, double* high,
               const ModelerMatrix* matrix) {
    AsRequireArgument(low);
    AsRequireArgument(high);
    AsRequireArgument(matrix);
    BODY* body = AsLookupBody(cache, record);
    SPAtransf placement = AsConvertMatrix(matrix);
    SPAtransf start = body->transform() ? body->transform()->transform() : SPAtransf();
    start *= placement;
    SPAbox box = get_body_box(body, &start, 0);
    if (box.empty()) {
        // Nothing bounded to measure: no vertex, edge or closed surface.
        asSetLastError(kernel_errors::kDegenerateGeometry);
        throw std::exception();
    }
    const SPAposition& l = box.low();
    const SPAposition& h = box.high();
    low[0] = l.x, low[1] = l.y, low[2] = l.z;
    high[0] = h.x, high[1] = h.y, high[2] = h.z;
    return true;
}

double AsRegionPerimeter(BODY* body) {
    LUMP* lump = body->lump();
    SHELL* shell = lump ? lump->shell() : nullptr;
    FACE* face = shell ? shell->face() : nullptr;
    if (!face) {
        asSetLastError(kernel_errors::kNullEntity);
        throw std::exception();
    }
    ENTITY_LIST edges;
    AsOutcomeCheck(api_get_edges(face, edges));
    const SPAtransf* placement = body->transform() ? &body->transform()->transform() : nullptr;
    double sum = 0;
    for (int i = 0; i < edges.count(); ++i) sum += static_cast<EDGE*>(edges[i])->length(placement);
    return sum;
}

bool AsPerimeter(AsBodyCache& cache, const CDbAcisEntityData& record, double* out) {
    AsRequireArgument(out);
    if (record.getType() != CDbAcisEntityData::kRegion) return false;
    *out = AsRegionPerimeter(AsLookupBody(cache, record));
    return true;
}
