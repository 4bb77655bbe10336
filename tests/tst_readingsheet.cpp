#include "pagetrace.h"
#include "recordingsurface.h"
#include "rubyline.h"
#include "rubymarks.h"
#include "worksheet.h"

#include <QSet>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// "text" as parsed: the reading marks as "first+units:reading", then the text shown.
QString parsed(const QString &line)
{
    const RubyLine ruby = RubyLine::parse(Cp932::encode(line));
    QStringList out;
    for (const RubySpan &span : ruby.spans) {
        out << u"%1+%2:%3"_s.arg(span.firstUnit).arg(span.units).arg(Cp932::decode(span.reading));
    }
    out << Cp932::decode(ruby.text);
    return out.join(u' ');
}

// The text calls of a trace that draw above the first row: its readings.
QByteArrayList readingCalls(const QByteArrayList &lines, qint32 firstRowTop)
{
    QByteArrayList found;
    for (const QByteArray &line : lines) {
        const QList<QByteArray> fields = line.split(' ');
        if (fields[0] == "text" && fields[2].toInt() < firstRowTop && fields[2].toInt() > 40) {
            found << line;
        }
    }
    return found;
}

QByteArrayList recorded(Worksheet &sheet, qint32 page)
{
    RecordingSurface surface;
    sheet.drawPage(surface, QSize(320, 441), page);
    return surface.takeLines();
}

LineList lineList(const QStringList &text)
{
    LineList lines;
    for (const QString &line : text) {
        lines.add(Cp932::encode(line));
    }
    return lines;
}

} // namespace

class TestReadingSheet : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void parseMarks_data();
    void parseMarks();
    void readingsInTheBoxes_data();
    void readingsInTheBoxes();
    void dictionaryReadingsBesideTheirKanji_data();
    void dictionaryReadingsBesideTheirKanji();
    void readingsOffDrawsTheMarks();
    void readingTestLeavesKanjiCellsEmpty();
    void answersFollowTheQuestions();
};

void TestReadingSheet::parseMarks_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("expected");

    QTest::newRow("no marks") << u"がっこう"_s << u"がっこう"_s;
    QTest::newRow("two marks") << u"｜学《がっ》｜校《こう》へ"_s << u"0+1:がっ 1+1:こう 学校へ"_s;
    QTest::newRow("base of two") << u"｜東京《とうきょう》タワー"_s
                                 << u"0+2:とうきょう 東京タワー"_s;
    QTest::newRow("after kana") << u"あの｜山《やま》"_s << u"2+1:やま あの山"_s;
    QTest::newRow("unclosed") << u"｜山《やま"_s << u"｜山《やま"_s;
    QTest::newRow("no base") << u"｜《やま》"_s << u"｜《やま》"_s;
    QTest::newRow("empty reading: none wanted") << u"｜山《》です"_s << u"山です"_s;
    QTest::newRow("kanji run before 《") << u"あの日本《にほん》"_s << u"2+2:にほん あの日本"_s;
    QTest::newRow("bar without reading") << u"｜山です"_s << u"｜山です"_s;
    QTest::newRow("nearest bar") << u"｜山｜川《かわ》"_s << u"2+1:かわ ｜山川"_s;
    QTest::newRow("reading holding a bar") << u"｜山《や｜ま》"_s << u"｜山《や｜ま》"_s;
    // A base after an odd number of single bytes shares its first unit.
    QTest::newRow("after one ASCII byte") << u"A｜山《やま》"_s << u"0+2:やま A山"_s;
    QTest::newRow("odd bases in a row") << u"｜A《え》｜B《び》"_s << u"0+1:え AB"_s;
}

void TestReadingSheet::parseMarks()
{
    QFETCH(QString, line);
    QFETCH(QString, expected);
    QCOMPARE(parsed(line), expected);
}

