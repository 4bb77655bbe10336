#include "colorswatch.h"
#include "cp932.h"
#include "fakedialogs.h"
#include "fontfacedialog.h"
#include "fontfaces.h"
#include "pageengine.h"
#include "previewbox.h"
#include "printcommands.h"
#include "qtdialogs.h"
#include "radiogroup.h"
#include "rastersurface.h"
#include "recordingprinter.h"
#include "rotater90.h"
#include "settingsstore.h"
#include "storedsettings.h"
#include "tmain.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSpinBox>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>

using namespace Qt::StringLiterals;

namespace {

// The window with a recording printer and scripted dialogs.
struct Window {
    QTemporaryDir home;
    SettingsStore settings{home.filePath(u"settings.ini"_s)};
    RecordingPrinter printer;
    FakeDialogs dialogs;
    TMain main{printer, dialogs, settings};

    template <typename T = QWidget> T *control(const char *name)
    {
        T *widget = main.findChild<T *>(QLatin1StringView(name));
        Q_ASSERT(widget);
        return widget;
    }
    void click(const char *name) { control<QPushButton>(name)->click(); }
    bool enabled(const char *name) { return control<QPushButton>(name)->isEnabled(); }
    void setLines(int count)
    {
        QStringList lines;
        for (int i = 0; i < count; ++i) {
            lines << QString(QChar(u'あ' + i));
        }
        control<QPlainTextEdit>("ExMoji")->setPlainText(lines.join(u'\n'));
    }
    void choose(const char *group, int index) { control<RadioGroup>(group)->setItemIndex(index); }
    // Opens a file holding these bytes with "ﾌｧｲﾙを開く".
    void open(const QByteArray &bytes)
    {
        QFile file(home.filePath(u"lines.txt"_s));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        file.close();
        dialogs.openName = file.fileName();
        click("btnOpenFile");
    }
    void show()
    {
        main.show();
        QVERIFY(QTest::qWaitForWindowActive(&main));
    }
    // Edits the lines through "データの加工": an item of 編集, its count, its width.
    void editLines(int option, int count, int width = 0)
    {
        click("btnEditLine");
        auto *dialog = main.findChild<QDialog *>();
        dialog->findChild<RadioGroup *>(u"rgEditOption"_s)->setItemIndex(option);
        dialog->findChild<QScrollBar *>(u"sbLine"_s)->setValue(count);
        dialog->findChild<RadioGroup *>(u"rgMojiNum"_s)->setItemIndex(width);
        dialog->findChild<QPushButton *>(u"BitBtn1"_s)->click();
    }
    // Every page of the lines as print all draws them on a page of the preview's size.
    QList<QByteArrayList> printedPages()
    {
        printer.jobs.clear();
        printer.width = 320;
        printer.height = 441;
        click("btnPrint");
        QList<QByteArrayList> pages;
        for (const RecordingPrinter::Job &job : std::as_const(printer.jobs)) {
            pages << job.pages;
        }
        return pages;
    }
    // "prev next print part" as 0/1 flags.
    QString buttons()
    {
        return u"%1%2%3%4"_s.arg(int(enabled("btnPrePage")))
            .arg(int(enabled("btnNextPage")))
            .arg(int(enabled("btnPrint")))
            .arg(int(enabled("btnPartPrint")));
    }
};

// The lines a recorded page drew as models: line i of setLines is the one character あ + i.
QList<int> linesOnPage(const QByteArrayList &page)
{
    QList<int> lines;
    for (const QByteArray &call : page) {
        if (call.contains("color=#000000 bg=none")) {
            lines << QString::fromUtf8(call).section(u'"', -2, -2).at(0).unicode() - u'あ';
        }
    }
    return lines;
}

// The furigana boxes and the options of section "Hekira", in its order.
QList<int> sheetOptions(const SheetSettings &settings)
{
    return {settings.FuriganaFrame, settings.GuideStyle, settings.TraceStyle,  settings.TraceFade,
            settings.StrokeOrder,   settings.Readings,   settings.ReadingTest, settings.Answers};
}

// The control that has the focus, by its name or that of the nearest named parent
// (a radio item is its group, the tab bar its tab widget).
QString focusName()
{
    for (QWidget *widget = QApplication::focusWidget(); widget; widget = widget->parentWidget()) {
        if (!widget->objectName().isEmpty() && !widget->objectName().startsWith(u"qt_"_s)) {
            return widget->objectName();
        }
    }
    return QString();
}

// Answers the next modal dialog once it shows: `answer` gets it and closes it.
template <typename Dialog> void whenShown(std::function<void(Dialog &)> answer)
{
    QTimer::singleShot(0, [answer] {
        QWidget *modal = QApplication::activeModalWidget();
        auto *dialog = qobject_cast<Dialog *>(modal);
        if (!dialog) {
            if (modal) {
                modal->close();
            }
            QFAIL("the dialog did not show");
        }
        answer(*dialog);
        // A dialog that refused the answer must not keep the test waiting.
        if (dialog->isVisible()) {
            dialog->reject();
        }
    });
}

} // namespace

class TestTMain : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void layout_data();
    void layout();
    void paging_data();
    void paging();
    void pagingThroughTheAnswers();
    void singlePageAfterMultiPageKeepsPrintPage();
    void previewCopiesThePageTurned();
    void previewErrorKeepsState();
    void printAll();
    void printNumberAdvancesPerCommand();
    void printWithoutLines();
    void printFailures_data();
    void printFailures();
    void printToFileIsOneJob();
    void printAllWithoutPageSizeIsOnePage();
    void printPageAndSetup();
    void pdfSave();
    void directionToggle();
    void fontDialogFaceFollowsTheDirection_data();
    void fontDialogFaceFollowsTheDirection();
    void fontDialogOpensOnTheCurrentFace();
    void fontFaceDialog();
    void qtDialogsSpeakJapanese_data();
    void qtDialogsSpeakJapanese();
    void typedFileNames_data();
    void typedFileNames();
    void fixedSizeAndStatusLine_data();
    void fixedSizeAndStatusLine();
    void tabOrder_data();
    void tabOrder();
    void undoAfterEditLine();
    void pageBox_data();
    void pageBox();
    void previewAtTheScreensPixels();
    void restoreAdjustsTheFontToTheDirection_data();
    void restoreAdjustsTheFontToTheDirection();
    void restartKeepsTheOptions();
    void unreadableSettingsLeaveDefaults();
    void colours();
    void openFile_data();
    void openFile();
    void saveFile_data();
    void saveFile();
    void openAndSaveKeepTheBytes_data();
    void openAndSaveKeepTheBytes();
    void saveAsUtf8();
    void windowAndCommandLineAgree();
    void failedSaveKeepsTheFile();
    void clearAfterMultiPagePreview();
    void editLineShowsTheDialog();
    void gradeKanjiFillTheMemo();
    void sheetOptionControls_data();
    void sheetOptionControls();
    void sheetOptionsRestoredAndStored_data();
    void sheetOptionsRestoredAndStored();
};

void TestTMain::layout_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<bool>("enabled");

    QTest::newRow("preview") << u"BtnPreview"_s << QRect(200, 440, 77, 25) << u"ﾌﾟﾚﾋﾞｭｰ"_s << true;
    QTest::newRow("previous") << u"btnPrePage"_s << QRect(16, 440, 41, 25) << u"前頁"_s << false;
    QTest::newRow("next") << u"btnNextPage"_s << QRect(64, 440, 41, 25) << u"次頁"_s << false;
    QTest::newRow("print all") << u"btnPrint"_s << QRect(288, 440, 77, 25) << u"全印刷"_s << false;
    QTest::newRow("print page") << u"btnPartPrint"_s << QRect(376, 440, 77, 25) << u"頁印刷"_s
                                << false;
    QTest::newRow("pdf") << u"btnPdfSave"_s << QRect(472, 440, 77, 25) << u"PDF保存"_s << false;
    QTest::newRow("close") << u"BitBtn2"_s << QRect(648, 440, 77, 25) << u"終了(&C)"_s << true;
    QTest::newRow("printer setup")
        << u"btnSetPrn"_s << QRect(96, 18, 77, 25) << u"印刷の設定"_s << true;
    QTest::newRow("grade kanji") << u"btnGradeKanji"_s << QRect(80, 300, 89, 25) << u"学年別漢字"_s
                                 << true;
}

