#include "cp932.h"

#include <QTest>

class TestCp932 : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void encode_data();
    void encode();
    void decode_data();
    void decode();
    void characterLength();
    void roundTrips_data();
    void roundTrips();
};

void TestCp932::encode_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("kana") << QStringLiteral("あア") << QByteArray("\x82\xA0\x83\x41");
    QTest::newRow("ascii") << QStringLiteral("A1-") << QByteArray("A1-");
    QTest::newRow("half-width katakana") << QStringLiteral("ｱ") << QByteArray("\xB1");
    QTest::newRow("fullwidth tilde") << QStringLiteral("～") << QByteArray("\x81\x60");
    QTest::newRow("fullwidth minus") << QStringLiteral("－") << QByteArray("\x81\x7C");
    QTest::newRow("wave dash") << QStringLiteral("〜") << QByteArray("\x81\x60");
    QTest::newRow("minus sign") << QStringLiteral("−") << QByteArray("\x81\x7C");
    QTest::newRow("double vertical line") << QStringLiteral("‖") << QByteArray("\x81\x61");
    QTest::newRow("cent pound not")
        << QStringLiteral("¢£¬") << QByteArray("\x81\x91\x81\x92\x81\xCA");
    QTest::newRow("outside cp932 keeps its cell")
        << QStringLiteral("あ𠮷い😀") << QByteArray("\x82\xA0\x81\x48\x82\xA2\x81\x48");
    QTest::newRow("NEC row 13") << QStringLiteral("①") << QByteArray("\x87\x40");
    QTest::newRow("IBM extension") << QStringLiteral("纊") << QByteArray("\xFA\x5C");
    QTest::newRow("controls as in ASCII")
        << QStringLiteral("\u001A\u001C\u007F") << QByteArray("\x1A\x1C\x7F");
    QTest::newRow("lone surrogate keeps what follows") << QString(QChar(0xD83D)).append(u'a')
                                                       << QByteArray("\x81\x48"
                                                                     "a");
    QTest::newRow("empty") << QString() << QByteArray();
}

void TestCp932::encode()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QCOMPARE(Cp932::encode(text), bytes);
}

void TestCp932::decode_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");

    QTest::newRow("round trip") << QByteArray("\x8C\x8E\x81\x40\x93\xFA")
                                << QStringLiteral("月　日");
    QTest::newRow("tilde") << QByteArray("\x81\x60") << QStringLiteral("～");
    QTest::newRow("minus") << QByteArray("\x81\x7C") << QStringLiteral("－");
    QTest::newRow("ED 40 and FA 5C agree")
        << QByteArray("\xED\x40\xFA\x5C") << QStringLiteral("纊纊");
    QTest::newRow("lone lead byte at end") << QByteArray("A\x82") << QStringLiteral("A\uFFFD");
    QTest::newRow("unassigned byte") << QByteArray("\xA0") << QStringLiteral("\uFFFD");
    QTest::newRow("controls as in ASCII")
        << QByteArray("\x1A\x1C\x7F") << QStringLiteral("\u001A\u001C\u007F");
    QTest::newRow("unassigned pair and bytes among text")
        << QByteArray("\x85\x40\x82\xA0\xFD\x80 \x82")
        << QStringLiteral("\uFFFDあ\uFFFD\uFFFD \uFFFD");
    QTest::newRow("user-defined area")
        << QByteArray("\xF0\x40\xF9\xFC") << QStringLiteral("\uE000\uE757");
}

void TestCp932::decode()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QCOMPARE(Cp932::decode(bytes), text);
}

void TestCp932::characterLength()
{
    const QByteArray bytes("a\x82\xA0\xB1\x82");
    QCOMPARE(Cp932::characterLength(bytes, 0), 1);
    QCOMPARE(Cp932::characterLength(bytes, 1), 2);
    QCOMPARE(Cp932::characterLength(bytes, 3), 1);
    QCOMPARE(Cp932::characterLength(bytes, 4), 1);
    QVERIFY(!Cp932::decodeCharacter(QByteArray("\x85\x40")).has_value());
}

void TestCp932::roundTrips_data()
{
    QTest::addColumn<uint>("codePoint");
    QTest::addColumn<bool>("roundTrips");

    QTest::newRow("ASCII control") << 0x1Au << true;
    QTest::newRow("kanji") << uint(u'漢') << true;
    QTest::newRow("IBM extension") << uint(u'纊') << true;
    QTest::newRow("fullwidth tilde") << 0xFF5Eu << true;
    QTest::newRow("wave dash comes back as a tilde") << 0x301Cu << false;
    QTest::newRow("yen sign") << 0xA5u << false;
    QTest::newRow("user-defined") << 0xE757u << true;
    QTest::newRow("past the user-defined area") << 0xE758u << false;
    QTest::newRow("outside the BMP") << 0x20BB7u << false;
}

void TestCp932::roundTrips()
{
    QFETCH(uint, codePoint);
    QFETCH(bool, roundTrips);
    QCOMPARE(Cp932::roundTrips(codePoint), roundTrips);
}

QTEST_GUILESS_MAIN(TestCp932)
#include "tst_cp932.moc"
