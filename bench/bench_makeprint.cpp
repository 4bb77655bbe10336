// Page drawing speed: the default page and the densest page (視写１, 20 cells,
// 24 full lines: 480 glyphs), at preview size, as a 600-dpi A4 raster, and as a
// 100-page PDF.
#include "cp932.h"
#include "pageengine.h"
#include "pagesurface.h"
#include "rastersurface.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QPainter>
#include <QPdfWriter>
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

void DensePdf100Pages(benchmark::State &state)
{
    RandomGenerator random(1);
    PageEngine engine(random);
    SheetSettings settings = denseSettings();
    const LineList lines = denseLines(24 * 100);
    qsizetype bytes = 0;
    for (auto _ : state) {
        QByteArray pdf;
        QBuffer buffer(&pdf);
        buffer.open(QIODevice::WriteOnly);
        {
            QPdfWriter writer(&buffer);
            writer.setResolution(600);
            writer.setPageSize(QPageSize(QPageSize::A4));
            writer.setPageMargins(QMarginsF());
            QPainter painter(&writer);
            PageSurface surface(painter);
            for (int page = 0; page < 100; ++page) {
                if (page > 0) {
                    writer.newPage();
                }
                PageState pageState;
                pageState.PageTop = page * 24;
                engine.MakePrint(surface, writer.width(), writer.height(), settings, lines,
                                 pageState);
            }
        }
        bytes = pdf.size();
    }
    state.counters["pdf_bytes"] = static_cast<double>(bytes);
}

} // namespace

BENCHMARK(DefaultPagePreview)->Unit(benchmark::kMillisecond);
BENCHMARK(DefaultPageA4)->Unit(benchmark::kMillisecond);
BENCHMARK(DensePagePreview)->Unit(benchmark::kMillisecond);
BENCHMARK(DensePageA4)->Unit(benchmark::kMillisecond);
BENCHMARK(DensePdf100Pages)->Unit(benchmark::kMillisecond)->Iterations(3);

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
