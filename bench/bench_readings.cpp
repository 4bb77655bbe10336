// Reading marks: a 100-page sheet is 2,400 lines of 20 characters, every one
// annotated before the first page is drawn; and the dictionary's first load.
#include "rubyannotator.h"
#include "wordreader.h"

#include <QStringList>
#include <benchmark/benchmark.h>

namespace {

constexpr int SheetLines = 2400;
constexpr qsizetype LineLength = 20;

// School text, cut into lines of 20 characters at every offset, so that MeCab
// sees a different line each time.
QStringList sheetLines()
{
    const QString text = QStringLiteral(
        "明日は学校で花火を見ます。休み時間に友達とサッカーをした。駅の前で待ち合わせをする。"
        "学級会で意見を発表した。北海道へ出発した。七夕に願い事を書く。人々がたくさん集まった。"
        "私たちは国語の授業で作文を書いた。天気予報によると、明日は雨が降るそうだ。");
    QStringList lines;
    for (int i = 0; i < SheetLines; ++i) {
        lines << (text + text).mid(i % text.size(), LineLength);
    }
    return lines;
}

void AnnotateSheet(benchmark::State &state)
{
    const QStringList lines = sheetLines();
    RubyAnnotator::annotate(lines.first()); // the dictionary loaded before timing
    for (auto _ : state) {
        for (const QString &line : lines) {
            benchmark::DoNotOptimize(RubyAnnotator::annotate(line));
        }
    }
    state.counters["us_per_line"] =
        benchmark::Counter(SheetLines / 1e6, benchmark::Counter::kIsIterationInvariantRate |
                                                 benchmark::Counter::kInvert);
}

void LoadDictionary(benchmark::State &state)
{
    for (auto _ : state) {
        WordReader reader;
        benchmark::DoNotOptimize(&reader);
    }
}

} // namespace

BENCHMARK(AnnotateSheet)->Unit(benchmark::kMillisecond);
BENCHMARK(LoadDictionary)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
