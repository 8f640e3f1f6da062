// Object snap queries as the host makes them while the cursor moves: slot 56 on a cached
// body (lookup hit, transform already baked), all snap kinds or the cheap ones, on the
// sample with the most faces and on the largest sample that holds one body.
#include "AsModeler.h"
#include "SatBenchInputs.h"
#include "solidkernel/kernelapi.h"

#include <benchmark/benchmark.h>

namespace {

void snapQueries(benchmark::State& state, const char* sample, int flags) {
    static CModeler* modeler = (CModeler::s_pModeler = createViewer());
    std::string text = benchReadFile(std::string(KIVRA_TESTDATA_DIR) + "/sat/" + sample);
    CDbAcisEntityData record(HostString(text.data(), text.size()), CDbAcisEntityData::kSolid);
    const double pick[3] = {1, 2, 50}, reference[3] = {3, -1, 2}, view[3] = {0, 0, -1};
    HostVector<ModelerSnapPoint> points;
    if (!modeler || !modeler->snapPoints(record, flags, pick, reference, view, points)) {
        state.SkipWithError("the sample does not restore as one body");
        return;
    }
    ENTITY_LIST faces, edges;
    BODY* body = static_cast<AsModeler*>(modeler)->cache().lookup(record).object->body();
    api_get_faces(body, faces);
    api_get_edges(body, edges);
    for (auto _ : state) {
        modeler->snapPoints(record, flags, pick, reference, view, points);
        benchmark::DoNotOptimize(points.data());
    }
    state.counters["faces"] = faces.count();
    state.counters["edges"] = edges.count();
    state.counters["points"] = static_cast<double>(points.size());
    state.counters["queries"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

void BM_SnapAllKindsMostFaces(benchmark::State& state) {
    snapQueries(state, "v1600_testgeom.sat", 1023);
}
void BM_SnapEndMidCentreMostFaces(benchmark::State& state) {
    snapQueries(state, "v1600_testgeom.sat", 7);
}
void BM_SnapAllKindsLargestOneBody(benchmark::State& state) {
    snapQueries(state, "v2000_three_plates_spline.sat", 1023);
}
void BM_SnapAllKindsCylinder(benchmark::State& state) {
    snapQueries(state, "v700_cylinder_material.sat", 1023);
}
BENCHMARK(BM_SnapAllKindsMostFaces)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SnapEndMidCentreMostFaces)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SnapAllKindsLargestOneBody)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SnapAllKindsCylinder)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
