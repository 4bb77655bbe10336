#include "cp932.h"
#include "hekiraerror.h"
#include "linelist.h"
#include "pageengine.h"
#include "printnumber.h"
#include "recordingsurface.h"

#include <QTest>

namespace {

// The calls of one page drawn onto a recording surface, as UTF-8 lines.
struct DrawnPage {
    QByteArrayList lines;
    float scale = 0;
};

DrawnPage drawPage(SheetSettings &settings, int width, int height, const LineList &lines = {})
{
    RandomGenerator random(1);
    PageEngine engine(random);
    RecordingSurface surface;
    engine.MakePrint(surface, width, height, settings, lines, PageState());
    return {surface.takeLines(), engine.drawScale().value()};
}

} // namespace

class TestPageHeader : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void drawScale_data();
    void drawScale();
    void scaledRoundsHalvesToEven();
    void header_data();
    void header();
    void printNumberText_data();
    void printNumberText();
    void badPrintNumberStopsAfterDate();
    void printNumberNotReadWhenOff();
    void emptyHeader();
    void lineList_data();
    void lineList();
};

void TestPageHeader::drawScale_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<float>("scale");
    QTest::addColumn<double>("reference");
    QTest::addColumn<int>("scaled");

    QTest::newRow("preview") << 320 << 441 << 1.0f << 36.0 << 36;
    QTest::newRow("600 dpi A4, width governs") << 4960 << 7016 << 15.5f << 319.0 << 4944;
    QTest::newRow("14.875") << 4760 << 6814 << 14.875f << 6.0 << 89;
    QTest::newRow("14.875 date height") << 4760 << 6814 << 14.875f << 8.0 << 119;
    QTest::newRow("3300/441 in single precision")
        << 2400 << 3300 << static_cast<float>(3300.0 / 441.0) << 36.0 << 269;
    QTest::newRow("zero width") << 0 << 9999 << 1.0f << 10.0 << 10;
    QTest::newRow("negative width") << -5 << 441 << 1.0f << 10.0 << 10;
    QTest::newRow("height governs") << 640 << 441 << 1.0f << 10.0 << 10;
}

void TestPageHeader::drawScale()
{
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(float, scale);
    QFETCH(double, reference);
    QFETCH(int, scaled);
    const DrawScale drawScale = DrawScale::ForPage(width, height);
    QCOMPARE(drawScale.value(), scale);
    QCOMPARE(drawScale.Scaled(reference), scaled);
}

void TestPageHeader::scaledRoundsHalvesToEven()
{
    const DrawScale one(1.0f);
    QCOMPARE(one.Scaled(40.5), 40);
    QCOMPARE(one.Scaled(31.5), 32);
    QCOMPARE(one.Scaled(-2.5), -2);
    QCOMPARE(one.Scaled(0), 0);
}

void TestPageHeader::header_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("direction");
    QTest::addColumn<QByteArrayList>("expected");

    const QByteArrayList preview{
        "rect 0 0 319 440 pen=#ffffff/1/solid brush=#ffffff",
        "text 14 16 font=\"@ＭＳ 明朝\"/8 color=#000000 bg=#ffffff \"月　日\"",
        "text 14 8 font=\"@ＭＳ 明朝\"/6 color=#000000 bg=#ffffff \"（１２）\"",
        "text 120 12 font=\"@ＭＳ 明朝\"/16 color=#000000 bg=#ffffff "
        "\"（　　　　　　　　　　　）\"",
        "text 14 36 font=\"@ＭＳ 明朝\"/10 color=#000000 bg=#ffffff "
        "\"◆よく見て、れんしゅうしましょう。\"",
    };
    QTest::newRow("preview") << 320 << 441 << 0 << preview;

    const QByteArrayList a4{
        "rect 0 0 4944 6820 pen=#ffffff/1/solid brush=#ffffff",
        "text 217 248 font=\"@ＭＳ 明朝\"/124 color=#000000 bg=#ffffff \"月　日\"",
        "text 217 124 font=\"@ＭＳ 明朝\"/93 color=#000000 bg=#ffffff \"（１２）\"",
        "text 1860 186 font=\"@ＭＳ 明朝\"/248 color=#000000 bg=#ffffff "
        "\"（　　　　　　　　　　　）\"",
        "text 217 558 font=\"@ＭＳ 明朝\"/155 color=#000000 bg=#ffffff "
        "\"◆よく見て、れんしゅうしましょう。\"",
    };
    QTest::newRow("600 dpi A4") << 4960 << 7016 << 0 << a4;

    // Horizontal writing switches only the print number's face; the others follow UseFont.
    QByteArrayList horizontal = preview;
    horizontal[2] = "text 14 8 font=\"ＭＳ 明朝\"/6 color=#000000 bg=#ffffff \"（１２）\"";
    QTest::newRow("horizontal, vertical UseFont") << 320 << 441 << 1 << horizontal;
}

void TestPageHeader::header()
{
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(int, direction);
    QFETCH(QByteArrayList, expected);
    SheetSettings settings;
    settings.DatePrint = 1;
    settings.PrnNumPrint = 1;
    settings.PrnNumText = QStringLiteral("12");
    settings.DocDirection = direction;
    const DrawnPage page = drawPage(settings, width, height);
    QCOMPARE(page.lines.mid(0, expected.size()), expected);
    QCOMPARE(settings.PrintNumber, 12); // read from the box into the settings given
}

