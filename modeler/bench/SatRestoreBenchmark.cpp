// Restore (text to kernel entities, deleted untimed) and save throughput of SAT text
// through the bridge's stream, on the largest shared sample and on a generated large body.
#include "SatBenchInputs.h"

#include "AsSatStream.h"
#include "solidkernel/kernelapi.h"

#include <benchmark/benchmark.h>

namespace {

void restoreText(benchmark::State& state, const std::string& text) {
    if (text.empty() || benchRestore(text) == 0) {
        state.SkipWithError("input does not restore");
        return;
    }
    for (auto _ : state) {
        AsSatStream reader(text.data(), text.size());
        ENTITY_LIST list;
        outcome result = api_restore_entity_list_file(&reader, list);
        benchmark::DoNotOptimize(result);
        state.PauseTiming();
        for (int i = 0; i < list.count(); ++i) api_del_entity(list[i]);
        state.ResumeTiming();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
}

void BM_RestoreLargestSample(benchmark::State& state) {
    static const std::string text =
        benchReadFile(std::string(KIVRA_TESTDATA_DIR) + "/sat/v2100_seven_bodies.sat");
    restoreText(state, text);
}
BENCHMARK(BM_RestoreLargestSample)->Unit(benchmark::kMillisecond);

void BM_RestoreGeneratedBody(benchmark::State& state) {
    static const std::string text = benchGeneratedBody(400);
    restoreText(state, text);
    state.counters["text_MiB"] = benchMiB(text.size());
}
BENCHMARK(BM_RestoreGeneratedBody)->Unit(benchmark::kMillisecond);

void BM_SaveGeneratedBody(benchmark::State& state) {
    static const std::string text = benchGeneratedBody(400);
    AsSatStream reader(text.data(), text.size());
    ENTITY_LIST list;
    if (!api_restore_entity_list_file(&reader, list).ok()) {
        state.SkipWithError("input does not restore");
        return;
    }
    std::size_t bytes = 0;
    for (auto _ : state) {
        AsSatStream writer;
        api_save_entity_list_file(&writer, list);
        bytes = writer.writtenSize();
        delete[] writer.takeBuffer();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(bytes));
    for (int i = 0; i < list.count(); ++i) api_del_entity(list[i]);
}
BENCHMARK(BM_SaveGeneratedBody)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
