#include "cp932.h"
#include "lineoperations.h"

#include <QTest>
#include <algorithm>

using namespace Qt::StringLiterals;
using Operation = LineOperations::Operation;

Q_DECLARE_METATYPE(LineOperations::Operation)

namespace {

// Lines written as Unicode; "\r" stands for a blank line.
QByteArrayList sjis(const QStringList &lines)
{
    QByteArrayList bytes;
    for (const QString &line : lines) {
        bytes << Cp932::encode(line);
    }
    return bytes;
}

QByteArrayList linesOf(const LineList &list)
{
    QByteArrayList lines;
    for (qsizetype i = 0; i < list.count(); ++i) {
        lines << list.wholeLine(i);
    }
    return lines;
}

} // namespace

class TestLineOperations : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void apply_data();
    void apply();
    void kanaRoundTrip_data();
    void kanaRoundTrip();
    void rewrapKeepsMarks_data();
    void rewrapKeepsMarks();
};

void TestLineOperations::apply_data()
{
    QTest::addColumn<Operation>("operation");
    QTest::addColumn<int>("amount");
    QTest::addColumn<QByteArrayList>("lines");
    QTest::addColumn<QByteArrayList>("expected");

    const QByteArrayList ab = sjis({u"あい"_s, u"かき"_s});
    const QString a = u"あい"_s;
    const QString b = u"かき"_s;
    QTest::newRow("repeat 5: six copies")
        << Operation::Repeat << 5 << ab << sjis({a, a, a, a, a, a, b, b, b, b, b, b});
    QTest::newRow("repeat 2: order kept, empty lines too")
        << Operation::Repeat << 2 << sjis({a, {}}) << sjis({a, a, a, {}, {}, {}});
    QTest::newRow("repeat: no lines")
        << Operation::Repeat << 3 << QByteArrayList() << QByteArrayList();

    QTest::newRow("blank 1: after the last line too")
        << Operation::InsertBlankLines << 1 << ab << sjis({a, u"\r"_s, b, u"\r"_s});
    QTest::newRow("blank 2: after an empty line too")
        << Operation::InsertBlankLines << 2 << sjis({a, {}})
        << QByteArrayList{Cp932::encode(a), "\r", "\r", "", "\r", "\r"};

    QTest::newRow("wrap 4") << Operation::Rewrap << 4
                            << sjis({u"一二三四五六"_s,
                                     u"一二三"_s,
                                     u"一二三四五六七八"_s,
                                     {},
                                     u"一二三四五六七八九十"_s})
                            << sjis({u"一二三四"_s, u"五六"_s, u"一二三"_s, u"一二三四"_s,
                                     u"五六七八"_s, u"一二三四"_s, u"五六七八"_s, u"九十"_s});
    QTest::newRow("wrap 20: short lines stay, empty lines go")
        << Operation::Rewrap << 20
        << sjis({u"あいうえおかきくけこさしすせそたちつてと"_s, {}, u"漢字"_s, u"\r"_s})
        << sjis({u"あいうえおかきくけこさしすせそたちつてと"_s, u"漢字"_s, u"\r"_s});
    QTest::newRow("wrap without a width keeps the lines")
        << Operation::Rewrap << 0 << sjis({u"一二三四五六"_s, {}}) << sjis({u"一二三四五六"_s, {}});
    // Single-byte characters take one byte of the 2n; no double-byte character is split.
    QTest::newRow("wrap 4: single bytes share the 8 bytes")
        << Operation::Rewrap << 4 << sjis({u"ab一二三四"_s, u"abcdefghij"_s})
        << sjis({u"ab一二三"_s, u"四"_s, u"abcdefgh"_s, u"ij"_s});
    QTest::newRow("wrap 4: a character crossing the 8th byte moves on")
        << Operation::Rewrap << 4 << sjis({u"a一二三四五"_s, u"ｱｲｳｴｵｶｷ漢字"_s})
        << sjis({u"a一二三"_s, u"四五"_s, u"ｱｲｳｴｵｶｷ"_s, u"漢字"_s});
    QTest::newRow("wrap 4: a lone lead byte is one byte")
        << Operation::Rewrap << 4 << QByteArrayList{"abcdefg\x82"} << QByteArrayList{"abcdefg\x82"};

    QTest::newRow("katakana")
        << Operation::ToKatakana << 0
        << sjis({u"ひらがなとカタカナ、漢字。ABC 123"_s, u"ぁぃゃっがぱゐゑをん"_s, {}})
        << sjis({u"ヒラガナトカタカナ、漢字。ABC 123"_s, u"ァィャッガパヰヱヲン"_s, {}});
    QTest::newRow("hiragana") << Operation::ToHiragana << 0
                              << sjis({u"カタカナとひらがな・ー「」"_s, u"ァッヮヰヱヲン"_s})
                              << sjis({u"かたかなとひらがな・ー「」"_s, u"ぁっゎゐゑをん"_s});
    QTest::newRow("hiragana: no counterpart, half-width kept")
        << Operation::ToHiragana << 0 << sjis({u"ヴヵヶヽヾ"_s, u"ｶﾀｶﾅ"_s})
        << sjis({u"ヴヵヶヽヾ"_s, u"ｶﾀｶﾅ"_s});
    QTest::newRow("katakana: 300-byte line converted whole")
        << Operation::ToKatakana << 0 << sjis({u"あ"_s.repeated(150)})
        << sjis({u"ア"_s.repeated(150)});
    QTest::newRow("katakana: a line past 4096 bytes converted whole")
        << Operation::ToKatakana << 0 << sjis({u"あ"_s.repeated(3000)})
        << sjis({u"ア"_s.repeated(3000)});
    QTest::newRow("repeat: a line past 4096 bytes kept whole")
        << Operation::Repeat << 1 << sjis({u"あ"_s.repeated(3000)})
        << sjis({u"あ"_s.repeated(3000), u"あ"_s.repeated(3000)});
    QTest::newRow("katakana: bytes forming no character kept")
        << Operation::ToKatakana << 0 << QByteArrayList{"\xA0\x82\xA0\x82"}
        << QByteArrayList{"\xA0\x83\x41\x82"};
}