void TestTMain::layout()
{
    QFETCH(QString, name);
    QFETCH(QRect, geometry);
    QFETCH(QString, caption);
    QFETCH(bool, enabled);
    Window window;
    QCOMPARE(window.main.windowTitle(), u"Hekira"_s);
    QCOMPARE(window.main.centralWidget()->size(), QSize(738, 474));
    auto *button = window.main.findChild<QPushButton *>(name);
    QVERIFY(button);
    QCOMPARE(button->geometry(), geometry);
    QCOMPARE(button->text(), caption);
    QCOMPARE(button->isEnabled(), enabled);
}

void TestTMain::paging_data()
{
    QTest::addColumn<int>("lines");
    QTest::addColumn<int>("frameNum");
    QTest::addColumn<int>("furigana");
    // Steps: P preview, N next, B back; each followed by the expected PageTop and buttons.
    QTest::addColumn<QStringList>("steps");

    QTest::newRow("exactly one page") << 5 << 0 << 0 << QStringList{u"P 0 0010"_s};
    QTest::newRow("one line more")
        << 6 << 0 << 0 << QStringList{u"P 0 0111"_s, u"N 5 1011"_s, u"B 0 0111"_s};
    QTest::newRow("23 lines, 12 cells, furigana")
        << 23 << 7 << 1
        << QStringList{u"P 0 0111"_s, u"N 11 1111"_s, u"N 22 1011"_s, u"B 11 1111"_s,
                       u"B 0 0111"_s};
}

void TestTMain::paging()
{
    QFETCH(int, lines);
    QFETCH(int, frameNum);
    QFETCH(int, furigana);
    QFETCH(QStringList, steps);
    Window window;
    window.setLines(lines);
    window.choose("rgWakuSize", frameNum);
    window.choose("rgSideWaku", furigana);
    for (const QString &step : steps) {
        const QStringList parts = step.split(u' ');
        window.click(parts[0] == u"P"   ? "BtnPreview"
                     : parts[0] == u"N" ? "btnNextPage"
                                        : "btnPrePage");
        QCOMPARE(window.main.pageState().PageTop, parts[1].toInt());
        QCOMPARE(window.buttons(), parts[2]);
    }
    QVERIFY(window.dialogs.errors.isEmpty());
}

void TestTMain::pagingThroughTheAnswers()
{
    // 6 lines at 4 a page: two question pages, then their two answer pages.
    Window window;
    window.setLines(6);
    window.control<QCheckBox>("chkReadingTest")->click();
    window.control<QCheckBox>("chkAnswers")->click();
    window.click("BtnPreview");
    QCOMPARE(window.buttons(), u"0111"_s);
    for (const auto &[top, buttons] :
         {std::pair{4, u"1111"_s}, std::pair{8, u"1111"_s}, std::pair{12, u"1011"_s}}) {
        window.click("btnNextPage");
        QCOMPARE(window.main.pageState().PageTop, top);
        QCOMPARE(window.buttons(), buttons);
    }
    QCOMPARE(window.control<QSpinBox>("spnPage")->suffix(), u" / 4 頁"_s);
    QVERIFY(window.dialogs.errors.isEmpty());
}

void TestTMain::singlePageAfterMultiPageKeepsPrintPage()
{
    Window window;
    window.setLines(6);
    window.click("BtnPreview");
    window.setLines(2);
    window.click("BtnPreview");
    QCOMPARE(window.buttons(), u"0011"_s);
}

void TestTMain::previewCopiesThePageTurned()
{
    Window window;
    window.setLines(3);
    window.click("BtnPreview");
    const QImage page = window.main.previewImage();
    QCOMPARE(page.size(), QSize(320, 441));
    auto *box = window.control<PreviewBox>("PaintBox2");
    const QImage &canvas = box->canvas();
    QCOMPARE(canvas.pixel(440, 0), page.pixel(0, 0));
    QCOMPARE(canvas.pixel(0, 319), page.pixel(319, 440));
    QCOMPARE(canvas.pixel(440 - 56, 25), page.pixel(25, 56)); // the grid's first corner
    QCOMPARE(QColor(page.pixel(25, 56)), QColor(Qt::black));
    QVERIFY(box->showsPicture());
}

void TestTMain::previewErrorKeepsState()
{
    Window window;
    window.choose("chkPrnNum", 1);
    window.control<QLineEdit>("edtPrnNum")->setText(u"x1"_s);
    window.setLines(9);
    window.click("BtnPreview");
    QCOMPARE(window.dialogs.errors, QStringList{u"'x1' は整数ではありません"_s});
    QCOMPARE(window.buttons(), u"0000"_s);
    QCOMPARE(window.main.pageState().LinesPerPage, 5);
    QCOMPARE(window.main.pageState().PageTop, 0);
}

void TestTMain::printAll()
{
    // 25 lines at 10 cells: pages at lines 0, 12 and 24, one job each.
    Window window;
    window.setLines(25);
    window.choose("rgWakuSize", 6);
    window.click("BtnPreview");
    window.click("btnNextPage");
    window.click("btnPrint");
    const auto &jobs = window.printer.jobs;
    QCOMPARE(jobs.size(), 3);
    const QList<int> firstLines{0, 12, 24};
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(jobs[i].title, u"Hekira"_s);
        QVERIFY(jobs[i].ended);
        QCOMPARE(jobs[i].pages.size(), 1);
        QVERIFY(jobs[i].pages[0].first().startsWith("rect 0 0 638 880")); // scale 2
        QCOMPARE(linesOnPage(jobs[i].pages[0]).value(0), firstLines[i]);
    }
    QCOMPARE(linesOnPage(jobs[2].pages[0]), QList<int>{24});
    QCOMPARE(window.main.pageState().PageTop, 12);
}

void TestTMain::printNumberAdvancesPerCommand()
{
    Window window;
    window.setLines(8);
    window.choose("chkPrnNum", 1);
    auto *number = window.control<QLineEdit>("edtPrnNum");
    number->setText(u"7"_s);
    window.click("BtnPreview");
    for (const auto &[drawn, left] : {std::pair{"（７）", u"8"_s}, std::pair{"（８）", u"9"_s}}) {
        window.printer.jobs.clear();
        window.click("btnPrint");
        QCOMPARE(window.printer.jobs.size(), 2);
        for (const auto &job : window.printer.jobs) {
            QVERIFY(job.pages[0].join('\n').contains(drawn));
        }
        QCOMPARE(number->text(), left);
    }
}

void TestTMain::printWithoutLines()
{
    Window window;
    window.setLines(3);
    window.click("BtnPreview");
    window.setLines(0);
    window.click("btnPrint");
    QVERIFY(window.printer.jobs.isEmpty());
    QCOMPARE(window.control<QLineEdit>("edtPrnNum")->text(), u"2"_s);
}

void TestTMain::printFailures_data()
{
    QTest::addColumn<bool>("installed");
    QTest::addColumn<QString>("numberText");
    QTest::addColumn<QString>("message");

    QTest::newRow("no printer") << false << u"1"_s << u"デフォルト プリンタが存在しません"_s;
    QTest::newRow("bad number") << true << u"abc"_s << u"'abc' は整数ではありません"_s;
}

void TestTMain::printFailures()
{
    QFETCH(bool, installed);
    QFETCH(QString, numberText);
    QFETCH(QString, message);
    Window window;
    window.setLines(25);
    window.click("BtnPreview");
    window.click("btnNextPage");
    window.printer.installed = installed;
    window.choose("chkPrnNum", 1);
    auto *number = window.control<QLineEdit>("edtPrnNum");
    number->setText(numberText);
    window.click("btnPrint");
    QCOMPARE(window.dialogs.errors, QStringList{message});
    QVERIFY(window.printer.jobs.isEmpty());
    QVERIFY(!window.printer.jobOpen());
    QCOMPARE(window.main.pageState().PageTop, 5);
    QCOMPARE(number->text(), numberText);
    // The printer is usable again.
    window.printer.installed = true;
    number->setText(u"3"_s);
    window.click("btnPrint");
    QCOMPARE(window.printer.jobs.size(), 5);
    QCOMPARE(number->text(), u"4"_s);
}

