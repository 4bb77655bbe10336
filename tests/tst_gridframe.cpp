#include "gridframe.h"
#include "lineorder.h"
#include "pagetrace.h"

#include <QSet>
#include <QTest>

class TestGridFrame : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void frameCalls_data();
    void frameCalls();
    void frameCoversEveryRow();
    void penAfterFrame_data();
    void penAfterFrame();
    void randomOrder_data();
    void randomOrder();
    void randomOrderKeepsLaterPages();
    void noRandomOrderCopiesLines();
    void generator();
};

void TestGridFrame::frameCalls_data()
{
    QTest::addColumn<int>("furigana");
    QTest::addColumn<int>("cross");
    QTest::addColumn<int>("guide");
    QTest::addColumn<int>("frameNum");
    QTest::addColumn<QByteArrayList>("firstCell");
    QTest::addColumn<int>("callsPerCell");

    QTest::newRow("4 cells, cross")
        << 0 << 1 << 0 << 0
        << QByteArrayList{"rect 25 56 87 118 pen=#000000/2/solid brush=none",
                          "line 56 56 56 118 pen=#000000/1/dot",
                          "line 25 87 87 87 pen=#000000/1/dot",
                          "rect 87 56 149 118 pen=#000000/2/solid brush=none"}
        << 3;
    QTest::newRow("4 cells, furigana")
        << 1 << 0 << 0 << 0
        << QByteArrayList{"rect 25 56 87 76 pen=#000000/2/solid brush=none",
                          "rect 25 76 87 138 pen=#000000/2/solid brush=none",
                          "rect 87 56 149 76 pen=#000000/2/solid brush=none"}
        << 2;
    QTest::newRow("15 cells, half rounded down")
        << 0 << 1 << 0 << 8
        << QByteArrayList{"rect 25 56 44 75 pen=#000000/2/solid brush=none",
                          "line 34 56 34 75 pen=#000000/1/dot",
                          "line 25 65 44 65 pen=#000000/1/dot"}
        << 3;
    QTest::newRow("no furigana item: no outlines") << 2 << 0 << 0 << 0 << QByteArrayList{} << 0;
    QTest::newRow("4 cells, diagonals after the cross, corner to corner")
        << 0 << 1 << 1 << 0
        << QByteArrayList{"rect 25 56 87 118 pen=#000000/2/solid brush=none",
                          "line 56 56 56 118 pen=#000000/1/dot",
                          "line 25 87 87 87 pen=#000000/1/dot",
                          "line 25 56 87 118 pen=#000000/1/dot",
                          "line 86 56 24 118 pen=#000000/1/dot",
                          "rect 87 56 149 118 pen=#000000/2/solid brush=none"}
        << 5;
    QTest::newRow("4 cells, thirds rounded down, no cross")
        << 0 << 1 << 2 << 0
        << QByteArrayList{"rect 25 56 87 118 pen=#000000/2/solid brush=none",
                          "line 45 56 45 118 pen=#000000/1/dot",
                          "line 66 56 66 118 pen=#000000/1/dot",
                          "line 25 76 87 76 pen=#000000/1/dot",
                          "line 25 97 87 97 pen=#000000/1/dot",
                          "rect 87 56 149 118 pen=#000000/2/solid brush=none"}
        << 5;
    QTest::newRow("20 cells, furigana, diagonals in the cell only")
        << 1 << 1 << 1 << 9
        << QByteArrayList{"rect 25 51 39 56 pen=#000000/2/solid brush=none",
                          "rect 25 56 39 70 pen=#000000/2/solid brush=none",
                          "line 32 56 32 70 pen=#000000/1/dot",
                          "line 25 63 39 63 pen=#000000/1/dot",
                          "line 25 56 39 70 pen=#000000/1/dot",
                          "line 38 56 24 70 pen=#000000/1/dot"}
        << 6;
    QTest::newRow("no cross lines: no guides of any style")
        << 0 << 0 << 2 << 0
        << QByteArrayList{"rect 25 56 87 118 pen=#000000/2/solid brush=none",
                          "rect 87 56 149 118 pen=#000000/2/solid brush=none"}
        << 1;
    QTest::newRow("no style selected: the cross")
        << 0 << 1 << -1 << 0
        << QByteArrayList{"rect 25 56 87 118 pen=#000000/2/solid brush=none",
                          "line 56 56 56 118 pen=#000000/1/dot",
                          "line 25 87 87 87 pen=#000000/1/dot",
                          "rect 87 56 149 118 pen=#000000/2/solid brush=none"}
        << 3;
}

void TestGridFrame::frameCalls()
{
    QFETCH(int, furigana);
    QFETCH(int, cross);
    QFETCH(int, guide);
    QFETCH(int, frameNum);
    QFETCH(QByteArrayList, firstCell);
    QFETCH(int, callsPerCell);
    SheetSettings settings;
    settings.FuriganaFrame = furigana;
    settings.CrossLine = cross;
    settings.GuideStyle = guide;
    settings.FrameNum = frameNum;
    const PageTrace page = PageTrace::draw(settings, {});
    QByteArrayList drawn;
    for (const QByteArray &line : page.lines.mid(1)) {
        if (line.startsWith("rect ") || line.startsWith("line ")) {
            drawn << line;
        }
    }
    QCOMPARE(drawn.mid(0, firstCell.size()), firstCell);
    const GridGeometry &g = page.geometry;
    QCOMPARE(drawn.size(), furigana > 1 ? 0 : g.LinesOnPage * g.CellsPerLine * callsPerCell);
}

