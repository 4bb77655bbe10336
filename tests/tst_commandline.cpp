#include "commandline.h"
#include "cp932.h"
#include "settingsstore.h"
#include "usageerror.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <functional>
#include <sys/resource.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

// Options that never ask for stored settings read none.
const SettingsStore NoStoredSettings(u"/nonexistent/hekira/settings.ini"_s);

// The arguments as the program receives them, its name first.
QStringList withProgram(const QStringList &arguments)
{
    return QStringList{u"hekira"_s} + arguments;
}

struct Run {
    int exitCode;
    QByteArray out;
    QString err;
};

Run hekira(const QStringList &arguments, const QByteArray &input = {},
           const std::function<void(QProcess &)> &prepare = {})
{
    QProcess process;
    if (prepare) {
        prepare(process);
    }
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(u"QT_QPA_PLATFORM"_s); // it must choose offscreen by itself
    environment.remove(u"DISPLAY"_s);
    environment.remove(u"WAYLAND_DISPLAY"_s);
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(HEKIRA_EXECUTABLE), arguments);
    process.write(input);
    process.closeWriteChannel();
    process.waitForFinished(60000);
    return {process.exitCode(), process.readAllStandardOutput(),
            QString::fromUtf8(process.readAllStandardError())};
}

} // namespace

class TestCommandLine : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void options_data();
    void options();
    void sheetOptions_data();
    void sheetOptions();
    void readingOptions_data();
    void readingOptions();
    void badOptions_data();
    void badOptions();
    void printNumber_data();
    void printNumber();
    void withoutDisplay_data();
    void withoutDisplay();
    void listFonts();
    void storedSettings_data();
    void storedSettings();
    void traceFromStandardInput();
    void shiftJisAndUtf8FilesDrawTheSame();
    void textOut_data();
    void textOut();
    void textOutKeepsTheBytes_data();
    void textOutKeepsTheBytes();
    void gradeLines_data();
    void gradeLines();
    void gradeDrawsAsItsText();
    void errorsWriteNothing_data();
    void errorsWriteNothing();
    void pdfHasEveryPage();
    void pdfFaces_data();
    void pdfFaces();
    void readingsDrawOnTextbookSheets_data();
    void readingsDrawOnTextbookSheets();
    void strokeOrderNote_data();
    void strokeOrderNote();
    void unchangedTraces_data();
    void unchangedTraces();
    void failedWriteKeepsTheOldFile_data();
    void failedWriteKeepsTheOldFile();
    void fullOrClosedOutput_data();
    void fullOrClosedOutput();
};

void TestCommandLine::options_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("pattern");
    QTest::addColumn<int>("frameNum");
    QTest::addColumn<int>("direction");
    QTest::addColumn<QString>("font");
    QTest::addColumn<QString>("sentence");

    const QString sentence = u"◆よく見て、れんしゅうしましょう。"_s;
    QTest::newRow("defaults") << QStringList{u"--trace"_s, u"-"_s} << 0 << 0 << 0 << u"@ＭＳ 明朝"_s
                              << sentence;
    QTest::newRow("horizontal font") << QStringList{u"--trace"_s, u"-"_s, u"--horizontal"_s} << 0
                                     << 0 << 1 << u"ＭＳ 明朝"_s << sentence;
    QTest::newRow("font as given")
        << QStringList{u"--trace"_s, u"-"_s, u"--horizontal"_s, u"--font=@ＭＳ ゴシック"_s} << 0
        << 0 << 1 << u"@ＭＳ ゴシック"_s << sentence;
    QTest::newRow("font and sentence with spaces, as separate values")
        << QStringList{u"--trace"_s,       u"-"_s,          u"--font"_s,
                       u"ＭＳ ゴシック"_s, u"--sentence"_s, u"よく 見て かこう"_s}
        << 0 << 0 << 0 << u"ＭＳ ゴシック"_s << u"よく 見て かこう"_s;
    QTest::newRow("pattern name, cells")
        << QStringList{u"--trace"_s, u"-"_s, u"--pattern"_s, u"copy3"_s, u"--cells"_s, u"20"_s} << 6
        << 9 << 0 << u"@ＭＳ 明朝"_s << sentence;
    QTest::newRow("pattern caption")
        << QStringList{u"--trace"_s, u"-"_s, u"--pattern"_s, u"練習２"_s, u"--cells=12"_s} << 1 << 7
        << 0 << u"@ＭＳ 明朝"_s << sentence;
    QTest::newRow("pattern index") << QStringList{u"--trace"_s, u"-"_s, u"--pattern"_s, u"4"_s} << 4
                                   << 0 << 0 << u"@ＭＳ 明朝"_s << sentence;
}

void TestCommandLine::options()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, pattern);
    QFETCH(int, frameNum);
    QFETCH(int, direction);
    QFETCH(QString, font);
    QFETCH(QString, sentence);
    const ExportRequest request = CommandLine::parse(withProgram(arguments), NoStoredSettings);
    QCOMPARE(request.settings.MakingPattern, pattern);
    QCOMPARE(request.settings.FrameNum, frameNum);
    QCOMPARE(request.settings.DocDirection, direction);
    QCOMPARE(request.settings.UseFont, Cp932::encode(font));
    QCOMPARE(request.settings.QuestionMes, Cp932::encode(sentence));
}