void TestTMain::printToFileIsOneJob()
{
    Window window;
    window.dialogs.printsToFile = true;
    window.setLines(11);
    window.click("BtnPreview");
    window.click("btnPrint");
    QCOMPARE(window.printer.jobs.size(), 1);
    QCOMPARE(window.printer.jobs[0].pages.size(), 3);
    QCOMPARE(linesOnPage(window.printer.jobs[0].pages[2]), QList<int>{10});
}

void TestTMain::printAllWithoutPageSizeIsOnePage()
{
    // No valid layout was previewed: one page, rather than a loop that never ends.
    RecordingPrinter printer;
    RandomGenerator random(1);
    Worksheet sheet(SheetSettings(), LineList({"\x82\xA0", "\x82\xA2"}), 0, random);
    PrintCommands(printer).printAll(sheet, false);
    QCOMPARE(printer.jobs.size(), 1);
    QCOMPARE(printer.jobs[0].pages.size(), 1);
}

void TestTMain::printPageAndSetup()
{
    Window window;
    window.setLines(11);
    window.click("BtnPreview");
    window.click("btnNextPage");
    window.click("btnPartPrint");
    QCOMPARE(window.printer.jobs.size(), 1);
    QCOMPARE(linesOnPage(window.printer.jobs[0].pages[0]), (QList<int>{5, 6, 7, 8, 9}));
    QCOMPARE(window.control<QLineEdit>("edtPrnNum")->text(), u"2"_s);
    window.click("btnSetPrn");
    QCOMPARE(window.dialogs.printerSetups, 1);
}

void TestTMain::pdfSave()
{
    QTemporaryDir dir;
    Window window;
    window.setLines(11);
    window.click("BtnPreview");
    for (const auto &[name, lines, pages] :
         {std::tuple{"all.pdf", 11, 3}, std::tuple{"empty.pdf", 0, 1}}) {
        window.dialogs.pdfName = dir.filePath(QLatin1StringView(name));
        window.setLines(lines);
        window.click("btnPdfSave");
        QProcess info;
        info.start(u"pdfinfo"_s, {window.dialogs.pdfName});
        QVERIFY(info.waitForFinished(30000));
        const QString fields = QString::fromUtf8(info.readAllStandardOutput());
        QVERIFY2(fields.contains(QRegularExpression(u"Pages: +%1\\n"_s.arg(pages))),
                 qPrintable(fields));
        QVERIFY(fields.contains(u"Hekira"_s));
    }
    QCOMPARE(window.control<QLineEdit>("edtPrnNum")->text(), u"3"_s);
    QVERIFY(window.dialogs.errors.isEmpty());
    // Cancelling the dialog writes nothing and keeps the number.
    window.dialogs.pdfName.clear();
    window.click("btnPdfSave");
    QCOMPARE(window.control<QLineEdit>("edtPrnNum")->text(), u"3"_s);

    // A save that fails says why and leaves the file that stood there.
    const QString old = dir.filePath(u"old.pdf"_s);
    QFile file(old);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("old");
    file.close();
    window.dialogs.pdfName = old;
    window.setLines(11);
    window.choose("chkPrnNum", 1);
    window.control<QLineEdit>("edtPrnNum")->setText(u"3x"_s);
    window.click("btnPdfSave");
    window.dialogs.pdfName = dir.filePath(u"missing/a.pdf"_s);
    window.control<QLineEdit>("edtPrnNum")->setText(u"3"_s);
    window.click("btnPdfSave");
    QCOMPARE(window.dialogs.errors.size(), 2);
    QCOMPARE(window.dialogs.errors[0], u"'3x' は整数ではありません"_s);
    QVERIFY(window.dialogs.errors[1].startsWith(
        u"ファイル \"%1\" を作成できません。"_s.arg(window.dialogs.pdfName)));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("old"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files),
             (QStringList{u"all.pdf"_s, u"empty.pdf"_s, u"old.pdf"_s}));
    QCOMPARE(window.control<QLineEdit>("edtPrnNum")->text(), u"3"_s);
}

void TestTMain::directionToggle()
{
    Window window;
    const auto useFont = [&] { return Cp932::decode(window.main.sheetSettings().UseFont); };
    QCOMPARE(useFont(), u"@ＭＳ 明朝"_s);
    window.choose("rgDirect", 1);
    QCOMPARE(useFont(), u"ＭＳ 明朝"_s);
    window.choose("rgDirect", 1); // already selected: nothing happens
    QCOMPARE(useFont(), u"ＭＳ 明朝"_s);
    window.choose("rgDirect", 0);
    QCOMPARE(useFont(), u"@ＭＳ 明朝"_s);
    // An empty face becomes "@" in vertical writing.
    window.dialogs.fontFace = QString();
    window.click("btnSetFont");
    window.choose("rgDirect", 1);
    window.choose("rgDirect", 0);
    QCOMPARE(useFont(), u"@"_s);
}

void TestTMain::fontDialogFaceFollowsTheDirection_data()
{
    QTest::addColumn<int>("direction");
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("useFont");

    QTest::newRow("vertical writing takes the vertical face")
        << 0 << u"ＭＳ ゴシック"_s << u"@ＭＳ ゴシック"_s;
    QTest::newRow("a vertical face stays") << 0 << u"@IPAGothic"_s << u"@IPAGothic"_s;
    QTest::newRow("horizontal writing drops the @") << 1 << u"@ＭＳ Ｐ明朝"_s << u"ＭＳ Ｐ明朝"_s;
    QTest::newRow("a horizontal face stays") << 1 << u"IPAMincho"_s << u"IPAMincho"_s;
}

void TestTMain::fontDialogFaceFollowsTheDirection()
{
    QFETCH(int, direction);
    QFETCH(QString, chosen);
    QFETCH(QString, useFont);
    QTemporaryDir home;
    const SettingsStore settings(home.filePath(u"settings.ini"_s));
    RecordingPrinter printer;
    FakeDialogs dialogs;
    {
        TMain main(printer, dialogs, settings);
        main.findChild<RadioGroup *>(u"rgDirect"_s)->setItemIndex(direction);
        dialogs.fontFace = chosen;
        main.findChild<QPushButton *>(u"btnSetFont"_s)->click();
        QCOMPARE(main.sheetSettings().UseFont, Cp932::encode(useFont));
        QCOMPARE(settings.readText(u"Wamo"_s, u"WamoUseFont"_s, u"Error"_s), useFont);
        // Cancelling changes nothing.
        dialogs.fontFace.reset();
        main.findChild<QPushButton *>(u"btnSetFont"_s)->click();
        QCOMPARE(main.sheetSettings().UseFont, Cp932::encode(useFont));
        main.close();
    }
    // After a restart too.
    TMain restarted(printer, dialogs, settings);
    QCOMPARE(restarted.sheetSettings().UseFont, Cp932::encode(useFont));
    QVERIFY(dialogs.errors.isEmpty());
}

void TestTMain::fontDialogOpensOnTheCurrentFace()
{
    QTemporaryDir home;
    const SettingsStore settings(home.filePath(u"settings.ini"_s));
    RecordingPrinter printer;
    FakeDialogs dialogs;
    {
        // Until a face is chosen, on the window's own face.
        TMain main(printer, dialogs, settings);
        main.findChild<QPushButton *>(u"btnSetFont"_s)->click();
        dialogs.fontFace = u"ＭＳ ゴシック"_s;
        main.findChild<QPushButton *>(u"btnSetFont"_s)->click();
        main.findChild<QPushButton *>(u"btnSetFont"_s)->click();
        main.findChild<RadioGroup *>(u"rgDirect"_s)->setItemIndex(1);
        dialogs.fontFace.reset();
        main.findChild<QPushButton *>(u"btnSetFont"_s)->click();
        QCOMPARE(dialogs.fontFacesOpenedOn, (QStringList{u"ＭＳ Ｐゴシック"_s, u"ＭＳ Ｐゴシック"_s,
                                                         u"@ＭＳ ゴシック"_s, u"ＭＳ ゴシック"_s}));
        main.close();
    }
    // After a restart, on the stored face as the direction has it.
    dialogs.fontFacesOpenedOn.clear();
    TMain restarted(printer, dialogs, settings);
    restarted.findChild<QPushButton *>(u"btnSetFont"_s)->click();
    QCOMPARE(dialogs.fontFacesOpenedOn, QStringList{u"ＭＳ ゴシック"_s});
}

