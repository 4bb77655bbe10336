#include "cp932.h"
#include "featureglyphs.h"
#include "fontface.h"
#include "fontfaces.h"
#include "pagesurface.h"
#include "pdfoutput.h"
#include "rastersurface.h"
#include "recordingsurface.h"

#include <QDir>
#include <QFontInfo>
#include <QPicture>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <limits>

namespace {

// Colours a figure test paints with, and how its expected picture spells them.
constexpr Color Background = 0x00C000; // 'g': what the test painted first
constexpr Color Pen = 0x0000FF;        // '#'
constexpr Color Brush = 0xFF0000;      // 'o'

QByteArray sjis(const QString &text)
{
    return Cp932::encode(text);
}

Color pixel(const QImage &image, QPoint at)
{
    return fromRgb(image.pixel(at));
}

QStringList picture(const QImage &image)
{
    QStringList rows;
    for (int y = 0; y < image.height(); ++y) {
        QString row;
        for (int x = 0; x < image.width(); ++x) {
            const QRgb rgb = image.pixel(x, y) & 0xFFFFFF;
            row += rgb == 0x00C000 ? u'g' : rgb == 0xFF0000 ? u'#' : rgb == 0x0000FF ? u'o' : u'?';
        }
        rows << row;
    }
    return rows;
}

// The ink (darker than mid grey) of a text drawn black on white.
QRect inkBounds(const QImage &image)
{
    QRect bounds;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qGray(image.pixel(x, y)) < 128) {
                bounds |= QRect(x, y, 1, 1);
            }
        }
    }
    return bounds;
}

QImage drawText(const QByteArray &face, int height, const QString &text, QSize size, QPoint at,
                bool rubyForms = false)
{
    RasterSurface surface(size.width(), size.height());
    surface.setFontFace(face);
    surface.setFontHeight(height);
    surface.setRubyForms(rubyForms);
    surface.TextOut(at.x(), at.y(), sjis(text));
    return surface.image();
}

enum class Figure { Rectangle, Line };

} // namespace

class TestSurfaces : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void figures_data();
    void figures();
    void textBackground_data();
    void textBackground();
    void faceFamily_data();
    void faceFamily();
    void verticalShaping_data();
    void verticalShaping();
    void fallbackFace_data();
    void fallbackFace();
    void rubyForms_data();
    void rubyForms();
    void rubyFormsDrawn_data();
    void rubyFormsDrawn();
    void turnedGlyphReadsUpright_data();
    void turnedGlyphReadsUpright();
    void glyphFillsItsCell_data();
    void glyphFillsItsCell();
    void outlineDrawsTheEdges_data();
    void outlineDrawsTheEdges();
    void leanOutlineFollowsTheFullOne_data();
    void leanOutlineFollowsTheFullOne();
    void imageStaysAsTaken();
    void vectorFiguresKeepTheirOrder();
    void pdfPagesKeepTheirFigures();
    void bytesFormingNoCharacterDrawNothing();
    void traceTextStaysOnItsLine_data();
    void traceTextStaysOnItsLine();
};

