// Rewriting and header reading of a large profile export, narrow and UTF-16.
#include "profiles/ExportFile.h"

#include <benchmark/benchmark.h>

namespace {

const std::string kRoot = "Software\\Oremund\\Kivra 2013\\ENU\\Profiles";

// About 1 MB: 400 keys with 40 values each, as a big host profile exports.
std::string bigExport() {
    std::string text = "Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\" + kRoot +
                       "\\Work]\r\n@=\"Main profile\\r\\nwith two lines\"\r\n\r\n";
    for (int k = 0; k < 400; ++k) {
        text += "[HKEY_CURRENT_USER\\" + kRoot + "\\Work\\Key" + std::to_string(k) + "]\r\n";
        for (int v = 0; v < 40; ++v)
            text += "\"Value" + std::to_string(v) + "\"=\"C:\\\\Program Files\\\\Kivra\\\\data " +
                    std::to_string(v) + "\"\r\n";
        text += "\r\n";
    }
    return text;
}

void BM_RewriteNarrow(benchmark::State& state) {
    std::string text = bigExport();
    for (auto _ : state) {
        auto result = profiles::rewriteNarrow(text, kRoot + "\\Work", kRoot + "\\Copy", nullptr);
        benchmark::DoNotOptimize(result.bytes.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_RewriteNarrow);

void BM_RewriteUtf16(benchmark::State& state) {
    std::string narrow = bigExport();
    std::u16string text(narrow.begin(), narrow.end());
    std::u16string from(kRoot.begin(), kRoot.end()), to = from;
    from += u"\\Work";
    to += u"\\Copy";
    for (auto _ : state) {
        auto result = profiles::rewriteUtf16(text, from, to);
        benchmark::DoNotOptimize(result.bytes.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size() * 2));
}
BENCHMARK(BM_RewriteUtf16);

void BM_ReadHeader(benchmark::State& state) {
    std::string text = bigExport();
    for (auto _ : state) {
        auto header = profiles::parseExportHeader(profiles::splitLines(text), kRoot);
        benchmark::DoNotOptimize(header.name.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_ReadHeader);

}  // namespace

BENCHMARK_MAIN();
