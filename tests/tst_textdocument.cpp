#include "cp932.h"
#include "lineoperations.h"
#include "textdocument.h"

#include <QRandomGenerator>
#include <QTest>

using namespace Qt::StringLiterals;
using Edit = LineOperations::Edit;
using Operation = LineOperations::Operation;
using TextLine = TextDocument::TextLine;

Q_DECLARE_METATYPE(TextEncoding)
Q_DECLARE_METATYPE(LineOperations::Edit)

namespace {

QByteArray sjis(QStringView text)
{
    return Cp932::encode(text);
}

QByteArray utf8(QStringView text)
{
    return text.toUtf8();
}

const QByteArray Bom("\xEF\xBB\xBF");

// Editor lines written as one string each; "\r" stands for a blank line.
QList<TextLine> textLines(const QStringList &lines)
{
    QList<TextLine> text;
    for (const QString &line : lines) {
        text.append(line == u"\r"_s ? TextLine{QString(), true} : TextLine{line, false});
    }
    return text;
}

QByteArrayList linesOf(const LineList &list)
{
    QByteArrayList lines;
    for (qsizetype i = 0; i < list.count(); ++i) {
        lines << list.wholeLine(i);
    }
    return lines;
}

// Bytes as files hold them and as they go wrong: CP932 pairs and lone lead bytes,
// line breaks, UTF-8 sequences valid and cut short, user-defined characters, zeros.
QByteArray randomBytes(QRandomGenerator &random)
{
    static const QStringList characters{u"あ"_s,     u"漢"_s, u"ｱ"_s,  u"é"_s,      u"μ"_s,
                                        u"😀"_s,      u"𠮷"_s, u"〜"_s, u"\uE000"_s, u"\uE001"_s,
                                        u"\uFEFF"_s, u"纊"_s, u"～"_s, u"\uFFFD"_s, u"ネコ"_s};
    QByteArray bytes;
    const int pieces = random.bounded(0, 24);
    for (int p = 0; p < pieces; ++p) {
        const int kind = random.bounded(100);
        if (kind < 20) {
            const int lead =
                random.bounded(2) ? random.bounded(0x81, 0xA0) : random.bounded(0xE0, 0xFD);
            bytes += char(lead);
            bytes += char(random.bounded(0x40, 0xFD));
        } else if (kind < 28) {
            bytes += char(random.bounded(0x81, 0xA0));
        } else if (kind < 45) {
            static const QByteArrayList breaks{"\r\n", "\n", "\r"};
            bytes += breaks.at(random.bounded(breaks.size()));
        } else if (kind < 65) {
            bytes += characters.at(random.bounded(characters.size())).toUtf8();
        } else if (kind < 70) {
            const QByteArray character = characters.at(random.bounded(characters.size())).toUtf8();
            bytes += character.first(random.bounded(1, qMax(2, int(character.size()))));
        } else if (kind < 73) {
            bytes += '\0';
        } else if (kind < 88) {
            bytes += char(random.bounded(0x20, 0x7F));
        } else {
            bytes += char(random.bounded(0x80, 0x100));
        }
    }
    return bytes;
}

} // namespace

class TestTextDocument : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void roundTrip_data();
    void roundTrip();
    void read_data();
    void read();
    void detect_data();
    void detect();
    void setLines_data();
    void setLines();
    void setTextLines_data();
    void setTextLines();
    void setEncoding_data();
    void setEncoding();
    void newDocument();
    void standInsAvoidUserDefinedCharacters();
    void standInsRunOut();
    void randomBytesComeBack_data();
    void randomBytesComeBack();
};