void TestCommandLine::sheetOptions_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("crossLine");
    QTest::addColumn<int>("guideStyle");
    QTest::addColumn<int>("traceFade");
    QTest::addColumn<int>("traceStyle");
    QTest::addColumn<int>("strokeOrder");

    const QStringList trace{u"--trace"_s, u"-"_s};
    QTest::newRow("defaults") << trace << 1 << 0 << 0 << 0 << 0;
    QTest::newRow("guide cross") << trace + QStringList{u"--guide=cross"_s} << 1 << 0 << 0 << 0
                                 << 0;
    QTest::newRow("guide diagonal")
        << trace + QStringList{u"--guide"_s, u"diagonal"_s} << 1 << 1 << 0 << 0 << 0;
    QTest::newRow("guide 九分割") << trace + QStringList{u"--guide"_s, u"九分割"_s} << 1 << 2 << 0
                                  << 0 << 0;
    QTest::newRow("guide none keeps the style")
        << trace + QStringList{u"--guide=nine"_s, u"--guide=none"_s} << 0 << 2 << 0 << 0 << 0;
    QTest::newRow("no cross, then a guide")
        << trace + QStringList{u"--no-cross"_s, u"--guide=diagonal"_s} << 1 << 1 << 0 << 0 << 0;
    QTest::newRow("trace fade") << trace + QStringList{u"--trace-fade"_s} << 1 << 0 << 1 << 0 << 0;
    QTest::newRow("trace style outline")
        << trace + QStringList{u"--trace-style"_s, u"outline"_s} << 1 << 0 << 0 << 1 << 0;
    QTest::newRow("stroke order") << trace + QStringList{u"--stroke-order"_s} << 1 << 0 << 0 << 0
                                  << 1;
    QTest::newRow("trace style solid")
        << trace + QStringList{u"--trace-style=outline"_s, u"--trace-style=solid"_s} << 1 << 0 << 0
        << 0 << 0;
}

void TestCommandLine::sheetOptions()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, crossLine);
    QFETCH(int, guideStyle);
    QFETCH(int, traceFade);
    QFETCH(int, traceStyle);
    QFETCH(int, strokeOrder);
    const SheetSettings settings =
        CommandLine::parse(withProgram(arguments), NoStoredSettings).settings;
    QCOMPARE(settings.CrossLine, crossLine);
    QCOMPARE(settings.GuideStyle, guideStyle);
    QCOMPARE(settings.TraceFade, traceFade);
    QCOMPARE(settings.TraceStyle, traceStyle);
    QCOMPARE(settings.StrokeOrder, strokeOrder);
}

void TestCommandLine::readingOptions_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QList<int>>("expected"); // Readings, ReadingTest, Answers
    QTest::addColumn<int>("pages");

    // 11 lines at 4 cells: 4 lines a page once readings bring the furigana boxes.
    QTest::newRow("none") << QStringList{} << QList<int>{0, 0, 0} << 3;
    QTest::newRow("readings") << QStringList{u"--readings"_s} << QList<int>{1, 0, 0} << 3;
    QTest::newRow("test") << QStringList{u"--test"_s} << QList<int>{0, 1, 0} << 3;
    QTest::newRow("answers: twice the pages")
        << QStringList{u"--answers"_s} << QList<int>{0, 1, 1} << 6;
}

void TestCommandLine::readingOptions()
{
    QFETCH(QStringList, options);
    QFETCH(QList<int>, expected);
    QFETCH(int, pages);
    const QStringList arguments = QStringList{u"--trace"_s, u"-"_s, u"--all"_s} + options;
    const SheetSettings settings =
        CommandLine::parse(withProgram(arguments), NoStoredSettings).settings;
    QCOMPARE((QList<int>{settings.Readings, settings.ReadingTest, settings.Answers}), expected);
    const Run run =
        hekira(arguments + QStringList{u"-"_s}, QByteArray("\x82\xA0\r\n").repeated(11));
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.out.count("\npage ") + (run.out.startsWith("page ") ? 1 : 0), pages);
}

void TestCommandLine::badOptions_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("message");

    QTest::newRow("unknown option")
        << QStringList{u"--trace"_s, u"-"_s, u"--colour"_s} << u"--pattern"_s;
    QTest::newRow("cells 11") << QStringList{u"--trace"_s, u"-"_s, u"--cells"_s, u"11"_s}
                              << u"4, 5, 6, 7, 8, 9, 10, 12, 15, 20"_s;
    QTest::newRow("pattern") << QStringList{u"--trace"_s, u"-"_s, u"--pattern"_s, u"practice5"_s}
                             << u"copy3"_s;
    QTest::newRow("guide") << QStringList{u"--trace"_s, u"-"_s, u"--guide"_s, u"dots"_s}
                           << u"cross (十字), diagonal (米字), nine (九分割), none (なし)"_s;
    QTest::newRow("trace style") << QStringList{u"--trace"_s, u"-"_s, u"--trace-style=hollow"_s}
                                 << u"solid, outline"_s;
    QTest::newRow("colour") << QStringList{u"--trace"_s, u"-"_s, u"--model-color"_s, u"red"_s}
                            << u"#RRGGBB"_s;
    QTest::newRow("paper") << QStringList{u"--pdf"_s, u"x.pdf"_s, u"--paper"_s, u"A5"_s}
                           << u"Letter"_s;
    QTest::newRow("missing value")
        << QStringList{u"--trace"_s, u"-"_s, u"--cells"_s} << u"--cells"_s;
    QTest::newRow("size") << QStringList{u"--trace"_s, u"-"_s, u"--size"_s, u"10by10"_s}
                          << u"320x441"_s;
    QTest::newRow("seed") << QStringList{u"--trace"_s, u"-"_s, u"--seed"_s, u"-1"_s}
                          << u"4294967295"_s;
    QTest::newRow("edit unknown") << QStringList{u"--text-out"_s, u"-"_s, u"--edit"_s, u"reverse"_s}
                                  << u"hiragana"_s;
    QTest::newRow("edit repeat 6")
        << QStringList{u"--text-out"_s, u"-"_s, u"--edit"_s, u"repeat=6"_s} << u"1 から 5"_s;
    QTest::newRow("edit blank without count")
        << QStringList{u"--text-out"_s, u"-"_s, u"--edit"_s, u"blank"_s} << u"blank=N"_s;
    QTest::newRow("edit wrap 11") << QStringList{u"--text-out"_s, u"-"_s, u"--edit"_s, u"wrap=11"_s}
                                  << u"12, 15, 20"_s;
    QTest::newRow("edit katakana with a count")
        << QStringList{u"--text-out"_s, u"-"_s, u"--edit"_s, u"katakana=1"_s} << u"katakana"_s;
    QTest::newRow("grade 0") << QStringList{u"--text-out"_s, u"-"_s, u"--grade"_s, u"0"_s}
                             << u"--grade の値 \"0\" は使えません。使える値: 1 から 6 までの整数"_s;
    QTest::newRow("grade 7") << QStringList{u"--text-out"_s, u"-"_s, u"--grade=7"_s}
                             << u"1 から 6 までの整数"_s;
    QTest::newRow("grade in words")
        << QStringList{u"--text-out"_s, u"-"_s, u"--grade"_s, u"一"_s} << u"1 から 6 までの整数"_s;
    QTest::newRow("grade and a text file")
        << QStringList{u"--text-out"_s, u"-"_s, u"--grade"_s, u"1"_s, u"lines.txt"_s}
        << u"テキストファイル \"lines.txt\" は指定できません"_s;
    QTest::newRow("grade and standard input")
        << QStringList{u"-"_s, u"--grade"_s, u"1"_s, u"--text-out"_s, u"-"_s}
        << u"テキストファイル \"-\" は指定できません"_s;
}

