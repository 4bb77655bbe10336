#include "commandline.h"
#include "cp932.h"
#include "usageerror.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

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

Run hekira(const QStringList &arguments, const QByteArray &input = {})
{
    QProcess process;
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
    void badOptions_data();
    void badOptions();
    void printNumber_data();
    void printNumber();
    void withoutDisplay_data();
    void withoutDisplay();
    void storedSettings_data();
    void storedSettings();
    void traceFromStandardInput();
    void shiftJisAndUtf8FilesDrawTheSame();
    void textOut_data();
    void textOut();
    void errorsWriteNothing_data();
    void errorsWriteNothing();
    void pdfHasEveryPage();
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
    const ExportRequest request = CommandLine::parse(withProgram(arguments));
    QCOMPARE(request.settings.MakingPattern, pattern);
    QCOMPARE(request.settings.FrameNum, frameNum);
    QCOMPARE(request.settings.DocDirection, direction);
    QCOMPARE(request.settings.UseFont, Cp932::encode(font));
    QCOMPARE(request.settings.QuestionMes, Cp932::encode(sentence));
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
}

void TestCommandLine::badOptions()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, message);
    try {
        CommandLine::parse(withProgram(arguments));
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
        const ExportRequest request = CommandLine::parse(withProgram(arguments));
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
    QDir().mkpath(config.filePath(u"hekira"_s));
    QFile file(config.filePath(u"hekira/settings.ini"_s));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(u"[Wamo]\nFrameNum=6\nDocDirection=1\nWamoUseFont=@@ＭＳ ゴシック\nTraceColor=255\n"
               u"CopybookColor=0\n"_s.toUtf8());
    file.close();
    const QByteArray saved = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    const ExportRequest request = CommandLine::parse(withProgram(arguments));
    qputenv("XDG_CONFIG_HOME", saved);
    QCOMPARE(request.settings.FrameNum, frameNum);
    QCOMPARE(request.settings.DocDirection, direction);
    QCOMPARE(request.settings.UseFont, Cp932::encode(font));
    QCOMPARE(request.settings.TraceColor,
             arguments.contains(u"--settings"_s) ? Color(255) : Color(0xC0C0C0));
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
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("output");

    QTest::newRow("no edit: CR LF after every line")
        << QString() << u"あい\nかき"_s << u"あい\r\nかき\r\n"_s;
    QTest::newRow("no lines") << QString() << QString() << QString();
    QTest::newRow("repeat") << u"repeat=2"_s << u"あ\n\n"_s << u"あ\r\nあ\r\nあ\r\n\r\n\r\n\r\n"_s;
    QTest::newRow("blank lines written empty")
        << u"blank=1"_s << u"あ\nい\n"_s << u"あ\r\n\r\nい\r\n\r\n"_s;
    QTest::newRow("katakana, hiragana")
        << u"katakana"_s << u"ひらがな、カナ。\n"_s << u"ヒラガナ、カナ。\r\n"_s;
    QTest::newRow("hiragana keeps ヴ")
        << u"hiragana"_s << u"ヴァイオリン\n"_s << u"ヴぁいおりん\r\n"_s;
    QTest::newRow("repeat, then wrap") << u"repeat=1 wrap=4"_s << u"一二三四五六\n"_s
                                       << u"一二三四\r\n五六\r\n一二三四\r\n五六\r\n"_s;
    QTest::newRow("wrap, then repeat") << u"wrap=4 repeat=1"_s << u"一二三四五六\n\n"_s
                                       << u"一二三四\r\n一二三四\r\n五六\r\n五六\r\n"_s;
}

void TestCommandLine::textOut()
{
    QFETCH(QString, edits);
    QFETCH(QString, input);
    QFETCH(QString, output);

    const auto textOut = [&](const QString &target) {
        QStringList arguments{u"--text-out"_s, target};
        for (const QString &edit : edits.split(u' ', Qt::SkipEmptyParts)) {
            arguments << u"--edit"_s << edit;
        }
        // UTF-8 in, Shift_JIS out; no window is needed.
        return hekira(arguments << u"-"_s, input.toUtf8());
    };
    const Run run = textOut(u"-"_s);
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.out, Cp932::encode(output));

    QTemporaryDir dir;
    const QString file = dir.filePath(u"lines.txt"_s);
    QCOMPARE(textOut(file).exitCode, 0);
    QFile written(file);
    QVERIFY(written.open(QIODevice::ReadOnly));
    QCOMPARE(written.readAll(), Cp932::encode(output));
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

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
