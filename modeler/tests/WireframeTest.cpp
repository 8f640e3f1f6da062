// Wireframes of every sample: each edge's points lie on its curve, and its curve keeps
// within the quality's distance of the polyline.
#include "AsObject.h"
#include "AsTools.h"
#include "SatTestSupport.h"
#include "solidkernel/kernelapi.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>

using namespace sat_test;

namespace {

double toSegment(const SPAposition& p, const SPAposition& a, const SPAposition& b) {
    SPAvector ab = b - a;
    double l = dot(ab, ab);
    double t = l > 0 ? std::max(0.0, std::min(1.0, dot(p - a, ab) / l)) : 0.0;
    return distance(p, a + t * ab);
}

TEST(Wireframe, EveryEdgeOfEverySampleFollowsItsCurveWithinTheQuality) {
    int edges = 0;
    for (const std::string& name : sampleFiles()) {
        std::string text = sampleText(name);
        CDbAcisEntityData record(HostString(text.data(), text.size()), CDbAcisEntityData::kSolid);
        std::unique_ptr<AsObject> object(AsRestoreRecord(record));
        if (!object) continue;
        BODY* body = object->body();
        // A quality of a thousandth of the body's size.
        ENTITY_LIST vertices;
        api_get_vertices(body, vertices);
        double size = 0;
        for (int i = 0; i + 1 < vertices.count(); ++i)
            size = std::max(size, distance(static_cast<VERTEX*>(vertices[0])->geometry()->coords(),
                                           static_cast<VERTEX*>(vertices[i + 1])->geometry()->coords()));
        double quality = std::max(1e-3 * size, 1e-4);
        ModelerPolyline* records = nullptr;
        object->display(&records, 3, quality);
        AsFreeRecords(records);
        const SPAtransf* moved = body->transform() ? &body->transform()->transform() : nullptr;
        double scale = moved ? moved->scale : 1.0;
        const auto& items = object->displayList().items();
        for (std::size_t k = 1; k < items.size(); ++k) {
            auto* polyline = dynamic_cast<const AsDisplayPolyline*>(items[k].get());
            if (!polyline) continue;
            if (items[k - 1]->tag() == AsDisplayMarker::kParameterLines) continue;  // gone by now
            auto* edge = dynamic_cast<EDGE*>(reinterpret_cast<ENTITY*>(items[k - 1]->tag()));
            if (!edge) continue;
            // The edge's curve sampled finely, in model space.
            std::vector<SPAposition> fine;
            for (int i = 0; i <= 4000; ++i) {
                SPAposition p = edge->eval_position(edge->start_param() + (edge->end_param() - edge->start_param()) * i / 4000);
                fine.push_back(moved ? moved->apply(p) : p);
            }
            double sampling = 0;
            for (std::size_t i = 0; i + 1 < fine.size(); ++i) sampling = std::max(sampling, distance(fine[i], fine[i + 1]));
            const auto& pts = polyline->points;
            for (const SPAposition& p : pts) {
                double nearest = 1e300;
                for (std::size_t i = 0; i + 1 < fine.size(); ++i) nearest = std::min(nearest, toSegment(p, fine[i], fine[i + 1]));
                ASSERT_LE(nearest, 1e-3 * sampling + 1e-9 * (1 + length(p))) << name << ": a point off its edge";
            }
            for (const SPAposition& f : fine) {
                double nearest = 1e300;
                for (std::size_t i = 0; i + 1 < pts.size(); ++i) nearest = std::min(nearest, toSegment(f, pts[i], pts[i + 1]));
                if (pts.size() == 1) nearest = distance(f, pts[0]);
                ASSERT_LE(nearest, quality * scale * 1.001 + 1e-9 * (1 + length(f))) << name << ": the curve strays from its chords";
            }
            ++edges;
        }
    }
    EXPECT_GT(edges, 250);
}

}  // namespace
