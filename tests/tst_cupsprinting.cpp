#include "cp932.h"
#include "hekiraerror.h"
#include "linelist.h"
#include "printcommands.h"
#include "qtdialogs.h"
#include "qtprinter.h"
#include "worksheet.h"

#include <QDir>
#include <QElapsedTimer>
#include <QPrinterInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <functional>
#include <memory>
#include <optional>
#include <sys/prctl.h>

using namespace Qt::StringLiterals;

namespace {

const QString Queue = u"hekira-test"_s;
// The queue's paper in points, as cups/hekira-test.ppd has it: A5 (not Qt's A4), 18 pt margins.
constexpr int PaperWidth = 420;
constexpr int PaperHeight = 595;
constexpr int PaperMargin = 18;

QString findTool(const QString &name)
{
    const QString onPath = QStandardPaths::findExecutable(name);
    return onPath.isEmpty() ? QStandardPaths::findExecutable(name, {u"/usr/sbin"_s, u"/sbin"_s})
                            : onPath;
}

// Runs a tool to its end; its standard output, or nothing when it fails.
std::optional<QString> run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(10000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0) {
        qWarning().noquote() << program << arguments.join(u' ')
                             << QString::fromLocal8Bit(process.readAllStandardError());
        return std::nullopt;
    }
    return QString::fromLocal8Bit(process.readAllStandardOutput());
}

// What pdfinfo says of a file, by field: "Pages" -> "3".
QMap<QString, QString> pdfInfo(const QString &file)
{
    QMap<QString, QString> fields;
    const QString text = run(u"pdfinfo"_s, {file}).value_or(QString());
    for (const QString &line : text.split(u'\n')) {
        const qsizetype colon = line.indexOf(u':');
        if (colon > 0) {
            fields.insert(line.left(colon), line.mid(colon + 1).trimmed());
        }
    }
    return fields;
}

// A private cupsd in a temporary folder, listening on a Unix socket only; stopped
// with this object, and with the test process should it die first.
class CupsServer {
public:
    CupsServer(const QString &cupsd, const QString &socket, const QString &folder)
    {
        m_process.setProgram(cupsd);
        m_process.setArguments(
            {u"-f"_s, u"-c"_s, folder + u"/cupsd.conf"_s, u"-s"_s, folder + u"/cups-files.conf"_s});
        m_process.setProcessChannelMode(QProcess::ForwardedChannels);
        m_process.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
        m_process.start();
        QElapsedTimer waited;
        waited.start();
        while (m_process.state() != QProcess::NotRunning && !QFileInfo::exists(socket) &&
               waited.elapsed() < 5000) {
            QTest::qWait(20);
        }
        m_running = m_process.state() != QProcess::NotRunning && QFileInfo::exists(socket);
    }
    ~CupsServer()
    {
        m_process.terminate();
        if (!m_process.waitForFinished(5000)) {
            m_process.kill();
            m_process.waitForFinished(5000);
        }
    }
    CupsServer(const CupsServer &) = delete;
    CupsServer &operator=(const CupsServer &) = delete;

    bool isRunning() const { return m_running; }

private:
    QProcess m_process;
    bool m_running = false;
};

struct PrintRun {
    RandomGenerator random;
    SheetSettings settings;
    LineList lines;

    // 25 lines of 10 cells, 12 lines a page: three pages.
    PrintRun()
    {
        static constexpr const char16_t *Texts[] = {u"あめがふる", u"やまのうえ", u"はなが　さいた",
                                                    u"川をわたる", u"ちいさな　とり"};
        for (int i = 0; i < 25; ++i) {
            lines.add(Cp932::encode(Texts[i % std::size(Texts)]));
        }
        settings.FrameNum = 6;
    }

    void printAll(QtPrinter &printer)
    {
        Worksheet sheet(settings, lines, 12, random);
        PrintCommands(printer).printAll(sheet, QtDialogs(printer.qprinter()).printerPrintsToFile());
    }
};

QString errorOf(const std::function<void()> &action)
{
    try {
        action();
    } catch (const HekiraError &error) {
        return error.message();
    }
    return {};
}

} // namespace

class TestCupsPrinting : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void noPrinter();
    void printAllToFile();
    void printAllThroughCups();
    void cleanupTestCase();