void TestSurfaces::figures_data()
{
    QTest::addColumn<Figure>("figure");
    QTest::addColumn<QPoint>("from");
    QTest::addColumn<QPoint>("to");
    QTest::addColumn<int>("penWidth");
    QTest::addColumn<PenStyle>("penStyle");
    QTest::addColumn<BrushStyle>("brushStyle");
    QTest::addColumn<QStringList>("expected");

    const auto rect = [](const char *name, QPoint from, QPoint to, int width, PenStyle pen,
                         BrushStyle brush, const QStringList &expected) {
        QTest::newRow(name) << Figure::Rectangle << from << to << width << pen << brush << expected;
    };
    const auto line = [](const char *name, QPoint from, QPoint to, int width, PenStyle pen,
                         BrushStyle brush, const QStringList &expected) {
        QTest::newRow(name) << Figure::Line << from << to << width << pen << brush << expected;
    };
    const QStringList rectPen1Solid{
        u"gggggggg"_qs, u"g#####gg"_qs, u"g#ooo#gg"_qs,
        u"g#ooo#gg"_qs, u"g#####gg"_qs, u"gggggggg"_qs,
    };
    rect("rect pen 1, solid brush: right and bottom exclusive", {1, 1}, {6, 5}, 1, PenStyle::Solid,
         BrushStyle::Solid, rectPen1Solid);
    rect("rect corners given the other way round", {6, 5}, {1, 1}, 1, PenStyle::Solid,
         BrushStyle::Solid, rectPen1Solid);
    rect("rect pen 1, clear brush", {1, 1}, {6, 5}, 1, PenStyle::Solid, BrushStyle::Clear,
         {u"gggggggg"_qs, u"g#####gg"_qs, u"g#ggg#gg"_qs, u"g#ggg#gg"_qs, u"g#####gg"_qs,
          u"gggggggg"_qs});
    rect("rect pen 2 centred: a pixel before each edge", {2, 2}, {7, 6}, 2, PenStyle::Solid,
         BrushStyle::Solid,
         {u"ggggggggg"_qs, u"g######gg"_qs, u"g######gg"_qs, u"g##oo##gg"_qs, u"g######gg"_qs,
          u"g######gg"_qs, u"ggggggggg"_qs});
    rect("rect pen 2, clear brush", {2, 2}, {7, 6}, 2, PenStyle::Solid, BrushStyle::Clear,
         {u"ggggggggg"_qs, u"g######gg"_qs, u"g######gg"_qs, u"g##gg##gg"_qs, u"g######gg"_qs,
          u"g######gg"_qs, u"ggggggggg"_qs});
    rect("rect dotted: dots alternate round the outline", {1, 1}, {6, 5}, 1, PenStyle::Dot,
         BrushStyle::Clear,
         {u"gggggggg"_qs, u"g#g#g#gg"_qs, u"gggggggg"_qs, u"g#ggg#gg"_qs, u"gg#g#ggg"_qs,
          u"gggggggg"_qs});

    line("line right, end excluded", {1, 1}, {6, 1}, 1, PenStyle::Solid, BrushStyle::Clear,
         {u"gggggggggg"_qs, u"g#####gggg"_qs, u"gggggggggg"_qs});
    line("line left, end excluded", {8, 1}, {3, 1}, 1, PenStyle::Solid, BrushStyle::Clear,
         {u"gggggggggg"_qs, u"gggg#####g"_qs, u"gggggggggg"_qs});
    line("line down, end excluded", {1, 1}, {1, 4}, 1, PenStyle::Solid, BrushStyle::Clear,
         {u"ggg"_qs, u"g#g"_qs, u"g#g"_qs, u"g#g"_qs, u"ggg"_qs, u"ggg"_qs});
    line("line up, end excluded", {1, 4}, {1, 1}, 1, PenStyle::Solid, BrushStyle::Clear,
         {u"ggg"_qs, u"ggg"_qs, u"g#g"_qs, u"g#g"_qs, u"g#g"_qs, u"ggg"_qs});
    line("line pen 2 centred: a row above", {1, 2}, {7, 2}, 2, PenStyle::Solid, BrushStyle::Clear,
         {u"ggggggggg"_qs, u"g######gg"_qs, u"g######gg"_qs, u"ggggggggg"_qs});
    line("line pen 2 centred: a column to the left", {2, 1}, {2, 4}, 2, PenStyle::Solid,
         BrushStyle::Clear, {u"ggggg"_qs, u"g##gg"_qs, u"g##gg"_qs, u"g##gg"_qs, u"ggggg"_qs});
    line("dotted right from an odd column", {1, 1}, {8, 1}, 1, PenStyle::Dot, BrushStyle::Clear,
         {u"gggggggggg"_qs, u"g#g#g#g#gg"_qs, u"gggggggggg"_qs});
    line("dotted left from an odd column", {7, 1}, {0, 1}, 1, PenStyle::Dot, BrushStyle::Clear,
         {u"gggggggggg"_qs, u"g#g#g#g#gg"_qs, u"gggggggggg"_qs});
    line("dotted left from an even column", {8, 1}, {1, 1}, 1, PenStyle::Dot, BrushStyle::Clear,
         {u"gggggggggg"_qs, u"gg#g#g#g#g"_qs, u"gggggggggg"_qs});
    line("dotted down", {1, 1}, {1, 6}, 1, PenStyle::Dot, BrushStyle::Clear,
         {u"ggg"_qs, u"g#g"_qs, u"ggg"_qs, u"g#g"_qs, u"ggg"_qs, u"g#g"_qs, u"ggg"_qs});
    line("dotted with a solid brush fills the gaps", {1, 1}, {8, 1}, 1, PenStyle::Dot,
         BrushStyle::Solid, {u"gggggggggg"_qs, u"g#o#o#o#gg"_qs, u"gggggggggg"_qs});
    line("dotted pen 2 draws solid", {1, 2}, {7, 2}, 2, PenStyle::Dot, BrushStyle::Clear,
         {u"ggggggggg"_qs, u"g######gg"_qs, u"g######gg"_qs, u"ggggggggg"_qs});
    line("diagonal down right, end excluded", {1, 1}, {5, 5}, 1, PenStyle::Solid, BrushStyle::Clear,
         {u"gggggg"_qs, u"g#gggg"_qs, u"gg#ggg"_qs, u"ggg#gg"_qs, u"gggg#g"_qs, u"gggggg"_qs});
    line("dotted diagonal down right", {1, 1}, {6, 6}, 1, PenStyle::Dot, BrushStyle::Clear,
         {u"ggggggg"_qs, u"g#ggggg"_qs, u"ggggggg"_qs, u"ggg#ggg"_qs, u"ggggggg"_qs, u"ggggg#g"_qs,
          u"ggggggg"_qs});
    line("dotted diagonal down left", {5, 1}, {0, 6}, 1, PenStyle::Dot, BrushStyle::Clear,
         {u"ggggggg"_qs, u"ggggg#g"_qs, u"ggggggg"_qs, u"ggg#ggg"_qs, u"ggggggg"_qs, u"g#ggggg"_qs,
          u"ggggggg"_qs});
    line("dotted diagonal up right", {1, 5}, {5, 1}, 1, PenStyle::Dot, BrushStyle::Clear,
         {u"gggggg"_qs, u"gggggg"_qs, u"gggggg"_qs, u"ggg#gg"_qs, u"gggggg"_qs, u"g#gggg"_qs,
          u"gggggg"_qs});
    line("dotted shallow slant: a dot every other step", {9, 1}, {1, 5}, 1, PenStyle::Dot,
         BrushStyle::Clear,
         {u"gggggggggg"_qs, u"ggggggggg#"_qs, u"ggggggg#gg"_qs, u"ggggg#gggg"_qs, u"ggg#gggggg"_qs,
          u"gggggggggg"_qs});
    line("dotted diagonal with a solid brush fills the gaps", {1, 1}, {5, 5}, 1, PenStyle::Dot,
         BrushStyle::Solid,
         {u"gggggg"_qs, u"g#gggg"_qs, u"ggoggg"_qs, u"ggg#gg"_qs, u"ggggog"_qs, u"gggggg"_qs});
}

