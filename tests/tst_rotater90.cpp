#include "rotater90.h"

#include <QRandomGenerator>
#include <QTest>

class TestRotateR90 : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void everyPixelLandsWhereTheMappingPutsIt();
};

void TestRotateR90::everyPixelLandsWhereTheMappingPutsIt()
{
    QImage page(320, 441, QImage::Format_RGB32);
    QRandomGenerator random(42);
    for (int y = 0; y < page.height(); ++y) {
        for (int x = 0; x < page.width(); ++x) {
            page.setPixel(x, y, random.generate() | 0xFF000000);
        }
    }
    QImage box(441, 320, QImage::Format_RGB32);
    box.fill(Qt::green);
    RotateR90(page, box);
    for (int y = 0; y < page.height(); ++y) {
        for (int x = 0; x < page.width(); ++x) {
            if (box.pixel(box.width() - 1 - y, x) != page.pixel(x, y)) {
                QFAIL(qPrintable(QStringLiteral("pixel %1,%2 misplaced").arg(x).arg(y)));
            }
        }
    }
    QCOMPARE(box.pixel(440, 0), page.pixel(0, 0));
    QCOMPARE(box.pixel(0, 319), page.pixel(319, 440));
}

QTEST_GUILESS_MAIN(TestRotateR90)
#include "tst_rotater90.moc"
