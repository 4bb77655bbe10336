#pragma once

#include "linelist.h"
#include "pageengine.h"
#include "sheetsettings.h"

#include <QSize>

class PageOutput;
class RandomGenerator;

/// A worksheet: the lines, a snapshot of the sheet options and the page step,
/// and the one place that knows how the lines fall into pages. Every target
/// (preview, printer, PDF, image, trace) gets its pages from here.
class Worksheet {
public:
    /// Paged by `linesPerPage` lines: the step of the window's last preview; 0
    /// before any is known, when the text is one page.
    Worksheet(const SheetSettings &settings, LineList lines, qint32 linesPerPage,
              RandomGenerator &random);
    /// Paged as its own options say.
    Worksheet(const SheetSettings &settings, LineList lines, RandomGenerator &random);

    /// Lines a page holds for these options; 0 when the cell count or the
    /// furigana option is outside the table.
    static qint32 linesPerPageFor(const SheetSettings &settings);

    qint32 linesPerPage() const { return m_linesPerPage; }
    qint32 lineCount() const;
    /// Pages the lines fill; an empty text is still one sheet.
    qint32 pageCount() const;
    /// The first line of a page (0-based).
    qint32 pageTop(qint32 page) const;

    /// Draws page `page` onto a surface of `size` device pixels. Throws HekiraError
    /// when the print number is on and its text is no integer.
    void drawPage(DrawingSurface &surface, QSize size, qint32 page);
    /// Writes `count` pages from `first` as one document of the output; a failure
    /// abandons the document and throws.
    void write(PageOutput &output, qint32 first, qint32 count);

    /// The options as the last page drawn left them (it reads the print number).
    const SheetSettings &settings() const { return m_settings; }
    const LineList &lines() const { return m_lines; }

private:
    SheetSettings m_settings;
    LineList m_lines;
    qint32 m_linesPerPage;
    PageEngine m_engine;
};