// Each figure on an image, filled pixel by pixel, and on a vector device (a
// QPicture, played back onto an image), stroked: both must give the same pixels,
// except that a slanted line is only kept near its pixels on the vector device.
void TestSurfaces::figures()
{
    QFETCH(Figure, figure);
    QFETCH(QPoint, from);
    QFETCH(QPoint, to);
    QFETCH(int, penWidth);
    QFETCH(PenStyle, penStyle);
    QFETCH(BrushStyle, brushStyle);
    QFETCH(QStringList, expected);
    const QSize size(int(expected.first().size()), int(expected.size()));

    const auto draw = [&](DrawingSurface &surface) {
        surface.setPenColor(Background);
        surface.setBrushColor(Background);
        surface.Rectangle(0, 0, size.width(), size.height());
        surface.setPenColor(Pen);
        surface.setBrushColor(Brush);
        surface.setPenWidth(penWidth);
        surface.setPenStyle(penStyle);
        surface.setBrushStyle(brushStyle);
        if (figure == Figure::Rectangle) {
            surface.Rectangle(from.x(), from.y(), to.x(), to.y());
        } else {
            surface.MoveTo(from.x(), from.y());
            surface.LineTo(to.x(), to.y());
        }
    };

    RasterSurface raster(size.width(), size.height());
    draw(raster);
    QCOMPARE(picture(raster.image()), expected);

    QPicture recorded;
    {
        QPainter painter(&recorded);
        PageSurface vector(painter);
        draw(vector);
    }
    QImage played(size, QImage::Format_RGB32);
    played.fill(Qt::white);
    QPainter(&played).drawPicture(0, 0, recorded);
    if (figure == Figure::Line && from.x() != to.x() && from.y() != to.y()) {
        // A slanted stroke is rounded to pixels by Qt's stroker, its own way: it has
        // ink, all of it within a pixel of the line's pixels' bounds.
        QRect bounds;
        for (int y = 0; y < size.height(); ++y) {
            for (int x = 0; x < size.width(); ++x) {
                bounds |= expected[y][x] == u'g' ? QRect() : QRect(x, y, 1, 1);
            }
        }
        const QStringList strokes = picture(played);
        QVERIFY(strokes.join(QString()).contains(u'#'));
        for (int y = 0; y < size.height(); ++y) {
            for (int x = 0; x < size.width(); ++x) {
                QVERIFY2(strokes[y][x] == u'g' || bounds.adjusted(-1, -1, 1, 1).contains(x, y),
                         qPrintable(strokes.join(u'\n')));
            }
        }
        return;
    }
    QCOMPARE(picture(played), expected);
}

void TestSurfaces::textBackground_data()
{
    QTest::addColumn<QString>("face");
    QTest::addColumn<QString>("text");
    QTest::addColumn<BrushStyle>("brushStyle");
    QTest::addColumn<int>("boxWidth");

    QTest::newRow("full width, solid brush")
        << u"ＭＳ 明朝"_qs << u"あい"_qs << BrushStyle::Solid << 40;
    QTest::newRow("half width, solid brush")
        << u"ＭＳ 明朝"_qs << u"AB"_qs << BrushStyle::Solid << 20;
    QTest::newRow("vertical, mixed widths")
        << u"@ＭＳ 明朝"_qs << u"Aあい"_qs << BrushStyle::Solid << 50;
    QTest::newRow("clear brush: no box") << u"ＭＳ 明朝"_qs << u"あい"_qs << BrushStyle::Clear << 0;
    QTest::newRow("empty text: no box") << u"ＭＳ 明朝"_qs << QString() << BrushStyle::Solid << 0;
}

void TestSurfaces::textBackground()
{
    QFETCH(QString, face);
    QFETCH(QString, text);
    QFETCH(BrushStyle, brushStyle);
    QFETCH(int, boxWidth);
    const QPoint at(5, 6);
    const int height = 20;

    RasterSurface surface(70, 32);
    surface.setFontFace(sjis(face));
    surface.setFontHeight(height);
    surface.setBrushStyle(brushStyle);
    surface.setBrushColor(Brush);
    surface.TextOut(at.x(), at.y(), sjis(text));
    const QImage image = surface.image();

    int brushPixels = 0;
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 70; ++x) {
            brushPixels += pixel(image, QPoint(x, y)) == Brush;
        }
    }
    if (boxWidth == 0) {
        QCOMPARE(brushPixels, 0);
        return;
    }
    const QRect box(at, QSize(boxWidth, height));
    for (const QPoint corner :
         {box.topLeft(), box.topRight(), box.bottomLeft(), box.bottomRight()}) {
        QCOMPARE(pixel(image, corner), Brush);
    }
    for (const QPoint outside : {box.topLeft() - QPoint(1, 0), box.topLeft() - QPoint(0, 1),
                                 box.topRight() + QPoint(1, 0), box.bottomLeft() + QPoint(0, 1)}) {
        QCOMPARE(pixel(image, outside), Color(0xFFFFFF));
    }
}

