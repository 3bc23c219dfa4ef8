#include <benchmark/benchmark.h>

#include "geometry/PartGeometry.h"
#include "geometry/PartMetrics.h"

namespace {

// The hardest part the settings allow: a hundred tips of step 49, each tip
// and valley filleted, offset outwards with round joins.
polygrav::PartParameters WorstCase() {
    polygrav::PartParameters p;
    p.n = 100;
    p.size = 100;
    p.starType = polygrav::kStarOutline;
    p.part.StarStep = 49;
    p.part.CutOutline = true;
    p.part.CornerRadius = 0.2;
    p.part.ValleyRadius = 0.2;
    p.part.Offset = 0.1;
    p.part.OffsetJoin = static_cast<int>(polygrav::OffsetJoin::Round);
    return p;
}

void BM_PartWorstCase(benchmark::State& state) {
    const polygrav::PartParameters p = WorstCase();
    for (auto _ : state) {
        polygrav::PartContours part = polygrav::BuildPartContours(p);
        benchmark::DoNotOptimize(part.contours.data());
    }
}
BENCHMARK(BM_PartWorstCase)->Unit(benchmark::kMicrosecond);

// The same part with its readouts, as the window shows them.
void BM_PartWorstCaseWithMetrics(benchmark::State& state) {
    const polygrav::PartParameters p = WorstCase();
    for (auto _ : state) {
        const polygrav::PartContours part = polygrav::BuildPartContours(p);
        polygrav::PartMetrics m = polygrav::MeasurePart(p, part);
        benchmark::DoNotOptimize(m.area);
    }
}
BENCHMARK(BM_PartWorstCaseWithMetrics)->Unit(benchmark::kMicrosecond);

// Stages on their own: the cut outline alone, and fillets without offset.
void BM_PartStage(benchmark::State& state) {
    polygrav::PartParameters p = WorstCase();
    p.part.Offset = 0;
    if (state.range(0) == 0) {
        p.part.CornerRadius = 0;
        p.part.ValleyRadius = 0;
    }
    for (auto _ : state) {
        polygrav::PartContours part = polygrav::BuildPartContours(p);
        benchmark::DoNotOptimize(part.contours.data());
    }
}
BENCHMARK(BM_PartStage)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// Separate cells that an offset grows into each other: the even-odd rule
// over a star polygon. The exact offset cannot hold (the cells merge), so
// this is the polyline offset's time.
void BM_PartMergingCells(benchmark::State& state) {
    polygrav::PartParameters p;
    p.n = static_cast<int>(state.range(0));
    p.part.StarStep = static_cast<int>(state.range(1));
    p.size = 50;
    p.starType = polygrav::kStarPolygon;
    p.evenOdd = true;
    p.part.Offset = 0.1;
    for (auto _ : state) {
        polygrav::PartContours part = polygrav::BuildPartContours(p);
        benchmark::DoNotOptimize(part.contours.data());
    }
}
BENCHMARK(BM_PartMergingCells)->Args({5, 2})->Args({100, 49})->Unit(benchmark::kMicrosecond);

}  // namespace