void TestCommandLine::badOptions()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, message);
    try {
        CommandLine::parse(withProgram(arguments), NoStoredSettings);
        QFAIL("accepted");
    } catch (const UsageError &error) {
        QVERIFY2(error.message().contains(message), qPrintable(error.message()));
        QVERIFY(!error.message().contains(u'\n'));
    }
    const Run run = hekira(arguments);
    QCOMPARE(run.exitCode, 2);
    QVERIFY(run.out.isEmpty());
}

void TestCommandLine::printNumber_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<bool>("taken");

    QTest::newRow("7") << u"7"_s << true;
    QTest::newRow("negative") << u"-3"_s << true;
    QTest::newRow("plus sign") << u"+5"_s << true;
    QTest::newRow("leading blanks") << u" \t42"_s << true;
    QTest::newRow("largest") << u"2147483647"_s << true;
    QTest::newRow("smallest") << u"-2147483648"_s << true;
    QTest::newRow("plus minus") << u"+-5"_s << false;
    QTest::newRow("two minus signs") << u"--5"_s << false;
    QTest::newRow("exponent") << u"1e3"_s << false;
    QTest::newRow("letters") << u"abc"_s << false;
    QTest::newRow("empty") << QString() << false;
    QTest::newRow("trailing blank") << u"12 "_s << false;
    QTest::newRow("beyond 32 bits") << u"2147483648"_s << false;
    QTest::newRow("full-width digit") << u"７"_s << false;
}

void TestCommandLine::printNumber()
{
    QFETCH(QString, value);
    QFETCH(bool, taken);
    const QStringList arguments{u"--trace"_s, u"-"_s, u"--number"_s, value};
    try {
        const ExportRequest request = CommandLine::parse(withProgram(arguments), NoStoredSettings);
        QVERIFY2(taken, "accepted");
        QCOMPARE(request.settings.PrnNumPrint, 1);
        QCOMPARE(request.settings.PrnNumText, value);
    } catch (const UsageError &error) {
        QVERIFY2(!taken, qPrintable(error.message()));
        QVERIFY2(error.message().contains(u"--number の値 \"%1\""_s.arg(value)),
                 qPrintable(error.message()));
        QVERIFY(error.message().contains(u"-2147483648 から 2147483647 までの整数"_s));
    }
    const Run run = hekira(arguments);
    QCOMPARE(run.exitCode, taken ? 0 : 2);
    QCOMPARE(run.out.isEmpty(), !taken);
}

void TestCommandLine::withoutDisplay_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("output");

    QTest::newRow("help") << QStringList{u"--help"_s} << 0 << u"使い方: hekira"_s;
    QTest::newRow("version") << QStringList{u"--version"_s} << 0
                             << u"hekira " HEKIRA_VERSION "\n"_s;
    QTest::newRow("a mistake") << QStringList{u"--cells"_s, u"11"_s} << 2 << u"--cells の値"_s;
    QTest::newRow("options without an output")
        << QStringList{u"--cells"_s, u"12"_s} << 2 << u"と共に指定してください"_s;
    QTest::newRow("the window") << QStringList{} << 1 << u"ウィンドウを開けません"_s;
}

void TestCommandLine::withoutDisplay()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, output);
    const Run run = hekira(arguments);
    QCOMPARE(run.exitCode, exitCode);
    QVERIFY2((QString::fromUtf8(run.out) + run.err).contains(output), qPrintable(run.err));
}