void TestReadingSheet::readingsInTheBoxes_data()
{
    QTest::addColumn<int>("pattern");
    QTest::addColumn<int>("direction");
    QTest::addColumn<QString>("line");
    QTest::addColumn<QByteArrayList>("expected");

    // Four cells of 62 from x 25, the first row at 76 below a box 20 deep: a
    // reading is 16 high, centred in its cells' boxes, at y 76 - 20 + 2.
    QTest::newRow("視写１ horizontal, one cell each")
        << 4 << 1 << u"｜学《がっ》｜校《こう》へ"_s
        << QByteArrayList{
               R"(text 40 58 font="ＭＳ 明朝"/16 color=#000000 ruby bg=none "が")",
               R"(text 56 58 font="ＭＳ 明朝"/16 color=#000000 ruby bg=none "っ")",
               R"(text 102 58 font="ＭＳ 明朝"/16 color=#000000 ruby bg=none "こ")",
               R"(text 118 58 font="ＭＳ 明朝"/16 color=#000000 ruby bg=none "う")",
           };
    QTest::newRow("視写１ vertical, over two cells")
        << 4 << 0 << u"｜東京《とうきょう》"_s
        << QByteArrayList{
               R"(text 47 58 font="@ＭＳ 明朝"/16 color=#000000 ruby bg=none "と")",
               R"(text 63 58 font="@ＭＳ 明朝"/16 color=#000000 ruby bg=none "う")",
               R"(text 79 58 font="@ＭＳ 明朝"/16 color=#000000 ruby bg=none "き")",
               R"(text 95 58 font="@ＭＳ 明朝"/16 color=#000000 ruby bg=none "ょ")",
               R"(text 111 58 font="@ＭＳ 明朝"/16 color=#000000 ruby bg=none "う")",
           };
    // Five kana in one cell of 62: 12 each, smaller, still inside 25..87.
    QTest::newRow("squeezed")
        << 4 << 1 << u"｜承《うけたまわ》る"_s
        << QByteArrayList{
               R"(text 26 60 font="ＭＳ 明朝"/12 color=#000000 ruby bg=none "う")",
               R"(text 38 60 font="ＭＳ 明朝"/12 color=#000000 ruby bg=none "け")",
               R"(text 50 60 font="ＭＳ 明朝"/12 color=#000000 ruby bg=none "た")",
               R"(text 62 60 font="ＭＳ 明朝"/12 color=#000000 ruby bg=none "ま")",
               R"(text 74 60 font="ＭＳ 明朝"/12 color=#000000 ruby bg=none "わ")",
           };
    // 練習１: models in cells 1-2, traces in 3-4, each reading in its own colour.
    QTest::newRow("練習１ model and trace")
        << 0 << 1 << u"｜学《がく》｜校《こう》"_s
        << QByteArrayList{
               R"(text 40 58 font="ＭＳ 明朝"/16 color=#000000 ruby bg=none "が")",
               R"(text 56 58 font="ＭＳ 明朝"/16 color=#000000 ruby bg=none "く")",
               R"(text 102 58 font="ＭＳ 明朝"/16 color=#000000 ruby bg=none "こ")",
               R"(text 118 58 font="ＭＳ 明朝"/16 color=#000000 ruby bg=none "う")",
               R"(text 164 58 font="ＭＳ 明朝"/16 color=#c0c0c0 ruby bg=none "が")",
               R"(text 180 58 font="ＭＳ 明朝"/16 color=#c0c0c0 ruby bg=none "く")",
               R"(text 226 58 font="ＭＳ 明朝"/16 color=#c0c0c0 ruby bg=none "こ")",
               R"(text 242 58 font="ＭＳ 明朝"/16 color=#c0c0c0 ruby bg=none "う")",
           };
}

void TestReadingSheet::readingsInTheBoxes()
{
    QFETCH(int, pattern);
    QFETCH(int, direction);
    QFETCH(QString, line);
    QFETCH(QByteArrayList, expected);
    SheetSettings settings;
    settings.MakingPattern = pattern;
    settings.DocDirection = direction;
    settings.UseFont = Cp932::encode(direction == 0 ? u"@ＭＳ 明朝" : u"ＭＳ 明朝");
    settings.Readings = 1;
    RandomGenerator random(1);
    Worksheet sheet(settings, lineList({line}), 0, random);
    QCOMPARE(sheet.settings().FuriganaFrame, 1);
    const QByteArrayList calls = recorded(sheet, 0);
    QCOMPARE(readingCalls(calls, 76), expected);
    // Ruby forms are for the readings alone: the characters after them are as ever.
    for (const QByteArray &call : calls) {
        QVERIFY2(expected.contains(call) || !call.contains(" ruby "), call.constData());
    }
}

void TestReadingSheet::dictionaryReadingsBesideTheirKanji_data()
{
    QTest::addColumn<int>("direction");
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("readings"); // in drawing order

    for (const int direction : {0, 1}) {
        const QByteArray name = direction == 0 ? "vertical: " : "horizontal: ";
        QTest::newRow(name + "okurigana, jukujikun")
            << direction << u"今日は大きな木を見た。"_s << u"きょうおおきみ"_s;
        QTest::newRow(name + "split, small tsu, rendaku")
            << direction << u"学校で花火をした。"_s << u"がっこうはなび"_s;
        QTest::newRow(name + "a long reading squeezed, kana and ASCII")
            << direction << u"ABの｜東京《とうきょうとうきょう》タワー"_s
            << u"とうきょうとうきょう"_s;
    }
}