void TestTMain::fontFaceDialog()
{
    // The list is the one --list-fonts prints, each face in its own font.
    FontFaceDialog dialog(u"@IPAMincho"_s);
    auto *faces = dialog.findChild<QListWidget *>(u"lstFace"_s);
    QStringList listed;
    for (int row = 0; row < faces->count(); ++row) {
        listed << faces->item(row)->text();
    }
    QCOMPARE(listed, FontFaces::choices());
    QVERIFY(listed.contains(u"@ＭＳ Ｐゴシック"_s));
    QCOMPARE(faces->item(int(listed.indexOf(u"IPAPGothic"_s)))->font().family(), u"IPAPGothic"_s);
    QCOMPARE(dialog.face(), u"@IPAMincho"_s);
    QCOMPARE(faces->currentItem()->text(), u"@IPAMincho"_s);
    auto *buttons = dialog.findChild<QDialogButtonBox *>();
    QCOMPARE(buttons->button(QDialogButtonBox::Cancel)->text(), u"キャンセル"_s);
    // A face that is not in the list selects nothing, and OK waits for a choice.
    FontFaceDialog unknown(u"Nowhere Sans"_s);
    QCOMPARE(unknown.face(), QString());
    QVERIFY(!unknown.findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->isEnabled());

    // Shown by the desktop's dialogs: OK gives the selected face, Cancel none.
    QPrinter printer;
    QtDialogs qtDialogs(printer);
    whenShown<FontFaceDialog>([](FontFaceDialog &shown) {
        auto *list = shown.findChild<QListWidget *>(u"lstFace"_s);
        QCOMPARE(list->currentItem()->text(), u"ＭＳ Ｐゴシック"_s);
        list->setCurrentRow(int(FontFaces::choices().indexOf(u"@IPAPGothic"_s)));
        shown.findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->click();
    });
    QCOMPARE(qtDialogs.chooseFontFace(nullptr, u"ＭＳ Ｐゴシック"_s), u"@IPAPGothic"_s);
    whenShown<FontFaceDialog>([](FontFaceDialog &shown) { shown.reject(); });
    QCOMPARE(qtDialogs.chooseFontFace(nullptr, u"ＭＳ Ｐゴシック"_s), std::nullopt);
}

void TestTMain::qtDialogsSpeakJapanese_data()
{
    QTest::addColumn<QString>("context");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("japanese");

    QTest::newRow("buttons of boxes and dialogs")
        << u"QPlatformTheme"_s << u"Cancel"_s << u"キャンセル"_s;
    QTest::newRow("file dialog") << u"QFileDialog"_s << u"File &name:"_s << u"ファイル名(&N):"_s;
    QTest::newRow("print dialog") << u"QPrintDialog"_s << u"Print"_s << u"印刷"_s;
    QTest::newRow("colour dialog") << u"QColorDialog"_s << u"&Red:"_s << u"赤(&R):"_s;
    QTest::newRow("memo menu") << u"QWidgetTextControl"_s << u"&Undo"_s << u"元に戻す(&U)"_s;
}

void TestTMain::qtDialogsSpeakJapanese()
{
    QFETCH(QString, context);
    QFETCH(QString, text);
    QFETCH(QString, japanese);
    QPrinter printer;
    const QtDialogs dialogs(printer);
    QCOMPARE(
        QCoreApplication::translate(context.toLatin1().constData(), text.toLatin1().constData()),
        japanese);
}

void TestTMain::typedFileNames_data()
{
    QTest::addColumn<bool>("save");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("taken");

    QTest::newRow("open a name without .txt") << false << u"notes"_s << u"notes"_s;
    QTest::newRow("open a name with .txt") << false << u"notes.txt"_s << u"notes.txt"_s;
    QTest::newRow("save a name without an extension") << true << u"lines"_s << u"lines.txt"_s;
    QTest::newRow("save a name with one") << true << u"lines.csv"_s << u"lines.csv"_s;
}

