#include "commandline.h"
#include "fontfaces.h"
#include "gradekanji.h"
#include "hekiraerror.h"
#include "lineoperations.h"
#include "outputfile.h"
#include "pdfoutput.h"
#include "pngoutput.h"
#include "qtdialogs.h"
#include "qtprinter.h"
#include "randomgenerator.h"
#include "settingsstore.h"
#include "strokeorder.h"
#include "textdocument.h"
#include "textfile.h"
#include "tmain.h"
#include "traceoutput.h"
#include "usageerror.h"
#include "worksheet.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTextStream>
#include <optional>

namespace {

using namespace Qt::StringLiterals;

constexpr QSize TraceSize(320, 441); // the reference page, as the preview draws it
constexpr QSize PngSize(2480, 3508); // A4 at 300 dpi

// The text as the window reads it, the kanji of a grade, or new text when there is none.
TextDocument readDocument(const ExportRequest &request)
{
    if (request.grade != 0) {
        return GradeKanji::document(request.grade);
    }
    if (request.textFile.isEmpty()) {
        return TextDocument();
    }
    return TextDocument::fromBytes(TextFile::read(request.textFile), request.encoding);
}

// Parse, load, build, write: each output streams into a file of its own, which
// replaces an older one only once it is written whole.
int exportSheets(const ExportRequest &request)
{
    TextDocument document = readDocument(request);
    if (!request.edits.isEmpty()) {
        LineList lines = document.lines();
        for (const LineOperations::Edit &edit : request.edits) {
            lines = LineOperations::apply(lines, edit);
        }
        document.setLines(lines);
    }
    if (const QString note = StrokeOrderNote(request.settings); !note.isEmpty()) {
        QTextStream(stderr) << u"hekira: 注意: "_s << note << Qt::endl;
    }
    RandomGenerator random(request.seed.value_or(RandomGenerator::clockSeed()));
    Worksheet sheet(request.settings, document.pageLines(), random);
    FontFaces faces;
    const qint32 page = request.page - 1;
    if (!request.pngFile.isEmpty()) {
        PngOutput png(request.pngFile, request.size.value_or(PngSize), faces);
        sheet.write(png, page, 1);
    }
    if (!request.pdfFile.isEmpty()) {
        PdfOutput pdf(request.pdfFile, u"Hekira"_s, request.paper, request.dpi);
        sheet.write(pdf, 0, sheet.pageCount());
    }
    if (!request.traceFile.isEmpty()) {
        TraceOutput trace(request.traceFile, request.size.value_or(TraceSize));
        if (request.allPages) {
            sheet.write(trace, 0, sheet.pageCount());
        } else {
            sheet.write(trace, page, 1);
        }
    }
    if (!request.previewPngFile.isEmpty()) {
        PngOutput preview(request.previewPngFile, TraceSize, faces, PngOutput::Turn::Clockwise);
        sheet.write(preview, page, 1);
    }
    if (!request.textOutFile.isEmpty()) {
        OutputFile text(request.textOutFile);
        text.open();
        text.write(document.toBytes());
        text.commit();
    }
    return 0;
}

// The faces --font and the window's font dialog offer, one a line.
int listFonts()
{
    QTextStream out(stdout);
    for (const QString &face : FontFaces::choices()) {
        out << face << '\n';
    }
    return 0;
}

int runWindow(QApplication &application, const ExportRequest &request)
{
    QtPrinter printer;
    QtDialogs dialogs(printer.qprinter());
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
    if (request.version) {
        QTextStream(stdout) << "hekira " HEKIRA_VERSION "\n";
        return 0;
    }
    if (request.hasOutput() || request.listFonts) {
        // Outside a desktop session Qt would warn on stderr for want of a runtime
        // folder; a private one serves the offscreen platform while the program runs.
        std::optional<QTemporaryDir> runtime;
        qputenv("QT_QPA_PLATFORM", "offscreen");
        if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
            runtime.emplace();
            qputenv("XDG_RUNTIME_DIR", runtime->path().toLocal8Bit());
        }
        QApplication application(argc, argv);
        return request.listFonts ? listFonts() : exportSheets(request);
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
        const SettingsStore stored(SettingsStore::defaultPath());
        return run(argc, argv, CommandLine::parse(argumentList(argc, argv), stored));
    } catch (const UsageError &error) {
        err << "hekira: " << error.message() << Qt::endl;
        return 2;
    } catch (const HekiraError &error) {
        err << "hekira: " << error.message() << Qt::endl;
        return 1;
    }
}
