// Each export format for the worst case the settings allow: 100 points,
// R = 100 mm, the star outline (200 corners), a 4 mm outline.
#include <benchmark/benchmark.h>

#include <string>

#include "export/FigureExport.h"
#include "export/LinkedCairoEncoders.h"
#include "geometry/Figure.h"
#include "model/StarSettings.h"

namespace {

using polygrav::ExportFormat;

polygrav::Figure WorstCase() {
    polygrav::TStarSettings settings;
    settings.EdgeNumber = "100";
    settings.CircumRadius = "100";
    settings.StarType = polygrav::kStarOutline;
    settings.StrokeWidth = 400;
    return polygrav::BuildFigure(settings, '.');
}

void Encode(benchmark::State& state, ExportFormat format, polygrav::ExportOptions options) {
    polygrav::UseCairoEncoders(polygrav::LinkedCairoEncoders());
    const polygrav::Figure figure = WorstCase();
    std::size_t bytes = 0;
    for (auto _ : state) {
        const std::string file = polygrav::EncodeFigure(figure, format, options);
        bytes += file.size();
        benchmark::DoNotOptimize(file.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(bytes));
}

polygrav::ExportOptions Dxf(polygrav::DxfVersion version) {
    polygrav::ExportOptions options;
    options.dxf.version = version;
    return options;
}

polygrav::ExportOptions Png(int dpi, bool transparent) {
    polygrav::ExportOptions options;
    options.png.dpi = dpi;
    options.png.transparent = transparent;
    return options;
}

BENCHMARK_CAPTURE(Encode, Svg, ExportFormat::Svg, polygrav::ExportOptions{});
BENCHMARK_CAPTURE(Encode, DxfR12, ExportFormat::Dxf, Dxf(polygrav::DxfVersion::R12));
BENCHMARK_CAPTURE(Encode, DxfR2000, ExportFormat::Dxf, Dxf(polygrav::DxfVersion::R2000));
BENCHMARK_CAPTURE(Encode, Pdf, ExportFormat::Pdf, polygrav::ExportOptions{});
BENCHMARK_CAPTURE(Encode, Png96, ExportFormat::Png, Png(96, false))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Encode, Png300, ExportFormat::Png, Png(300, false))
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Encode, Png300Transparent, ExportFormat::Png, Png(300, true))
    ->Unit(benchmark::kMillisecond);

}  // namespace
