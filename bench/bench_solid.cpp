#include <benchmark/benchmark.h>

#include <string>

#include "export/FigureExport.h"
#include "geometry/Figure.h"
#include "model/StarSettings.h"

namespace {

// The STL of the hardest part: a hundred tips of step 49, each tip and
// valley filleted, from the figure to the file's bytes.
void BM_StlOfFilletedStar(benchmark::State& state) {
    polygrav::TStarSettings s;
    s.StarType = polygrav::kStarOutline;
    s.EdgeNumber = "100";
    s.CircumRadius = "100";
    s.Part.StarStep = 49;
    s.Part.CornerRadius = 0.2;
    s.Part.ValleyRadius = 0.2;
    s.Part.CutOutline = true;
    const bool cutter = state.range(0) != 0;
    polygrav::ExportOptions options;
    options.solid.cutter = cutter;
    for (auto _ : state) {
        const polygrav::Figure figure = polygrav::BuildFigure(s, '.');
        std::string stl = polygrav::EncodeFigure(figure, polygrav::ExportFormat::Stl, options);
        benchmark::DoNotOptimize(stl.data());
    }
}
BENCHMARK(BM_StlOfFilletedStar)->Arg(0)->Arg(1)->ArgName("cutter")->Unit(benchmark::kMillisecond);

}  // namespace
