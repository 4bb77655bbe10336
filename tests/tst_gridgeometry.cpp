#include "gridgeometry.h"

#include <QTest>
#include <array>

namespace {

// Device values at the preview scale, by cell count index 0..9 (4 .. 20 cells).
constexpr std::array<int, 10> Cells{4, 5, 6, 7, 8, 9, 10, 12, 15, 20};
constexpr std::array<int, 10> CellSize{62, 54, 46, 40, 35, 32, 28, 24, 19, 14};
constexpr std::array<int, 10> BaseGap{7, 6, 5, 4, 4, 3, 3, 3, 2, 2};
constexpr std::array<int, 10> FuriganaWidth{20, 18, 15, 13, 12, 10, 9, 8, 7, 5};
constexpr std::array<int, 10> FuriganaLineGap{27, 24, 20, 17, 16, 13, 12, 11, 9, 7};
constexpr std::array<int, 10> SmallVertical{45, 39, 33, 29, 25, 22, 20, 17, 13, 10};
constexpr std::array<int, 10> SmallHorizontal{46, 38, 29, 25, 21, 20, 18, 16, 12, 9};
constexpr std::array<int, 10> PlainLines{5, 6, 7, 8, 10, 11, 12, 14, 18, 24};
constexpr std::array<int, 10> FuriganaLines{4, 5, 5, 6, 7, 8, 9, 11, 14, 19};
constexpr std::array<int, 10> FuriganaTop{76, 73, 71, 68, 66, 63, 61, 56, 56, 56};
constexpr std::array<int, 10> PlainKanaDrop{18, 17, 17, 15, 13, 11, 10, 8, 7, 5};
constexpr std::array<int, 10> FuriganaKanaDrop{19, 18, 17, 15, 13, 11, 10, 8, 7, 5};
constexpr std::array<int, 10> PlainPunctDrop{14, 14, 14, 12, 11, 9, 8, 6, 5, 4};
constexpr std::array<int, 10> FuriganaPunctDrop{14, 14, 14, 12, 11, 10, 8, 6, 5, 4};

} // namespace

class TestGridGeometry : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void previewValues_data();
    void previewValues();
    void outOfRange_data();
    void outOfRange();
    void scaledAtPrinterResolution();
    void lastLineWithinPage();
};

void TestGridGeometry::previewValues_data()
{
    QTest::addColumn<int>("furigana");
    QTest::addColumn<int>("direction");
    QTest::addColumn<int>("index");

    for (int furigana = 0; furigana < 2; ++furigana) {
        for (int direction = 0; direction < 2; ++direction) {
            for (int index = 0; index < 10; ++index) {
                QTest::addRow("%s %s %d cells", furigana ? "furigana" : "plain",
                              direction ? "horizontal" : "vertical", Cells[index])
                    << furigana << direction << index;
            }
        }
    }
}

void TestGridGeometry::previewValues()
{
    QFETCH(int, furigana);
    QFETCH(int, direction);
    QFETCH(int, index);
    const GridGeometry g = SelectGridGeometry(furigana, direction, index, DrawScale(1.0f));
    QCOMPARE(g.CellsPerLine, Cells[index]);
    QCOMPARE(g.CellSize, CellSize[index]);
    QCOMPARE(g.GlyphHeight, CellSize[index]);
    QCOMPARE(g.BaseGap, BaseGap[index]);
    QCOMPARE(g.SmallGlyphHeight, direction ? SmallHorizontal[index] : SmallVertical[index]);
    QCOMPARE(g.FuriganaWidth, furigana ? FuriganaWidth[index] : 0);
    QCOMPARE(g.LineGap, furigana ? FuriganaLineGap[index] : BaseGap[index]);
    QCOMPARE(g.LinesOnPage, furigana ? FuriganaLines[index] : PlainLines[index]);
    QCOMPARE(LinesPerPageFor(furigana, index), g.LinesOnPage);
    QCOMPARE(g.GridTop, furigana ? FuriganaTop[index] : 56);
    QCOMPARE(g.GridLeft, 25);
    const int kanaDrop = furigana ? FuriganaKanaDrop[index] : PlainKanaDrop[index];
    const int punctDrop = furigana ? FuriganaPunctDrop[index] : PlainPunctDrop[index];
    QCOMPARE(g.SmallKanaDrop, direction ? kanaDrop : 0);
    QCOMPARE(g.PunctDrop, direction ? punctDrop : 0);
}

void TestGridGeometry::outOfRange_data()
{
    QTest::addColumn<int>("furigana");
    QTest::addColumn<int>("direction");
    QTest::addColumn<int>("index");

    QTest::newRow("no furigana item") << -1 << 0 << 0;
    QTest::newRow("furigana 2") << 2 << 0 << 0;
    QTest::newRow("no direction item") << 0 << -1 << 0;
    QTest::newRow("no cell item") << 0 << 0 << -1;
    QTest::newRow("cell index 10") << 1 << 1 << 10;
}

void TestGridGeometry::outOfRange()
{
    QFETCH(int, furigana);
    QFETCH(int, direction);
    QFETCH(int, index);
    const GridGeometry g = SelectGridGeometry(furigana, direction, index, DrawScale(1.0f));
    QCOMPARE(g.CellSize, 0);
    QCOMPARE(g.CellsPerLine, 0);
    QCOMPARE(g.LinesOnPage, 0);
    if (furigana < 0 || furigana > 1 || index < 0 || index > 9) {
        QCOMPARE(LinesPerPageFor(furigana, index), 0);
    }
}

void TestGridGeometry::scaledAtPrinterResolution()
{
    // 7 cells with furigana at 15.5: every device length is rounded by itself.
    const GridGeometry g = SelectGridGeometry(1, 0, 3, DrawScale(15.5f));
    QCOMPARE(g.CellSize, 628);         // 627.75
    QCOMPARE(g.SmallGlyphHeight, 450); // 449.5, halves to even
    QCOMPARE(g.BaseGap, 68);           // 67.8125
    QCOMPARE(g.FuriganaWidth, 209);    // 209.1725
    QCOMPARE(g.LineGap, 277);
}

void TestGridGeometry::lastLineWithinPage()
{
    // Only 8 cells plain and 20 cells with furigana reach past the 441-pixel page.
    for (int furigana = 0; furigana < 2; ++furigana) {
        for (int index = 0; index < 10; ++index) {
            const GridGeometry g = SelectGridGeometry(furigana, 0, index, DrawScale(1.0f));
            const int end = g.GridTop + (g.LinesOnPage - 1) * (g.CellSize + g.LineGap) + g.CellSize;
            const bool past = (furigana == 0 && index == 4) || (furigana == 1 && index == 9);
            QVERIFY2(past == (end > 441), qPrintable(QString::number(end)));
            QVERIFY(g.GridLeft + g.CellsPerLine * g.CellSize <= 313);
        }
    }
    QCOMPARE(SelectGridGeometry(0, 0, 4, DrawScale(1.0f)).GridTop + 9 * 39 + 35, 442);
    QCOMPARE(SelectGridGeometry(1, 0, 9, DrawScale(1.0f)).GridTop + 18 * 21 + 14, 448);
}

QTEST_GUILESS_MAIN(TestGridGeometry)
#include "tst_gridgeometry.moc"
