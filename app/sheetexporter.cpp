#include "sheetexporter.h"

#include "gridgeometry.h"
#include "pagesurface.h"
#include "rastersurface.h"
#include "recordingsurface.h"
#include "rotater90.h"

#include <QBuffer>
#include <QPainter>
#include <QPdfWriter>
#include <charconv>

namespace {

using namespace Qt::StringLiterals;

constexpr QSize TraceSize(320, 441); // the reference page, as the preview draws it
constexpr QSize PngSize(2480, 3508); // A4 at 300 dpi

QByteArray encodePng(const QImage &image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

QByteArray shortestDecimal(float value)
{
    char text[32];
    const auto result = std::to_chars(std::begin(text), std::end(text), value);
    return QByteArray(text, result.ptr - text);
}

} // namespace

SheetExporter::SheetExporter(const ExportRequest &request, const LineList &lines)
    : m_request(request), m_lines(lines), m_settings(request.settings),
      m_random(request.seed.value_or(RandomGenerator::clockSeed())), m_engine(m_random)
{
}

qint32 SheetExporter::pageCount() const
{
    const qint32 linesPerPage = LinesPerPageFor(m_settings.FuriganaFrame, m_settings.FrameNum);
    const qint32 lines = static_cast<qint32>(m_lines.count());
    return linesPerPage > 0 ? qMax(1, (lines + linesPerPage - 1) / linesPerPage) : 1;
}

PageState SheetExporter::pageState(qint32 pageIndex) const
{
    PageState state;
    state.LinesPerPage = LinesPerPageFor(m_settings.FuriganaFrame, m_settings.FrameNum);
    state.PageTop = pageIndex * state.LinesPerPage;
    state.NextPageTop = state.PageTop + state.LinesPerPage;
    return state;
}

QByteArray SheetExporter::png()
{
    const QSize size = m_request.size.value_or(PngSize);
    return encodePng(drawImage(size));
}

QByteArray SheetExporter::previewPng()
{
    const QImage page = drawImage(TraceSize);
    QImage box(page.height(), page.width(), QImage::Format_RGB32);
    RotateR90(page, box);
    return encodePng(box);
}

QImage SheetExporter::drawImage(QSize size)
{
    RasterSurface surface(size.width(), size.height());
    m_engine.MakePrint(surface, size.width(), size.height(), m_settings, m_lines,
                       pageState(m_request.page - 1));
    return surface.image();
}

QByteArray SheetExporter::pdf()
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setTitle(u"Hekira"_s);
        writer.setCreator(u"Hekira"_s);
        writer.setResolution(m_request.dpi);
        writer.setPageSize(QPageSize(m_request.paper));
        writer.setPageMargins(QMarginsF());
        QPainter painter(&writer);
        PageSurface surface(painter);
        const qint32 pages = pageCount();
        for (qint32 page = 0; page < pages; ++page) {
            if (page > 0) {
                writer.newPage();
            }
            m_engine.MakePrint(surface, writer.width(), writer.height(), m_settings, m_lines,
                               pageState(page));
        }
    }
    return bytes;
}

QByteArray SheetExporter::trace()
{
    const QSize size = m_request.size.value_or(TraceSize);
    const qint32 first = m_request.allPages ? 0 : m_request.page - 1;
    const qint32 last = m_request.allPages ? pageCount() - 1 : first;
    QByteArray text;
    RecordingSurface surface;
    for (qint32 page = first; page <= last; ++page) {
        m_engine.MakePrint(surface, size.width(), size.height(), m_settings, m_lines,
                           pageState(page));
        text += "page " + QByteArray::number(size.width()) + ' ' +
                QByteArray::number(size.height()) + ' ' +
                shortestDecimal(m_engine.drawScale().value()) + '\n';
        for (const QByteArray &line : surface.takeLines()) {
            text += line + '\n';
        }
    }
    return text;
}