void TestTextDocument::roundTrip_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<TextEncoding>("encoding");
    QTest::addColumn<int>("lineCount");

    const auto sj = TextEncoding::ShiftJis;
    const auto u8 = TextEncoding::Utf8;
    QTest::newRow("Shift_JIS, CR LF") << sjis(u"あい\r\nかき\r\n") << sj << 2;
    QTest::newRow("LF, no final break") << sjis(u"あい\nかき") << sj << 2;
    QTest::newRow("CR") << sjis(u"あい\rかき\r") << sj << 2;
    QTest::newRow("mixed breaks") << QByteArray("a\r\nb\nc\rd\n") << sj << 4;
    QTest::newRow("LF CR is two breaks") << QByteArray("a\n\rb") << sj << 3;
    QTest::newRow("only breaks") << QByteArray("\r\n\r\n\n") << sj << 3;
    QTest::newRow("empty file") << QByteArray() << sj << 0;
    QTest::newRow("ED 40 and FA 5C") << QByteArray("\xED\x40\r\n\xFA\x5C\xED\x40") << sj << 2;
    QTest::newRow("stray lead byte at the end") << QByteArray("\x82\xA0\x82") << sj << 1;
    QTest::newRow("stray bytes mid-line") << QByteArray("\x82 a\xA0\x85\x40\xFD"
                                                        "b\r\n")
                                          << sj << 1;
    QTest::newRow("user-defined character") << QByteArray("\xF0\x40\r\n") << sj << 1;
    QTest::newRow("Shift_JIS over a byte-order mark") << Bom + sjis(u"あ\r\n") << sj << 1;
    QTest::newRow("UTF-8 without BOM") << utf8(u"ねこ\nカフェ café\n") << u8 << 2;
    QTest::newRow("UTF-8 with BOM") << Bom + utf8(u"ねこ\r\n\r\nいぬ") << u8 << 3;
    QTest::newRow("only a BOM") << Bom << u8 << 0;
    QTest::newRow("UTF-8 outside CP932") << utf8(u"😀〜𠮷¥\r\n\uE000") << u8 << 2;
    QTest::newRow("invalid UTF-8") << QByteArray("\xE3\x81\r\n\xFF"
                                                 "a\xC0\xAF")
                                   << u8 << 2;
    QTest::newRow("tail after a zero byte")
        << sjis(u"あ\r\n") + QByteArray("\0\x82\r\nrest", 8) << sj << 1;
    QTest::newRow("zero byte mid-line") << QByteArray("ab\0cd\r\n", 7) << sj << 1;
    QTest::newRow("UTF-8 tail") << Bom + utf8(u"ね") + QByteArray("\0\xFF", 2) << u8 << 1;
}

// Read, written back, and passed unchanged through the operations' and the
// editor's way back in: the same bytes every time.
void TestTextDocument::roundTrip()
{
    QFETCH(QByteArray, bytes);
    QFETCH(TextEncoding, encoding);
    QFETCH(int, lineCount);

    TextDocument document = TextDocument::fromBytes(bytes, encoding);
    QCOMPARE(document.encoding(), encoding);
    QCOMPARE(document.lines().count(), lineCount);
    QCOMPARE(document.toBytes(), bytes);
    document.setLines(document.lines());
    QCOMPARE(document.toBytes(), bytes);
    document.setTextLines(document.textLines());
    QCOMPARE(document.toBytes(), bytes);
    QVERIFY(document.fitsEncoding());
}

void TestTextDocument::read_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<TextEncoding>("encoding");
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QByteArrayList>("pages");

    QTest::newRow("Shift_JIS as it is")
        << QByteArray("\xED\x40\x82 a\n\rb") << TextEncoding::ShiftJis
        << QStringList{u"纊\uFFFD a"_s, QString(), u"b"_s}
        << QByteArrayList{"\xED\x40\x82 a", "", "b"};
    QTest::newRow("UTF-8 as CP932") << utf8(u"ねこ\r\nカフェ ｶﾌｪ") << TextEncoding::Utf8
                                    << QStringList{u"ねこ"_s, u"カフェ ｶﾌｪ"_s}
                                    << QByteArrayList{sjis(u"ねこ"), sjis(u"カフェ ｶﾌｪ")};
    QTest::newRow("stand-ins on pages")
        << utf8(u"😀〜𠮷あ") << TextEncoding::Utf8 << QStringList{u"😀〜𠮷あ"_s}
        << QByteArrayList{QByteArray("\x81\x48\x81\x60\x81\x48\x82\xA0")};
    QTest::newRow("invalid UTF-8") << QByteArray("a\xFF\xE3\x81") << TextEncoding::Utf8
                                   << QStringList{u"a\uFFFD\uFFFD\uFFFD"_s}
                                   << QByteArrayList{QByteArray("a\x81\x48\x81\x48\x81\x48")};
}