void TestTMain::typedFileNames()
{
    QFETCH(bool, save);
    QFETCH(QString, typed);
    QFETCH(QString, taken);
    QTemporaryDir dir;
    for (const QString &name : {u"notes"_s, u"notes.txt"_s}) {
        QFile file(dir.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    QPrinter printer;
    QtDialogs dialogs(printer);
    whenShown<QFileDialog>([&](QFileDialog &shown) {
        shown.setDirectory(dir.path());
        shown.selectFile(typed);
        static_cast<QDialog &>(shown).accept(); // as the dialog's own button does
    });
    const QString path =
        save ? dialogs.saveTextFile(nullptr).path : dialogs.openTextFileName(nullptr);
    QCOMPARE(path, dir.filePath(taken));
}

void TestTMain::fixedSizeAndStatusLine_data()
{
    // Steps: O open, S save, P PDF save, C clear, E edit the lines, R print all;
    // each followed by whether a message holds after it.
    QTest::addColumn<QStringList>("steps");

    QTest::newRow("open, then PDF") << QStringList{u"O 1"_s, u"P 0"_s};
    QTest::newRow("save, then clear") << QStringList{u"S 1"_s, u"C 0"_s};
    QTest::newRow("open, then a file that is not there") << QStringList{u"O 1"_s, u"M 0"_s};
    QTest::newRow("open, then edit the lines") << QStringList{u"O 1"_s, u"E 0"_s};
    QTest::newRow("save, then print all") << QStringList{u"S 1"_s, u"R 0"_s};
}

void TestTMain::fixedSizeAndStatusLine()
{
    QFETCH(QStringList, steps);
    Window window;
    window.show();
    const QSize size(738, 474);
    QCOMPARE(window.main.size(), size);
    QCOMPARE(window.main.minimumSize(), size);
    QCOMPARE(window.main.maximumSize(), size);
    QFile file(window.home.filePath(u"lines.txt"_s));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(Cp932::encode(u"あい\r\nかき\r\n"));
    file.close();
    auto *line = window.control<QLabel>("StatusLine");
    for (const QString &step : steps) {
        switch (step.at(0).unicode()) {
        case u'O':
            window.dialogs.openName = file.fileName();
            window.click("btnOpenFile");
            break;
        case u'M':
            window.dialogs.openName = window.home.filePath(u"missing.txt"_s);
            window.click("btnOpenFile");
            break;
        case u'S':
            window.dialogs.saveName = window.home.filePath(u"saved.txt"_s);
            window.click("btnSaveFile");
            break;
        case u'P':
            window.dialogs.pdfName = window.home.filePath(u"sheet.pdf"_s);
            window.click("BtnPreview");
            window.click("btnPdfSave");
            break;
        case u'C':
            window.click("btnMemoClear");
            break;
        case u'E':
            window.editLines(0, 1);
            break;
        case u'R':
            window.click("BtnPreview");
            window.click("btnPrint");
            break;
        }
        const bool holds = step.endsWith(u'1');
        QCOMPARE(!window.main.statusMessage().isEmpty(), holds);
        QCOMPARE(!line->text().isEmpty(), holds);
        // The message shows inside the window, which keeps its size.
        QVERIFY(
            window.main.rect().contains(QRect(line->mapTo(&window.main, QPoint()), line->size())));
        QCOMPARE(line->toolTip(), window.main.statusMessage());
        QCoreApplication::processEvents();
        QCOMPARE(window.main.size(), size);
    }
    QVERIFY(!window.main.findChild<QStatusBar *>());
    QCOMPARE(window.dialogs.errors.size(), steps.contains(u"M 0"_s) ? 1 : 0);
}

void TestTMain::tabOrder_data()
{
    QTest::addColumn<int>("lines");
    QTest::addColumn<QStringList>("order");

    const QStringList memoTab{u"chkPrnNum"_s, u"edtPrnNum"_s, u"btnEditLine"_s, u"btnMemoClear"_s};
    const QStringList top{u"QstSentence"_s, u"PageControl1"_s, u"btnOpenFile"_s, u"btnSaveFile"_s,
                          u"ExMoji"_s};
    QTest::newRow("before a preview")
        << 0 << memoTab + QStringList{u"BtnPreview"_s, u"BitBtn2"_s} + top;
    QTest::newRow("on the second of three pages")
        << 12
        << memoTab +
               QStringList{u"btnPrePage"_s, u"btnNextPage"_s,  u"spnPage"_s,    u"BtnPreview"_s,
                           u"btnPrint"_s,   u"btnPartPrint"_s, u"btnPdfSave"_s, u"BitBtn2"_s} +
               top;
}

void TestTMain::tabOrder()
{
    QFETCH(int, lines);
    QFETCH(QStringList, order);
    Window window;
    window.setLines(lines);
    if (lines > 0) {
        window.click("BtnPreview");
        window.click("btnNextPage");
    }
    window.show();
    // The window starts in the memo, and Tab goes through the controls row by row.
    QCOMPARE(focusName(), u"ExMoji"_s);
    const QString memo = window.control<QPlainTextEdit>("ExMoji")->toPlainText();
    QStringList visited;
    for (qsizetype i = 0; i < order.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << focusName();
    }
    QCOMPARE(visited, order);
    QCOMPARE(window.control<QPlainTextEdit>("ExMoji")->toPlainText(), memo); // no tab in it
}

void TestTMain::undoAfterEditLine()
{
    Window window;
    window.show();
    auto *memo = window.control<QPlainTextEdit>("ExMoji");
    memo->setPlainText(u"あい\nかき"_s);
    window.click("BtnPreview");
    const QList<QByteArrayList> typed = window.printedPages();
    window.editLines(1, 2); // two blank lines after each
    const QString withBlanks = memo->toPlainText();
    const QList<QByteArrayList> blanks = window.printedPages();
    QCOMPARE(withBlanks, u"あい\n\n\nかき\n\n"_s);
    window.control<QPushButton>("btnEditLine")->setFocus();
    window.editLines(2, 1); // to katakana
    QCOMPARE(memo->toPlainText(), u"アイ\n\n\nカキ\n\n"_s);
    // Focus is back in the memo, where Ctrl+Z takes each rewrite back whole.
    QTRY_COMPARE(focusName(), u"ExMoji"_s);
    QTest::keyClick(memo, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(memo->toPlainText(), withBlanks);
    QCOMPARE(window.printedPages(), blanks);
    // They are the program's blank lines again, which a re-wrap keeps (it drops empty
    // lines); it changes nothing here, so it is no step to take back.
    window.editLines(4, 1, 0);
    QCOMPARE(memo->toPlainText(), withBlanks);
    QTest::keyClick(memo, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(memo->toPlainText(), u"あい\nかき"_s);
    QCOMPARE(window.printedPages(), typed);

    // A file's lines come back byte for byte: the first code of 纊, a stray byte.
    const QByteArray bytes("\xED\x40\x82\xA0\x82\r\n\x82\xA2\r\n");
    QFile file(window.home.filePath(u"lines.txt"_s));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.close();
    window.dialogs.openName = file.fileName();
    window.click("btnOpenFile");
    window.editLines(2, 1);
    QCOMPARE(memo->toPlainText(), u"纊ア\uFFFD\nイ\n"_s);
    QTest::keyClick(memo, Qt::Key_Z, Qt::ControlModifier);
    window.dialogs.saveName = window.home.filePath(u"saved.txt"_s);
    window.click("btnSaveFile");
    QFile saved(window.dialogs.saveName);
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QCOMPARE(saved.readAll(), bytes);
    QVERIFY(window.dialogs.errors.isEmpty());
}

void TestTMain::pageBox_data()
{
    QTest::addColumn<int>("lines");
    // Steps: P preview, N next, B back, J<n> jump to page n, C clear; each followed by
    // the box's text and whether it is enabled, PageTop and the buttons.
    QTest::addColumn<QStringList>("steps");

    QTest::newRow("one page") << 5 << QStringList{u"P|1 / 1 頁|0|0|0010"_s, u"C||0|0|0000"_s};
    QTest::newRow("jumps in 23 lines")
        << 23 << QStringList{u"P|1 / 5 頁|1|0|0111"_s,  u"J3|3 / 5 頁|1|10|1111"_s,
                             u"N|4 / 5 頁|1|15|1111"_s, u"J5|5 / 5 頁|1|20|1011"_s,
                             u"B|4 / 5 頁|1|15|1111"_s, u"J1|1 / 5 頁|1|0|0111"_s,
                             u"C||0|0|0000"_s};
}

void TestTMain::pageBox()
{
    QFETCH(int, lines);
    QFETCH(QStringList, steps);
    Window window;
    window.setLines(lines);
    auto *box = window.control<QSpinBox>("spnPage");
    QVERIFY(!box->isEnabled());
    QCOMPARE(box->text(), QString());
    for (const QString &step : steps) {
        const QStringList parts = step.split(u'|');
        switch (parts[0].at(0).unicode()) {
        case u'P':
            window.click("BtnPreview");
            break;
        case u'N':
            window.click("btnNextPage");
            break;
        case u'B':
            window.click("btnPrePage");
            break;
        case u'J':
            box->setValue(parts[0].mid(1).toInt());
            break;
        case u'C':
            window.click("btnMemoClear");
            break;
        }
        QCOMPARE(box->text(), parts[1]);
        QCOMPARE(box->isEnabled(), parts[2] == u"1");
        if (parts[0] != u"C") {
            QCOMPARE(window.main.pageState().PageTop, parts[3].toInt());
        }
        QCOMPARE(window.buttons(), parts[4]);
    }
    QVERIFY(window.dialogs.errors.isEmpty());
}

void TestTMain::previewAtTheScreensPixels()
{
    // Run at QT_SCALE_FACTOR=1.5 too: the page is drawn at the screen's pixels, the
    // same layout at a larger scale, and shown at that ratio.
    Window window;
    window.show();
    auto *box = window.control<PreviewBox>("PaintBox2");
    const qreal ratio = box->devicePixelRatioF();
    if (qEnvironmentVariableIsSet("QT_SCALE_FACTOR")) {
        QCOMPARE(ratio, qEnvironmentVariable("QT_SCALE_FACTOR").toDouble());
    }
    window.setLines(3);
    window.click("BtnPreview");
    const QImage page = window.main.previewImage();
    QCOMPARE(page.size(), (QSizeF(320, 441) * ratio).toSize());
    QCOMPARE(page.devicePixelRatio(), ratio);
    // The page the engine draws at that size; the grid's first corner moves with the scale.
    RandomGenerator random(1);
    PageEngine engine(random);
    RasterSurface drawn(page.width(), page.height());
    SheetSettings settings = window.main.sheetSettings();
    engine.MakePrint(drawn, page.width(), page.height(), settings,
                     LineList({Cp932::encode(u"あ"), Cp932::encode(u"ぃ"), Cp932::encode(u"い")}),
                     window.main.pageState());
    QImage expected = drawn.image();
    expected.setDevicePixelRatio(ratio);
    QCOMPARE(page, expected);
    QCOMPARE(QColor(page.pixel(qRound(25 * ratio), qRound(56 * ratio))), QColor(Qt::black));
    const QImage &canvas = box->canvas();
    QCOMPARE(canvas.size(), page.size().transposed());
    QCOMPARE(canvas.devicePixelRatio(), ratio);
    QImage turned(canvas.size(), QImage::Format_RGB32);
    turned.setDevicePixelRatio(ratio);
    RotateR90(page, turned);
    QCOMPARE(canvas, turned);
    // The picture fills the box on the screen, to the pixel.
    QVERIFY(qAbs(canvas.width() / ratio - box->width()) < 1);
    QVERIFY(qAbs(canvas.height() / ratio - box->height()) < 1);
}

void TestTMain::restoreAdjustsTheFontToTheDirection_data()
{
    QTest::addColumn<QString>("direction");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<int>("selected");
    QTest::addColumn<QString>("useFont");

    QTest::newRow("horizontal drops @") << u"1"_s << u"@ＭＳ 明朝"_s << 1 << u"ＭＳ 明朝"_s;
    QTest::newRow("vertical adds nothing") << u"0"_s << u"ＭＳ 明朝"_s << 0 << u"ＭＳ 明朝"_s;
    QTest::newRow("5 is horizontal") << u"5"_s << u"@ＭＳ ゴシック"_s << 1 << u"ＭＳ ゴシック"_s;
}

void TestTMain::restoreAdjustsTheFontToTheDirection()
{
    QFETCH(QString, direction);
    QFETCH(QString, stored);
    QFETCH(int, selected);
    QFETCH(QString, useFont);
    QTemporaryDir home;
    const SettingsStore settings(home.filePath(u"settings.ini"_s));
    settings.writeText(u"Wamo"_s, u"DocDirection"_s, direction);
    settings.writeText(u"Wamo"_s, u"WamoUseFont"_s, stored);
    RecordingPrinter printer;
    FakeDialogs dialogs;
    TMain main(printer, dialogs, settings);
    QCOMPARE(main.sheetSettings().DocDirection, selected);
    QCOMPARE(main.sheetSettings().UseFont, Cp932::encode(useFont));
    QVERIFY(dialogs.errors.isEmpty());
}

void TestTMain::restartKeepsTheOptions()
{
    QTemporaryDir home;
    const QString path = home.filePath(u"hekira/settings.ini"_s);
    const SettingsStore settings(path);
    RecordingPrinter printer;
    FakeDialogs dialogs;
    {
        TMain main(printer, dialogs, settings);
        QVERIFY(!QFile::exists(path)); // nothing written at start-up
        const std::array<std::pair<const char *, int>, 8> choices{{{"rgSetup", 5},
                                                                   {"rgWakuSize", 8},
                                                                   {"rgDirect", 1},
                                                                   {"rgSideWaku", 1},
                                                                   {"rgCrossLine", 0},
                                                                   {"rgRandom", 1},
                                                                   {"rgDay", 1},
                                                                   {"rgName", 0}}};
        for (const auto &[name, index] : choices) {
            main.findChild<RadioGroup *>(QLatin1StringView(name))->setItemIndex(index);
        }
        main.findChild<QLineEdit *>(u"QstSentence"_s)->setText(u"ていねいに かこう。"_s);
        main.findChild<QLineEdit *>(u"edtPrnNum"_s)->setText(u"5"_s);
        main.findChild<RadioGroup *>(u"chkPrnNum"_s)->setItemIndex(1);
        main.close();
    }
    TMain restarted(printer, dialogs, settings);
    const SheetSettings restored = restarted.sheetSettings();
    QCOMPARE(restored.MakingPattern, 5);
    QCOMPARE(restored.FrameNum, 8);
    QCOMPARE(restored.DocDirection, 1);
    QCOMPARE(restored.FuriganaFrame, 1);
    QCOMPARE(restored.CrossLine, 0);
    QCOMPARE(restored.RndLine, 1);
    QCOMPARE(restored.DatePrint, 1);
    QCOMPARE(restored.NamePrint, 0);
    QCOMPARE(Cp932::decode(restored.QuestionMes), u"ていねいに かこう。"_s);
    QCOMPARE(restored.UseFont, Cp932::encode(u"ＭＳ 明朝"));
    // The print number and its option are never stored.
    QCOMPARE(restored.PrnNumPrint, 0);
    QCOMPARE(restored.PrnNumText, u"1"_s);
    QVERIFY(dialogs.errors.isEmpty());
}

void TestTMain::unreadableSettingsLeaveDefaults()
{
    QTemporaryDir home;
    QFile file(home.filePath(u"settings.ini"_s));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("[Wamo]\nWamoUseFont=ＭＳ ゴシック\nFrameNum=1, 2\n");
    file.close();
    const SettingsStore settings(file.fileName());
    RecordingPrinter printer;
    FakeDialogs dialogs;
    TMain main(printer, dialogs, settings);
    QCOMPARE(dialogs.errors, QStringList{u"'FrameNum' のデータ型が不正です"_s});
    QCOMPARE(main.sheetSettings().FrameNum, 0);
    QCOMPARE(main.sheetSettings().UseFont, Cp932::encode(u"@ＭＳ 明朝"));
    main.findChild<QPlainTextEdit *>(u"ExMoji"_s)->setPlainText(u"あ"_s);
    main.findChild<QPushButton *>(u"BtnPreview"_s)->click();
    QVERIFY(main.findChild<QPushButton *>(u"btnPrint"_s)->isEnabled());
}

void TestTMain::colours()
{
    Window window;
    auto *copybook = window.control<ColorSwatch>("shpCopybook");
    auto *trace = window.control<ColorSwatch>("shpTrace");
    window.dialogs.color = 0x0000FF;
    QTest::mousePress(copybook, Qt::RightButton);
    QCOMPARE(window.main.sheetSettings().CopybookColor, Color(0x0000FF));
    window.dialogs.color = 0x00FF00;
    QTest::mousePress(trace, Qt::LeftButton);
    QCOMPARE(window.main.sheetSettings().TraceColor, Color(0x00FF00));
    QCOMPARE(window.settings.readText(u"Wamo"_s, u"CopybookColor"_s, {}), u"255"_s);
    QCOMPARE(window.settings.readText(u"Wamo"_s, u"TraceColor"_s, {}), u"65280"_s);
    window.dialogs.color.reset();
    QTest::mousePress(trace, Qt::LeftButton);
    QCOMPARE(window.main.sheetSettings().TraceColor, Color(0x00FF00));
    window.click("Button1");
    QCOMPARE(window.main.sheetSettings().CopybookColor, Color(0));
    QCOMPARE(window.main.sheetSettings().TraceColor, Color(0xC0C0C0));
    QCOMPARE(trace->color(), Color(0xC0C0C0));
    QCOMPARE(window.settings.readText(u"Wamo"_s, u"TraceColor"_s, {}), u"12632256"_s);
}

void TestTMain::openFile_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("memo");

    const QString lines = u"あい\nかき\n"_s;
    QTest::newRow("CR LF, Shift_JIS") << Cp932::encode(u"あい\r\nかき\r\n") << lines;
    QTest::newRow("LF") << Cp932::encode(u"あい\nかき\n") << lines;
    QTest::newRow("CR") << Cp932::encode(u"あい\rかき\r") << lines;
    QTest::newRow("LF CR is two breaks") << Cp932::encode(u"あい\n\rかき") << u"あい\n\nかき"_s;
    QTest::newRow("ends at a zero byte")
        << QByteArray("\x82\xA0\r\n\x82\xA2\0\x82\xA4", 9) << u"あ\nい"_s;
    QTest::newRow("UTF-8") << u"あい\r\nかき\r\n"_s.toUtf8() << lines;
    QTest::newRow("UTF-8 with BOM, beyond Shift_JIS")
        << QByteArray("\xEF\xBB\xBF") + u"𠮷野家\n"_s.toUtf8() << u"𠮷野家\n"_s;
}

void TestTMain::openFile()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, memo);
    Window window;
    window.open(bytes);
    QCOMPARE(window.control<QPlainTextEdit>("ExMoji")->toPlainText(), memo);
    QVERIFY(!window.enabled("btnPrint")); // opening changes no button
    // A file that cannot be opened leaves the text as it was.
    window.dialogs.openName = window.home.filePath(u"missing.txt"_s);
    window.click("btnOpenFile");
    QCOMPARE(window.dialogs.errors.size(), 1);
    QVERIFY(window.dialogs.errors[0].startsWith(
        u"ファイル \"%1\" は開けません。"_s.arg(window.dialogs.openName)));
    QCOMPARE(window.control<QPlainTextEdit>("ExMoji")->toPlainText(), memo);
}

void TestTMain::saveFile_data()
{
    QTest::addColumn<QString>("memo");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("shiftJis");

    QTest::newRow("final break kept")
        << u"あい\nかき\n"_s << Cp932::encode(u"あい\r\nかき\r\n") << true;
    QTest::newRow("no final break added")
        << u"あい\nかき"_s << Cp932::encode(u"あい\r\nかき") << true;
    QTest::newRow("beyond Shift_JIS: UTF-8 with BOM")
        << u"𠮷野家\nあ"_s << QByteArray("\xEF\xBB\xBF") + u"𠮷野家\r\nあ"_s.toUtf8() << false;
}

void TestTMain::saveFile()
{
    QFETCH(QString, memo);
    QFETCH(QByteArray, bytes);
    QFETCH(bool, shiftJis);
    Window window;
    window.control<QPlainTextEdit>("ExMoji")->setPlainText(memo);
    window.dialogs.saveName = window.home.filePath(u"saved.txt"_s);
    window.click("btnSaveFile");
    QFile file(window.dialogs.saveName);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), bytes);
    QCOMPARE(window.main.statusMessage().contains(u"UTF-8"_s), !shiftJis);
    // What was saved opens as it was typed.
    window.control<QPlainTextEdit>("ExMoji")->clear();
    window.dialogs.openName = window.dialogs.saveName;
    window.click("btnOpenFile");
    QCOMPARE(window.control<QPlainTextEdit>("ExMoji")->toPlainText(), memo);
}