private:
    QString serverFile(const QString &name) const { return m_folder.filePath(name); }
    bool writeFromTemplate(const QString &name);
    std::optional<QString> lp(const QString &tool, const QStringList &arguments);

    QTemporaryDir m_folder;
    QString m_socket;
    QString m_cupsd;
    std::unique_ptr<CupsServer> m_server;
};

void TestCupsPrinting::initTestCase()
{
    QVERIFY(m_folder.isValid());
    m_socket = serverFile(u"cups.sock"_s);
    QVERIFY2(m_socket.toLocal8Bit().size() < 100, "the socket path is too long for a Unix socket");
    // libcups reads CUPS_SERVER once, when Qt first asks it for printers, and keeps it:
    // it must point at the private server before that, and for the whole run.
    qputenv("CUPS_SERVER", m_socket.toLocal8Bit());
    qunsetenv("PRINTER");
    qunsetenv("LPDEST");

    m_cupsd = findTool(u"cupsd"_s);
    if (m_cupsd.isEmpty() || findTool(u"lpadmin"_s).isEmpty() || findTool(u"lpstat"_s).isEmpty()) {
        m_cupsd.clear();
        return; // the server-less tests still run: no server means no printer
    }
    // cupsd, run as root, runs filters as the user lp: the sink must be reachable.
    QVERIFY(QFile::setPermissions(m_folder.path(), QFile::Permissions(0x7755))); // rwxr-xr-x
    for (const QString &sub :
         {u"etc"_s, u"spool"_s, u"tmp"_s, u"cache"_s, u"state"_s, u"log"_s, u"out"_s}) {
        QVERIFY(QDir(m_folder.path()).mkdir(sub));
    }
    QVERIFY(QFile::setPermissions(serverFile(u"out"_s), QFile::Permissions(0x7777))); // rwxrwxrwx
    for (const QString &name :
         {u"cupsd.conf"_s, u"cups-files.conf"_s, u"hekira-test.ppd"_s, u"sink"_s}) {
        QVERIFY2(writeFromTemplate(name), qPrintable(name));
    }
    QVERIFY(QFile::setPermissions(serverFile(u"sink"_s), QFile::Permissions(0x7755))); // rwxr-xr-x

    m_server = std::make_unique<CupsServer>(m_cupsd, m_socket, m_folder.path());
    QVERIFY2(m_server->isRunning(), "cupsd did not start (cupsd -t names a bad setting)");
}

void TestCupsPrinting::noPrinter()
{
    // The private server has no queue yet, or there is no server at all.
    QVERIFY(QPrinterInfo::availablePrinters().isEmpty());
    QtPrinter printer;
    QCOMPARE(errorOf([&] { printer.setPortrait(); }), u"デフォルト プリンタが存在しません"_s);
    QVERIFY(!QtDialogs(printer.qprinter()).printerPrintsToFile());
}

void TestCupsPrinting::printAllToFile()
{
    if (findTool(u"pdfinfo"_s).isEmpty()) {
        QSKIP("pdfinfo (poppler-utils) is not installed");
    }
    const QString file = m_folder.filePath(u"all.pdf"_s);
    QtPrinter printer;
    printer.qprinter().setOutputFileName(file);
    QVERIFY(QtDialogs(printer.qprinter()).printerPrintsToFile());

    // A page of a job never begun is an error, not a crash.
    QCOMPARE(errorOf([&] { printer.nextPage(); }), u"印刷を開始していません"_s);
    // An abandoned job leaves no file, and the printer takes the next one.
    printer.setPortrait();
    printer.begin();
    QCOMPARE(errorOf([&] { printer.begin(); }), u"現在印刷中です"_s);
    printer.nextPage().Rectangle(0, 0, 100, 100);
    printer.abort();
    QVERIFY(!QFileInfo::exists(file));

    PrintRun print;
    print.printAll(printer);
    const QMap<QString, QString> info = pdfInfo(file);
    QCOMPARE(info.value(u"Pages"_s), u"3"_s);
    QCOMPARE(info.value(u"Title"_s), u"Hekira"_s);
}

