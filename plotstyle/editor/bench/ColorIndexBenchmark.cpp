// How long the colour index dialog's layout and a click's hit test take (a click tests up to
// 255 cells in order).
#include "ColorIndexLayout.h"

#include <benchmark/benchmark.h>

namespace {

quellon::ColorIndexLayout sampleLayout() {
    quellon::ColorIndexLayout layout;
    layout.layout(quellon::Box{290, 216, 446, 278}, quellon::Box{11, 216, 281, 278},
                  quellon::Box{11, 8, 446, 210});
    return layout;
}

void LayOut(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(sampleLayout());
}
BENCHMARK(LayOut);

void HitTestLastCell(benchmark::State& state) {
    const quellon::ColorIndexLayout layout = sampleLayout();
    const quellon::Box t = layout.cells().back().target();
    for (auto _ : state)
        benchmark::DoNotOptimize(layout.hitTest((t.left + t.right) / 2, (t.top + t.bottom) / 2));
}
BENCHMARK(HitTestLastCell);

void HitTestMiss(benchmark::State& state) {
    const quellon::ColorIndexLayout layout = sampleLayout();
    for (auto _ : state) benchmark::DoNotOptimize(layout.hitTest(2, 2));
}
BENCHMARK(HitTestMiss);

}  // namespace

BENCHMARK_MAIN();
