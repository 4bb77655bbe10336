#include "pagetrace.h"

#include <QTest>
#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

// Frame index of a cell count.
int frameNum(int cells)
{
    return int(std::ranges::find(CellCounts, cells) - CellCounts.begin());
}

// "cell:char:m|t" for each character drawn in row `row`, in drawing order.
QStringList row(const PageTrace &page, int row)
{
    QStringList found;
    for (const QString &cell : page.cells()) {
        if (cell.section(u':', 0, 0).toInt() == row) {
            found << cell.section(u':', 1);
        }
    }
    return found;
}

// Compact expectations: "1あm 2いm 3あt" -> {"1:あ:m", "2:い:m", "3:あ:t"}.
QStringList cells(const QString &compact)
{
    QStringList expanded;
    for (const QString &item : compact.split(u' ', Qt::SkipEmptyParts)) {
        const qsizetype digits =
            std::find_if(item.begin(), item.end(), [](QChar c) { return !c.isDigit(); }) -
            item.begin();
        expanded << item.first(digits) + u':' + item.mid(digits, item.size() - digits - 1) + u':' +
                        item.back();
    }
    return expanded;
}

} // namespace

class TestPracticePatterns : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void firstRow_data();
    void firstRow();
    void copyPatternsAlternateByPageRow_data();
    void copyPatternsAlternateByPageRow();
    void emptyRowsAndBadPattern();
    void traceFade_data();
    void traceFade();
    void traceOutline_data();
    void traceOutline();
    void outlineEndsWithThePass();
    void strokeOrder_data();
    void strokeOrder();
};

void TestPracticePatterns::firstRow_data()
{
    QTest::addColumn<int>("pattern");
    QTest::addColumn<int>("cells");
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("expected");

    QTest::newRow("練習１ long line")
        << 0 << 10 << QStringLiteral("あいうえおかきくけこ")
        << QStringLiteral("1あm 2いm 3うm 4えm 5おm 6あt 7いt 8うt 9えt 10おt");
    QTest::newRow("練習１ short line")
        << 0 << 10 << QStringLiteral("あい") << QStringLiteral("1あm 2いm 3あt 4いt");
    QTest::newRow("練習２ あい") << 1 << 10 << QStringLiteral("あい")
                                 << QStringLiteral(
                                        "1あm 2いm 3あt 4いt 5あt 6いt 7あt 8いt 9あt 10いt");
    QTest::newRow("練習２ あいう")
        << 1 << 10 << QStringLiteral("あいう")
        << QStringLiteral("1あm 2いm 3うm 4あt 5いt 6うt 7あt 8いt 9うt");
    QTest::newRow("練習２ one character at 20 cells")
        << 1 << 20 << QStringLiteral("字")
        << QStringLiteral("1字m 2字t 3字t 4字t 5字t 6字t 7字t 8字t 9字t 10字t 11字t 12字t 13字t "
                          "14字t 15字t 16字t 17字t 18字t 19字t 20字t");
    QTest::newRow("練習２ long line as 練習１")
        << 1 << 10 << QStringLiteral("あいうえおかきくけこ")
        << QStringLiteral("1あm 2いm 3うm 4えm 5おm 6あt 7いt 8うt 9えt 10おt");
    QTest::newRow("練習１ 5 cells, half character dropped")
        << 0 << 5 << QStringLiteral("あいうえお") << QStringLiteral("1あm 2いm 3あt 4いt");
    QTest::newRow("練習２ 5 cells")
        << 1 << 5 << QStringLiteral("あいうえお") << QStringLiteral("1あm 2いm 3あt 4いt");
    QTest::newRow("練習３ long line") << 2 << 10 << QStringLiteral("あいうえおかきくけこ")
                                      << QStringLiteral("1あt 2いt 3うt 4えt 5おt");
    QTest::newRow("練習４ 12 characters")
        << 3 << 10 << QStringLiteral("あいうえおかきくけこさし")
        << QStringLiteral("1あt 2いt 3うt 4えt 5おt 6かt 7きt 8くt 9けt 10こt");
    QTest::newRow("視写１ 12 characters")
        << 4 << 10 << QStringLiteral("あいうえおかきくけこさし")
        << QStringLiteral("1あm 2いm 3うm 4えm 5おm 6かm 7きm 8くm 9けm 10こm");
    QTest::newRow("視写１ short line")
        << 4 << 10 << QStringLiteral("あい") << QStringLiteral("1あm 2いm");
    QTest::newRow("練習１ ね。」あ") << 0 << 8 << QStringLiteral("ね。」あ")
                                     << QStringLiteral("1ねm 2。m 2」m 3あm 5ねt 6。t 6」t 7あt");
    QTest::newRow("練習２ ね。」")
        << 1 << 10 << QStringLiteral("ね。」")
        << QStringLiteral("1ねm 2。m 2」m 4ねt 5。t 5」t 6ねt 7。t 7」t");
}