void TestCommandLine::listFonts()
{
    const Run run = hekira({u"--list-fonts"_s});
    QCOMPARE(run.exitCode, 0);
    QVERIFY2(run.err.isEmpty(), qPrintable(run.err));
    QStringList faces = QString::fromUtf8(run.out).split(u'\n');
    QCOMPARE(faces.takeLast(), QString());
    const QStringList windowsFaces{u"ＭＳ 明朝"_s,       u"@ＭＳ 明朝"_s,      u"ＭＳ ゴシック"_s,
                                   u"@ＭＳ ゴシック"_s,  u"ＭＳ Ｐ明朝"_s,     u"@ＭＳ Ｐ明朝"_s,
                                   u"ＭＳ Ｐゴシック"_s, u"@ＭＳ Ｐゴシック"_s};
    QCOMPARE(faces.mid(0, windowsFaces.size()), windowsFaces);
    QCOMPARE(faces.size() % 2, 0);
    for (qsizetype i = 0; i < faces.size(); i += 2) {
        QVERIFY(!faces[i].startsWith(u'@'));
        QCOMPARE(faces[i + 1], u'@' + faces[i]);
    }
    // Numbered strokes are the stroke-order option's, not a face to write a sheet in.
    const QStringList strokeOrder{u"筆順"_s, u"KanjiStrokeOrders"_s};
    for (const QString &face : strokeOrder) {
        QVERIFY2(!faces.contains(face) && !faces.contains(u'@' + face), qPrintable(face));
    }
    // Every other installed family that holds Japanese, by one of its names.
    QProcess fcList;
    fcList.start(u"fc-list"_s, {u":lang=ja"_s, u"family"_s});
    QVERIFY(fcList.waitForFinished(30000));
    const QStringList families =
        QString::fromUtf8(fcList.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
    QVERIFY(!families.isEmpty());
    for (const QString &names : families) {
        const QStringList aliases = names.split(u',');
        if (aliases.contains(strokeOrder[1])) {
            continue;
        }
        QVERIFY2(std::ranges::any_of(aliases,
                                     [&](const QString &name) {
                                         return faces.contains(name) && faces.contains(u'@' + name);
                                     }),
                 qPrintable(names));
    }
    QVERIFY(faces.contains(u"IPAPGothic"_s));
}

void TestCommandLine::storedSettings_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("frameNum");
    QTest::addColumn<int>("direction");
    QTest::addColumn<QString>("font");

    QTest::newRow("as stored, the face following the direction")
        << QStringList{u"--trace"_s, u"-"_s, u"--settings"_s} << 6 << 1 << u"ＭＳ ゴシック"_s;
    QTest::newRow("options override, wherever --settings stands")
        << QStringList{u"--cells"_s, u"12"_s, u"--trace"_s, u"-"_s, u"--settings"_s} << 7 << 1
        << u"ＭＳ ゴシック"_s;
    QTest::newRow("an explicit face wins")
        << QStringList{u"--settings"_s, u"--font=@IPAGothic"_s, u"--trace"_s, u"-"_s} << 6 << 1
        << u"@IPAGothic"_s;
    QTest::newRow("without --settings, the defaults")
        << QStringList{u"--trace"_s, u"-"_s} << 0 << 0 << u"@ＭＳ 明朝"_s;
}

void TestCommandLine::storedSettings()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, frameNum);
    QFETCH(int, direction);
    QFETCH(QString, font);
    QTemporaryDir config;
    QFile file(config.filePath(u"settings.ini"_s));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(u"[Wamo]\nFrameNum=6\nDocDirection=1\nWamoUseFont=@@ＭＳ ゴシック\nTraceColor=255\n"
               u"CopybookColor=0\n[Hekira]\nGuideStyle=1\nStrokeOrder=1\n"_s.toUtf8());
    file.close();
    const ExportRequest request =
        CommandLine::parse(withProgram(arguments), SettingsStore(file.fileName()));
    QCOMPARE(request.settings.FrameNum, frameNum);
    QCOMPARE(request.settings.DocDirection, direction);
    QCOMPARE(request.settings.UseFont, Cp932::encode(font));
    QCOMPARE(request.settings.TraceColor,
             arguments.contains(u"--settings"_s) ? Color(255) : Color(0xC0C0C0));
    QCOMPARE(request.settings.GuideStyle, arguments.contains(u"--settings"_s) ? 1 : 0);
    QCOMPARE(request.settings.StrokeOrder, arguments.contains(u"--settings"_s) ? 1 : 0);
}

void TestCommandLine::traceFromStandardInput()
{
    const Run run = hekira({u"--trace"_s, u"-"_s, u"--cells"_s, u"10"_s, u"-"_s},
                           u"きって。」です\n"_s.toUtf8());
    QCOMPARE(run.exitCode, 0);
    const QByteArrayList lines = run.out.split('\n');
    QCOMPARE(lines[0], QByteArray("page 320 441 1"));
    QCOMPARE(lines[1], QByteArray("rect 0 0 319 440 pen=#ffffff/1/solid brush=#ffffff"));
    QVERIFY(run.out.contains("text 50 55 font=\"@ＭＳ 明朝\"/20 color=#000000 bg=none \"っ\""));
    QVERIFY(lines.last().isEmpty());
}

void TestCommandLine::shiftJisAndUtf8FilesDrawTheSame()
{
    QTemporaryDir dir;
    const QString text = u"あいう\r\nかきく～\r\n"_s;
    const QList<QByteArray> files{Cp932::encode(text), text.toUtf8(),
                                  "\xEF\xBB\xBF" + text.toUtf8()};
    QByteArrayList traces;
    for (int i = 0; i < files.size(); ++i) {
        const QString path = dir.filePath(QString::number(i));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(files[i]);
        file.close();
        const Run run = hekira({u"--trace"_s, u"-"_s, path});
        QCOMPARE(run.exitCode, 0);
        traces << run.out;
    }
    QVERIFY(traces[0].contains("\"か\""));
    QCOMPARE(traces[1], traces[0]);
    QCOMPARE(traces[2], traces[0]);
}

