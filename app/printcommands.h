#pragma once

#include "linelist.h"
#include "pageengine.h"
#include "pagestate.h"
#include "printer.h"
#include "sheetsettings.h"

#include <QSize>

/// Print all and print page: every page drawn by the engine onto the printer's
/// page at the printer's resolution, one job a page titled "Hekira".
class PrintCommands {
public:
    PrintCommands(Printer &printer, PageEngine &engine);

    /// Prints the text a page of state.LinesPerPage lines at a time, from its first
    /// line; state.PageTop is the same afterwards. Then advances the print number.
    void printAll(SheetSettings &settings, const LineList &exMoji, PageState &state);
    /// Prints the page starting at state.PageTop, then advances the print number.
    void printPage(SheetSettings &settings, const LineList &exMoji, const PageState &state);

private:
    QSize preparePrinter();
    void printJobPage(SheetSettings &settings, const LineList &exMoji, const PageState &state,
                      QSize page, bool newJob);
    static void advancePrintNumber(SheetSettings &settings);

    Printer &m_printer;
    PageEngine &m_engine;
};