void TestSurfaces::faceFamily_data()
{
    QTest::addColumn<QString>("face");
    QTest::addColumn<QString>("family");
    QTest::addColumn<bool>("vertical");
    QTest::addColumn<bool>("standIn");

    QTest::newRow("ＭＳ 明朝") << u"ＭＳ 明朝"_qs << u"IPAMincho"_qs << false << true;
    QTest::newRow("ＭＳ ゴシック") << u"ＭＳ ゴシック"_qs << u"IPAGothic"_qs << false << true;
    QTest::newRow("ＭＳ Ｐ明朝") << u"ＭＳ Ｐ明朝"_qs << u"IPAPMincho"_qs << false << true;
    QTest::newRow("ＭＳ Ｐゴシック") << u"ＭＳ Ｐゴシック"_qs << u"IPAPGothic"_qs << false << true;
    QTest::newRow("@ＭＳ Ｐゴシック") << u"@ＭＳ Ｐゴシック"_qs << u"IPAPGothic"_qs << true << true;
    QTest::newRow("教科書体") << u"教科書体"_qs << u"Klee One"_qs << false << true;
    QTest::newRow("@教科書体") << u"@教科書体"_qs << u"Klee One"_qs << true << true;
    QTest::newRow("筆順") << u"筆順"_qs << u"KanjiStrokeOrders"_qs << false << true;
    QTest::newRow("unknown face") << u"ＭＳ 教科書体"_qs << u"IPAMincho"_qs << false << false;
    QTest::newRow("no face") << QString() << u"IPAMincho"_qs << false << false;
    QTest::newRow("a face the system has") << u"IPAGothic"_qs << u"IPAGothic"_qs << false << false;
}

void TestSurfaces::faceFamily()
{
    QFETCH(QString, face);
    QFETCH(QString, family);
    QFETCH(bool, vertical);
    QFETCH(bool, standIn);

    FontFaces faces;
    FontFace &resolved = faces.face(sjis(face));
    QCOMPARE(resolved.sizedFont(20).familyName(), family);
    // A vertical face turns every full-width character.
    QCOMPARE(resolved.glyph(sjis(u"漢"_qs)).turned, vertical);
    QCOMPARE(FontFaces::family(sjis(face)), family);
    // Widgets naming a Windows face get its stand-in too.
    if (standIn) {
        QCOMPARE(QFontInfo(QFont(face.mid(vertical ? 1 : 0))).family(), family);
    }
}

void TestSurfaces::verticalShaping_data()
{
    QTest::addColumn<QString>("character");
    QTest::addColumn<bool>("hasVerticalForm");

    QTest::newRow("。") << u"。"_qs << true;
    QTest::newRow("ー") << u"ー"_qs << true;
    QTest::newRow("「") << u"「"_qs << true;
    QTest::newRow("っ") << u"っ"_qs << true;
    QTest::newRow("あ") << u"あ"_qs << false;
}

void TestSurfaces::verticalShaping()
{
    QFETCH(QString, character);
    QFETCH(bool, hasVerticalForm);

    FontFaces faces;
    const QRawFont &font = faces.face(sjis(u"ＭＳ 明朝"_qs)).sizedFont(20);
    const quint32 horizontal = font.glyphIndexesForString(character).value(0);
    const quint32 vertical =
        FeatureGlyphs(font).glyphIndex(character, FeatureGlyphs::VerticalForms);
    QVERIFY(horizontal != 0);
    QVERIFY(vertical != 0);
    QCOMPARE(vertical != horizontal, hasVerticalForm);
}

void TestSurfaces::fallbackFace_data()
{
    QTest::addColumn<QString>("face");
    QTest::addColumn<QString>("fallback"); // given by the surface; empty: the face's own
    QTest::addColumn<QString>("character");
    QTest::addColumn<QString>("family");
    QTest::addColumn<bool>("verticalForm");

    const QString own;
    QTest::newRow("令 in Klee One") << u"教科書体"_qs << own << u"令"_qs << u"Klee One"_qs << false;
    QTest::newRow("牙 lacking: IPAMincho")
        << u"教科書体"_qs << own << u"牙"_qs << u"IPAMincho"_qs << false;
    QTest::newRow("vertical 牙 lacking: IPAMincho")
        << u"@教科書体"_qs << own << u"牙"_qs << u"IPAMincho"_qs << false;
    QTest::newRow("vertical 。 in Klee One's form")
        << u"@教科書体"_qs << own << u"。"_qs << u"Klee One"_qs << true;
    QTest::newRow("vertical っ in Klee One's form")
        << u"@教科書体"_qs << own << u"っ"_qs << u"Klee One"_qs << true;
    QTest::newRow("a face without a fallback")
        << u"ＭＳ 明朝"_qs << own << u"牙"_qs << u"IPAMincho"_qs << false;

    const QString mincho = u"@ＭＳ 明朝"_qs;
    QTest::newRow("stroke order 永")
        << u"@筆順"_qs << mincho << u"永"_qs << u"KanjiStrokeOrders"_qs << false;
    QTest::newRow("stroke order あ")
        << u"@筆順"_qs << mincho << u"あ"_qs << u"KanjiStrokeOrders"_qs << false;
    QTest::newRow("stroke order lacking 仡: the sheet's face")
        << u"@筆順"_qs << mincho << u"仡"_qs << u"IPAMincho"_qs << false;
    QTest::newRow("stroke order vertical 。: the sheet's vertical form")
        << u"@筆順"_qs << mincho << u"。"_qs << u"IPAMincho"_qs << true;
    QTest::newRow("stroke order vertical っ: the sheet's vertical form")
        << u"@筆順"_qs << mincho << u"っ"_qs << u"IPAMincho"_qs << true;
    QTest::newRow("stroke order vertical ー: the sheet's vertical form")
        << u"@筆順"_qs << mincho << u"ー"_qs << u"IPAMincho"_qs << true;
    QTest::newRow("stroke order horizontal 。: its own")
        << u"筆順"_qs << u"ＭＳ 明朝"_qs << u"。"_qs << u"KanjiStrokeOrders"_qs << false;
    QTest::newRow("stroke order on the textbook face: っ in Klee One's form")
        << u"@筆順"_qs << u"@教科書体"_qs << u"っ"_qs << u"Klee One"_qs << true;
    QTest::newRow("stroke order on the textbook face: 昞 from its fallback")
        << u"@筆順"_qs << u"@教科書体"_qs << u"昞"_qs << u"IPAMincho"_qs << false;
}