void TestPageHeader::printNumberText_data()
{
    QTest::addColumn<QString>("boxText");
    QTest::addColumn<qint32>("number");
    QTest::addColumn<QString>("drawn");

    QTest::newRow("7") << QStringLiteral("7") << 7 << QStringLiteral("（７）");
    QTest::newRow("-3") << QStringLiteral("-3") << -3 << QStringLiteral("（－３）");
    QTest::newRow("max") << QStringLiteral("2147483647") << 2147483647
                         << QStringLiteral("（２１４７４８３６４７）");
    QTest::newRow("min") << QStringLiteral("-2147483648") << qint32(-2147483647 - 1)
                         << QStringLiteral("（－２１４７４８３６４８）");
    QTest::newRow("007 redrawn from its value")
        << QStringLiteral("007") << 7 << QStringLiteral("（７）");
    QTest::newRow("leading blanks") << QStringLiteral("  42") << 42 << QStringLiteral("（４２）");
    QTest::newRow("plus sign") << QStringLiteral("+5") << 5 << QStringLiteral("（５）");
}

void TestPageHeader::printNumberText()
{
    QFETCH(QString, boxText);
    QFETCH(qint32, number);
    QFETCH(QString, drawn);
    QCOMPARE(PrintNumber::parse(boxText), number);
    QCOMPARE(PrintNumber::headerText(number), Cp932::encode(drawn));
}

void TestPageHeader::badPrintNumberStopsAfterDate()
{
    const QStringList bad{QStringLiteral("abc"), QString(), QStringLiteral("2147483648"),
                          QStringLiteral("12 "), QStringLiteral("1.5"), QStringLiteral("７"),
                          QStringLiteral("+-5"), QStringLiteral("--5"), QStringLiteral("1e3"),
                          QStringLiteral("+"),
                          // The message keeps what follows a zero character (found by fuzzing).
                          QStringLiteral("1") + QChar(0) + QStringLiteral("2")};
    for (const QString &text : bad) {
        RandomGenerator random(1);
        PageEngine engine(random);
        RecordingSurface surface;
        SheetSettings settings;
        settings.DatePrint = 1;
        settings.PrnNumPrint = 1;
        settings.PrintNumber = 99;
        settings.PrnNumText = text;
        const LineList lines(QByteArrayList{"a"});
        try {
            engine.MakePrint(surface, 320, 441, settings, lines, PageState());
            QFAIL(qPrintable(QStringLiteral("no error for '%1'").arg(text)));
        } catch (const HekiraError &error) {
            QCOMPARE(error.message(), QStringLiteral("'%1' は整数ではありません").arg(text));
        }
        const QByteArrayList drawn = surface.takeLines();
        QCOMPARE(drawn.size(), 2); // the blank and the date field
        QVERIFY(drawn[1].contains("月　日"));
        QCOMPARE(settings.PrintNumber, 99);
    }
}

void TestPageHeader::printNumberNotReadWhenOff()
{
    SheetSettings settings;
    settings.PrnNumText = QStringLiteral("letters");
    settings.PrintNumber = 5;
    RandomGenerator random(1);
    PageEngine engine(random);
    RecordingSurface surface;
    engine.MakePrint(surface, 320, 441, settings, LineList(), PageState());
    QCOMPARE(settings.PrintNumber, 5);
}

void TestPageHeader::emptyHeader()
{
    SheetSettings settings;
    settings.NamePrint = 0;
    settings.QuestionMes.clear();
    settings.UseFont = Cp932::encode(u"ＭＳ 明朝");
    const DrawnPage page = drawPage(settings, 320, 441);
    QCOMPARE(page.lines.first(), QByteArray("rect 0 0 319 440 pen=#ffffff/1/solid brush=#ffffff"));
    QVERIFY(page.lines.size() < 2 || !page.lines[1].startsWith("text"));
}

void TestPageHeader::lineList_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QByteArrayList>("lines");

    QTest::newRow("empty") << QByteArray() << QByteArrayList{};
    QTest::newRow("CR LF") << QByteArray("a\r\nb") << QByteArrayList{"a", "b"};
    QTest::newRow("final break adds no line")
        << QByteArray("a\r\nb\r\n") << QByteArrayList{"a", "b"};
    QTest::newRow("LF and CR") << QByteArray("a\nb\rc") << QByteArrayList{"a", "b", "c"};
    QTest::newRow("LF CR is two breaks") << QByteArray("a\n\rb") << QByteArrayList{"a", "", "b"};
    QTest::newRow("lone break") << QByteArray("\r\n") << QByteArrayList{""};
    QTest::newRow("long line read 4096 bytes")
        << QByteArray(5000, 'x') << QByteArrayList{QByteArray(4096, 'x')};
    QTest::newRow("zero byte ends the text")
        << QByteArray("a\r\nb\0c\r\nd", 9) << QByteArrayList{"a", "b"};
}

void TestPageHeader::lineList()
{
    QFETCH(QByteArray, text);
    QFETCH(QByteArrayList, lines);
    const LineList list = LineList::fromText(text);
    QCOMPARE(list.count(), lines.size());
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QCOMPARE(list.line(i), lines[i]);
    }
    QCOMPARE(list.line(lines.size()), QByteArray());
    QCOMPARE(list.line(-1), QByteArray());
    if (text.size() == 5000) {
        QCOMPARE(list.wholeLine(0), text); // kept whole for rewriting and saving
    }
}

QTEST_GUILESS_MAIN(TestPageHeader)
#include "tst_pageheader.moc"
