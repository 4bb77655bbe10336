#include "pdfprinter.h"

#include "hekiraerror.h"
#include "pagesurface.h"

#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

PdfPrinter::PdfPrinter(const QString &fileName, QPageSize::PageSizeId paper, int dpi)
    : m_fileName(fileName), m_paper(paper), m_dpi(dpi)
{
}

PdfPrinter::~PdfPrinter()
{
    closeJob();
}

void PdfPrinter::setPortrait()
{
}

int PdfPrinter::pageWidth() const
{
    return m_paper.sizePixels(m_dpi).width();
}

int PdfPrinter::pageHeight() const
{
    return m_paper.sizePixels(m_dpi).height();
}

void PdfPrinter::setJobTitle(const QString &title)
{
    m_title = title;
}

void PdfPrinter::beginJob()
{
    if (m_painter) {
        throw HekiraError(QStringLiteral("現在印刷中です"));
    }
    m_file = std::make_unique<QSaveFile>(m_fileName);
    if (!m_file->open(QIODevice::WriteOnly)) {
        const QString reason = m_file->errorString();
        m_file.reset();
        throw HekiraError(
            QStringLiteral("ファイル \"%1\" を作成できません。%2").arg(m_fileName, reason));
    }
    m_writer = std::make_unique<QPdfWriter>(m_file.get());
    m_writer->setTitle(m_title);
    m_writer->setCreator(QStringLiteral("Hekira"));
    m_writer->setResolution(m_dpi);
    m_writer->setPageSize(m_paper);
    m_writer->setPageMargins(QMarginsF());
    m_painter = std::make_unique<QPainter>(m_writer.get());
    m_canvas = std::make_unique<PageSurface>(*m_painter);
}

void PdfPrinter::newPage()
{
    m_writer->newPage();
}

DrawingSurface &PdfPrinter::pageCanvas()
{
    return *m_canvas;
}

void PdfPrinter::endJob()
{
    m_canvas.reset();
    m_painter->end();
    m_writer.reset();
    const bool written = m_file->commit();
    const QString reason = m_file->errorString();
    closeJob();
    if (!written) {
        throw HekiraError(
            QStringLiteral("ファイル \"%1\" を作成できません。%2").arg(m_fileName, reason));
    }
}

void PdfPrinter::abortJob()
{
    closeJob();
}

bool PdfPrinter::printsToFile() const
{
    return true;
}

void PdfPrinter::setup(QWidget *)
{
}

void PdfPrinter::closeJob()
{
    m_canvas.reset();
    m_painter.reset();
    m_writer.reset();
    if (m_file) {
        m_file->cancelWriting();
        m_file.reset();
    }
}