void TestPracticePatterns::firstRow()
{
    QFETCH(int, pattern);
    QFETCH(int, cells);
    QFETCH(QString, line);
    QFETCH(QString, expected);
    SheetSettings settings;
    settings.MakingPattern = pattern;
    settings.FrameNum = frameNum(cells);
    const PageTrace page = PageTrace::draw(settings, {line});
    QCOMPARE(row(page, 1), ::cells(expected));
}

void TestPracticePatterns::copyPatternsAlternateByPageRow_data()
{
    QTest::addColumn<int>("pattern");
    QTest::addColumn<QString>("oddRows");

    QTest::newRow("視写２") << 5 << QStringLiteral("t");
    QTest::newRow("視写３") << 6 << QStringLiteral("m");
}

void TestPracticePatterns::copyPatternsAlternateByPageRow()
{
    QFETCH(int, pattern);
    QFETCH(QString, oddRows);
    SheetSettings settings;
    settings.MakingPattern = pattern;
    QStringList text;
    for (int i = 1; i <= 10; ++i) {
        text << QString(QChar(u'あ' + i));
    }
    // Second page at 4 cells: rows 1..5 show lines 6..10, colour by the page row.
    const PageTrace page = PageTrace::draw(settings, text, 5);
    const QString evenRows = oddRows == u"t" ? QStringLiteral("m") : QStringLiteral("t");
    for (int k = 1; k <= 5; ++k) {
        const QString expected =
            QStringLiteral("1%1%2").arg(QChar(u'あ' + 5 + k), k % 2 ? oddRows : evenRows);
        QCOMPARE(row(page, k), cells(expected));
    }
}

void TestPracticePatterns::emptyRowsAndBadPattern()
{
    SheetSettings settings;
    settings.MakingPattern = 1;
    const PageTrace empty = PageTrace::draw(settings, {QString(), QStringLiteral("あ")});
    QVERIFY(row(empty, 1).isEmpty());
    QCOMPARE(row(empty, 2), cells(QStringLiteral("1あm 2あt 3あt 4あt")));
    QVERIFY(row(empty, 3).isEmpty());

    settings.MakingPattern = -1;
    const PageTrace none = PageTrace::draw(settings, {QStringLiteral("あい")});
    QVERIFY(none.cells().isEmpty());
    QCOMPARE(none.withPrefix("rect ").size(), 1 + 5 * 4);
}

void TestPracticePatterns::traceFade_data()
{
    QTest::addColumn<int>("pattern");
    QTest::addColumn<int>("cells");
    QTest::addColumn<QString>("line");
    QTest::addColumn<uint>("traceColor"); // 0xRRGGBB
    QTest::addColumn<QStringList>("firstRows");

    QTest::newRow("練習１: models as they are, traces from the trace colour to f0f0f0")
        << 0 << 4 << QStringLiteral("あい") << 0xC0C0C0u
        << QStringList{u"1:1:あ:000000"_s, u"1:2:い:000000"_s, u"1:3:あ:c0c0c0"_s,
                       u"1:4:い:f0f0f0"_s};
    QTest::newRow("練習２: each cell lighter, in equal steps")
        << 1 << 10 << QStringLiteral("あい") << 0xC0C0C0u
        << QStringList{u"1:1:あ:000000"_s, u"1:2:い:000000"_s, u"1:3:あ:c0c0c0"_s,
                       u"1:4:い:c6c6c6"_s, u"1:5:あ:cdcdcd"_s, u"1:6:い:d4d4d4"_s,
                       u"1:7:あ:dbdbdb"_s, u"1:8:い:e2e2e2"_s, u"1:9:あ:e9e9e9"_s,
                       u"1:10:い:f0f0f0"_s};
    QTest::newRow("練習４: a merged bracket shares its cell's colour")
        << 3 << 5 << QStringLiteral("あ。」い") << 0xC0C0C0u
        << QStringList{u"1:1:あ:c0c0c0"_s, u"1:2:。:d8d8d8"_s, u"1:2:」:d8d8d8"_s,
                       u"1:3:い:f0f0f0"_s};
    QTest::newRow("a colour: each part toward white, none darker")
        << 3 << 4 << QStringLiteral("あい") << 0xFFC040u
        << QStringList{u"1:1:あ:ffc040"_s, u"1:2:い:fff0f0"_s};
    QTest::newRow("one trace cell: the trace colour")
        << 3 << 4 << QStringLiteral("あ") << 0xC0C0C0u << QStringList{u"1:1:あ:c0c0c0"_s};
    QTest::newRow("視写２: trace rows fade, model rows do not")
        << 5 << 4 << QStringLiteral("あいう") << 0xA0A0A0u
        << QStringList{u"1:1:あ:a0a0a0"_s, u"1:2:い:c8c8c8"_s, u"1:3:う:f0f0f0"_s,
                       u"2:1:あ:000000"_s, u"2:2:い:000000"_s, u"2:3:う:000000"_s};
}

