#include "hekiraerror.h"
#include "settingsstore.h"
#include "storedsettings.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

QString writeIni(const QTemporaryDir &dir, const QString &values)
{
    const QString path = dir.filePath(u"settings.ini"_s);
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write((u"[Wamo]\n"_s + values).toUtf8());
    return path;
}

} // namespace

class TestStoredSettings : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void restore_data();
    void restore();
    void badType();
    void roundTrip();
    void refusedWrite();
};

void TestStoredSettings::restore_data()
{
    QTest::addColumn<QString>("ini");
    QTest::addColumn<QString>("font");
    QTest::addColumn<QString>("sentence");
    QTest::addColumn<QList<int>>("options");
    QTest::addColumn<uint>("copybook");
    QTest::addColumn<uint>("trace");

    const QString font = u"@ＭＳ 明朝"_s;
    const QString sentence = u"◆よく見て、れんしゅうしましょう。"_s;
    const QList<int> defaults{0, 0, 0, 0, 1, 0, 0, 1};
    QTest::newRow("nothing stored") << QString() << font << sentence << defaults << 0u << 0xC0C0C0u;
    QTest::newRow("FrameNum 15 selects the last item")
        << u"FrameNum=15\n"_s << font << sentence << QList<int>{0, 9, 0, 0, 1, 0, 0, 1} << 0u
        << 0xC0C0C0u;
    QTest::newRow("CrossLine abc")
        << u"CrossLine=abc\n"_s << font << sentence << defaults << 0u << 0xC0C0C0u;
    QTest::newRow("CrossLine empty")
        << u"CrossLine=\n"_s << font << sentence << defaults << 0u << 0xC0C0C0u;
    QTest::newRow("index below -1 is missing")
        << u"MakingPattern=-5\nNamePrint=-2\n"_s << font << sentence << defaults << 0u << 0xC0C0C0u;
    QTest::newRow("every option") << u"MakingPattern=6\nFrameNum=9\nDocDirection=1\n"
                                     u"FuriganaFrame=1\nCrossLine=0\nRndLine=1\nDatePrint=1\n"
                                     u"NamePrint=0\n"_s
                                  << font << sentence << QList<int>{6, 9, 1, 1, 0, 1, 1, 0} << 0u
                                  << 0xC0C0C0u;
    QTest::newRow("sentence Error is missing")
        << u"QuestionMes=Error\n"_s << font << sentence << defaults << 0u << 0xC0C0C0u;
    QTest::newRow("empty sentence")
        << u"QuestionMes=\n"_s << font << QString() << defaults << 0u << 0xC0C0C0u;
    QTest::newRow("font") << u"WamoUseFont=ＭＳ ゴシック\n"_s << u"ＭＳ ゴシック"_s << sentence
                          << defaults << 0u << 0xC0C0C0u;
    QTest::newRow("trace without copybook: both default")
        << u"TraceColor=255\n"_s << font << sentence << defaults << 0u << 0xC0C0C0u;
    QTest::newRow("copybook without trace: silver")
        << u"CopybookColor=255\n"_s << font << sentence << defaults << 255u << 0xC0C0C0u;
    QTest::newRow("both colours") << u"CopybookColor=255\nTraceColor=65280\n"_s << font << sentence
                                  << defaults << 255u << 65280u;
}

void TestStoredSettings::restore()
{
    QFETCH(QString, ini);
    QFETCH(QString, font);
    QFETCH(QString, sentence);
    QFETCH(QList<int>, options);
    QFETCH(uint, copybook);
    QFETCH(uint, trace);
    const QTemporaryDir dir;
    const StoredSettings stored = StoredSettings::restore(SettingsStore(writeIni(dir, ini)));
    QCOMPARE(stored.useFont, font);
    QCOMPARE(stored.useFontStored, ini.contains(u"WamoUseFont="_s));
    QCOMPARE(stored.questionMes, sentence);
    QCOMPARE(QList<int>(stored.options.begin(), stored.options.end()), options);
    QCOMPARE(stored.copybookColor, copybook);
    QCOMPARE(stored.traceColor, trace);
}

void TestStoredSettings::badType()
{
    const QTemporaryDir dir;
    const SettingsStore store(writeIni(dir, u"FrameNum=3\nTraceColor=1, 2\n"_s));
    try {
        StoredSettings::restore(store);
        QFAIL("a list read as a colour");
    } catch (const HekiraError &error) {
        QCOMPARE(error.message(), u"'TraceColor' のデータ型が不正です"_s);
    }
}

void TestStoredSettings::roundTrip()
{
    const QTemporaryDir dir;
    const SettingsStore store(dir.filePath(u"config/hekira/settings.ini"_s));
    StoredSettings::storeUseFont(store, u"ＭＳ Ｐゴシック"_s);
    StoredSettings::storeCopybookColor(store, 0x0000FF);
    StoredSettings::storeTraceColor(store, 0xC0C0C0);
    StoredSettings::storeAtClose(store, u"よく見て, a \"b\" かきましょう"_s,
                                 {3, 7, 1, 1, 0, 1, 1, -1});
    QFile file(dir.filePath(u"config/hekira/settings.ini"_s));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.readAll().contains("TraceColor=12632256"));
    const StoredSettings stored = StoredSettings::restore(store);
    QCOMPARE(stored.useFont, u"ＭＳ Ｐゴシック"_s);
    QCOMPARE(stored.questionMes, u"よく見て, a \"b\" かきましょう"_s);
    QCOMPARE(stored.copybookColor, Color(0x0000FF));
    QCOMPARE(stored.options[StoredSettings::FrameNum], 7);
    QCOMPARE(stored.options[StoredSettings::NamePrint], 1); // -1 stored: not selected, so default
}

void TestStoredSettings::refusedWrite()
{
    QTemporaryDir dir;
    QFile blocker(dir.filePath(u"hekira"_s)); // a file where the folder should be
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const SettingsStore store(dir.filePath(u"hekira/settings.ini"_s));
    try {
        StoredSettings::storeAtClose(store, u"x"_s, {0, 0, 0, 0, 1, 0, 0, 1});
        QFAIL("written");
    } catch (const HekiraError &error) {
        QCOMPARE(error.message(), u"'QuestionMes' の設定に失敗しました"_s);
    }
}

QTEST_GUILESS_MAIN(TestStoredSettings)
#include "tst_storedsettings.moc"
