#include "printcommands.h"

using namespace Qt::StringLiterals;

PrintCommands::PrintCommands(Printer &printer) : m_printer(printer)
{
}

void PrintCommands::printAll(Worksheet &sheet, bool oneJob)
{
    prepare();
    if (sheet.lineCount() == 0) {
        return;
    }
    const qint32 pages = sheet.pageCount();
    if (oneJob) {
        sheet.write(m_printer, 0, pages);
        return;
    }
    for (qint32 page = 0; page < pages; ++page) {
        sheet.write(m_printer, page, 1);
    }
}

void PrintCommands::printPage(Worksheet &sheet, qint32 page)
{
    prepare();
    sheet.write(m_printer, page, 1);
}

void PrintCommands::advancePrintNumber(SheetSettings &settings)
{
    settings.PrintNumber = static_cast<qint32>(static_cast<quint32>(settings.PrintNumber) + 1u);
    settings.PrnNumText = QString::number(settings.PrintNumber);
}

void PrintCommands::prepare()
{
    m_printer.setPortrait();
    m_printer.setJobTitle(u"Hekira"_s);
}
