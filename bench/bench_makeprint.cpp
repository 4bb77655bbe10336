// Page drawing speed: the default page and the densest page (視写１, 20 cells,
// 24 full lines: 480 glyphs), at preview size, as a 600-dpi A4 raster, and as
// PDFs of 100 and 1,000 pages; and a 100-page PDF of school sentences with and
// without their readings, the dictionary's work included.
#include "cp932.h"
#include "pageengine.h"
#include "pdfoutput.h"
#include "rastersurface.h"
#include "worksheet.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

constexpr int A4Width = 4960;
constexpr int A4Height = 7016;

SheetSettings denseSettings()
{
    SheetSettings settings;
    settings.MakingPattern = 4; // 視写１
    settings.FrameNum = 9;      // 20 cells
    return settings;
}

LineList denseLines(int lines)
{
    const QString row = QStringLiteral("きょうはいい天気です。「がっこう」へいきました、");
    LineList list;
    for (int i = 0; i < lines; ++i) {
        list.add(Cp932::encode(row.mid(i % 4) + row.left(i % 4)));
    }
    return list;
}

void drawRaster(benchmark::State &state, SheetSettings settings, const LineList &lines, int width,
                int height)
{
    RandomGenerator random(1);
    PageEngine engine(random);
    RasterSurface surface(width, height);
    for (auto _ : state) {
        engine.MakePrint(surface, width, height, settings, lines, PageState());
        benchmark::DoNotOptimize(surface.image().constBits());
    }
}

void DefaultPagePreview(benchmark::State &state)
{
    drawRaster(state, SheetSettings(), denseLines(5), 320, 441);
}

void DefaultPageA4(benchmark::State &state)
{
    drawRaster(state, SheetSettings(), denseLines(5), A4Width, A4Height);
}

void DensePagePreview(benchmark::State &state)
{
    drawRaster(state, denseSettings(), denseLines(24), 320, 441);
}

void DensePageA4(benchmark::State &state)
{
    drawRaster(state, denseSettings(), denseLines(24), A4Width, A4Height);
}

// The command line's path: a worksheet streamed page by page into a PDF file.
void DensePdf(benchmark::State &state)
{
    const int pages = static_cast<int>(state.range(0));
    RandomGenerator random(1);
    Worksheet sheet(denseSettings(), denseLines(24 * pages), random);
    const QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("sheets.pdf"));
    for (auto _ : state) {
        PdfOutput pdf(path, QStringLiteral("Hekira"));
        sheet.write(pdf, 0, sheet.pageCount());
    }
    state.counters["pdf_bytes"] = static_cast<double>(QFileInfo(path).size());
    state.counters["ms_per_page"] =
        benchmark::Counter(pages / 1000.0, benchmark::Counter::kIsIterationInvariantRate |
                                               benchmark::Counter::kInvert);
}

// A sheet of sentences with kanji, worksheet made and PDF written each time, as
// the command line does; state.range(0) turns the readings on.
void SentencePdf(benchmark::State &state)
{
    constexpr int Pages = 100;
    SheetSettings settings;
    settings.MakingPattern = 4; // 視写１
    settings.FrameNum = 9;      // 20 cells
    settings.FuriganaFrame = 1; // the same boxes either way
    settings.Readings = static_cast<int>(state.range(0));
    const QStringList sentences{
        QStringLiteral("今日は学校で先生と算数の勉強をしました。"),
        QStringLiteral("友だちと一緒に公園で遊んで、夕方に家へ帰った。"),
        QStringLiteral("春になると、川の近くに美しい花が咲きます。"),
        QStringLiteral("日本の首都は東京で、人口がとても多い都市です。"),
    };
    const int lines = Pages * Worksheet::linesPerPageFor(settings);
    LineList text;
    for (int i = 0; i < lines; ++i) {
        text.add(Cp932::encode(sentences[i % sentences.size()]));
    }
    const QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("sheets.pdf"));
    for (auto _ : state) {
        RandomGenerator random(1);
        Worksheet sheet(settings, text, random);
        PdfOutput pdf(path, QStringLiteral("Hekira"));
        sheet.write(pdf, 0, sheet.pageCount());
    }
    state.counters["pdf_bytes"] = static_cast<double>(QFileInfo(path).size());
}

} // namespace

BENCHMARK(DefaultPagePreview)->Unit(benchmark::kMillisecond);
BENCHMARK(DefaultPageA4)->Unit(benchmark::kMillisecond);
BENCHMARK(DensePagePreview)->Unit(benchmark::kMillisecond);
BENCHMARK(DensePageA4)->Unit(benchmark::kMillisecond);
BENCHMARK(DensePdf)->Unit(benchmark::kMillisecond)->Arg(100)->Iterations(3);
BENCHMARK(DensePdf)->Unit(benchmark::kMillisecond)->Arg(1000)->Iterations(1);
BENCHMARK(SentencePdf)
    ->Unit(benchmark::kMillisecond)
    ->ArgName("readings")
    ->Arg(0)
    ->Arg(1)
    ->Iterations(3);

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