void TestSurfaces::fallbackFace()
{
    QFETCH(QString, face);
    QFETCH(QString, fallback);
    QFETCH(QString, character);
    QFETCH(QString, family);
    QFETCH(bool, verticalForm);
    FontFaces faces;
    FontFace &resolved =
        fallback.isEmpty() ? faces.face(sjis(face)) : faces.face(sjis(face), sjis(fallback));
    const FontFace::Glyph &glyph = resolved.glyph(sjis(character));
    QVERIFY(!glyph.fallback);
    QVERIFY(glyph.index != 0);
    QCOMPARE(glyph.face->sizedFont(20).familyName(), family);
    QCOMPARE(glyph.verticalForm, verticalForm);
    QCOMPARE(glyph.turned, face.startsWith(u'@'));
}

void TestSurfaces::rubyForms_data()
{
    QTest::addColumn<QString>("face");
    QTest::addColumn<QString>("fallback"); // given by the surface; empty: the face's own
    QTest::addColumn<QString>("character");
    QTest::addColumn<bool>("ownForm"); // a ruby form of its own, not the usual glyph

    const QString own;
    QTest::newRow("Klee One か") << u"教科書体"_qs << own << u"か"_qs << true;
    QTest::newRow("Klee One っ") << u"教科書体"_qs << own << u"っ"_qs << true;
    QTest::newRow("Klee One vertical か") << u"@教科書体"_qs << own << u"か"_qs << true;
    QTest::newRow("Klee One vertical っ") << u"@教科書体"_qs << own << u"っ"_qs << true;
    QTest::newRow("Klee One lacking 牙: IPAMincho's usual")
        << u"教科書体"_qs << own << u"牙"_qs << false;
    QTest::newRow("IPAMincho か") << u"ＭＳ 明朝"_qs << own << u"か"_qs << false;
    QTest::newRow("IPAMincho vertical っ") << u"@ＭＳ 明朝"_qs << own << u"っ"_qs << false;
    QTest::newRow("IPAGothic ゃ") << u"ＭＳ ゴシック"_qs << own << u"ゃ"_qs << false;
    QTest::newRow("stroke order on the textbook face: っ in Klee One's form")
        << u"@筆順"_qs << u"@教科書体"_qs << u"っ"_qs << true;
}

void TestSurfaces::rubyForms()
{
    QFETCH(QString, face);
    QFETCH(QString, fallback);
    QFETCH(QString, character);
    QFETCH(bool, ownForm);
    FontFaces faces;
    const auto resolve = [&](qsizetype from) -> FontFace & {
        return fallback.isEmpty() ? faces.face(sjis(face.mid(from)))
                                  : faces.face(sjis(face.mid(from)), sjis(fallback.mid(from)));
    };
    FontFace &resolved = resolve(0);
    const FontFace::Glyph usual = resolved.glyph(sjis(character));
    const FontFace::Glyph &ruby = resolved.rubyGlyph(sjis(character));
    QVERIFY(ruby.index != 0);
    QCOMPARE(ruby.index != usual.index, ownForm);
    // Drawn by the same face, in the same place, turned as the usual glyph is.
    QCOMPARE(ruby.face, usual.face);
    QCOMPARE(ruby.turned, usual.turned);
    QCOMPARE(ruby.verticalForm, usual.verticalForm);
    // A vertical form stays one in ruby: not the upright ruby form.
    const quint32 upright = resolve(ruby.turned ? 1 : 0).rubyGlyph(sjis(character)).index;
    QCOMPARE(ruby.index != upright, usual.verticalForm);
}

void TestSurfaces::rubyFormsDrawn_data()
{
    QTest::addColumn<QString>("face");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("changes");

    QTest::newRow("ＭＳ 明朝: as before") << u"ＭＳ 明朝"_qs << u"がっこう"_qs << false;
    QTest::newRow("@ＭＳ 明朝: as before") << u"@ＭＳ 明朝"_qs << u"きょう。"_qs << false;
    QTest::newRow("ＭＳ ゴシック: as before") << u"ＭＳ ゴシック"_qs << u"しゃしん"_qs << false;
    QTest::newRow("教科書体 in Klee One's") << u"教科書体"_qs << u"がっこう"_qs << true;
    QTest::newRow("@教科書体 in Klee One's") << u"@教科書体"_qs << u"きょう"_qs << true;
    QTest::newRow("教科書体 lacking 牙: IPAMincho's, as before")
        << u"教科書体"_qs << u"牙"_qs << false;
}

