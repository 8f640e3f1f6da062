// Display speed: the first display of a sample through the modeler (restore, generation,
// records), the display of the same record again (the kept list reused), and faceting
// throughput in facets per second at two qualities.
#include "SatBenchInputs.h"

#include "AsModeler.h"
#include "AsShadedMesh.h"
#include "solidkernel/faceter.h"
#include "solidkernel/kernelapi.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <map>
#include <string>

namespace {

const std::string& sample(const char* name) {
    static std::map<std::string, std::string> texts;
    auto& text = texts[name];
    if (text.empty()) text = benchReadFile(std::string(KIVRA_TESTDATA_DIR) + "/sat/" + name);
    return text;
}

CModeler* modeler() {
    static CModeler* m = [] {
        CModeler* created = createViewer();
        CModeler::s_pModeler = created;
        return created;
    }();
    return m;
}

long handOver(ModelerPolyline* first) {
    long records = 0;
    for (ModelerPolyline* p = first; p;) {
        ++records;
        ModelerPolyline* next = p->next;
        modeler()->freeBlock(p->points);
        modeler()->freeBlock(p);
        p = next;
    }
    return records;
}

// Times the display call alone (slot 10, as the host waits for it); the host's freeing of
// the records afterwards is timed apart and shown as a counter.
template <class Before>
void timedDisplays(benchmark::State& state, const CDbAcisEntityData& record, Before before) {
    using Clock = std::chrono::steady_clock;
    int mode = static_cast<int>(state.range(0));
    double freeing = 0;
    long records = 0;
    for (auto _ : state) {
        before();
        ModelerPolyline* first = nullptr;
        Clock::time_point start = Clock::now();
        if (!modeler()->display(record, mode, 0.5, &first)) state.SkipWithError("no display");
        Clock::time_point shown = Clock::now();
        records = handOver(first);
        freeing += std::chrono::duration<double>(Clock::now() - shown).count();
        state.SetIterationTime(std::chrono::duration<double>(shown - start).count());
    }
    state.counters["records"] = static_cast<double>(records);
    state.counters["host_frees_us"] = freeing / std::max<double>(1, static_cast<double>(state.iterations())) * 1e6;
}

// args: the mode (-1 shaded, 4 wireframe). Every round starts from an empty cache: the
// record is restored, its display made and handed over.
void firstDisplay(benchmark::State& state, const char* name) {
    const std::string& text = sample(name);
    CDbAcisEntityData record(HostString(text.data(), text.size()), CDbAcisEntityData::kSolid);
    timedDisplays(state, record, [] { modeler()->clearCache(); });
    state.counters["text_KiB"] = text.size() / 1024.0;
}

// The same record again: the body is in the cache and its display list is reused.
void displayAgain(benchmark::State& state, const char* name) {
    const std::string& text = sample(name);
    CDbAcisEntityData record(HostString(text.data(), text.size()), CDbAcisEntityData::kSolid);
    modeler()->clearCache();
    ModelerPolyline* first = nullptr;
    if (!modeler()->display(record, static_cast<int>(state.range(0)), 0.5, &first)) state.SkipWithError("no display");
    handOver(first);
    timedDisplays(state, record, [] {});
}

// The kernel's faceting alone (no records), as facets per second.
void faceting(benchmark::State& state, const char* name, double quality) {
    const std::string& text = sample(name);
    CDbAcisEntityData record(HostString(text.data(), text.size()), CDbAcisEntityData::kSolid);
    modeler();
    BODY* body = AsModeler::instance().bodyObject(record).body();
    REFINEMENT* refinement = nullptr;
    api_get_default_refinement(refinement);
    refinement->set_surface_tol(60);
    refinement->set_normal_tol(AsNormalTolerance(quality));
    refinement->set_max_grid_lines(50);
    api_set_default_refinement(refinement);
    refinement->lose();
    ENTITY_LIST faces;
    api_get_faces(body, faces);
    long facets = 0;
    for (auto _ : state) {
        api_facet_entity(body);
        facets = 0;
        for (int i = 0; i < faces.count(); ++i) {
            POLYGON_POINT_MESH* mesh = nullptr;
            api_get_face_facets(static_cast<FACE*>(faces[i]), mesh, 1);
            if (mesh) facets += mesh->polygon_count();
            delete mesh;
        }
    }
    state.counters["facets"] = static_cast<double>(facets);
    state.counters["facets_per_s"] = benchmark::Counter(static_cast<double>(facets) * state.iterations(), benchmark::Counter::kIsRate);
}

// The largest sample that is one body (44 KB, three spline and plane sheets), and the one
// with the most faces (42 KB, 33 faces: planes, cylinders, spheres, a cavity).
BENCHMARK_CAPTURE(firstDisplay, largest, "v2000_three_plates_spline.sat")->Arg(-1)->Arg(4)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(displayAgain, largest, "v2000_three_plates_spline.sat")->Arg(-1)->Arg(4)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(firstDisplay, most_faces, "v1600_testgeom.sat")->Arg(-1)->Arg(4)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(displayAgain, most_faces, "v1600_testgeom.sat")->Arg(-1)->Arg(4)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(faceting, most_faces_q05, "v1600_testgeom.sat", 0.5)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(faceting, most_faces_q5, "v1600_testgeom.sat", 5.0)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(faceting, torus_q05, "v700_asm_torus_part_subset.sat", 0.5)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(faceting, torus_q5, "v700_asm_torus_part_subset.sat", 5.0)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