void TestPracticePatterns::traceFade()
{
    QFETCH(int, pattern);
    QFETCH(int, cells);
    QFETCH(QString, line);
    QFETCH(uint, traceColor);
    QFETCH(QStringList, firstRows);
    SheetSettings settings;
    settings.MakingPattern = pattern;
    settings.FrameNum = frameNum(cells);
    settings.TraceColor = fromRgb(traceColor);
    settings.TraceFade = 1;
    const PageTrace page = PageTrace::draw(settings, {line, line});
    QCOMPARE(page.coloredCells().mid(0, firstRows.size()), firstRows);
    // Off, every trace cell has the trace colour.
    settings.TraceFade = 0;
    for (const QString &cell : PageTrace::draw(settings, {line, line}).coloredCells()) {
        QVERIFY2(cell.endsWith(u"000000"_s) ||
                     cell.endsWith(QString::number(traceColor, 16).rightJustified(6, u'0')),
                 qPrintable(cell));
    }
}

void TestPracticePatterns::traceOutline_data()
{
    QTest::addColumn<int>("pattern");
    QTest::addColumn<int>("direction");
    QTest::addColumn<QSize>("page");
    QTest::addColumn<QByteArray>("modelCall");
    QTest::addColumn<QByteArray>("traceCall");

    // The outline is 1/60 of the cell, rounded, at least a pixel: 62 units at 320
    // wide, 480 pixels at 2480 wide.
    QTest::newRow("練習１ vertical, preview")
        << 0 << 0 << QSize(320, 441)
        << QByteArray("text 25 56 font=\"@ＭＳ 明朝\"/62 color=#000000 bg=none \"あ\"")
        << QByteArray("text 149 56 font=\"@ＭＳ 明朝\"/62 color=#c0c0c0 outline=1 bg=none \"あ\"");
    QTest::newRow("練習１ horizontal, A4 at 300 dpi")
        << 0 << 1 << QSize(2480, 3508)
        << QByteArray("text 194 434 font=\"ＭＳ 明朝\"/480 color=#000000 bg=none \"あ\"")
        << QByteArray(
               "text 1154 434 font=\"ＭＳ 明朝\"/480 color=#c0c0c0 outline=8 bg=none \"あ\"");
    QTest::newRow("視写２: the trace rows only")
        << 5 << 0 << QSize(320, 441)
        << QByteArray("text 25 125 font=\"@ＭＳ 明朝\"/62 color=#000000 bg=none \"あ\"")
        << QByteArray("text 25 56 font=\"@ＭＳ 明朝\"/62 color=#c0c0c0 outline=1 bg=none \"あ\"");
}

void TestPracticePatterns::traceOutline()
{
    QFETCH(int, pattern);
    QFETCH(int, direction);
    QFETCH(QSize, page);
    QFETCH(QByteArray, modelCall);
    QFETCH(QByteArray, traceCall);
    SheetSettings settings;
    settings.MakingPattern = pattern;
    settings.DocDirection = direction;
    settings.UseFont = Cp932::encode(direction == 0 ? u"@ＭＳ 明朝"_s : u"ＭＳ 明朝"_s);
    settings.TraceStyle = 1;
    const QStringList text{u"あい"_s, u"あい"_s};
    const PageTrace outlined = PageTrace::draw(settings, text, 0, 1, page);
    QVERIFY2(outlined.lines.contains(modelCall), outlined.lines.join('\n').constData());
    QVERIFY2(outlined.lines.contains(traceCall), outlined.lines.join('\n').constData());
    // Filled, the same calls but for the outline.
    settings.TraceStyle = 0;
    const QByteArray filled =
        QString::fromUtf8(traceCall).remove(QRegularExpression(u" outline=\\d+"_s)).toUtf8();
    const QByteArrayList plain = PageTrace::draw(settings, text, 0, 1, page).lines;
    QVERIFY(plain.contains(modelCall));
    QVERIFY2(plain.contains(filled), filled.constData());
    QCOMPARE(plain.size(), outlined.lines.size());
}