void TestTMain::openAndSaveKeepTheBytes_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("memo");
    QTest::addColumn<QString>("form");

    QTest::newRow("Shift_JIS: two codes of 纊, a stray byte, CR and LF, no final break")
        << QByteArray("\xED\x40\xFA\x5C\r\x82\xA0\x82\n\x82\xA2") << u"纊纊\nあ\uFFFD\nい"_s
        << u"Shift_JIS"_s;
    QTest::newRow("half-width katakana read as Shift_JIS")
        << QByteArray("\xC8\xBA\xCE\xBC\r\n") << u"ﾈｺﾎｼ\n"_s << u"Shift_JIS"_s;
    QTest::newRow("UTF-8 without a byte-order mark")
        << u"ねこ\nいぬ\n"_s.toUtf8() << u"ねこ\nいぬ\n"_s << u"UTF-8"_s;
    QTest::newRow("UTF-8 with a byte-order mark, beyond Shift_JIS")
        << QByteArray("\xEF\xBB\xBF") + u"😀〜\r\n"_s.toUtf8() << u"😀〜\n"_s
        << u"UTF-8 (BOM 付き)"_s;
    QTest::newRow("a zero byte and what follows it")
        << QByteArray("\x82\xA0\r\n\0tail", 9) << u"あ\n"_s << u"Shift_JIS"_s;
}

