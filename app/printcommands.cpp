#include "printcommands.h"

namespace {

const QString JobTitle = QStringLiteral("Hekira");

} // namespace

PrintCommands::PrintCommands(Printer &printer, PageEngine &engine)
    : m_printer(printer), m_engine(engine)
{
}

void PrintCommands::printAll(SheetSettings &settings, const LineList &exMoji, PageState &state)
{
    const QSize page = preparePrinter();
    const qint32 savedTop = state.PageTop;
    state.PageTop = 0;
    // A file target would be overwritten by each job: its pages share one job.
    const bool oneJob = m_printer.printsToFile();
    // Without a page size (no preview of a valid layout) the text is one page, never a
    // loop that does not end.
    const qint64 lines = exMoji.count();
    const qint64 step = state.LinesPerPage > 0 ? state.LinesPerPage : lines;
    try {
        for (qint64 remaining = lines; remaining > 0; remaining -= step) {
            const bool first = remaining == lines;
            printJobPage(settings, exMoji, state, page, !oneJob || first);
            if (!oneJob || remaining <= step) {
                m_printer.endJob();
            }
            state.PageTop += static_cast<qint32>(step);
        }
    } catch (...) {
        state.PageTop = savedTop;
        throw;
    }
    state.PageTop = savedTop;
    advancePrintNumber(settings);
}

void PrintCommands::printPage(SheetSettings &settings, const LineList &exMoji,
                              const PageState &state)
{
    const QSize page = preparePrinter();
    printJobPage(settings, exMoji, state, page, true);
    m_printer.endJob();
    advancePrintNumber(settings);
}

QSize PrintCommands::preparePrinter()
{
    m_printer.setPortrait();
    const int height = m_printer.pageHeight();
    const int width = m_printer.pageWidth();
    return QSize(width, height);
}

void PrintCommands::printJobPage(SheetSettings &settings, const LineList &exMoji,
                                 const PageState &state, QSize page, bool newJob)
{
    if (newJob) {
        m_printer.setJobTitle(JobTitle);
        m_printer.beginJob();
    } else {
        m_printer.newPage();
    }
    try {
        m_engine.MakePrint(m_printer.pageCanvas(), page.width(), page.height(), settings, exMoji,
                           state);
    } catch (...) {
        // A half-drawn page must not reach paper, and the next command needs the printer.
        m_printer.abortJob();
        throw;
    }
}

void PrintCommands::advancePrintNumber(SheetSettings &settings)
{
    settings.PrintNumber = static_cast<qint32>(static_cast<quint32>(settings.PrintNumber) + 1u);
    settings.PrnNumText = QString::number(settings.PrintNumber);
}
