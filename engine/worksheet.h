#pragma once

#include "linelist.h"
#include "pageengine.h"
#include "sheetsettings.h"

#include <QSize>
#include <optional>

class PageOutput;
class RandomGenerator;

/// A worksheet: the lines, a snapshot of the sheet options and the page step,
/// and the one place that knows how the lines fall into pages. Every target
/// (preview, printer, PDF, image, trace) gets its pages from here.
class Worksheet {
public:
    /// Paged by `linesPerPage` lines: the step of the window's last preview; 0
    /// before any is known, when the text is one page. With readings on, each
    /// line gets the reading marks of its kanji (throws HekiraError when the
    /// dictionary cannot be loaded).
    Worksheet(const SheetSettings &settings, LineList lines, qint32 linesPerPage,
              RandomGenerator &random);
    /// Paged as its own options say.
    Worksheet(const SheetSettings &settings, LineList lines, RandomGenerator &random);

    /// Lines a page holds for these options; 0 when the cell count or the
    /// furigana option is outside the table.
    static qint32 linesPerPageFor(const SheetSettings &settings);

    qint32 linesPerPage() const { return m_linesPerPage; }
    qint32 lineCount() const;
    /// Pages the lines fill; an empty text is still one sheet. A reading test
    /// with answers has twice as many: the answer pages follow the questions.
    qint32 pageCount() const;
    /// The first line of a page (0-based); an answer page has its question's.
    qint32 pageTop(qint32 page) const;

    /// Draws page `page` onto a surface of `size` device pixels. Throws HekiraError
    /// when the print number is on and its text is no integer.
    void drawPage(DrawingSurface &surface, QSize size, qint32 page);
    /// Writes `count` pages from `first` as one document of the output; a failure
    /// abandons the document and throws.
    void write(PageOutput &output, qint32 first, qint32 count);

    /// The options as the last page drawn left them (it reads the print number).
    /// Readings turn the furigana boxes on, and a reading test the readings.
    const SheetSettings &settings() const { return m_settings; }

private:
    qint32 questionPages() const;
    bool answerPage(qint32 page) const;

    SheetSettings m_settings;
    LineList m_lines;
    qint32 m_linesPerPage;
    RandomGenerator &m_random;
    PageEngine m_engine;
    /// The generator as the first question page's last drawing found it, so that
    /// its answer page shows the lines in the same random order.
    std::optional<RandomGenerator> m_firstPageRandom;
};