// A reading's kana as the engine draws them, with ruby forms off and on.
void TestSurfaces::rubyFormsDrawn()
{
    QFETCH(QString, face);
    QFETCH(QString, text);
    QFETCH(bool, changes);
    const QSize size(16 * int(text.size()), 16);
    const QImage usual = drawText(sjis(face), 16, text, size, QPoint());
    const QImage ruby = drawText(sjis(face), 16, text, size, QPoint(), true);
    QVERIFY(!inkBounds(ruby).isEmpty());
    QCOMPARE(ruby != usual, changes);
}

void TestSurfaces::turnedGlyphReadsUpright_data()
{
    QTest::addColumn<QString>("face");
    QTest::addColumn<QString>("character");
    QTest::addColumn<bool>("inkAtRight");
    QTest::addColumn<bool>("inkAtTop");

    // As read: vertical faces with the sheet turned a quarter turn clockwise.
    QTest::newRow("vertical 。 upper right") << u"@ＭＳ 明朝"_qs << u"。"_qs << true << true;
    QTest::newRow("vertical 、 upper right") << u"@ＭＳ 明朝"_qs << u"、"_qs << true << true;
    QTest::newRow("vertical ゃ upper right") << u"@ＭＳ ゴシック"_qs << u"ゃ"_qs << true << true;
    QTest::newRow("horizontal 。 lower left") << u"ＭＳ 明朝"_qs << u"。"_qs << false << false;
}

void TestSurfaces::turnedGlyphReadsUpright()
{
    QFETCH(QString, face);
    QFETCH(QString, character);
    QFETCH(bool, inkAtRight);
    QFETCH(bool, inkAtTop);

    QImage cell = drawText(sjis(face), 28, character, QSize(28, 28), QPoint());
    if (face.startsWith(u'@')) {
        cell = cell.transformed(QTransform().rotate(90));
    }
    const QPointF inkCentre = QRectF(inkBounds(cell)).center();
    QVERIFY2(!inkBounds(cell).isEmpty(), "no ink");
    QCOMPARE(inkCentre.x() > 14, inkAtRight);
    QCOMPARE(inkCentre.y() < 14, inkAtTop);
}

void TestSurfaces::glyphFillsItsCell_data()
{
    QTest::addColumn<QString>("face");
    QTest::addColumn<QString>("character");

    QTest::newRow("default face 漢") << QString() << u"漢"_qs;
    QTest::newRow("ＭＳ 明朝 漢") << u"ＭＳ 明朝"_qs << u"漢"_qs;
    QTest::newRow("ＭＳ ゴシック 漢") << u"ＭＳ ゴシック"_qs << u"漢"_qs;
    QTest::newRow("@ＭＳ 明朝 漢") << u"@ＭＳ 明朝"_qs << u"漢"_qs;
    QTest::newRow("@ＭＳ 明朝 ー") << u"@ＭＳ 明朝"_qs << u"ー"_qs;
    QTest::newRow("教科書体 漢") << u"教科書体"_qs << u"漢"_qs;
    QTest::newRow("@教科書体 漢") << u"@教科書体"_qs << u"漢"_qs;
    QTest::newRow("教科書体 牙, from its fallback") << u"教科書体"_qs << u"牙"_qs;
    QTest::newRow("@教科書体 牙, from its fallback") << u"@教科書体"_qs << u"牙"_qs;
}

// A glyph at height 28 lies inside its 28 x 28 cell, neither clipped nor shrunk,
// about centred. The image is larger than the cell so that clipping would show.
void TestSurfaces::glyphFillsItsCell()
{
    QFETCH(QString, face);
    QFETCH(QString, character);
    const QRect cell(10, 10, 28, 28);

    const QRect ink =
        inkBounds(drawText(sjis(face), cell.height(), character, QSize(48, 48), cell.topLeft()));
    QVERIFY2(cell.contains(ink), qPrintable(QStringLiteral("ink %1,%2 %3x%4")
                                                .arg(ink.x())
                                                .arg(ink.y())
                                                .arg(ink.width())
                                                .arg(ink.height())));
    QVERIFY(std::max(ink.width(), ink.height()) >= 21);
    const QPointF offCentre = QRectF(ink).center() - QRectF(cell).center();
    QVERIFY2(
        std::abs(offCentre.x()) <= 2.5 && std::abs(offCentre.y()) <= 2.5,
        qPrintable(QStringLiteral("off centre by %1, %2").arg(offCentre.x()).arg(offCentre.y())));
}

void TestSurfaces::outlineDrawsTheEdges_data()
{
    QTest::addColumn<QString>("face");
    QTest::addColumn<QString>("character");

    QTest::newRow("一") << u"ＭＳ ゴシック"_qs << u"一"_qs;
    QTest::newRow("vertical ー, its vertical form") << u"@ＭＳ ゴシック"_qs << u"ー"_qs;
    QTest::newRow("vertical 田") << u"@ＭＳ ゴシック"_qs << u"田"_qs;
    QTest::newRow("牙 from the textbook face's fallback") << u"教科書体"_qs << u"牙"_qs;
}

