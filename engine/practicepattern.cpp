#include "practicepattern.h"

#include "placementpass.h"

#include <array>
#include <optional>

namespace {

enum class PassText { Row, RowRepeated };
enum class PassCount { Units, RepeatedUnits };
enum class PassStart { FirstCell, AfterUnits };
enum class PassColor { Model, Trace, TraceOnOddRows, ModelOnOddRows };

struct PassPlan {
    PassText text;
    PassCount count;
    PassStart start;
    PassColor color;
    qint32 nudge;
};

struct PatternPlan {
    qint32 bytesPerCell; // the row text is this many bytes per cell of the line
    PassPlan first;
    std::optional<PassPlan> second;
};

constexpr PassPlan ModelHalf{PassText::Row, PassCount::Units, PassStart::FirstCell,
                             PassColor::Model, 1};

// Index = MakingPattern: 練習１..練習４, 視写１..視写３.
constexpr std::array<PatternPlan, 7> Patterns{{
    {1, ModelHalf,
     PassPlan{PassText::Row, PassCount::Units, PassStart::AfterUnits, PassColor::Trace, 2}},
    {1, ModelHalf,
     PassPlan{PassText::RowRepeated, PassCount::RepeatedUnits, PassStart::AfterUnits,
              PassColor::Trace, 1}},
    {1, {PassText::Row, PassCount::Units, PassStart::FirstCell, PassColor::Trace, 0}, std::nullopt},
    {2, {PassText::Row, PassCount::Units, PassStart::FirstCell, PassColor::Trace, 0}, std::nullopt},
    {2, {PassText::Row, PassCount::Units, PassStart::FirstCell, PassColor::Model, 0}, std::nullopt},
    {2,
     {PassText::Row, PassCount::Units, PassStart::FirstCell, PassColor::TraceOnOddRows, 0},
     std::nullopt},
    {2,
     {PassText::Row, PassCount::Units, PassStart::FirstCell, PassColor::ModelOnOddRows, 0},
     std::nullopt},
}};

// Whether the pass draws characters to trace, rather than models, in page row k.
bool tracePass(PassColor rule, qint32 k)
{
    const bool odd = k % 2 == 1;
    switch (rule) {
    case PassColor::Model:
        return false;
    case PassColor::Trace:
        return true;
    case PassColor::TraceOnOddRows:
        return odd;
    case PassColor::ModelOnOddRows:
        return !odd;
    }
    return false;
}

PlacementPass makePass(const PassPlan &plan, const SheetSettings &settings, qint32 k,
                       const QByteArray &rowText, const QList<RubySpan> &readings, qint32 cells)
{
    const qint32 units = static_cast<qint32>(rowText.size() / 2);
    // The trace repeats the row's units as many whole times as fit after them.
    const qint32 repeats = units > 0 ? (cells - units) / units : 0;
    PlacementPass pass;
    pass.row = k;
    pass.text = plan.text == PassText::Row ? rowText : rowText.repeated(qMax(repeats, 0));
    pass.count = plan.count == PassCount::Units ? units : qMax(repeats, 0) * units;
    pass.StartCell = plan.start == PassStart::FirstCell ? 0 : units;
    const bool trace = tracePass(plan.color, k);
    pass.color = trace ? settings.TraceColor : settings.CopybookColor;
    pass.SmallKanaNudge = plan.nudge;
    pass.fade = trace && settings.TraceFade == 1;
    pass.outline = trace && settings.TraceStyle == 1;
    pass.strokeOrder = !trace && settings.StrokeOrder == 1;
    pass.readings = readings;
    pass.readingPeriod = units;
    pass.hideReadBases = settings.ReadingTest == 1;
    return pass;
}

} // namespace

void DrawPatternRow(DrawingSurface &surface, const PageLayout &layout,
                    const SheetSettings &settings, qint32 k, const QByteArray &line)
{
    if (settings.MakingPattern < 0 || settings.MakingPattern >= qint32(Patterns.size())) {
        return;
    }
    const PatternPlan &pattern = Patterns[static_cast<size_t>(settings.MakingPattern)];
    const qint32 cells = layout.geometry.CellsPerLine;
    // With readings on, the marks give the readings and the rest is the text.
    const RubyLine ruby = settings.Readings == 1 ? RubyLine::parse(line) : RubyLine{line, {}};
    const QByteArray rowText =
        ruby.text.first(qMin(ruby.text.size(), qsizetype(pattern.bytesPerCell * cells)));
    QList<RubySpan> readings;
    for (const RubySpan &span : ruby.spans) {
        if (2 * span.firstUnit < rowText.size()) {
            readings.append(span);
        }
    }
    DrawPass(surface, layout, settings.DocDirection,
             makePass(pattern.first, settings, k, rowText, readings, cells));
    if (pattern.second) {
        DrawPass(surface, layout, settings.DocDirection,
                 makePass(*pattern.second, settings, k, rowText, readings, cells));
    }
}
