#pragma once

#include "outputfile.h"
#include "pageoutput.h"

#include <QPageSize>
#include <QString>
#include <memory>

class QPainter;
class QPdfWriter;
class PageSurface;

/// A PDF file of whole pages without margins, streamed into the file as the
/// pages are drawn; the file replaces an older one only when the document ends.
class PdfOutput : public PageOutput {
public:
    PdfOutput(const QString &path, const QString &title,
              QPageSize::PageSizeId paper = QPageSize::A4, int dpi = 600);
    ~PdfOutput() override;

    void begin() override;
    QSize pageSize() const override;
    DrawingSurface &nextPage() override;
    void finish() override;
    void abort() override;

private:
    OutputFile m_file;
    QString m_title;
    QPageSize m_paper;
    int m_dpi;
    int m_pages = 0;
    std::unique_ptr<QPdfWriter> m_writer;
    std::unique_ptr<QPainter> m_painter;
    std::unique_ptr<PageSurface> m_canvas;
};
