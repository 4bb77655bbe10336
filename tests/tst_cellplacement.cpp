#include "cp932.h"
#include "placementpass.h"
#include "recordingsurface.h"

#include <QTest>

namespace {

// Draws one pass over `text` in row `row` at the preview scale, 10 cells, no furigana.
QByteArrayList drawPass(int direction, const QString &text, qint32 nudge, qint32 row = 1,
                        qint32 startCell = 0)
{
    const DrawScale scale(1.0f);
    const GridGeometry geometry = SelectGridGeometry(0, direction, 6, scale);
    RecordingSurface surface;
    surface.setBrushStyle(BrushStyle::Clear);
    surface.setFontFace("F");
    surface.setFontHeight(geometry.GlyphHeight);
    PlacementPass pass;
    pass.row = row;
    pass.text = Cp932::encode(text);
    pass.count = static_cast<qint32>(pass.text.size() / 2);
    pass.StartCell = startCell;
    pass.color = 0x0000FF;
    pass.SmallKanaNudge = nudge;
    DrawPass(surface, PageLayout{scale, geometry}, direction, pass);
    QByteArrayList calls;
    for (const QByteArray &line : surface.takeLines()) {
        // "text X Y font="F"/H color=#ff0000 bg=none "c"" -> "X Y H c"
        const QByteArrayList parts = line.split(' ');
        calls << parts[1] + ' ' + parts[2] + ' ' + parts[3].mid(parts[3].indexOf('/') + 1) + ' ' +
                     parts[6].mid(1, parts[6].size() - 2);
    }
    return calls;
}

} // namespace

class TestCellPlacement : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void pass_data();
    void pass();
    void classes_data();
    void classes();
    void colourAndOddBytes();
};

void TestCellPlacement::pass_data()
{
    QTest::addColumn<int>("direction");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("nudge");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("startCell");
    QTest::addColumn<QByteArrayList>("calls");

    QTest::newRow("vertical きって。」です")
        << 0 << QStringLiteral("きって。」です") << 0 << 1 << 0
        << QByteArrayList{"25 56 28 き",  "50 55 20 っ",  "81 56 28 て", "109 56 20 。",
                          "109 56 28 」", "137 56 28 で", "165 56 28 す"};
    QTest::newRow("horizontal, nudge 1")
        << 1 << QStringLiteral("きって。」です") << 1 << 1 << 0
        << QByteArrayList{"25 56 28 き",  "51 66 18 っ",  "81 56 28 て", "109 64 18 。",
                          "109 56 28 」", "137 56 28 で", "165 56 28 す"};
    QTest::newRow("horizontal, nudge 2 and 0")
        << 1 << QStringLiteral("っ") << 2 << 1 << 3 << QByteArrayList{"108 66 18 っ"};
    QTest::newRow("horizontal, no nudge")
        << 1 << QStringLiteral("ッ") << 0 << 1 << 0 << QByteArrayList{"22 66 18 ッ"};
    QTest::newRow("row 2") << 0 << QStringLiteral("あ") << 0 << 2 << 0
                           << QByteArrayList{"25 87 28 あ"};
    QTest::newRow("only the first 」 after 。 merges")
        << 0 << QStringLiteral("。」」") << 0 << 1 << 0
        << QByteArrayList{"25 56 20 。", "25 56 28 」", "53 56 28 」"};
    QTest::newRow("」 after 、 is ordinary") << 0 << QStringLiteral("、」") << 0 << 1 << 0
                                             << QByteArrayList{"25 56 20 、", "53 56 28 」"};
    QTest::newRow("a pass starting with 」") << 0 << QStringLiteral("」あ") << 0 << 1 << 4
                                             << QByteArrayList{"137 56 28 」", "165 56 28 あ"};
    QTest::newRow("ぃ ィ ヵ are ordinary")
        << 0 << QStringLiteral("ぃィヵ") << 0 << 1 << 0
        << QByteArrayList{"25 56 28 ぃ", "53 56 28 ィ", "81 56 28 ヵ"};
}

void TestCellPlacement::pass()
{
    QFETCH(int, direction);
    QFETCH(QString, text);
    QFETCH(int, nudge);
    QFETCH(int, row);
    QFETCH(int, startCell);
    QFETCH(QByteArrayList, calls);
    QCOMPARE(drawPass(direction, text, nudge, row, startCell), calls);
}

void TestCellPlacement::classes_data()
{
    QTest::addColumn<QString>("unit");
    QTest::addColumn<QString>("previous");
    QTest::addColumn<int>("unitClass");

    QTest::newRow("」 after 。") << QStringLiteral("」") << QStringLiteral("。")
                                 << int(UnitClass::MergedBracket);
    QTest::newRow("」 first") << QStringLiteral("」") << QString() << int(UnitClass::Ordinary);
    QTest::newRow("ゃ") << QStringLiteral("ゃ") << QString() << int(UnitClass::SmallKana);
    QTest::newRow("ャ after 。") << QStringLiteral("ャ") << QStringLiteral("。")
                                 << int(UnitClass::SmallKana);
    QTest::newRow("ゎ") << QStringLiteral("ゎ") << QString() << int(UnitClass::Ordinary);
    QTest::newRow("ヶ") << QStringLiteral("ヶ") << QString() << int(UnitClass::Ordinary);
    QTest::newRow("、") << QStringLiteral("、") << QString() << int(UnitClass::SmallMark);
    QTest::newRow("full-width space")
        << QStringLiteral("　") << QString() << int(UnitClass::Ordinary);
    QTest::newRow("two ASCII") << QStringLiteral("ab") << QString() << int(UnitClass::Ordinary);
}

void TestCellPlacement::classes()
{
    QFETCH(QString, unit);
    QFETCH(QString, previous);
    QFETCH(int, unitClass);
    QCOMPARE(int(ClassifyUnit(Cp932::encode(unit), Cp932::encode(previous))), unitClass);
}

void TestCellPlacement::colourAndOddBytes()
{
    const DrawScale scale(1.0f);
    const GridGeometry geometry = SelectGridGeometry(0, 0, 6, scale);
    RecordingSurface surface;
    PlacementPass pass;
    pass.text = "ab\x82";
    pass.count = 1;
    pass.color = 0x0000FF;
    DrawPass(surface, PageLayout{scale, geometry}, 0, pass);
    const QByteArrayList calls = surface.takeLines();
    QCOMPARE(calls.size(), 1);
    QVERIFY(calls[0].contains("color=#ff0000"));
    QVERIFY(calls[0].endsWith("\"ab\""));
    QCOMPARE(surface.state().fontColor, Color(0x0000FF));
}

QTEST_GUILESS_MAIN(TestCellPlacement)
#include "tst_cellplacement.moc"
