#include <benchmark/benchmark.h>

#include <string>

#include "model/NumberFormat.h"
#include "model/StarSettings.h"
#include "svg/SvgDocument.h"

namespace {

// The whole document for a star outline (type 0) with the given point count.
void BM_BuildSvgDocument(benchmark::State& state) {
    polygrav::TStarSettings settings;
    settings.EdgeNumber = std::to_string(state.range(0));
    settings.StarType = polygrav::kStarOutline;
    std::size_t bytes = 0;
    for (auto _ : state) {
        const std::string doc = polygrav::BuildSvgDocument(settings, '.');
        bytes += doc.size();
        benchmark::DoNotOptimize(doc.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(bytes));
}
BENCHMARK(BM_BuildSvgDocument)->Arg(5)->Arg(100);

// One coordinate in the "0.0000" pattern.
void BM_FormatFixed4(benchmark::State& state) {
    double value = 48.774345678901234;
    for (auto _ : state) {
        benchmark::DoNotOptimize(value);
        std::string text = polygrav::FormatFixed4(value);
        benchmark::DoNotOptimize(text.data());
    }
}
BENCHMARK(BM_FormatFixed4);

}  // namespace
