// One preview extraction from the largest sample drawing, against merely reading the
// whole file: the reader's cost should follow the preview's size, not the drawing's.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

#include "dwg/PreviewReader.h"

namespace {

std::string sample(const char* name) { return std::string(KIVRA_TESTDATA_DIR) + "/dwg/" + name; }
// The largest drawing (its preview is most of it), and one whose preview is a sixth of it.
const char* const kLargest = "AC1024_libredwg_2010_Constraints.dwg";
const char* const kSmallPreview = "AC1014_libredwg_r14_Leader.dwg";

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

void ExtractPreviewFromFile(benchmark::State& state, const char* name) {
    const std::string path = sample(name);
    std::size_t dibBytes = 0;
    for (auto _ : state) {
        std::FILE* f = std::fopen(path.c_str(), "rb");
        if (!f) { state.SkipWithError("sample missing"); return; }
        FileSource source(f);
        dwgpreview::Result r = dwgpreview::readPreview(source);
        dibBytes = r.dib.size();
        benchmark::DoNotOptimize(r.dib.data());
        std::fclose(f);
    }
    state.counters["dib_bytes"] = static_cast<double>(dibBytes);
}
BENCHMARK_CAPTURE(ExtractPreviewFromFile, largest, kLargest)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(ExtractPreviewFromFile, small_preview, kSmallPreview)->Unit(benchmark::kMicrosecond);

// What a reader that starts from the whole drawing pays before it parses anything: a
// buffer of the file's size, filled.
void ReadWholeFile(benchmark::State& state, const char* name) {
    const std::string path = sample(name);
    std::size_t fileBytes = 0;
    for (auto _ : state) {
        std::FILE* f = std::fopen(path.c_str(), "rb");
        if (!f) { state.SkipWithError("sample missing"); return; }
        std::fseek(f, 0, SEEK_END);
        std::vector<std::uint8_t> all(static_cast<std::size_t>(std::ftell(f)));
        fileBytes = all.size();
        std::fseek(f, 0, SEEK_SET);
        benchmark::DoNotOptimize(std::fread(all.data(), 1, all.size(), f));
        std::fclose(f);
    }
    state.counters["file_bytes"] = static_cast<double>(fileBytes);
}
BENCHMARK_CAPTURE(ReadWholeFile, largest, kLargest)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(ReadWholeFile, small_preview, kSmallPreview)->Unit(benchmark::kMicrosecond);

void ExtractPngPreviewFromMemory(benchmark::State& state) {
    const std::string path = sample("AC1032_libredwg_sample_2018.dwg");
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