void TestCommandLine::textOut_data()
{
    QTest::addColumn<QString>("edits");
    QTest::addColumn<bool>("utf8"); // else Shift_JIS with CR LF; "\n" below is the file's break
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("output");

    QTest::newRow("no edit, no final break")
        << QString() << false << u"あい\nかき"_s << u"あい\nかき"_s;
    QTest::newRow("no edit, UTF-8 with LF")
        << QString() << true << u"あい\nかき\n"_s << u"あい\nかき\n"_s;
    QTest::newRow("no lines") << QString() << false << QString() << QString();
    QTest::newRow("repeat") << u"repeat=2"_s << false << u"あ\n\n"_s << u"あ\nあ\nあ\n\n\n\n"_s;
    QTest::newRow("blank lines written empty")
        << u"blank=1"_s << false << u"あ\nい\n"_s << u"あ\n\nい\n\n"_s;
    QTest::newRow("blank lines survive a re-wrap")
        << u"blank=1 wrap=4"_s << false << u"あいうえおか\nき\n"_s << u"あいうえ\nおか\n\nき\n\n"_s;
    QTest::newRow("katakana, hiragana in UTF-8")
        << u"katakana"_s << true << u"ひらがな、カナ。\n"_s << u"ヒラガナ、カナ。\n"_s;
    QTest::newRow("hiragana keeps ヴ")
        << u"hiragana"_s << false << u"ヴァイオリン\n"_s << u"ヴぁいおりん\n"_s;
    QTest::newRow("repeat, then wrap") << u"repeat=1 wrap=4"_s << false << u"一二三四五六\n"_s
                                       << u"一二三四\n五六\n一二三四\n五六\n"_s;
    QTest::newRow("wrap, then repeat") << u"wrap=4 repeat=1"_s << false << u"一二三四五六\n\n"_s
                                       << u"一二三四\n一二三四\n五六\n五六\n"_s;
    QTest::newRow("what Shift_JIS cannot hold stays in UTF-8")
        << u"wrap=4"_s << true << u"😀𠮷一二三四\n"_s << u"😀𠮷一二\n三四\n"_s;
}

void TestCommandLine::textOut()
{
    QFETCH(QString, edits);
    QFETCH(bool, utf8);
    QFETCH(QString, input);
    QFETCH(QString, output);
    const auto file = [utf8](QString text) {
        return utf8 ? text.toUtf8() : Cp932::encode(text.replace(u'\n', u"\r\n"_s));
    };

    const auto textOut = [&](const QString &target) {
        QStringList arguments{u"--text-out"_s, target};
        for (const QString &edit : edits.split(u' ', Qt::SkipEmptyParts)) {
            arguments << u"--edit"_s << edit;
        }
        // No window is needed.
        return hekira(arguments << u"-"_s, file(input));
    };
    const Run run = textOut(u"-"_s);
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.out, file(output));

    QTemporaryDir dir;
    const QString path = dir.filePath(u"lines.txt"_s);
    QCOMPARE(textOut(path).exitCode, 0);
    QFile written(path);
    QVERIFY(written.open(QIODevice::ReadOnly));
    QCOMPARE(written.readAll(), file(output));
}

void TestCommandLine::textOutKeepsTheBytes_data()
{
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QString>("edit");
    QTest::addColumn<QByteArray>("output");

    // 纊 as ED 40 and as FA 5C, a stray lead byte, CR and LF breaks, no final break.
    const QByteArray sjis("\xED\x40\xFA\x5C\r\x82\xA0\x82\n\x82\xA2");
    QTest::newRow("Shift_JIS as it was") << sjis << QString() << sjis;
    QTest::newRow("a kana conversion keeps the lines it leaves")
        << sjis << u"katakana"_s << QByteArray("\xED\x40\xFA\x5C\r\x83\x41\x82\n\x83\x43");
    const QByteArray bom("\xEF\xBB\xBF\xE3\x81\x82\xF0\x9F\x98\x80\r\n");
    QTest::newRow("UTF-8 with its byte-order mark") << bom << QString() << bom;
    // Half-width katakana ﾈｺ are also valid UTF-8 ("Ⱥ"), but read as Shift_JIS.
    QTest::newRow("half-width katakana")
        << QByteArray("\xC8\xBA\r\n") << u"hiragana"_s << QByteArray("\xC8\xBA\r\n");
}

void TestCommandLine::textOutKeepsTheBytes()
{
    QFETCH(QByteArray, input);
    QFETCH(QString, edit);
    QFETCH(QByteArray, output);
    QStringList arguments{u"--text-out"_s, u"-"_s};
    if (!edit.isEmpty()) {
        arguments << u"--edit"_s << edit;
    }
    const Run run = hekira(arguments << u"-"_s, input);
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.out, output);
}

void TestCommandLine::gradeLines_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("first"); // the first lines, "\n" for a break

    QTest::newRow("grade 1") << QStringList{u"--grade"_s, u"1"_s} << 80 << u"一\n右\n雨\n円\n"_s;
    QTest::newRow("grade 2") << QStringList{u"--grade=2"_s} << 160 << u"引\n羽\n"_s;
    QTest::newRow("grade 3") << QStringList{u"--grade"_s, u"3"_s} << 200 << u"悪\n安\n"_s;
    QTest::newRow("grade 4") << QStringList{u"--grade"_s, u"4"_s} << 202 << u"愛\n案\n"_s;
    QTest::newRow("grade 5") << QStringList{u"--grade"_s, u"5"_s} << 193 << u"圧\n囲\n"_s;
    QTest::newRow("grade 6") << QStringList{u"--grade"_s, u"6"_s} << 191 << u"胃\n異\n"_s;
    QTest::newRow("edited as a text")
        << QStringList{u"--edit"_s, u"blank=1"_s, u"--grade"_s, u"2"_s, u"--edit"_s, u"repeat=1"_s}
        << 640 << u"引\n引\n\n\n羽\n"_s;
}

void TestCommandLine::gradeLines()
{
    QFETCH(QStringList, options);
    QFETCH(int, count);
    QFETCH(QString, first);
    const Run run = hekira(options << u"--text-out"_s << u"-"_s);
    QCOMPARE(run.exitCode, 0);
    // A new text: Shift_JIS, CR LF, a break after the last line.
    QVERIFY(run.out.startsWith(Cp932::encode(first.replace(u'\n', u"\r\n"_s))));
    QCOMPARE(run.out.count("\r\n"), count);
    QVERIFY(run.out.endsWith("\r\n"));
    for (const QString &line : Cp932::decode(run.out).split(u"\r\n"_s)) {
        QVERIFY2(line.size() <= 1, qPrintable(line)); // one kanji a line
    }
}

