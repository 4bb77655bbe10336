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
    void hekiraOptions_data();
    void hekiraOptions();
    void hekiraSectionBesideTheOld();
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

void TestStoredSettings::hekiraOptions_data()
{
    QTest::addColumn<QString>("ini");
    QTest::addColumn<QList<int>>("hekira"); // in the order of StoredSettings::HekiraOption
    QTest::addColumn<QList<int>>("options");

    const QList<int> off{0, 0, 0, 0, 0, 0, 0};
    const QList<int> defaults{0, 0, 0, 0, 1, 0, 0, 1};
    QTest::newRow("an older file: every new option off")
        << u"FrameNum=3\nCrossLine=0\n"_s << off << QList<int>{0, 3, 0, 0, 0, 0, 0, 1};
    QTest::newRow("every new option")
        << u"\n[Hekira]\nGuideStyle=2\nTraceStyle=1\nTraceFade=1\nStrokeOrder=1\nReadings=1\n"
           u"ReadingTest=1\nAnswers=1\n"_s
        << QList<int>{2, 1, 1, 1, 1, 1, 1} << defaults;
    QTest::newRow("past the last item: the last")
        << u"\n[Hekira]\nGuideStyle=7\nStrokeOrder=3\nAnswers=2\n"_s
        << QList<int>{2, 0, 0, 1, 0, 0, 1} << defaults;
    QTest::newRow("not a number, or below -1: off")
        << u"\n[Hekira]\nGuideStyle=x\nTraceFade=-4\n"_s << off << defaults;
    QTest::newRow("the names in the old section are not ours")
        << u"GuideStyle=1\nStrokeOrder=1\n"_s << off << defaults;
}

void TestStoredSettings::hekiraOptions()
{
    QFETCH(QString, ini);
    QFETCH(QList<int>, hekira);
    QFETCH(QList<int>, options);
    const QTemporaryDir dir;
    const StoredSettings stored = StoredSettings::restore(SettingsStore(writeIni(dir, ini)));
    QCOMPARE(QList<int>(stored.hekiraOptions.begin(), stored.hekiraOptions.end()), hekira);
    QCOMPARE(QList<int>(stored.options.begin(), stored.options.end()), options);
    const SheetSettings sheet = stored.sheetSettings();
    QCOMPARE((QList<int>{sheet.GuideStyle, sheet.TraceStyle, sheet.TraceFade, sheet.StrokeOrder,
                         sheet.Readings, sheet.ReadingTest, sheet.Answers}),
             hekira);
}

void TestStoredSettings::hekiraSectionBesideTheOld()
{
    // The old section is written as it always was; the new options go in a section
    // of their own.
    const QTemporaryDir dir;
    const SettingsStore store(dir.filePath(u"settings.ini"_s));
    StoredSettings::storeAtClose(store, u"か"_s, {3, 7, 1, 1, 0, 1, 1, 0});
    QFile file(dir.filePath(u"settings.ini"_s));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray old = file.readAll();
    file.close();
    StoredSettings::storeHekiraOptions(store, {1, 1, 0, 1, 1, 0, 0});
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray both = file.readAll();
    QVERIFY2(both.contains(old.trimmed() + '\n'), both.constData());
    QVERIFY2(both.contains("[Hekira]\nAnswers=0\nGuideStyle=1\nReadingTest=0\nReadings=1\n"
                           "StrokeOrder=1\nTraceFade=0\nTraceStyle=1\n"),
             both.constData());
    const StoredSettings stored = StoredSettings::restore(store);
    QCOMPARE(stored.hekiraOptions, (std::array<int, 7>{1, 1, 0, 1, 1, 0, 0}));
    QCOMPARE(stored.options[StoredSettings::FrameNum], 7);
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