void TestTextDocument::read()
{
    QFETCH(QByteArray, bytes);
    QFETCH(TextEncoding, encoding);
    QFETCH(QStringList, texts);
    QFETCH(QByteArrayList, pages);

    const TextDocument document = TextDocument::fromBytes(bytes, encoding);
    QStringList shown;
    for (const TextLine &line : document.textLines()) {
        QVERIFY(!line.blank);
        shown << line.text;
    }
    QCOMPARE(shown, texts);
    QCOMPARE(linesOf(document.pageLines()), pages);
    QCOMPARE(document.lines().count(), pages.size());
}

void TestTextDocument::detect_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<TextEncoding>("encoding");

    const auto sj = TextEncoding::ShiftJis;
    const auto u8 = TextEncoding::Utf8;
    const QString longText =
        u"春はあけぼの。やうやう白くなりゆく山ぎは、すこしあかりて、紫だちたる雲のほそくたなびきた"
        u"る。"
        u"夏は夜。月のころはさらなり、やみもなほ、ほたるの多く飛びちがひたる。"_s;
    QTest::newRow("Shift_JIS ﾈｺ (reads Ⱥ)") << sjis(u"ﾈｺ") << sj;
    QTest::newRow("Shift_JIS ﾎｼ (reads μ)") << sjis(u"ﾎｼ") << sj;
    QTest::newRow("Shift_JIS ﾐｿﾈｺ") << sjis(u"ﾐｿﾈｺ") << sj;
    QTest::newRow("Shift_JIS ﾃｽﾄです") << sjis(u"ﾃｽﾄです") << sj;
    QTest::newRow("Shift_JIS あいう漢字") << sjis(u"あいう漢字") << sj;
    QTest::newRow("Shift_JIS long text") << sjis(longText.repeated(20)) << sj;
    QTest::newRow("Shift_JIS long half-width text")
        << sjis(u"ﾈｺ ﾎｼ ﾐｿ ﾈｺ\r\n"_s.repeated(200)) << sj;
    QTest::newRow("UTF-8 あいう漢字") << utf8(u"あいう漢字") << u8;
    QTest::newRow("UTF-8 ねこ") << utf8(u"ねこ") << u8;
    QTest::newRow("UTF-8 カフェ café") << utf8(u"カフェ café") << u8;
    QTest::newRow("UTF-8 emoji line") << utf8(u"😀👍\r\n") << u8;
    QTest::newRow("UTF-8 long text") << utf8(longText.repeated(20)) << u8;
    QTest::newRow("UTF-8 with BOM") << Bom + utf8(u"ﾈｺ") << u8;
    QTest::newRow("BOM alone") << Bom << u8;
    QTest::newRow("ASCII") << QByteArray("cat\r\n") << sj;
    QTest::newRow("empty") << QByteArray() << sj;
    QTest::newRow("only the text before a zero")
        << sjis(u"ﾈｺ") + QByteArray("\0", 1) + utf8(u"ねこ") << sj;
}

void TestTextDocument::detect()
{
    QFETCH(QByteArray, bytes);
    QFETCH(TextEncoding, encoding);
    QCOMPARE(TextDocument::detect(bytes), encoding);
    QCOMPARE(TextDocument::fromBytes(bytes).encoding(), encoding);
}

