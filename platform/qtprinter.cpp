#include "qtprinter.h"

#include "fontfaces.h"
#include "hekiraerror.h"
#include "pagesurface.h"

#include <QFile>
#include <QPrintEngine>
#include <QPrinterInfo>

using namespace Qt::StringLiterals;

namespace {

// Qt's own key for the options its CUPS engine sends with a job (PPK_CupsOptions in
// Qt's private qcups_p.h): name, value, name, value...
constexpr auto CupsOptions = QPrintEngine::PrintEnginePropertyKey(0xfe00);

} // namespace

QtPrinter::QtPrinter() : m_printer(QPrinter::HighResolution)
{
    m_printer.setFullPage(false);
    if (m_printer.outputFormat() == QPrinter::NativeFormat) {
        usePrinter(m_printer.printerName());
    }
}

QtPrinter::~QtPrinter()
{
    abort();
}

void QtPrinter::setPortrait()
{
    // With no printer Qt still offers a "valid" QPrinter: a PDF going nowhere.
    if (m_printer.outputFileName().isEmpty()) {
        const QList<QPrinterInfo> printers = QPrinterInfo::availablePrinters();
        if (printers.isEmpty()) {
            throw HekiraError(u"デフォルト プリンタが存在しません"_s);
        }
        if (m_printer.outputFormat() != QPrinter::NativeFormat) {
            // Made before a printer was installed.
            const QPrinterInfo printer = QPrinterInfo::defaultPrinter();
            usePrinter(printer.isNull() ? printers.first().printerName() : printer.printerName());
        }
    }
    if (!m_printer.setPageOrientation(QPageLayout::Portrait)) {
        throw HekiraError(u"選択されたプリンタではサポートされていない機能です"_s);
    }
}

void QtPrinter::setJobTitle(const QString &title)
{
    m_printer.setDocName(title);
}

void QtPrinter::begin()
{
    if (m_painter.isActive()) {
        throw HekiraError(u"現在印刷中です"_s);
    }
    if (!m_faces) {
        m_faces = std::make_unique<FontFaces>();
    }
    if (!m_painter.begin(&m_printer)) {
        throw HekiraError(u"印刷を開始できません"_s);
    }
    m_canvas = std::make_unique<PageSurface>(m_painter, *m_faces);
    m_pages = 0;
}

QSize QtPrinter::pageSize() const
{
    // Height first, as the print commands have always read it.
    const int height = m_printer.height();
    return QSize(m_printer.width(), height);
}

DrawingSurface &QtPrinter::nextPage()
{
    if (!m_canvas) {
        throw HekiraError(u"印刷を開始していません"_s);
    }
    m_canvas->flush(); // the figures held back belong to the page that ends
    if (m_pages > 0 && !m_printer.newPage()) {
        abort();
        throw HekiraError(u"次のページを開始できません"_s);
    }
    ++m_pages;
    return *m_canvas;
}

void QtPrinter::finish()
{
    if (!m_painter.isActive()) {
        throw HekiraError(u"印刷を開始していません"_s);
    }
    m_canvas->flush(); // the last page's held figures
    m_canvas.reset();
    if (!m_painter.end()) {
        throw HekiraError(u"印刷を終了できません"_s);
    }
}

void QtPrinter::abort()
{
    if (!m_painter.isActive()) {
        return;
    }
    m_canvas.reset();
    if (m_printer.abort()) {
        m_painter.end();
        return;
    }
    // Qt's PDF and CUPS engines cannot abort: ending the painter finishes the file
    // or hands the job to the spooler.
    const QString fileName = m_printer.outputFileName();
    if (fileName.isEmpty()) {
        endRefusingJob();
    } else {
        m_painter.end();
        QFile::remove(fileName);
    }
}

void QtPrinter::usePrinter(const QString &name)
{
    m_printer.setPrinterName(name);
    // Qt starts on A4 whatever paper the printer holds.
    const QPageSize paper = QPrinterInfo::printerInfo(name).defaultPageSize();
    if (paper.isValid()) {
        m_printer.setPageSize(paper);
    }
}

void QtPrinter::endRefusingJob()
{
    // A job of zero copies is one that the CUPS server refuses to create, so nothing of
    // it is queued. The option goes first because the server reads the first "copies",
    // and Qt sends none of its own for one copy.
    QPrintEngine *engine = m_printer.printEngine();
    const QVariant options = engine->property(CupsOptions);
    const QVariant copies = engine->property(QPrintEngine::PPK_CopyCount);
    engine->setProperty(QPrintEngine::PPK_CopyCount, 1);
    engine->setProperty(CupsOptions, QStringList{u"copies"_s, u"0"_s} + options.toStringList());
    m_painter.end();
    engine->setProperty(CupsOptions, options);
    engine->setProperty(QPrintEngine::PPK_CopyCount, copies);
}
