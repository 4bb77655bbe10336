#include "pdfoutput.h"

#include "hekiraerror.h"
#include "pagesurface.h"

#include <QPainter>
#include <QPdfWriter>

using namespace Qt::StringLiterals;

PdfOutput::PdfOutput(const QString &path, const QString &title, QPageSize::PageSizeId paper,
                     int dpi)
    : m_file(path), m_title(title), m_paper(paper), m_dpi(dpi)
{
}

PdfOutput::~PdfOutput()
{
    abort();
}

void PdfOutput::begin()
{
    if (m_painter) {
        throw HekiraError(u"現在印刷中です"_s);
    }
    m_file.open();
    m_writer = std::make_unique<QPdfWriter>(&m_file.device());
    m_writer->setTitle(m_title);
    m_writer->setCreator(u"Hekira"_s);
    m_writer->setResolution(m_dpi);
    m_writer->setPageSize(m_paper);
    m_writer->setPageMargins(QMarginsF());
    m_painter = std::make_unique<QPainter>();
    if (!m_painter->begin(m_writer.get())) {
        m_file.fail(u"PDF の描画を開始できません。"_s);
    }
    m_canvas = std::make_unique<PageSurface>(*m_painter);
    m_pages = 0;
}

QSize PdfOutput::pageSize() const
{
    return m_paper.sizePixels(m_dpi);
}

DrawingSurface &PdfOutput::nextPage()
{
    if (!m_canvas) {
        m_file.fail(u"文書が開かれていません。"_s);
    }
    m_file.check();
    m_canvas->flush(); // the figures held back belong to the page that ends
    if (m_pages > 0 && !m_writer->newPage()) {
        m_file.fail(u"次のページを開始できません。"_s);
    }
    ++m_pages;
    return *m_canvas;
}

void PdfOutput::finish()
{
    if (!m_painter) {
        m_file.fail(u"文書が開かれていません。"_s);
    }
    m_canvas->flush(); // the last page's held figures
    m_canvas.reset();
    const bool ended = m_painter->end();
    m_painter.reset();
    m_writer.reset();
    if (!ended) {
        m_file.fail(u"PDF を書き終えられません。"_s);
    }
    m_file.commit();
}

void PdfOutput::abort()
{
    m_canvas.reset();
    m_painter.reset();
    m_writer.reset();
    m_file.cancel();
}