void TestReadingSheet::dictionaryReadingsBesideTheirKanji()
{
    QFETCH(int, direction);
    QFETCH(QString, line);
    QFETCH(QString, readings);
    SheetSettings settings;
    settings.MakingPattern = 4;
    settings.FrameNum = 6; // 10 cells
    settings.DocDirection = direction;
    settings.UseFont = Cp932::encode(direction == 0 ? u"@ＭＳ 明朝" : u"ＭＳ 明朝");
    settings.Readings = 1;
    RandomGenerator random(1);
    Worksheet sheet(settings, lineList({line}), 0, random);
    const DrawScale scale = DrawScale::ForPage(320, 441);
    const GridGeometry g = SelectGridGeometry(1, direction, 6, scale);
    const qint32 rowTop = scale.Scaled(g.GridTop);
    const auto cellOf = [&](qint32 x) { return (x - scale.Scaled(25)) / g.CellSize; };
    // Every reading is drawn in the box of a kanji's cell, and only there.
    QSet<qint32> kanjiCells;
    QString drawn;
    for (const QByteArray &call : recorded(sheet, 0)) {
        const QList<QByteArray> fields = call.split(' ');
        const qint32 x = fields[1].toInt();
        const qint32 y = fields[2].toInt();
        if (fields[0] != "text" || y < rowTop - g.FuriganaWidth || y >= rowTop + g.CellSize) {
            continue;
        }
        const QString text = QString::fromUtf8(call.sliced(call.lastIndexOf(" \"") + 2).chopped(1));
        if (y >= rowTop) {
            if (RubyMarks::isKanji(text.front().unicode())) {
                kanjiCells.insert(cellOf(x));
            }
            continue;
        }
        const qint32 height = fields[3].sliced(fields[3].lastIndexOf('/') + 1).toInt();
        QVERIFY2(height <= g.FuriganaWidth && y + height <= rowTop, call.constData());
        QVERIFY2(kanjiCells.contains(cellOf(x)) && kanjiCells.contains(cellOf(x + height - 1)),
                 call.constData());
        drawn += text;
    }
    QCOMPARE(drawn, readings);
}

void TestReadingSheet::readingsOffDrawsTheMarks()
{
    SheetSettings settings;
    settings.MakingPattern = 4;
    const PageTrace page = PageTrace::draw(settings, {u"｜学《がっ》"_s});
    QCOMPARE(page.cells(),
             (QStringList{u"1:1:｜:m"_s, u"1:2:学:m"_s, u"1:3:《:m"_s, u"1:4:が:m"_s}));
}

void TestReadingSheet::readingTestLeavesKanjiCellsEmpty()
{
    SheetSettings settings;
    settings.MakingPattern = 4;
    settings.DocDirection = 1;
    settings.UseFont = Cp932::encode(u"ＭＳ 明朝");
    settings.ReadingTest = 1;
    RandomGenerator random(1);
    Worksheet sheet(settings, lineList({u"｜学《がっ》｜校《こう》へ"_s}), 0, random);
    const QByteArrayList calls = recorded(sheet, 0);
    QCOMPARE(readingCalls(calls, 76).size(), 4);
    QByteArrayList cellCalls;
    for (const QByteArray &call : calls) {
        if (call.startsWith("text ") && call.split(' ')[2].toInt() >= 76) {
            cellCalls << call;
        }
    }
    QCOMPARE(cellCalls,
             QByteArrayList{R"(text 149 76 font="ＭＳ 明朝"/62 color=#000000 bg=none "へ")"});
}

void TestReadingSheet::answersFollowTheQuestions()
{
    SheetSettings settings;
    settings.MakingPattern = 4;
    settings.FrameNum = 6; // 10 cells: 9 lines a page with furigana boxes
    settings.RndLine = 1;
    settings.ReadingTest = 1;
    settings.Answers = 1;
    QStringList text;
    for (int i = 0; i < 10; ++i) {
        text << u"｜山《やま》%1"_s.arg(QChar(u'あ' + i));
    }
    RandomGenerator random(7);
    Worksheet sheet(settings, lineList(text), Worksheet::linesPerPageFor(settings), random);
    QCOMPARE(sheet.linesPerPage(), 9);
    QCOMPARE(sheet.pageCount(), 4);
    QCOMPARE(sheet.pageTop(3), 9);
    const QByteArrayList question = recorded(sheet, 0);
    const QByteArrayList answer = recorded(sheet, 2);
    // The answer page draws what the question left out, and nothing else differs.
    QByteArrayList added;
    for (const QByteArray &call : answer) {
        if (!question.contains(call)) {
            added << call;
        }
    }
    QCOMPARE(added.size(), 9);
    for (const QByteArray &call : added) {
        QVERIFY2(call.endsWith("\"山\""), call.constData());
    }
    for (const QByteArray &call : question) {
        QVERIFY2(answer.contains(call), call.constData());
    }
    // The same answer again, after the next question page has drawn.
    recorded(sheet, 1);
    QCOMPARE(recorded(sheet, 2), answer);

    settings.Answers = 0;
    QCOMPARE(Worksheet(settings, lineList(text), 9, random).pageCount(), 2);
}

QTEST_GUILESS_MAIN(TestReadingSheet)
#include "tst_readingsheet.moc"
