// The window: a preview refresh of the densest page (draw at 320 x 441, turn
// into the preview box), and the time from creating the window to its first paint.
#include "cp932.h"
#include "fakedialogs.h"
#include "fontfaces.h"
#include "imageoutput.h"
#include "previewbox.h"
#include "recordingprinter.h"
#include "rotater90.h"
#include "settingsstore.h"
#include "tmain.h"
#include "worksheet.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

void DensePreviewRefresh(benchmark::State &state)
{
    SheetSettings settings;
    settings.MakingPattern = 4; // 視写１
    settings.FrameNum = 9;      // 20 cells
    LineList lines;
    for (int i = 0; i < 24; ++i) {
        lines.add(Cp932::encode(u"きょうはいい天気です。「がっこう」へいきました、"));
    }
    RandomGenerator random(1);
    FontFaces faces;
    QImage box(441, 320, QImage::Format_RGB32);
    for (auto _ : state) {
        // As the window refreshes: a worksheet of the controls, one page into an image.
        Worksheet sheet(settings, lines, 24, random);
        ImageOutput page(QSize(320, 441), faces);
        sheet.write(page, 0, 1);
        RotateR90(page.image(), box);
        benchmark::DoNotOptimize(box.constBits());
    }
}

// Creates the window, with no settings stored, and returns once it has painted.
void showWindow()
{
    RecordingPrinter printer;
    FakeDialogs dialogs;
    const QTemporaryDir home;
    const SettingsStore settings(home.filePath(QStringLiteral("settings.ini")));
    TMain window(printer, dialogs, settings);
    QEventLoop loop;
    QObject::connect(window.findChild<PreviewBox *>(), &PreviewBox::aboutToPaint, &loop,
                     &QEventLoop::quit);
    window.show();
    loop.exec();
}

void WindowToFirstPaint(benchmark::State &state)
{
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        showWindow();
        state.SetIterationTime(static_cast<double>(timer.nsecsElapsed()) / 1e9);
    }
}

} // namespace

BENCHMARK(DensePreviewRefresh)->Unit(benchmark::kMillisecond);
BENCHMARK(WindowToFirstPaint)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(20);

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QElapsedTimer started;
    started.start();
    QApplication application(argc, argv);
    // The first window of a process also pays for Qt's and the fonts' set-up.
    showWindow();
    std::printf("first window of the process, from application start to first paint: %.1f ms\n",
                static_cast<double>(started.nsecsElapsed()) / 1e6);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
