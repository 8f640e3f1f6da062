// One preview extraction from the largest sample drawing, against merely reading the
// whole file: the reader's cost should follow the preview's size, not the drawing's.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

#include "dwg/PreviewReader.h"

namespace {

const std::string kLargest = std::string(KIVRA_TESTDATA_DIR) + "/dwg/AC1024_libredwg_2010_Constraints.dwg";

// Reads through the C library, seeking for each range, as a stream on a file does.
class FileSource : public dwgpreview::Source {
public:
    explicit FileSource(std::FILE* f) : file_(f) {
        std::fseek(f, 0, SEEK_END);
        size_ = static_cast<std::uint64_t>(std::ftell(f));
    }
    std::uint64_t size() override { return size_; }
    void read(std::uint64_t offset, std::uint8_t* out, std::size_t count) override {
        std::fseek(file_, static_cast<long>(offset), SEEK_SET);
        if (std::fread(out, 1, count, file_) != count) throw std::runtime_error("short read");
    }

private:
    std::FILE* file_;
    std::uint64_t size_ = 0;
};

void ExtractPreviewFromFile(benchmark::State& state) {
    std::size_t dibBytes = 0;
    for (auto _ : state) {
        std::FILE* f = std::fopen(kLargest.c_str(), "rb");
        if (!f) { state.SkipWithError("sample missing"); return; }
        FileSource source(f);
        dwgpreview::Result r = dwgpreview::readPreview(source);
        dibBytes = r.dib.size();
        benchmark::DoNotOptimize(r.dib.data());
        std::fclose(f);
    }
    state.counters["dib_bytes"] = static_cast<double>(dibBytes);
}
BENCHMARK(ExtractPreviewFromFile)->Unit(benchmark::kMicrosecond);

void ReadWholeFile(benchmark::State& state) {
    std::vector<std::uint8_t> all;
    for (auto _ : state) {
        std::FILE* f = std::fopen(kLargest.c_str(), "rb");
        if (!f) { state.SkipWithError("sample missing"); return; }
        std::fseek(f, 0, SEEK_END);
        all.resize(static_cast<std::size_t>(std::ftell(f)));
        std::fseek(f, 0, SEEK_SET);
        benchmark::DoNotOptimize(std::fread(all.data(), 1, all.size(), f));
        std::fclose(f);
    }
    state.counters["file_bytes"] = static_cast<double>(all.size());
}
BENCHMARK(ReadWholeFile)->Unit(benchmark::kMicrosecond);

void ExtractPngPreviewFromMemory(benchmark::State& state) {
    const std::string path = std::string(KIVRA_TESTDATA_DIR) + "/dwg/AC1032_libredwg_sample_2018.dwg";
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) { state.SkipWithError("sample missing"); return; }
    std::vector<std::uint8_t> bytes(1 << 20);
    bytes.resize(std::fread(bytes.data(), 1, bytes.size(), f));
    std::fclose(f);
    for (auto _ : state) {
        dwgpreview::MemorySource source(bytes.data(), bytes.size());
        dwgpreview::Result r = dwgpreview::readPreview(source);
        benchmark::DoNotOptimize(r.dib.data());
    }
}
BENCHMARK(ExtractPngPreviewFromMemory)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
