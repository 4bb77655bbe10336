#pragma once

#include "printer.h"
#include "sheetsettings.h"
#include "worksheet.h"

/// Print all and print page: every page drawn onto the printer's page at the
/// printer's resolution, as jobs titled "Hekira".
class PrintCommands {
public:
    explicit PrintCommands(Printer &printer);

    /// Prints every page of the worksheet from its first line, a job a page, or all
    /// in one job when `oneJob` (a printer that writes a file would otherwise keep
    /// only the last page). No lines, no job.
    void printAll(Worksheet &sheet, bool oneJob);
    /// Prints one page of the worksheet.
    void printPage(Worksheet &sheet, qint32 page);

    /// The print number a command leaves for the next: one more than it printed.
    static void advancePrintNumber(SheetSettings &settings);

private:
    void prepare();

    Printer &m_printer;
};
