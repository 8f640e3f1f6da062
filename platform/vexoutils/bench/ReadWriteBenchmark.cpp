// Read and write of a full colour table (255 styles, every field set in style 0), in
// memory and through files.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "vexoutils/PlotStyleTable.h"

namespace {

const std::string kSample = std::string(KIVRA_TESTDATA_DIR) + "/ctb/ezdxf-ctbtest.ctb";

std::vector<unsigned char> sampleBytes() {
    std::unique_ptr<CPlotStyleTable> t(CPlotStyleTable::read(kSample.c_str()));
    return t ? t->toBytes() : std::vector<unsigned char>();
}

void ReadFullColourTable(benchmark::State& state) {
    const auto bytes = sampleBytes();
    std::string reason;
    for (auto _ : state) {
        std::unique_ptr<CPlotStyleTable> t(CPlotStyleTable::readBytes(
            bytes.data(), static_cast<unsigned long>(bytes.size()), reason));
        if (!t) state.SkipWithError(reason.c_str());
        benchmark::DoNotOptimize(t.get());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<long>(bytes.size()));
}
BENCHMARK(ReadFullColourTable)->Unit(benchmark::kMicrosecond);

void WriteFullColourTable(benchmark::State& state) {
    std::unique_ptr<CPlotStyleTable> t(CPlotStyleTable::read(kSample.c_str()));
    if (!t) {
        state.SkipWithError("sample missing");
        return;
    }
    for (auto _ : state) {
        auto bytes = t->toBytes();
        benchmark::DoNotOptimize(bytes.data());
    }
}
BENCHMARK(WriteFullColourTable)->Unit(benchmark::kMicrosecond);

void ReadAndSaveFile(benchmark::State& state) {
    const std::string out = "vexo-bench.ctb";
    for (auto _ : state) {
        std::unique_ptr<CPlotStyleTable> t(CPlotStyleTable::read(kSample.c_str()));
        if (!t || !t->write(out.c_str())) state.SkipWithError("read or write failed");
    }
    std::remove(out.c_str());
}
BENCHMARK(ReadAndSaveFile)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