// An outlined character has ink along the filled one's edges, inside its bounds
// widened by the stroke, and none deep inside its strokes.
void TestSurfaces::outlineDrawsTheEdges()
{
    QFETCH(QString, face);
    QFETCH(QString, character);
    const int width = 2;
    const QImage filled = drawText(sjis(face), 120, character, QSize(140, 140), QPoint(10, 10));
    RasterSurface surface(140, 140);
    surface.setFontFace(sjis(face));
    surface.setFontHeight(120);
    surface.setTextOutline(width);
    surface.TextOut(10, 10, sjis(character));
    const QImage outlined = surface.image();

    const QRect filledInk = inkBounds(filled);
    const QRect outlineInk = inkBounds(outlined);
    QVERIFY(!outlineInk.isEmpty());
    QVERIFY2(filledInk.adjusted(-width, -width, width, width).contains(outlineInk),
             qPrintable(u"%1,%2 %3x%4"_qs.arg(outlineInk.x())
                            .arg(outlineInk.y())
                            .arg(outlineInk.width())
                            .arg(outlineInk.height())));
    QVERIFY(std::abs(outlineInk.width() - filledInk.width()) <= 2 * width);
    QVERIFY(std::abs(outlineInk.height() - filledInk.height()) <= 2 * width);
    const auto ink = [](const QImage &image, int x, int y) {
        return qGray(image.pixel(x, y)) < 128;
    };
    int deep = 0;
    for (int y = 4; y < 136; ++y) {
        for (int x = 4; x < 136; ++x) {
            bool inside = true;
            for (int dy = -3; dy <= 3 && inside; ++dy) {
                for (int dx = -3; dx <= 3 && inside; ++dx) {
                    inside = ink(filled, x + dx, y + dy);
                }
            }
            if (inside) {
                ++deep;
                QVERIFY2(qGray(outlined.pixel(x, y)) > 200,
                         qPrintable(u"ink at %1,%2"_qs.arg(x).arg(y)));
            }
        }
    }
    QVERIFY2(deep > 0, "no stroke wide enough to look inside");
}

void TestSurfaces::leanOutlineFollowsTheFullOne_data()
{
    QTest::addColumn<QString>("face");
    QTest::addColumn<QString>("character");

    QTest::newRow("kanji, strokes merged") << u"ＭＳ 明朝"_qs << u"漢"_qs;
    QTest::newRow("kana, round") << u"ＭＳ ゴシック"_qs << u"の"_qs;
}

// The outline a PDF strokes has far fewer points than the one an image strokes,
// and no point of the full one lies farther from it than a two-thousandth of the cell.
void TestSurfaces::leanOutlineFollowsTheFullOne()
{
    QFETCH(QString, face);
    QFETCH(QString, character);
    constexpr int Cell = 217; // a cell of 20 a line on A4 at 600 dpi
    FontFaces faces;
    FontFace &font = faces.face(sjis(face));
    const quint32 index = font.glyph(sjis(character)).index;
    const QList<QPolygonF> full = font.glyphOutline(Cell, index).toSubpathPolygons();
    const QList<QPolygonF> lean =
        font.glyphOutline(Cell, index, FontFace::Detail::Lean).toSubpathPolygons();
    QCOMPARE(lean.size(), full.size());
    qsizetype fullPoints = 0;
    qsizetype leanPoints = 0;
    for (qsizetype i = 0; i < full.size(); ++i) {
        fullPoints += full[i].size();
        leanPoints += lean[i].size();
        for (const QPointF point : full[i]) {
            qreal nearest = std::numeric_limits<qreal>::max();
            for (qsizetype j = 0; j + 1 < lean[i].size(); ++j) {
                const QLineF side(lean[i][j], lean[i][j + 1]);
                const qreal along =
                    std::clamp(QPointF::dotProduct(point - side.p1(), side.p2() - side.p1()) /
                                   std::max(side.length() * side.length(), 1e-12),
                               0.0, 1.0);
                nearest = std::min(nearest, QLineF(point, side.pointAt(along)).length());
            }
            QVERIFY2(nearest <= Cell / 2000.0 + 1e-9, qPrintable(QString::number(nearest)));
        }
    }
    QVERIFY2(leanPoints * 2 < fullPoints,
             qPrintable(u"%1 of %2 points"_qs.arg(leanPoints).arg(fullPoints)));
}

// A picture taken stays as it was while drawing goes on.
void TestSurfaces::imageStaysAsTaken()
{
    RasterSurface raster(4, 3);
    const auto dot = [&](QPoint at, Color color) {
        raster.setPenColor(color);
        raster.setBrushColor(color);
        raster.Rectangle(at.x(), at.y(), at.x() + 1, at.y() + 1);
    };
    dot({1, 2}, 0x3366CC); // red CC, green 66, blue 33
    const QImage before = raster.image();
    QCOMPARE(before.pixel(1, 2) & 0xFFFFFF, 0xCC6633u);
    QCOMPARE(before.pixel(0, 0) & 0xFFFFFF, 0xFFFFFFu);
    dot({0, 0}, 0x000000);
    QCOMPARE(before.pixel(0, 0) & 0xFFFFFF, 0xFFFFFFu);
    QCOMPARE(raster.image().pixel(0, 0) & 0xFFFFFF, 0x000000u);
}

