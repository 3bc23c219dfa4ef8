// Reading and writing the settings file: parsing the design-values file and
// handing its keys to a settings model, and serialising a written document.

#include <benchmark/benchmark.h>

#include <string>

#include "settings/SettingsModel.h"

namespace {

using namespace polygrav;

const std::string kDesignValuesFile =
    "[SVG]\r\nFavoriteDir=/opt/polygrav\r\nEdgeNumber=5\r\nCircumRadius=50\r\nStarType=0\r\n"
    "FillColor=clRed\r\nFillTransparent=0\r\nStrokeColor=clBlack\r\nStrokeWidth=50\r\n"
    "View=1\r\nFillRule=0\r\n";

void BM_ParseAndReadSettings(benchmark::State& state) {
    for (auto _ : state) {
        SettingsModel model("/start");
        ReadSettings(IniDocument::Parse(kDesignValuesFile), "/prog", model);
        benchmark::DoNotOptimize(model.values);
    }
}
BENCHMARK(BM_ParseAndReadSettings);

void BM_WriteSettingsAndSerialize(benchmark::State& state) {
    const IniDocument loaded = IniDocument::Parse(kDesignValuesFile);
    const TStarSettings values;
    for (auto _ : state) {
        IniDocument doc = loaded;
        WriteSettings(doc, "/opt/polygrav", values);
        std::string bytes = doc.Serialize();
        benchmark::DoNotOptimize(bytes);
    }
}
BENCHMARK(BM_WriteSettingsAndSerialize);

void BM_Serialize(benchmark::State& state) {
    const IniDocument doc = IniDocument::Parse(kDesignValuesFile);
    for (auto _ : state) {
        std::string bytes = doc.Serialize();
        benchmark::DoNotOptimize(bytes);
    }
}
BENCHMARK(BM_Serialize);

}  // namespace