void TestCommandLine::gradeDrawsAsItsText()
{
    // A grade drill is drawn as the same lines from a file would be, with every option.
    const QStringList options{u"--pattern"_s,    u"practice2"_s, u"--edit"_s,  u"blank=1"_s,
                              u"--horizontal"_s, u"--all"_s,     u"--trace"_s, u"-"_s};
    const Run text = hekira({u"--grade"_s, u"2"_s, u"--text-out"_s, u"-"_s});
    const Run grade = hekira(QStringList{u"--grade"_s, u"2"_s} + options);
    const Run file = hekira(options + QStringList{u"-"_s}, text.out);
    QCOMPARE(grade.exitCode, 0);
    QCOMPARE(file.exitCode, 0);
    QVERIFY(grade.out.contains("\"引\""));
    QVERIFY(grade.out.contains("\"話\""));
    QCOMPARE(grade.out, file.out);
}

void TestCommandLine::errorsWriteNothing_data()
{
    QTest::addColumn<QStringList>("extra");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message");

    QTest::newRow("bad number") << QStringList{u"--number"_s, u"abc"_s} << 2
                                << u"--number の値 \"abc\" は使えません"_s;
    QTest::newRow("missing file") << QStringList{u"/nonexistent/lines.txt"_s} << 1
                                  << u"ファイル \"/nonexistent/lines.txt\" は開けません。"_s;
}

void TestCommandLine::errorsWriteNothing()
{
    QFETCH(QStringList, extra);
    QFETCH(int, exitCode);
    QFETCH(QString, message);
    QTemporaryDir dir;
    const QString png = dir.filePath(u"a.png"_s);
    const QString pdf = dir.filePath(u"a.pdf"_s);
    const Run run =
        hekira(QStringList{u"--png"_s, png, u"--size"_s, u"320x441"_s, u"--pdf"_s, pdf} + extra);
    QCOMPARE(run.exitCode, exitCode);
    QVERIFY2(run.err.contains(message), qPrintable(run.err));
    QVERIFY(!QFile::exists(png));
    QVERIFY(!QFile::exists(pdf));
}

void TestCommandLine::pdfHasEveryPage()
{
    // 11 lines at 4 cells (5 lines a page) make three pages; no text makes one blank sheet.
    QTemporaryDir dir;
    const QString pdf = dir.filePath(u"a.pdf"_s);
    QByteArray text;
    for (int i = 0; i < 11; ++i) {
        text += "\x82\xA0\r\n";
    }
    for (const auto &[input, pages] : {std::pair{text, 3}, std::pair{QByteArray(), 1}}) {
        const Run run = hekira({u"--pdf"_s, pdf, u"--dpi"_s, u"150"_s, u"-"_s}, input);
        QCOMPARE(run.exitCode, 0);
        QProcess info;
        info.start(u"pdfinfo"_s, {pdf});
        QVERIFY(info.waitForFinished(30000));
        const QString fields = QString::fromUtf8(info.readAllStandardOutput());
        QVERIFY2(fields.contains(QRegularExpression(u"Pages: +%1\\n"_s.arg(pages))),
                 qPrintable(fields));
        QVERIFY(fields.contains(QRegularExpression(u"Title: +Hekira\\n"_s)));
    }
}

void TestCommandLine::pdfFaces_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("fonts"); // as pdffonts names them, sorted

    QTest::newRow("textbook face") << QStringList{u"--font=教科書体"_s} << u"さきりふ令"_s
                                   << QStringList{u"KleeOne-Regular"_s};
    QTest::newRow("vertical textbook face, 牙 from IPAMincho")
        << QStringList{u"--font=@教科書体"_s} << u"牙のある令"_s
        << QStringList{u"IPAMincho"_s, u"KleeOne-Regular"_s};
    QTest::newRow("trace characters filled")
        << QStringList{u"--pattern=practice4"_s} << u"あいう"_s << QStringList{u"IPAMincho"_s};
    QTest::newRow("trace characters as outlines: paths, no font")
        << QStringList{u"--pattern=practice4"_s, u"--trace-style=outline"_s} << u"あいう"_s
        << QStringList{};
    QTest::newRow("stroke order: models numbered, traces in the sheet's face")
        << QStringList{u"--stroke-order"_s} << u"永あ"_s
        << QStringList{u"IPAMincho"_s, u"KanjiStrokeOrders"_s};
    QTest::newRow("stroke order on a textbook-face sheet")
        << QStringList{u"--stroke-order"_s, u"--font=@教科書体"_s} << u"永あ"_s
        << QStringList{u"KanjiStrokeOrders"_s, u"KleeOne-Regular"_s};
    QTest::newRow("stroke order, small kana and marks vertical from the sheet's face")
        << QStringList{u"--stroke-order"_s, u"--pattern=copy1"_s} << u"っ。"_s
        << QStringList{u"IPAMincho"_s};
    QTest::newRow("stroke order, small kana horizontal in its own")
        << QStringList{u"--stroke-order"_s, u"--pattern=copy1"_s, u"--horizontal"_s} << u"っ。"_s
        << QStringList{u"KanjiStrokeOrders"_s};
}

void TestCommandLine::pdfFaces()
{
    QFETCH(QStringList, options);
    QFETCH(QString, text);
    QFETCH(QStringList, fonts);
    QTemporaryDir dir;
    const QString pdf = dir.filePath(u"a.pdf"_s);
    // No header: the sheet's text alone chooses the fonts.
    const Run run = hekira(QStringList{u"--pdf"_s, pdf, u"--dpi"_s, u"150"_s, u"--no-name"_s,
                                       u"--sentence="_s, u"--encoding=utf8"_s, u"-"_s} +
                               options,
                           text.toUtf8());
    QCOMPARE(run.exitCode, 0);
    QProcess info;
    info.start(u"pdffonts"_s, {pdf});
    QVERIFY(info.waitForFinished(30000));
    QStringList embedded;
    const QStringList lines = QString::fromUtf8(info.readAllStandardOutput()).split(u'\n');
    for (const QString &line : lines.mid(2)) {
        const QStringList fields = line.split(u' ', Qt::SkipEmptyParts);
        if (!fields.isEmpty()) {
            QVERIFY2(line.contains(u" yes "_s), qPrintable(line)); // embedded
            embedded << fields.first();
        }
    }
    embedded.sort();
    QCOMPARE(embedded, fonts);
}