void TestTextDocument::setLines_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<TextEncoding>("encoding");
    QTest::addColumn<Edit>("edit");
    QTest::addColumn<QByteArray>("result");

    QTest::newRow("unchanged lines keep their bytes and breaks")
        << QByteArray("\xED\x40\n\xFA\x5C\r\n\x82\xA9") << TextEncoding::ShiftJis
        << Edit{Operation::ToKatakana} << QByteArray("\xED\x40\n\xFA\x5C\r\n\x83\x4A");
    QTest::newRow("moved lines keep their bytes, take the main break")
        << QByteArray("\xED\x40\n\xFA\x5C\r\n\x82\xA9") << TextEncoding::ShiftJis
        << Edit{Operation::Repeat, 1}
        << QByteArray("\xED\x40\n\xED\x40\n\xFA\x5C\n\xFA\x5C\n\x82\xA9\n\x82\xA9");
    QTest::newRow("blank lines written empty, final break kept")
        << sjis(u"あ\rい\r") << TextEncoding::ShiftJis << Edit{Operation::InsertBlankLines, 1}
        << sjis(u"あ\r\rい\r\r");
    QTest::newRow("katakana with stand-ins") << utf8(u"😀ねこ〜\n𠮷") << TextEncoding::Utf8
                                             << Edit{Operation::ToKatakana} << utf8(u"😀ネコ〜\n𠮷");
    QTest::newRow("re-wrap with stand-ins")
        << Bom + utf8(u"😀ねこ〜𠮷\r\n") << TextEncoding::Utf8 << Edit{Operation::Rewrap, 2}
        << Bom + utf8(u"😀ね\r\nこ〜\r\n𠮷\r\n");
    QTest::newRow("invalid UTF-8 survives a change")
        << QByteArray("\xFF\xE3\x81\xAD") << TextEncoding::Utf8 << Edit{Operation::ToKatakana}
        << QByteArray("\xFF\xE3\x83\x8D");
    QTest::newRow("stray Shift_JIS byte survives a change")
        << QByteArray("\x82\xCB\x82 ") << TextEncoding::ShiftJis << Edit{Operation::ToKatakana}
        << QByteArray("\x83\x6C\x82 ");
}

void TestTextDocument::setLines()
{
    QFETCH(QByteArray, bytes);
    QFETCH(TextEncoding, encoding);
    QFETCH(Edit, edit);
    QFETCH(QByteArray, result);

    TextDocument document = TextDocument::fromBytes(bytes, encoding);
    document.setLines(LineOperations::apply(document.lines(), edit));
    QCOMPARE(document.toBytes(), result);
    const auto texts = [](const TextDocument &d) {
        QStringList texts;
        for (const TextLine &line : d.textLines()) {
            texts << line.text;
        }
        return texts;
    };
    QCOMPARE(texts(document), texts(TextDocument::fromBytes(result, encoding)));
}

void TestTextDocument::setTextLines_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<TextEncoding>("encoding");
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QByteArray>("result");
    QTest::addColumn<bool>("fits");

    const auto sj = TextEncoding::ShiftJis;
    QTest::newRow("same index first")
        << QByteArray("\xED\x40\r\n\xFA\x5C") << sj << QStringList{u"纊"_s, u"纊"_s, u"新"_s}
        << QByteArray("\xED\x40\r\n\xFA\x5C\r\n") + sjis(u"新") << true;
    QTest::newRow("else any line with the text")
        << QByteArray("\xED\x40\nか") << sj << QStringList{u"き"_s, u"か"_s, u"纊"_s}
        << sjis(u"き\nか\n") + QByteArray("\xED\x40") << true;
    QTest::newRow("stray bytes survive the editor")
        << QByteArray("a\x82 b\r\n") << sj << QStringList{u"a\uFFFD b"_s, u"c"_s}
        << QByteArray("a\x82 b\r\nc\r\n") << true;
    QTest::newRow("blank line written empty")
        << sjis(u"あ\r\n") << sj << QStringList{u"あ"_s, u"\r"_s, u"い"_s}
        << sjis(u"あ\r\n\r\nい\r\n") << true;
    QTest::newRow("emoji in Shift_JIS")
        << sjis(u"あ\r\n") << sj << QStringList{u"あ😀"_s} << sjis(u"あ？\r\n") << false;
    QTest::newRow("the file's user-defined characters stay themselves")
        << QByteArray("\xF0\x40\r\n") << sj << QStringList{u"\uE000"_s, u"😀"_s}
        << QByteArray("\xF0\x40\r\n\x81\x48\r\n") << false;
    QTest::newRow("wave dash in Shift_JIS")
        << sjis(u"あ\r\n") << sj << QStringList{u"〜"_s} << QByteArray("\x81\x60\r\n") << true;
    QTest::newRow("UTF-8 new text")
        << Bom + utf8(u"あ\n") << TextEncoding::Utf8 << QStringList{u"あ"_s, u"😀〜𠮷"_s}
        << Bom + utf8(u"あ\n😀〜𠮷\n") << true;
    QTest::newRow("a file without breaks gets CR LF")
        << sjis(u"あ") << sj << QStringList{u"あ"_s, u"い"_s} << sjis(u"あ\r\nい") << true;
}

