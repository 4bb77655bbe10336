#include "commandline.h"
#include "hekiraerror.h"
#include "linelist.h"
#include "lineoperations.h"
#include "qtdialogs.h"
#include "qtprinter.h"
#include "settingsstore.h"
#include "sheetexporter.h"
#include "tmain.h"
#include "usageerror.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTextStream>
#include <cstdio>
#include <optional>

namespace {

using namespace Qt::StringLiterals;

void writeOutput(const QString &path, const QByteArray &bytes)
{
    if (path == u"-"_s) {
        std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stdout);
        std::fflush(stdout);
        return;
    }
    TextFile::write(path, bytes);
}

LineList readLines(const ExportRequest &request)
{
    if (request.textFile.isEmpty()) {
        return LineList();
    }
    bool lossless = true;
    const QByteArray text =
        TextFile::toCp932(TextFile::read(request.textFile), request.encoding, &lossless);
    if (!lossless) {
        QTextStream(stderr) << u"hekira: Shift_JIS で表せない文字を \"？\" に置き換えました。"_s
                            << Qt::endl;
    }
    return LineList::fromText(text);
}

// The lines as the window saves a text file: each line followed by CR LF, a blank
// line (0x0D) written empty so that it reads back as one line. Lines here are
// CP932 bytes already (what CP932 lacks was replaced, with a warning, when they
// were read), so they are written as they are, in Shift_JIS.
QByteArray textFileBytes(const LineList &lines)
{
    QByteArray bytes;
    for (qsizetype i = 0; i < lines.count(); ++i) {
        const QByteArray line = lines.wholeLine(i);
        if (line != QByteArrayView(&LineOperations::BlankLineByte, 1)) {
            bytes += line;
        }
        bytes += "\r\n";
    }
    return bytes;
}

int exportSheets(const ExportRequest &request)
{
    LineList lines = readLines(request);
    for (const LineOperations::Edit &edit : request.edits) {
        lines = LineOperations::apply(lines, edit);
    }
    SheetExporter exporter(request, lines);
    // Every page is drawn before any file is written.
    const QByteArray text = request.textOutFile.isEmpty() ? QByteArray() : textFileBytes(lines);
    const QByteArray png = request.pngFile.isEmpty() ? QByteArray() : exporter.png();
    const QByteArray pdf = request.pdfFile.isEmpty() ? QByteArray() : exporter.pdf();
    const QByteArray trace = request.traceFile.isEmpty() ? QByteArray() : exporter.trace();
    const QByteArray preview =
        request.previewPngFile.isEmpty() ? QByteArray() : exporter.previewPng();
    if (!request.pngFile.isEmpty()) {
        writeOutput(request.pngFile, png);
    }
    if (!request.pdfFile.isEmpty()) {
        writeOutput(request.pdfFile, pdf);
    }
    if (!request.traceFile.isEmpty()) {
        writeOutput(request.traceFile, trace);
    }
    if (!request.previewPngFile.isEmpty()) {
        writeOutput(request.previewPngFile, preview);
    }
    if (!request.textOutFile.isEmpty()) {
        writeOutput(request.textOutFile, text);
    }
    return 0;
}

int runWindow(QApplication &application, const ExportRequest &request)
{
    QtPrinter printer;
    QtDialogs dialogs;
    const SettingsStore settings(SettingsStore::defaultPath());
    TMain window(printer, dialogs, settings);
    window.show();
    if (!request.textFile.isEmpty()) {
        try {
            window.openFile(request.textFile, request.encoding);
        } catch (const HekiraError &error) {
            dialogs.showError(&window, error.message());
        }
    }
    return application.exec();
}

QStringList argumentList(int argc, char **argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        arguments << QString::fromLocal8Bit(argv[i]);
    }
    return arguments;
}

int run(int argc, char **argv, const ExportRequest &request)
{
    if (request.help) {
        QTextStream(stdout) << CommandLine::usage();
        return 0;
    }
    if (request.hasOutput()) {
        // Outside a desktop session Qt would warn on stderr for want of a runtime
        // folder; a private one serves the offscreen platform while the program runs.
        std::optional<QTemporaryDir> runtime;
        qputenv("QT_QPA_PLATFORM", "offscreen");
        if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
            runtime.emplace();
            qputenv("XDG_RUNTIME_DIR", runtime->path().toLocal8Bit());
        }
        QApplication application(argc, argv);
        return exportSheets(request);
    }
    if (request.sheetOptions) {
        throw UsageError(
            u"シートの設定は出力 (--png, --pdf, --trace, --preview-png, --text-out) "
            u"と共に指定してください。ウィンドウにはテキストファイルだけを渡せます。"_s);
    }
    const bool display = !qEnvironmentVariableIsEmpty("DISPLAY") ||
                         !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
                         !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
    if (!display) {
        throw HekiraError(u"画面がないのでウィンドウを開けません。--png や --pdf などの出力を"
                          u"指定すると、ウィンドウなしでシートを書き出せます (--help を参照)。"_s);
    }
    QApplication application(argc, argv);
    QApplication::setApplicationName(u"Hekira"_s);
    return runWindow(application, request);
}

} // namespace

int main(int argc, char **argv)
{
    // The command line is read before Qt starts, so that help and mistakes are
    // answered without a display.
    QTextStream err(stderr);
    try {
        return run(argc, argv, CommandLine::parse(argumentList(argc, argv)));
    } catch (const UsageError &error) {
        err << "hekira: " << error.message() << Qt::endl;
        return 2;
    } catch (const HekiraError &error) {
        err << "hekira: " << error.message() << Qt::endl;
        return 1;
    }
}
