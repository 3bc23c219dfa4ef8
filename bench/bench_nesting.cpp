#include <benchmark/benchmark.h>

#include "geometry/NestingPattern.h"
#include "geometry/PartGeometry.h"

namespace {

// The hardest part for the search: a hundred tips of step 49, each tip and
// valley filleted, grown by half a 2 mm gap.
polygrav::NestingRegion WorstRegion() {
    polygrav::PartParameters p;
    p.n = 100;
    p.size = 100;
    p.starStep = 49;
    p.part.CutOutline = true;
    p.part.CornerRadius = 0.2;
    p.part.ValleyRadius = 0.2;
    const polygrav::PartContours part = polygrav::BuildPartContours(p);
    return polygrav::PartRegion(part.contours, {part.circumradius, part.circumradius}, 1);
}

// The densest pattern as a sheet asks for it: the lattice search, the grid
// and the brick (Turn=0), and with the double lattice (Turn=1).
void BM_DensestPatternWorstStar(benchmark::State& state) {
    const polygrav::NestingRegion region = WorstRegion();
    const bool turn = state.range(0) != 0;
    for (auto _ : state) {
        auto patterns = polygrav::CandidatePatterns(region, polygrav::Arrangement::Densest, turn);
        benchmark::DoNotOptimize(patterns.data());
    }
}
BENCHMARK(BM_DensestPatternWorstStar)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The pentagon's double lattice, the search's anchor.
void BM_DensestPatternPentagon(benchmark::State& state) {
    polygrav::PartParameters p;
    p.starType = polygrav::kRegularPolygon;
    p.size = 5;
    p.part.CutOutline = true;
    const polygrav::PartContours part = polygrav::BuildPartContours(p);
    const polygrav::NestingRegion region = polygrav::PartRegion(part.contours, {5, 5}, 1);
    for (auto _ : state) {
        auto patterns = polygrav::CandidatePatterns(region, polygrav::Arrangement::Densest, true);
        benchmark::DoNotOptimize(patterns.data());
    }
}
BENCHMARK(BM_DensestPatternPentagon)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