// A vector device holds figures back while their colour lasts: each colour still
// comes out over what came before it, as on an image.
void TestSurfaces::vectorFiguresKeepTheirOrder()
{
    const auto draw = [](DrawingSurface &surface) {
        surface.setPenColor(Background);
        surface.setBrushColor(Background);
        surface.Rectangle(0, 0, 9, 7);
        surface.setBrushStyle(BrushStyle::Clear);
        surface.setPenColor(Pen);
        surface.Rectangle(1, 1, 6, 6);
        surface.setPenColor(Brush);
        surface.setPenStyle(PenStyle::Dot);
        surface.MoveTo(1, 3); // dots over the outline
        surface.LineTo(9, 3);
        surface.setPenColor(Pen);
        surface.setPenStyle(PenStyle::Solid);
        surface.MoveTo(3, 0); // a line of the outline's colour over a dot
        surface.LineTo(3, 7);
    };
    const QStringList expected{u"ggg#ggggg"_qs, u"g#####ggg"_qs, u"g#g#g#ggg"_qs, u"gog#gogog"_qs,
                               u"g#g#g#ggg"_qs, u"g#####ggg"_qs, u"ggg#ggggg"_qs};
    RasterSurface raster(9, 7);
    draw(raster);
    QCOMPARE(picture(raster.image()), expected);
    QPicture recorded;
    {
        QPainter painter(&recorded);
        PageSurface vector(painter);
        draw(vector);
    }
    QImage played(9, 7, QImage::Format_RGB32);
    played.fill(Qt::white);
    QPainter(&played).drawPicture(0, 0, recorded);
    QCOMPARE(picture(played), expected);
}

// What a PDF page holds back is drawn on that page, not on the next.
void TestSurfaces::pdfPagesKeepTheirFigures()
{
    const QTemporaryDir dir;
    const QString path = dir.filePath(u"pages.pdf"_qs);
    constexpr int Dpi = 36;
    PdfOutput pdf(path, u"pages"_qs, QPageSize::A6, Dpi);
    pdf.begin();
    DrawingSurface &first = pdf.nextPage();
    first.setPenColor(0x000000);
    first.setBrushColor(0x000000);
    first.Rectangle(0, 0, 20, 20);
    first.setPenStyle(PenStyle::Dot);
    first.MoveTo(0, 30);
    first.LineTo(40, 30);
    pdf.nextPage();
    pdf.finish();

    QProcess render;
    render.start(u"pdftoppm"_qs,
                 {u"-r"_qs, QString::number(Dpi), u"-gray"_qs, path, dir.filePath(u"page"_qs)});
    QVERIFY(render.waitForFinished(30000));
    QCOMPARE(render.exitCode(), 0);
    const QStringList pages = QDir(dir.path()).entryList({u"page*.pgm"_qs}, QDir::Files);
    QCOMPARE(pages.size(), 2);
    const QImage one(dir.filePath(pages[0]));
    const QImage two(dir.filePath(pages[1]));
    QCOMPARE(qGray(one.pixel(10, 10)), 0);
    QCOMPARE(qGray(one.pixel(10, 30)), 0);
    QCOMPARE(inkBounds(two), QRect());
}

void TestSurfaces::bytesFormingNoCharacterDrawNothing()
{
    // An unassigned pair and a lone byte keep their width but draw no ink.
    for (const QByteArray &face : {sjis(u"ＭＳ 明朝"_qs), sjis(u"@ＭＳ 明朝"_qs)}) {
        RasterSurface surface(60, 30);
        surface.setFontFace(face);
        surface.setFontHeight(20);
        surface.TextOut(0, 0, "\x85\x40\xA0");
        QVERIFY(inkBounds(surface.image()).isEmpty());
        surface.setBrushStyle(BrushStyle::Solid);
        surface.setBrushColor(Brush);
        surface.TextOut(0, 0, "\x85\x40\xA0");
        const QImage image = surface.image();
        QCOMPARE(pixel(image, {29, 19}), Brush);
        QCOMPARE(pixel(image, {30, 19}), Color(0xFFFFFF));
    }
}

void TestSurfaces::traceTextStaysOnItsLine_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QByteArray>("written");

    QTest::newRow("line breaks") << QByteArray("a\nb\r\nc") << QByteArray(R"("a\nb\r\nc")");
    QTest::newRow("tab") << QByteArray("a\tb") << QByteArray(R"("a\tb")");
    QTest::newRow("quote and backslash") << QByteArray(R"(a"b\c)") << QByteArray(R"("a\"b\\c")");
    QTest::newRow("other controls")
        << QByteArray("\x01\x1B\x7F", 3) << QByteArray(R"("\x01\x1B\x7F")");
    QTest::newRow("zero byte") << QByteArray("a\0b", 3) << QByteArray(R"("a\x00b")");
    QTest::newRow("bytes forming no character")
        << QByteArray("\x85\x40\xA0") << QByteArray(R"("\x85@\xA0")");
    QTest::newRow("characters as UTF-8") << sjis(u"月　日ｱ"_qs) << u"\"月　日ｱ\""_qs.toUtf8();
}

void TestSurfaces::traceTextStaysOnItsLine()
{
    QFETCH(QByteArray, text);
    QFETCH(QByteArray, written);
    RecordingSurface surface;
    surface.setFontFace("F");
    surface.TextOut(1, 2, text);
    QCOMPARE(surface.takeLines(),
             QByteArrayList{"text 1 2 font=\"F\"/12 color=#000000 bg=#ffffff " + written});
}

QTEST_MAIN(TestSurfaces)
#include "tst_surfaces.moc"
