// Reading and writing the settings file: parsing the design-values file and
// handing its keys to a settings model, serialising a written document, and
// parsing documents far larger than a settings file (10 MB of empty lines,
// one line of 1 MB) and reading a key at their end.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <optional>
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

const std::string& TenMegabytesOfNewlines() {
    static const std::string text = std::string(10'000'000, '\n') + "[SVG]\nEdgeNumber=7\n";
    return text;
}

const std::string& OneMegabyteLine() {
    static const std::string text =
        "[SVG]\r\nFavoriteDir=" + std::string(1'000'000, 'x') + "\r\nEdgeNumber=7\r\n";
    return text;
}

void BM_ParseLargeDocument(benchmark::State& state, const std::string& text) {
    for (auto _ : state) {
        IniDocument doc = IniDocument::Parse(text);
        benchmark::DoNotOptimize(doc);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(text.size()));
}
BENCHMARK_CAPTURE(BM_ParseLargeDocument, TenMegabytesOfNewlines, TenMegabytesOfNewlines())
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ParseLargeDocument, OneMegabyteLine, OneMegabyteLine())
    ->Unit(benchmark::kMillisecond);

// A read after parsing costs the same for a large document as for a small
// one.
void BM_ReadKeyOfLargeDocument(benchmark::State& state) {
    const IniDocument doc = IniDocument::Parse(TenMegabytesOfNewlines());
    for (auto _ : state) {
        std::optional<std::string> value = doc.Read(kSettingsSection, "EdgeNumber");
        benchmark::DoNotOptimize(value);
    }
}
BENCHMARK(BM_ReadKeyOfLargeDocument);

}  // namespace
