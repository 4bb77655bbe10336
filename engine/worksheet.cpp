#include "worksheet.h"

#include "gridgeometry.h"
#include "pageoutput.h"
#include "rubyannotator.h"

namespace {

// What the reading options imply: a test shows readings, and readings need their boxes.
SheetSettings settled(SheetSettings settings)
{
    if (settings.ReadingTest == 1) {
        settings.Readings = 1;
    }
    if (settings.Readings == 1) {
        settings.FuriganaFrame = 1;
    }
    return settings;
}

// The lines with a reading mark on every kanji, when the sheet shows readings.
LineList withReadings(const SheetSettings &settings, LineList lines)
{
    if (settings.Readings != 1) {
        return lines;
    }
    LineList marked;
    for (qsizetype i = 0; i < lines.count(); ++i) {
        marked.add(Cp932::encode(RubyAnnotator::annotate(Cp932::decode(lines.wholeLine(i)))));
    }
    return marked;
}

} // namespace

Worksheet::Worksheet(const SheetSettings &settings, LineList lines, qint32 linesPerPage,
                     RandomGenerator &random)
    : m_settings(settled(settings)), m_lines(withReadings(m_settings, std::move(lines))),
      m_linesPerPage(linesPerPage), m_random(random), m_engine(random)
{
}

Worksheet::Worksheet(const SheetSettings &settings, LineList lines, RandomGenerator &random)
    : Worksheet(settings, std::move(lines), linesPerPageFor(settings), random)
{
}

qint32 Worksheet::linesPerPageFor(const SheetSettings &settings)
{
    const SheetSettings sheet = settled(settings);
    return LinesPerPageFor(sheet.FuriganaFrame, sheet.FrameNum);
}

qint32 Worksheet::lineCount() const
{
    return static_cast<qint32>(qMin<qsizetype>(m_lines.count(), INT32_MAX));
}

qint32 Worksheet::questionPages() const
{
    if (m_linesPerPage <= 0) {
        return 1;
    }
    const qint64 lines = lineCount();
    return static_cast<qint32>(qMax<qint64>(1, (lines + m_linesPerPage - 1) / m_linesPerPage));
}

qint32 Worksheet::pageCount() const
{
    const bool answers = m_settings.ReadingTest == 1 && m_settings.Answers == 1;
    return static_cast<qint32>(
        qMin<qint64>(qint64(questionPages()) * (answers ? 2 : 1), INT32_MAX));
}

bool Worksheet::answerPage(qint32 page) const
{
    const qint32 questions = questionPages();
    return page >= questions && pageCount() > questions;
}

qint32 Worksheet::pageTop(qint32 page) const
{
    const qint32 question = answerPage(page) ? page - questionPages() : page;
    return static_cast<qint32>(qMin<qint64>(qint64(question) * qMax(m_linesPerPage, 0), INT32_MAX));
}

void Worksheet::drawPage(DrawingSurface &surface, QSize size, qint32 page)
{
    PageState state;
    state.LinesPerPage = m_linesPerPage;
    state.PageTop = pageTop(page);
    if (!answerPage(page)) {
        if (state.PageTop == 0) {
            m_firstPageRandom = m_random;
        }
        m_engine.MakePrint(surface, size.width(), size.height(), m_settings, m_lines, state);
        return;
    }
    // An answer page is its question page with the kanji drawn, the lines in the
    // same random order; it leaves the generator for the next question as it was.
    SheetSettings answers = m_settings;
    answers.ReadingTest = 0;
    RandomGenerator random = m_firstPageRandom.value_or(m_random);
    PageEngine(random).MakePrint(surface, size.width(), size.height(), answers, m_lines, state);
    m_settings.PrintNumber = answers.PrintNumber;
}

void Worksheet::write(PageOutput &output, qint32 first, qint32 count)
{
    const QSize size = output.pageSize();
    output.begin();
    try {
        for (qint32 page = first; page < first + count; ++page) {
            drawPage(output.nextPage(), size, page);
        }
        output.finish();
    } catch (...) {
        output.abort();
        throw;
    }
}