void TestTextDocument::setTextLines()
{
    QFETCH(QByteArray, bytes);
    QFETCH(TextEncoding, encoding);
    QFETCH(QStringList, texts);
    QFETCH(QByteArray, result);
    QFETCH(bool, fits);

    TextDocument document = TextDocument::fromBytes(bytes, encoding);
    document.setTextLines(textLines(texts));
    QCOMPARE(document.toBytes(), result);
    QCOMPARE(document.fitsEncoding(), fits);
    QCOMPARE(document.textLines(), textLines(texts));
}

void TestTextDocument::setEncoding_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<TextEncoding>("encoding");
    QTest::addColumn<bool>("bom");
    QTest::addColumn<QByteArray>("result");
    QTest::addColumn<bool>("fits");

    QTest::newRow("Shift_JIS to UTF-8 with BOM, breaks kept")
        << QByteArray("\xED\x40\n\x82\xA0\r\n\x82") << TextEncoding::Utf8 << true
        << Bom + utf8(u"纊\nあ\r\n\uFFFD") << true;
    QTest::newRow("UTF-8 to Shift_JIS") << utf8(u"😀〜あ\r\n") << TextEncoding::ShiftJis << false
                                        << QByteArray("\x81\x48\x81\x60\x82\xA0\r\n") << false;
    QTest::newRow("dropping the BOM keeps the lines") << Bom + QByteArray("\xFF"
                                                                          "a\xED\xA0\x80")
                                                      << TextEncoding::Utf8 << false
                                                      << QByteArray("\xFF"
                                                                    "a\xED\xA0\x80")
                                                      << true;
    QTest::newRow("Auto keeps the encoding")
        << Bom + utf8(u"ね") << TextEncoding::Auto << false << utf8(u"ね") << true;
}

void TestTextDocument::setEncoding()
{
    QFETCH(QByteArray, bytes);
    QFETCH(TextEncoding, encoding);
    QFETCH(bool, bom);
    QFETCH(QByteArray, result);
    QFETCH(bool, fits);

    TextDocument document = TextDocument::fromBytes(bytes);
    const TextEncoding original = document.encoding();
    const bool originalBom = document.hasBom();
    document.setEncoding(encoding, bom);
    QCOMPARE(document.toBytes(), result);
    QCOMPARE(document.fitsEncoding(), fits);
    QCOMPARE(document.hasBom(), bom);
    // The lines themselves are untouched: going back gives the file again.
    document.setEncoding(original, originalBom);
    QCOMPARE(document.toBytes(), bytes);
}