void TestGridFrame::frameCoversEveryRow()
{
    // Rows at 4 cells: 56, 125, ..., 332; the frame is drawn for rows without text too.
    SheetSettings settings;
    settings.CrossLine = 0;
    const PageTrace page = PageTrace::draw(settings, {QStringLiteral("あ")});
    const QByteArrayList rects = page.withPrefix("rect ");
    QCOMPARE(rects.size(), 1 + 5 * 4);
    QCOMPARE(rects[5], QByteArray("rect 25 125 87 187 pen=#000000/2/solid brush=none"));
    QCOMPARE(rects.last(), QByteArray("rect 211 332 273 394 pen=#000000/2/solid brush=none"));
}

void TestGridFrame::penAfterFrame_data()
{
    QTest::addColumn<int>("cross");
    QTest::addColumn<int>("guide");
    QTest::addColumn<int>("furigana");

    QTest::newRow("dotted cross lines last") << 1 << 0 << 0;
    QTest::newRow("dotted diagonals last") << 1 << 1 << 0;
    QTest::newRow("outlines last") << 0 << 0 << 1;
}

void TestGridFrame::penAfterFrame()
{
    // The next page's blank rectangle is drawn with the pen the frame leaves.
    QFETCH(int, cross);
    QFETCH(int, guide);
    QFETCH(int, furigana);
    SheetSettings settings;
    settings.CrossLine = cross;
    settings.GuideStyle = guide;
    settings.FuriganaFrame = furigana;
    const DrawScale scale(1.0f);
    const GridGeometry geometry = SelectGridGeometry(furigana, 0, 0, scale);
    RecordingSurface surface;
    DrawGridFrame(surface, PageLayout{scale, geometry}, settings);
    QVERIFY(!surface.takeLines().isEmpty());
    QCOMPARE(surface.state().penWidth, 1);
    QCOMPARE(surface.state().penStyle, PenStyle::Solid);
}

void TestGridFrame::randomOrder_data()
{
    QTest::addColumn<int>("frameNum");
    QTest::addColumn<int>("sourceLines");

    QTest::newRow("24 rows, 24 lines") << 9 << 24;
    QTest::newRow("5 rows, 10 lines") << 0 << 10;
    QTest::newRow("24 rows, 3 lines") << 9 << 3;
    QTest::newRow("5 rows, no lines") << 0 << 0;
}

void TestGridFrame::randomOrder()
{
    QFETCH(int, frameNum);
    QFETCH(int, sourceLines);
    const qint32 rows = LinesPerPageFor(0, frameNum);
    QSet<QByteArray> orders;
    for (quint32 seed = 1; seed <= 20; ++seed) {
        RandomGenerator random(seed);
        LineList exMoji;
        for (int i = 0; i < sourceLines; ++i) {
            exMoji.add(QByteArray::number(i));
        }
        LineList work = exMoji;
        ShuffleFirstPage(work, exMoji, rows, random);
        // Each of the first page's source lines exactly once; the other rows empty.
        QByteArrayList firstPage;
        QMultiHash<QByteArray, int> seen;
        for (int row = 0; row < rows; ++row) {
            firstPage << work.line(row);
            if (!work.line(row).isEmpty()) {
                seen.insert(work.line(row), row);
            }
        }
        QCOMPARE(seen.size(), qMin(sourceLines, rows));
        QCOMPARE(QSet<QByteArray>(seen.keyBegin(), seen.keyEnd()).size(), seen.size());
        for (int i = 0; i < qMin(sourceLines, rows); ++i) {
            QVERIFY(seen.contains(QByteArray::number(i)));
        }
        orders.insert(firstPage.join(','));
    }
    if (sourceLines > 1) {
        QVERIFY2(orders.size() > 10, "twenty seeds should give different orders");
    }
}

namespace {

// The model character of the first cell of each row drawn, "" for a row without one.
QStringList firstCells(const PageTrace &page)
{
    QStringList found(page.geometry.LinesOnPage);
    for (const QString &cell : page.cells()) {
        const QStringList parts = cell.split(u':');
        if (parts[1] == u"1" && parts[3] == u"m") {
            found[parts[0].toInt() - 1] = parts[2];
        }
    }
    return found;
}

} // namespace

void TestGridFrame::randomOrderKeepsLaterPages()
{
    // The second page at 4 cells draws lines 5..9 in their order.
    SheetSettings settings;
    settings.RndLine = 1;
    const QStringList text = QStringLiteral("一,二,三,四,五,六,七,八,九,十").split(u',');
    const PageTrace second = PageTrace::draw(settings, text, 5, 7);
    QCOMPARE(firstCells(second), text.mid(5));
}

void TestGridFrame::noRandomOrderCopiesLines()
{
    const QStringList text{QStringLiteral("あ"), QStringLiteral("い"), QStringLiteral("う")};
    const PageTrace page = PageTrace::draw(SheetSettings(), text);
    QCOMPARE(firstCells(page), text + QStringList(2));
}

void TestGridFrame::generator()
{
    // seed := seed * 134775813 + 1, draw = high half of seed * n.
    RandomGenerator random(0);
    QCOMPARE(random.next(24), 0);             // seed 1
    QCOMPARE(random.next(1 << 30), 33693953); // seed 134775814
    RandomGenerator wraps(0xFFFFFFFFu);
    QCOMPARE(wraps.next(100), 96); // seed 0xF7F77BFC
}

QTEST_GUILESS_MAIN(TestGridFrame)
#include "tst_gridframe.moc"