void TestTMain::openAndSaveKeepTheBytes()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, memo);
    QFETCH(QString, form);
    Window window;
    window.open(bytes);
    QCOMPARE(window.control<QPlainTextEdit>("ExMoji")->toPlainText(), memo);
    QVERIFY(window.main.statusMessage().contains(u" %1 "_s.arg(form)));
    window.dialogs.saveName = window.home.filePath(u"saved.txt"_s);
    window.click("btnSaveFile");
    QFile saved(window.dialogs.saveName);
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QCOMPARE(saved.readAll(), bytes);
    QVERIFY(window.dialogs.errors.isEmpty());
}

void TestTMain::saveAsUtf8()
{
    Window window;
    window.control<QPlainTextEdit>("ExMoji")->setPlainText(u"あ\nい"_s);
    window.dialogs.saveName = window.home.filePath(u"saved.txt"_s);
    window.dialogs.saveUtf8 = true;
    window.click("btnSaveFile");
    QFile saved(window.dialogs.saveName);
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QCOMPARE(saved.readAll(), QByteArray("\xEF\xBB\xBF") + u"あ\r\nい"_s.toUtf8());
}

void TestTMain::windowAndCommandLineAgree()
{
    // The same text, options and operations give the same lines and the same pages
    // in the window and on the command line; blank lines survive a re-wrap in both.
    QTemporaryDir dir;
    QFile text(dir.filePath(u"lines.txt"_s));
    QVERIFY(text.open(QIODevice::WriteOnly));
    text.write(Cp932::encode(u"あいうえおかきく\r\nけこ\r\n") + "\xED\x40\x82\r\n");
    text.close();

    Window window;
    window.dialogs.openName = text.fileName();
    window.click("btnOpenFile");
    window.choose("rgSetup", 1); // 練習２
    window.editLines(1, 1);      // a blank line after each
    window.editLines(4, 1, 0);   // re-wrapped at 4 characters
    window.dialogs.saveName = dir.filePath(u"window.txt"_s);
    window.click("btnSaveFile");
    window.click("BtnPreview");
    window.printer.width = 320;
    window.printer.height = 441;
    window.click("btnPrint");

    QProcess cli;
    cli.start(QStringLiteral(HEKIRA_EXECUTABLE),
              {u"--pattern"_s, u"practice2"_s, u"--edit"_s, u"blank=1"_s, u"--edit"_s, u"wrap=4"_s,
               u"--text-out"_s, dir.filePath(u"cli.txt"_s), u"--trace"_s, u"-"_s, u"--all"_s,
               text.fileName()});
    QVERIFY(cli.waitForFinished(60000));
    QCOMPARE(cli.exitCode(), 0);

    QFile windowLines(window.dialogs.saveName);
    QFile cliLines(dir.filePath(u"cli.txt"_s));
    QVERIFY(windowLines.open(QIODevice::ReadOnly) && cliLines.open(QIODevice::ReadOnly));
    const QByteArray lines = windowLines.readAll();
    QCOMPARE(lines.count("\r\n"),
             7); // あいうえ, おかきく, blank, けこ, blank, 纊 and a stray byte, blank
    QCOMPARE(cliLines.readAll(), lines);

    QByteArrayList windowPages;
    for (const RecordingPrinter::Job &job : window.printer.jobs) {
        QCOMPARE(job.pages.size(), 1);
        windowPages << "page 320 441 1" << job.pages[0];
    }
    QCOMPARE(window.printer.jobs.size(), 2); // 7 lines, 5 a page
    QByteArrayList cliPages = cli.readAllStandardOutput().split('\n');
    cliPages.removeLast();
    QCOMPARE(cliPages, windowPages);
}

void TestTMain::failedSaveKeepsTheFile()
{
    Window window;
    window.control<QPlainTextEdit>("ExMoji")->setPlainText(u"あ"_s);
    window.dialogs.saveName = window.home.filePath(u"missing/saved.txt"_s);
    window.click("btnSaveFile");
    QCOMPARE(window.dialogs.errors.size(), 1);
    QVERIFY(window.dialogs.errors[0].startsWith(
        u"ファイル \"%1\" を作成できません。"_s.arg(window.dialogs.saveName)));
}

void TestTMain::clearAfterMultiPagePreview()
{
    Window window;
    window.setLines(12);
    window.click("BtnPreview");
    window.click("btnNextPage");
    auto *box = window.control<PreviewBox>("PaintBox2");
    box->canvas().fill(Qt::red); // what an older picture left, to the last row and column
    window.click("btnMemoClear");
    QCOMPARE(window.buttons(), u"0000"_s);
    QVERIFY(!window.enabled("btnPdfSave"));
    QVERIFY(window.control<QPlainTextEdit>("ExMoji")->toPlainText().isEmpty());
    // The preview shows the header and the empty grid of the page still at PageTop.
    QCOMPARE(window.main.pageState().PageTop, 5);
    const QImage page = window.main.previewImage();
    QCOMPARE(QColor(page.pixel(25, 56)), QColor(Qt::black));
    RandomGenerator random(1);
    PageEngine engine(random);
    RasterSurface empty(page.width(), page.height());
    SheetSettings settings = window.main.sheetSettings();
    engine.MakePrint(empty, page.width(), page.height(), settings, LineList(),
                     window.main.pageState());
    QCOMPARE(page, empty.image());
    // The box shows that blank page, every pixel of it drawn afresh.
    QImage turned(page.height(), page.width(), QImage::Format_RGB32);
    RotateR90(page, turned);
    QCOMPARE(box->canvas(), turned);
    QVERIFY(box->showsPicture());
    box->grab(); // a repaint now leaves the box blank
    QVERIFY(!box->showsPicture());
}

void TestTMain::editLineShowsTheDialog()
{
    Window window;
    auto *dialog = window.main.findChild<QDialog *>();
    QVERIFY(dialog);
    QCOMPARE(dialog->windowTitle(), u"データの加工"_s);
    QVERIFY(!dialog->isVisible());
    window.click("btnEditLine");
    QVERIFY(dialog->isVisible());
    QVERIFY(!dialog->isModal());
}