void TestTextDocument::newDocument()
{
    TextDocument document;
    QCOMPARE(document.encoding(), TextEncoding::ShiftJis);
    QVERIFY(!document.hasBom());
    QVERIFY(document.fitsEncoding());
    QCOMPARE(document.toBytes(), QByteArray());
    document.setTextLines(textLines({u"あ"_s, u"b"_s}));
    QCOMPARE(document.toBytes(), sjis(u"あ\r\nb\r\n"));
}

void TestTextDocument::standInsAvoidUserDefinedCharacters()
{
    TextDocument document = TextDocument::fromBytes(utf8(u"\uE000😀\uE002"), TextEncoding::Utf8);
    const QByteArray emoji = document.lines().wholeLine(0).sliced(2, 2);
    QVERIFY(emoji != QByteArray("\xF0\x40") && emoji != QByteArray("\xF0\x42"));
    QCOMPARE(document.pageLines().wholeLine(0), QByteArray("\xF0\x40\x81\x48\xF0\x42"));

    // Typed, the user-defined character that stands in for the emoji is one of its own.
    const QString standIn = Cp932::decode(emoji);
    const QList<TextLine> typed = textLines({u"\uE000😀\uE002"_s, standIn + u"😀"_s});
    document.setTextLines(typed);
    QCOMPARE(document.textLines(), typed);
    QCOMPARE(document.toBytes(), utf8(u"\uE000😀\uE002\r\n"_s + standIn + u"😀"_s));

    // So do user-defined characters that come with lines.
    TextDocument operated;
    operated.setLines(LineList({QByteArray("\xF0\x40")}));
    operated.setTextLines(textLines({u"\uE000"_s, u"😀"_s}));
    QCOMPARE(operated.textLines(), textLines({u"\uE000"_s, u"😀"_s}));
}

void TestTextDocument::standInsRunOut()
{
    QString text;
    for (char32_t codePoint = 0x1F000; codePoint < 0x1F000 + 1881; ++codePoint) {
        text += QString::fromUcs4(&codePoint, 1);
    }
    const QByteArray bytes = utf8(text);
    const TextDocument document = TextDocument::fromBytes(bytes, TextEncoding::Utf8);
    QCOMPARE(document.toBytes(), bytes);
    const QString shown = document.textLines().at(0).text;
    QCOMPARE(shown.chopped(1), text.chopped(2));
    QCOMPARE(shown.back(), QChar(u'？'));
}

void TestTextDocument::randomBytesComeBack_data()
{
    QTest::addColumn<TextEncoding>("encoding");

    QTest::newRow("detected") << TextEncoding::Auto;
    QTest::newRow("Shift_JIS") << TextEncoding::ShiftJis;
    QTest::newRow("UTF-8") << TextEncoding::Utf8;
}

// Whatever a file holds comes back: read and written, through the editor and the
// operations unchanged, and through another encoding and back. The editor's text
// of it, written as new lines, shows again as it was.
void TestTextDocument::randomBytesComeBack()
{
    QFETCH(TextEncoding, encoding);

    QRandomGenerator random(20261210 + quint32(encoding));
    for (int round = 0; round < 1500; ++round) {
        const QByteArray bytes = randomBytes(random);
        TextDocument document = TextDocument::fromBytes(bytes, encoding);
        QCOMPARE(document.toBytes(), bytes);
        const QList<TextLine> shown = document.textLines();
        document.setTextLines(shown);
        QCOMPARE(document.toBytes(), bytes);
        document.setLines(document.lines());
        QCOMPARE(document.toBytes(), bytes);

        const TextEncoding read = document.encoding();
        const bool bom = document.hasBom();
        document.setEncoding(
            read == TextEncoding::Utf8 ? TextEncoding::ShiftJis : TextEncoding::Utf8, true);
        document.setEncoding(read, bom);
        QCOMPARE(document.toBytes(), bytes);

        TextDocument typed;
        typed.setEncoding(TextEncoding::Utf8, false);
        typed.setTextLines(shown);
        QCOMPARE(typed.textLines(), shown);
    }
}

QTEST_GUILESS_MAIN(TestTextDocument)
#include "tst_textdocument.moc"
