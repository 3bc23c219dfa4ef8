// The window on Qt's offscreen platform: creating it until the first
// preview is drawn, and one redraw of the largest figure.

#include <benchmark/benchmark.h>
#include <QApplication>
#include <QFile>
#include <QPalette>
#include <QTemporaryDir>
#include <memory>
#include <optional>

#include "app/FormDialogs.h"
#include "app/Preview.h"
#include "app/SystemColors.h"
#include "app/Unit1.h"
#include "shell/DesktopShell.h"
#include "svg/SvgDocument.h"

namespace {

using namespace polygrav;

class NoDesktop final : public DesktopShell {
  public:
    void OpenWrittenFile(const std::string&) override {}
    void CreateShortCut(const std::string&, const std::string&) override {}
};

// The largest figure the window allows: 100 points, radius 100 mm, the star
// outline through 200 points, the widest outline.
void WriteWorstCase(const QString& iniPath) {
    QFile f(iniPath);
    f.open(QIODevice::WriteOnly);
    f.write("[SVG]\nEdgeNumber=100\nCircumRadius=100\nStarType=0\nStrokeWidth=400\n");
}

struct Window {
    QTemporaryDir dir;
    std::unique_ptr<FormDialogs> dialogs = MakeHeadlessFormDialogs();
    NoDesktop desktop;
    std::unique_ptr<TForm1> form;

    Window() {
        form = std::make_unique<TForm1>(dir.filePath("polygrav").toStdString(), *dialogs, desktop);
    }
};

// From the constructor to the first picture in Image1 (no settings file, so
// the design values are drawn).
void BM_WindowUntilFirstPreview(benchmark::State& state) {
    for (auto _ : state) {
        Window w;
        w.form->RunFormCreate();
        benchmark::DoNotOptimize(w.form.get());
        state.PauseTiming();
        w.form.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_WindowUntilFirstPreview)->Unit(benchmark::kMillisecond);

void BM_RedrawWorstCase(benchmark::State& state) {
    Window w;
    WriteWorstCase(w.dir.filePath("polygrav.ini"));
    w.form->RunFormCreate();
    for (auto _ : state) {
        w.form->btnDisplayClick();
    }
}
BENCHMARK(BM_RedrawWorstCase)->Unit(benchmark::kMillisecond);

// The hardest part, as the settings file gives it to the window: 100 tips
// of step 49, cut, fillets of 0.2 mm at tips and valleys, a 0.1 mm round
// offset, the widest outline.
void WriteWorstPart(const QString& iniPath) {
    QFile f(iniPath);
    f.open(QIODevice::WriteOnly);
    f.write(
        "[SVG]\nEdgeNumber=100\nCircumRadius=100\nStarType=0\nStrokeWidth=400\nStarStep=49\n"
        "CutOutline=1\nCornerRadius=0.2\nValleyRadius=0.2\nOffset=0.1\n");
}

// One redraw of the hardest part through the window, as a keystroke that
// changes the figure asks for: the part's geometry, the preview and its copy
// into the image control.
void BM_RedrawWorstPart(benchmark::State& state) {
    Window w;
    WriteWorstPart(w.dir.filePath("polygrav.ini"));
    w.form->RunFormCreate();
    const TStarSettings s = w.form->Snapshot();
    if (s.Part.StarStep != 49 || !s.Part.CutOutline || s.Part.Offset != 0.1) {
        state.SkipWithError("the window did not take the part's settings");
        return;
    }
    for (auto _ : state) {
        w.form->btnDisplayClick();
    }
}
BENCHMARK(BM_RedrawWorstPart)->Unit(benchmark::kMillisecond);

// The drawing alone, without the copy into the image control.
void BM_RenderPreviewWorstCase(benchmark::State& state) {
    TStarSettings s;
    s.EdgeNumber = "100";
    s.CircumRadius = "100";
    s.StrokeWidth = 400;
    const QPalette palette;
    for (auto _ : state) {
        QImage img = RenderPreview(
            s, 96, [&palette](TColor c) { return ResolveColor(c, palette); }, '.');
        benchmark::DoNotOptimize(img.constBits());
    }
}
BENCHMARK(BM_RenderPreviewWorstCase)->Unit(benchmark::kMillisecond);

// The hardest part: 100 tips, step 49, cut, fillets of 0.2 mm at tips and
// valleys, a 0.1 mm round offset; the whole preview from the settings to
// the painted bitmap, and the whole SVG document, each in one process.
TStarSettings WorstPart(int strokeWidth = 400) {
    TStarSettings s;
    s.EdgeNumber = "100";
    s.CircumRadius = "100";
    s.StrokeWidth = strokeWidth;
    s.Part.StarStep = 49;
    s.Part.CutOutline = true;
    s.Part.CornerRadius = 0.2;
    s.Part.ValleyRadius = 0.2;
    s.Part.Offset = 0.1;
    return s;
}

// The argument is the outline width in hundredths of a millimetre: the
// design's 0.50 mm and the widest, 4 mm.
void BM_RenderPreviewWorstPart(benchmark::State& state) {
    const TStarSettings s = WorstPart(static_cast<int>(state.range(0)));
    const QPalette palette;
    for (auto _ : state) {
        QImage img = RenderPreview(
            s, 96, [&palette](TColor c) { return ResolveColor(c, palette); }, '.');
        benchmark::DoNotOptimize(img.constBits());
    }
}
BENCHMARK(BM_RenderPreviewWorstPart)->Arg(50)->Arg(400)->Unit(benchmark::kMillisecond);

// The same at device pixel ratio 2, as a high-density screen draws it:
// four times the pixels.
void BM_RenderPreviewWorstPartHighDensity(benchmark::State& state) {
    const TStarSettings s = WorstPart(static_cast<int>(state.range(0)));
    const QPalette palette;
    for (auto _ : state) {
        QImage img = RenderPreview(
            s, 96, [&palette](TColor c) { return ResolveColor(c, palette); }, '.', 2);
        benchmark::DoNotOptimize(img.constBits());
    }
}
BENCHMARK(BM_RenderPreviewWorstPartHighDensity)->Arg(50)->Arg(400)->Unit(benchmark::kMillisecond);

void BM_SvgDocumentWorstPart(benchmark::State& state) {
    const TStarSettings s = WorstPart();
    for (auto _ : state) {
        std::string doc = BuildSvgDocument(s, '.');
        benchmark::DoNotOptimize(doc.data());
    }
}
BENCHMARK(BM_SvgDocumentWorstPart)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