void TestCommandLine::readingsDrawOnTextbookSheets_data()
{
    QTest::addColumn<QStringList>("options");

    const QStringList png{u"--png"_s, u"a.png"_s, u"--size"_s, u"320x441"_s};
    const QStringList pdf{u"--pdf"_s, u"a.pdf"_s, u"--dpi"_s, u"150"_s};
    QTest::newRow("PNG, horizontal") << png + QStringList{u"--font=教科書体"_s, u"--horizontal"_s};
    QTest::newRow("PNG, vertical") << png + QStringList{u"--font=@教科書体"_s};
    QTest::newRow("PDF, horizontal") << pdf + QStringList{u"--font=教科書体"_s, u"--horizontal"_s};
    QTest::newRow("PDF, vertical") << pdf + QStringList{u"--font=@教科書体"_s};
}

// Readings in Klee One's ruby forms reach the page: a sheet with them has ink
// that the same sheet with its readings left empty lacks.
void TestCommandLine::readingsDrawOnTextbookSheets()
{
    QFETCH(QStringList, options);
    QTemporaryDir dir;
    options[1] = dir.filePath(options[1]);
    const auto ink = [&](const QByteArray &text) {
        const Run run = hekira(QStringList{u"--readings"_s, u"--pattern=copy1"_s, u"--no-name"_s,
                                           u"--sentence="_s, u"--encoding=utf8"_s, u"-"_s} +
                                   options,
                               text);
        if (run.exitCode != 0) {
            return -1;
        }
        QString image = options[1];
        if (image.endsWith(u".pdf"_s)) {
            QProcess render;
            render.start(u"pdftoppm"_s, {u"-r"_s, u"50"_s, u"-gray"_s, u"-singlefile"_s, image,
                                         dir.filePath(u"page"_s)});
            render.waitForFinished(30000);
            image = dir.filePath(u"page.pgm"_s);
        }
        const QImage pixels(image);
        int dark = 0;
        for (int y = 0; y < pixels.height(); ++y) {
            for (int x = 0; x < pixels.width(); ++x) {
                dark += qGray(pixels.pixel(x, y)) < 128 ? 1 : 0;
            }
        }
        QFile::remove(image);
        return dark;
    };
    const int without = ink(u"｜学《》｜校《》"_s.toUtf8());
    const int with = ink(u"｜学《がっ》｜校《こう》"_s.toUtf8());
    QVERIFY(without > 0);
    QVERIFY2(with > without,
             qPrintable(u"%1 dark pixels, %2 without readings"_s.arg(with).arg(without)));
}

void TestCommandLine::strokeOrderNote_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("err");

    QTest::newRow("8 cells: readable")
        << QStringList{u"--stroke-order"_s, u"--cells=8"_s} << QString();
    QTest::newRow("10 cells: too small")
        << QStringList{u"--stroke-order"_s, u"--cells=10"_s}
        << u"hekira: 注意: 一行 10 マスでは筆順の数字が小さくて読めません。A4 "
           u"で読めるのは一行 8 マスまでです。\n"_s;
    QTest::newRow("20 cells without stroke order") << QStringList{u"--cells=20"_s} << QString();
}

void TestCommandLine::strokeOrderNote()
{
    QFETCH(QStringList, options);
    QFETCH(QString, err);
    const Run run = hekira(QStringList{u"--trace"_s, u"-"_s} + options);
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.err, err);
    QVERIFY(run.out.startsWith("page "));
}