void TestTMain::gradeKanjiFillTheMemo()
{
    Window window;
    window.setLines(3);
    auto *memo = window.control<QPlainTextEdit>("ExMoji");
    const QString typed = memo->toPlainText();
    auto *grade = window.control<QComboBox>("cbGrade");
    QCOMPARE(grade->count(), 6);
    QCOMPARE(grade->currentText(), u"1年"_s);
    grade->setCurrentIndex(1);
    window.click("btnGradeKanji");
    // 160 kanji, one a line, and the break after the last as a new text has it.
    const QString text = memo->toPlainText();
    QCOMPARE(text.count(u'\n'), 160);
    QVERIFY(text.startsWith(u"引\n羽\n"_s));
    QVERIFY(text.endsWith(u"理\n話\n"_s));
    window.click("BtnPreview");
    QCOMPARE(window.buttons(), u"0111"_s);
    // One undo step gives back what was typed.
    memo->undo();
    QCOMPARE(memo->toPlainText(), typed);
    QVERIFY(window.dialogs.errors.isEmpty());
}

void TestTMain::sheetOptionControls_data()
{
    // Steps: a check box clicked, or a radio group set to an item ("name=index").
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QList<int>>("sheet"); // as sheetOptions() lists them
    QTest::addColumn<bool>("answersEnabled");

    QTest::newRow("点線 十字と対角線")
        << QStringList{u"rgGuideStyle=1"_s} << QList<int>{0, 1, 0, 0, 0, 0, 0, 0} << false;
    QTest::newRow("点線 九マス") << QStringList{u"rgGuideStyle=2"_s}
                                 << QList<int>{0, 2, 0, 0, 0, 0, 0, 0} << false;
    QTest::newRow("白抜き") << QStringList{u"chkTraceStyle"_s} << QList<int>{0, 0, 1, 0, 0, 0, 0, 0}
                            << false;
    QTest::newRow("うすく") << QStringList{u"chkTraceFade"_s} << QList<int>{0, 0, 0, 1, 0, 0, 0, 0}
                            << false;
    QTest::newRow("筆順") << QStringList{u"chkStrokeOrder"_s} << QList<int>{0, 0, 0, 0, 1, 0, 0, 0}
                          << false;
    QTest::newRow("読み仮名 turns the boxes on")
        << QStringList{u"chkReadings"_s} << QList<int>{1, 0, 0, 0, 0, 1, 0, 0} << false;
    QTest::newRow("読みテスト checks 読み仮名 and allows 解答つき")
        << QStringList{u"chkReadingTest"_s} << QList<int>{1, 0, 0, 0, 0, 1, 1, 0} << true;
    QTest::newRow("解答つき waits for the test")
        << QStringList{u"chkAnswers"_s} << QList<int>{0, 0, 0, 0, 0, 0, 0, 0} << false;
    QTest::newRow("解答つき with the test") << QStringList{u"chkReadingTest"_s, u"chkAnswers"_s}
                                            << QList<int>{1, 0, 0, 0, 0, 1, 1, 1} << true;
    QTest::newRow("the test off takes 解答つき off")
        << QStringList{u"chkReadingTest"_s, u"chkAnswers"_s, u"chkReadingTest"_s}
        << QList<int>{1, 0, 0, 0, 0, 1, 0, 0} << false;
    QTest::newRow("読み仮名 off ends the test")
        << QStringList{u"chkReadingTest"_s, u"chkAnswers"_s, u"chkReadings"_s}
        << QList<int>{1, 0, 0, 0, 0, 0, 0, 0} << false;
    QTest::newRow("boxes off take the readings off")
        << QStringList{u"chkReadingTest"_s, u"rgSideWaku=0"_s} << QList<int>{0, 0, 0, 0, 0, 0, 0, 0}
        << false;
    QTest::newRow("boxes on check no reading")
        << QStringList{u"rgSideWaku=1"_s} << QList<int>{1, 0, 0, 0, 0, 0, 0, 0} << false;
}

void TestTMain::sheetOptionControls()
{
    QFETCH(QStringList, steps);
    QFETCH(QList<int>, sheet);
    QFETCH(bool, answersEnabled);
    Window window;
    window.control<QPlainTextEdit>("ExMoji")->setPlainText(u"あ漢\n字"_s);
    for (const QString &step : steps) {
        const QStringList parts = step.split(u'=');
        if (parts.size() == 2) {
            window.control<RadioGroup>(qPrintable(parts[0]))->setItemIndex(parts[1].toInt());
        } else {
            window.control<QCheckBox>(qPrintable(step))->click();
        }
    }
    QCOMPARE(sheetOptions(window.main.sheetSettings()), sheet);
    QCOMPARE(window.control<QCheckBox>("chkAnswers")->isEnabled(), answersEnabled);

    // The pages printed are those the engine draws with these options.
    SheetSettings expected;
    expected.FuriganaFrame = sheet[0];
    expected.GuideStyle = sheet[1];
    expected.TraceStyle = sheet[2];
    expected.TraceFade = sheet[3];
    expected.StrokeOrder = sheet[4];
    expected.Readings = sheet[5];
    expected.ReadingTest = sheet[6];
    expected.Answers = sheet[7];
    RecordingPrinter printer;
    printer.width = 320;
    printer.height = 441;
    RandomGenerator random(1);
    Worksheet drawn(expected, LineList({Cp932::encode(u"あ漢"), Cp932::encode(u"字")}),
                    Worksheet::linesPerPageFor(expected), random);
    PrintCommands(printer).printAll(drawn, false);
    window.click("BtnPreview");
    QList<QByteArrayList> pages;
    for (const RecordingPrinter::Job &job : std::as_const(printer.jobs)) {
        pages << job.pages;
    }
    QCOMPARE(window.printedPages(), pages);
    QVERIFY(window.dialogs.errors.isEmpty());
}

void TestTMain::sheetOptionsRestoredAndStored_data()
{
    QTest::addColumn<QByteArray>("ini");
    QTest::addColumn<QList<int>>("restored"); // as sheetOptions() lists them

    QTest::newRow("nothing stored: every option off")
        << QByteArray() << QList<int>{0, 0, 0, 0, 0, 0, 0, 0};
    QTest::newRow("every option") << QByteArray("[Wamo]\nFuriganaFrame=1\n[Hekira]\nGuideStyle=2\n"
                                                "TraceStyle=1\nTraceFade=1\nStrokeOrder=1\n"
                                                "Readings=1\nReadingTest=1\nAnswers=1\n")
                                  << QList<int>{1, 2, 1, 1, 1, 1, 1, 1};
    QTest::newRow("readings turn the boxes on")
        << QByteArray("[Wamo]\nFuriganaFrame=0\n[Hekira]\nReadings=1\n")
        << QList<int>{1, 0, 0, 0, 0, 1, 0, 0};
    QTest::newRow("a test checks the readings")
        << QByteArray("[Hekira]\nReadingTest=1\n") << QList<int>{1, 0, 0, 0, 0, 1, 1, 0};
    QTest::newRow("answers without the test stay off")
        << QByteArray("[Hekira]\nAnswers=1\n") << QList<int>{0, 0, 0, 0, 0, 0, 0, 0};
}

void TestTMain::sheetOptionsRestoredAndStored()
{
    QFETCH(QByteArray, ini);
    QFETCH(QList<int>, restored);
    QTemporaryDir home;
    QFile file(home.filePath(u"settings.ini"_s));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(ini);
    file.close();
    const SettingsStore settings(file.fileName());
    RecordingPrinter printer;
    FakeDialogs dialogs;
    TMain main(printer, dialogs, settings);
    QCOMPARE(sheetOptions(main.sheetSettings()), restored);
    // What the controls hold at close is stored, a change included.
    main.findChild<QCheckBox *>(u"chkTraceFade"_s)->click();
    main.close();
    QList<int> closed = restored;
    closed[3] = 1 - closed[3];
    const StoredSettings stored = StoredSettings::restore(settings);
    QCOMPARE(sheetOptions(stored.sheetSettings()), closed);
    QVERIFY(dialogs.errors.isEmpty());
}

QTEST_MAIN(TestTMain)
#include "tst_tmain.moc"
