#include "worksheet.h"

#include "gridgeometry.h"
#include "pageoutput.h"

Worksheet::Worksheet(const SheetSettings &settings, LineList lines, qint32 linesPerPage,
                     RandomGenerator &random)
    : m_settings(settings), m_lines(std::move(lines)), m_linesPerPage(linesPerPage),
      m_engine(random)
{
}

Worksheet::Worksheet(const SheetSettings &settings, LineList lines, RandomGenerator &random)
    : Worksheet(settings, std::move(lines), linesPerPageFor(settings), random)
{
}

qint32 Worksheet::linesPerPageFor(const SheetSettings &settings)
{
    return LinesPerPageFor(settings.FuriganaFrame, settings.FrameNum);
}

qint32 Worksheet::lineCount() const
{
    return static_cast<qint32>(qMin<qsizetype>(m_lines.count(), INT32_MAX));
}

qint32 Worksheet::pageCount() const
{
    if (m_linesPerPage <= 0) {
        return 1;
    }
    const qint64 lines = lineCount();
    return static_cast<qint32>(qMax<qint64>(1, (lines + m_linesPerPage - 1) / m_linesPerPage));
}

qint32 Worksheet::pageTop(qint32 page) const
{
    return static_cast<qint32>(qMin<qint64>(qint64(page) * qMax(m_linesPerPage, 0), INT32_MAX));
}

void Worksheet::drawPage(DrawingSurface &surface, QSize size, qint32 page)
{
    PageState state;
    state.LinesPerPage = m_linesPerPage;
    state.PageTop = pageTop(page);
    m_engine.MakePrint(surface, size.width(), size.height(), m_settings, m_lines, state);
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