void TestCupsPrinting::printAllThroughCups()
{
    if (m_cupsd.isEmpty()) {
        QSKIP("cupsd, lpadmin or lpstat is not installed (Debian: cups-daemon cups-client)");
    }
    if (findTool(u"pdfinfo"_s).isEmpty()) {
        QSKIP("pdfinfo (poppler-utils) is not installed");
    }
    // The program's printer is made before the printer is installed.
    QtPrinter printer;
    QVERIFY(lp(u"lpadmin"_s, {u"-p"_s, Queue, u"-E"_s, u"-v"_s, u"file:///dev/null"_s, u"-P"_s,
                              serverFile(u"hekira-test.ppd"_s)}));
    QVERIFY(lp(u"lpadmin"_s, {u"-d"_s, Queue}));
    QCOMPARE(QPrinterInfo::defaultPrinterName(), Queue);

    // The printable area of the queue's paper.
    printer.setPortrait();
    const double pixelsPerPoint = printer.qprinter().resolution() / 72.0;
    QCOMPARE(printer.pageSize(), QSize(qRound((PaperWidth - 2 * PaperMargin) * pixelsPerPoint),
                                       qRound((PaperHeight - 2 * PaperMargin) * pixelsPerPoint)));

    // An abandoned job never reaches the queue (it would be job 1).
    printer.setJobTitle(u"Abandoned"_s);
    printer.begin();
    printer.nextPage().Rectangle(0, 0, 100, 100);
    printer.abort();

    PrintRun print;
    print.printAll(printer);

    const QDir out(serverFile(u"out"_s));
    QElapsedTimer waited;
    waited.start();
    std::optional<QString> pending;
    do {
        QTest::qWait(100);
        pending = lp(u"lpstat"_s, {u"-W"_s, u"not-completed"_s, u"-o"_s});
    } while (
        (!pending || !pending->isEmpty() || out.entryList({u"*.pdf"_s}, QDir::Files).size() < 3) &&
        waited.elapsed() < 15000);
    QVERIFY2(pending && pending->isEmpty(),
             qPrintable(u"jobs not completed: "_s + pending.value_or(u"lpstat failed"_s)));

    const QString completed =
        lp(u"lpstat"_s, {u"-W"_s, u"completed"_s, u"-o"_s}).value_or(QString());
    QStringList jobs;
    for (const QString &line : completed.split(u'\n', Qt::SkipEmptyParts)) {
        jobs << line.section(u' ', 0, 0);
    }
    jobs.sort();
    const QStringList expected{Queue + u"-1"_s, Queue + u"-2"_s, Queue + u"-3"_s};
    QCOMPARE(jobs, expected);
    QCOMPARE(out.entryList({u"*.pdf"_s}, QDir::Files, QDir::Name),
             (QStringList{u"1.pdf"_s, u"2.pdf"_s, u"3.pdf"_s}));

    const QRegularExpression pageSize(u"^(\\d+(?:\\.\\d+)?) x (\\d+(?:\\.\\d+)?) pts"_s);
    for (int job = 1; job <= 3; ++job) {
        QFile title(out.filePath(u"%1.title"_s.arg(job)));
        QVERIFY(title.open(QIODevice::ReadOnly));
        QCOMPARE(title.readAll().trimmed(), "Hekira");

        const QString pdf = out.filePath(u"%1.pdf"_s.arg(job));
        const QMap<QString, QString> info = pdfInfo(pdf);
        QCOMPARE(info.value(u"Pages"_s), u"1"_s);
        // The text was drawn, in the face that stands in for ＭＳ 明朝.
        QVERIFY(run(u"pdffonts"_s, {pdf}).value_or(QString()).contains(u"IPAMincho"_s));
        const QRegularExpressionMatch size = pageSize.match(info.value(u"Page size"_s));
        QVERIFY2(size.hasMatch(), qPrintable(info.value(u"Page size"_s)));
        QCOMPARE(qRound(size.captured(1).toDouble()), PaperWidth);
        QCOMPARE(qRound(size.captured(2).toDouble()), PaperHeight);
    }
}

void TestCupsPrinting::cleanupTestCase()
{
    m_server.reset();
}

bool TestCupsPrinting::writeFromTemplate(const QString &name)
{
    QFile source(QStringLiteral(HEKIRA_CUPS_FILES) + u'/' + name);
    QFile target(serverFile(name));
    if (!source.open(QIODevice::ReadOnly) || !target.open(QIODevice::WriteOnly)) {
        return false;
    }
    const QByteArray text = source.readAll().replace("@DIR@", m_folder.path().toLocal8Bit());
    return target.write(text) == text.size();
}

std::optional<QString> TestCupsPrinting::lp(const QString &tool, const QStringList &arguments)
{
    return run(findTool(tool), QStringList{u"-h"_s, m_socket} + arguments);
}

QTEST_MAIN(TestCupsPrinting)
#include "tst_cupsprinting.moc"