void TestPracticePatterns::outlineEndsWithThePass()
{
    // The next page's header is drawn filled.
    SheetSettings settings;
    settings.TraceStyle = 1;
    LineList lines;
    lines.add(Cp932::encode(u"あい"_s));
    RandomGenerator random(1);
    PageEngine engine(random);
    RecordingSurface surface;
    engine.MakePrint(surface, 320, 441, settings, lines, PageState());
    QCOMPARE(surface.state().textOutline, 0);
    QVERIFY(surface.takeLines().last().contains(" outline=1 "));
}

void TestPracticePatterns::strokeOrder_data()
{
    QTest::addColumn<QString>("face");
    QTest::addColumn<int>("direction");
    QTest::addColumn<bool>("outlineAndFade");
    QTest::addColumn<QByteArrayList>("firstRow");

    QTest::newRow("vertical: models in @筆順, traces in the sheet's face")
        << u"@ＭＳ 明朝"_s << 0 << false
        << QByteArrayList{
               "text 25 56 font=\"@筆順\"/62 fallback=\"@ＭＳ 明朝\" color=#000000 bg=none \"あ\"",
               "text 87 56 font=\"@筆順\"/62 fallback=\"@ＭＳ 明朝\" color=#000000 bg=none \"い\"",
               "text 149 56 font=\"@ＭＳ 明朝\"/62 color=#c0c0c0 bg=none \"あ\"",
               "text 211 56 font=\"@ＭＳ 明朝\"/62 color=#c0c0c0 bg=none \"い\""};
    QTest::newRow("horizontal")
        << u"ＭＳ 明朝"_s << 1 << false
        << QByteArrayList{
               "text 25 56 font=\"筆順\"/62 fallback=\"ＭＳ 明朝\" color=#000000 bg=none \"あ\"",
               "text 87 56 font=\"筆順\"/62 fallback=\"ＭＳ 明朝\" color=#000000 bg=none \"い\"",
               "text 149 56 font=\"ＭＳ 明朝\"/62 color=#c0c0c0 bg=none \"あ\"",
               "text 211 56 font=\"ＭＳ 明朝\"/62 color=#c0c0c0 bg=none \"い\""};
    QTest::newRow("on a textbook-face sheet, outlined and fading traces")
        << u"@教科書体"_s << 0 << true
        << QByteArrayList{
               "text 25 56 font=\"@筆順\"/62 fallback=\"@教科書体\" color=#000000 bg=none \"あ\"",
               "text 87 56 font=\"@筆順\"/62 fallback=\"@教科書体\" color=#000000 bg=none \"い\"",
               "text 149 56 font=\"@教科書体\"/62 color=#c0c0c0 outline=1 bg=none \"あ\"",
               "text 211 56 font=\"@教科書体\"/62 color=#f0f0f0 outline=1 bg=none \"い\""};
}

void TestPracticePatterns::strokeOrder()
{
    QFETCH(QString, face);
    QFETCH(int, direction);
    QFETCH(bool, outlineAndFade);
    QFETCH(QByteArrayList, firstRow);
    SheetSettings settings;
    settings.UseFont = Cp932::encode(face);
    settings.DocDirection = direction;
    settings.StrokeOrder = 1;
    settings.TraceStyle = outlineAndFade ? 1 : 0;
    settings.TraceFade = outlineAndFade ? 1 : 0;
    LineList lines;
    lines.add(Cp932::encode(u"あい"_s));
    RandomGenerator random(1);
    PageEngine engine(random);
    RecordingSurface surface;
    engine.MakePrint(surface, 320, 441, settings, lines, PageState());
    const QByteArrayList calls = surface.takeLines();
    QCOMPARE(calls.mid(calls.size() - 4), firstRow);
    // The header before them is in the sheet's face, and so is the next page's.
    QVERIFY(calls[2].startsWith("text 14 36 font=\"" + face.toUtf8() + "\"/10 color="));
    QCOMPARE(surface.state().fontFace, settings.UseFont);
    QVERIFY(surface.state().fallbackFace.isEmpty());
}

QTEST_GUILESS_MAIN(TestPracticePatterns)
#include "tst_practicepatterns.moc"