void TestLineOperations::apply()
{
    QFETCH(Operation, operation);
    QFETCH(int, amount);
    QFETCH(QByteArrayList, lines);
    QFETCH(QByteArrayList, expected);

    const LineList result = LineOperations::apply(LineList(lines), {operation, amount});
    QCOMPARE(linesOf(result), expected);
}

void TestLineOperations::kanaRoundTrip_data()
{
    QTest::addColumn<QString>("text");

    QString hiragana;
    for (char16_t c = u'ぁ'; c <= u'ん'; ++c) {
        hiragana += QChar(c);
    }
    QTest::newRow("every hiragana") << hiragana;
    QTest::newRow("sentence") << u"◆よく見て、れんしゅうしましょう。"_s;
}

void TestLineOperations::kanaRoundTrip()
{
    QFETCH(QString, text);

    const LineList lines(sjis({text, {}, text}));
    const LineList katakana = LineOperations::toKatakana(lines);
    const QString converted = Cp932::decode(katakana.line(0));
    QVERIFY2(std::none_of(converted.begin(), converted.end(),
                          [](QChar c) { return c >= u'ぁ' && c <= u'ゖ'; }),
             qPrintable(converted));
    QCOMPARE(linesOf(LineOperations::toHiragana(katakana)), linesOf(lines));
}

// Widths in characters; a mark counts its ｜, brackets and reading too.
void TestLineOperations::rewrapKeepsMarks_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("｜ mark moves to the next line")
        << 10 << QStringList{u"あいうえお｜漢字《かんじ》です"_s}
        << QStringList{u"あいうえお"_s, u"｜漢字《かんじ》です"_s};
    QTest::newRow("kanji《》 mark moves with its whole base")
        << 9 << QStringList{u"あいうえお漢字《かんじ》です"_s}
        << QStringList{u"あいうえお"_s, u"漢字《かんじ》です"_s};
    QTest::newRow("the cut falls between two marks")
        << 7 << QStringList{u"｜山《やま》｜川《かわ》"_s}
        << QStringList{u"｜山《やま》"_s, u"｜川《かわ》"_s};
    QTest::newRow("single bytes before a mark")
        << 7 << QStringList{u"ab漢字《かんじ》"_s} << QStringList{u"ab"_s, u"漢字《かんじ》"_s};
    QTest::newRow("a mark longer than a line is cut as before")
        << 4 << QStringList{u"｜漢字《かんじ》"_s} << QStringList{u"｜漢字《"_s, u"かんじ》"_s};
    QTest::newRow("no base: 《》 is text")
        << 4 << QStringList{u"あいう《かな》"_s} << QStringList{u"あいう《"_s, u"かな》"_s};
}

void TestLineOperations::rewrapKeepsMarks()
{
    QFETCH(int, width);
    QFETCH(QStringList, lines);
    QFETCH(QStringList, expected);
    QCOMPARE(linesOf(LineOperations::rewrap(LineList(sjis(lines)), width)), sjis(expected));
}

QTEST_GUILESS_MAIN(TestLineOperations)
#include "tst_lineoperations.moc"