void TestCommandLine::unchangedTraces_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QByteArray>("sha1");

    // Every page of these sheets, as the trace of each has been since it was first
    // drawn: an option added later must leave them as they are while it is off.
    const auto row = [](const char *name, const char *text, const QString &options,
                        const char *sha1, const QStringList &more = {}) {
        QTest::newRow(name) << QString::fromLatin1(text)
                            << options.split(u' ', Qt::SkipEmptyParts) + more << QByteArray(sha1);
    };
    row("bun.txt", "bun.txt", QString(), "f29680706cedf4c392dbdd1f09c492c6758995ee");
    row("hiragana.txt", "hiragana.txt", QString(), "5870ad21034483ba9a8b6733f42fb6ba2928967e");
    row("kanji.txt", "kanji.txt", QString(), "9c906cb35683feb0b9ba0e918c1ceab8960c08b1");
    row("kisetsu-sjis.txt", "kisetsu-sjis.txt", QString(),
        "e14b4040f23f02e8936fe9b0d217d562c6e17394");
    row("kotoba.txt", "kotoba.txt", QString(), "6606c3b24e444de52fc3e80adbaf5d9eabd73906");
    row("practice2, 8 cells, furigana", "kotoba.txt", u"--pattern practice2 --cells 8 --furigana"_s,
        "9a9f756e4bd32946250e7b33470a825f79cebf24");
    row("practice3, 20 cells, horizontal", "kotoba.txt",
        u"--pattern practice3 --cells 20 --horizontal"_s,
        "24d2b25fa19a7a183e00ac39c74737d2330665be");
    row("practice4, 10 cells, no cross, date, number", "bun.txt",
        u"--pattern practice4 --cells 10 --no-cross --date --number 7"_s,
        "055008ec905a0a94eadc60a8ea4acb5e820d1cd0");
    row("copy1, 12 cells, horizontal, furigana, no cross", "bun.txt",
        u"--pattern copy1 --cells 12 --horizontal --furigana --no-cross"_s,
        "a227c1ea71508b2dae7438f19842a4d75749c6e7");
    row("copy2, 20 cells, furigana, date", "bun.txt",
        u"--pattern copy2 --cells 20 --furigana --date"_s,
        "e6f92eeec6fb15479b686e7183705a285f41dd79");
    row("copy3, 5 cells, horizontal, number", "kotoba.txt",
        u"--pattern copy3 --cells 5 --horizontal --number 12"_s,
        "d2addeee108a41df3e948f3cd11ac47eebe33d68");
    row("practice1, 6 cells, horizontal, furigana", "bun.txt",
        u"--cells 6 --horizontal --furigana"_s, "cdac1bc9d8213fb3145e372ffa89921eae3f951c");
    row("practice2, 15 cells, horizontal, date, number", "bun.txt",
        u"--pattern practice2 --cells 15 --horizontal --date --number 3"_s,
        "6aa428073cb896e737e550b34a52e7654d92ee04");
    row("copy2, 9 cells, no cross", "kanji.txt", u"--pattern copy2 --cells 9 --no-cross"_s,
        "37957a42f18779d28d0393565f5083bf0785f721");
    row("practice1, 7 cells, horizontal, furigana, no cross", "kanji.txt",
        u"--cells 7 --horizontal --furigana --no-cross"_s,
        "8ec3284f9a9e1c3948fa8b94b4e944bdee98c3f2");
    row("random order", "kotoba.txt", u"--random --seed 3"_s,
        "988ea615b1c6f8a27a5fcf6b1585f5ce3975c4d6");
    row("face and colours", "hiragana.txt",
        u"--pattern practice2 --model-color #102030 --trace-color #a0b0c0"_s,
        "3f173e0d54bce06bf8c8226828e9ca147f61966f", {u"--font"_s, u"ＭＳ ゴシック"_s});
}

void TestCommandLine::unchangedTraces()
{
    QFETCH(QString, text);
    QFETCH(QStringList, options);
    QFETCH(QByteArray, sha1);
    const Run run = hekira(QStringList{u"--trace"_s, u"-"_s, u"--all"_s} + options +
                           QStringList{QDir(QStringLiteral(HEKIRA_EXAMPLES)).filePath(text)});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(QCryptographicHash::hash(run.out, QCryptographicHash::Sha1).toHex(), sha1);
}

void TestCommandLine::failedWriteKeepsTheOldFile_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("target");

    QTest::newRow("pdf") << QStringList{u"--pdf"_s} << u"old.pdf"_s;
    QTest::newRow("png") << QStringList{u"--png"_s} << u"old.png"_s;
    QTest::newRow("preview png") << QStringList{u"--preview-png"_s} << u"old.png"_s;
    QTest::newRow("trace") << QStringList{u"--all"_s, u"--trace"_s} << u"old.trace"_s;
    QTest::newRow("text") << QStringList{u"--text-out"_s} << u"old.txt"_s;
}

void TestCommandLine::failedWriteKeepsTheOldFile()
{
    QFETCH(QStringList, options);
    QFETCH(QString, target);
    QTemporaryDir dir;
    const QString path = dir.filePath(target);
    QFile old(path);
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write("old");
    old.close();
    QByteArray text;
    for (int i = 0; i < 200; ++i) {
        text += "\x82\xA0\x82\xA2\x82\xA4\x8A\xBF\x8E\x9A\r\n"; // あいう漢字
    }
    // A file size limit of 2 KiB: every one of these outputs is larger, so its write
    // fails part way, as on a full disk.
    const Run run = hekira(options << path << u"-"_s, text, [](QProcess &process) {
        process.setChildProcessModifier([] {
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{2048, 2048};
            setrlimit(RLIMIT_FSIZE, &limit);
        });
    });
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.err.startsWith(u"hekira: ファイル \"%1\" を作成できません。"_s.arg(path)),
             qPrintable(run.err));
    QVERIFY2(run.err.count(u'\n') == 1, qPrintable(run.err));
    QVERIFY(old.open(QIODevice::ReadOnly));
    QCOMPARE(old.readAll(), QByteArray("old"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{target});
}

void TestCommandLine::fullOrClosedOutput_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("output"); // what standard output is: a file, or closed

    const QString full = u"/dev/full"_s;
    QTest::newRow("trace to full output") << QStringList{u"--trace"_s, u"-"_s} << full;
    QTest::newRow("text to full output") << QStringList{u"--text-out"_s, u"-"_s} << full;
    QTest::newRow("trace to closed output") << QStringList{u"--trace"_s, u"-"_s} << QString();
    QTest::newRow("text to closed output") << QStringList{u"--text-out"_s, u"-"_s} << QString();
    // A device is written to, never replaced by a file of the same name.
    QTest::newRow("pdf to full device") << QStringList{u"--pdf"_s, full} << QString(u"-"_s);
    QTest::newRow("png to full device") << QStringList{u"--png"_s, full} << QString(u"-"_s);
    QTest::newRow("trace to full device") << QStringList{u"--trace"_s, full} << QString(u"-"_s);
    QTest::newRow("text to full device") << QStringList{u"--text-out"_s, full} << QString(u"-"_s);
}

void TestCommandLine::fullOrClosedOutput()
{
    QFETCH(QStringList, options);
    QFETCH(QString, output);
    const Run run = hekira(options << u"-"_s, "\x82\xA0\r\n", [&](QProcess &process) {
        if (output.isEmpty()) {
            process.setChildProcessModifier([] { close(STDOUT_FILENO); });
        } else if (output != u"-"_s) {
            process.setStandardOutputFile(output);
        }
    });
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.err.contains(u"を作成できません。"_s), qPrintable(run.err));
    QVERIFY(!QFileInfo(u"/dev/full"_s).isFile());
}

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
