#pragma once

#include "printer.h"

#include <QPageSize>
#include <QString>
#include <memory>

class QPainter;
class QPdfWriter;
class QSaveFile;
class PageSurface;

/// A printer whose one job is a PDF file: every page of the job goes into it.
/// The file is written only when the job ends; an abandoned job leaves any
/// existing file as it was.
class PdfPrinter : public Printer {
public:
    explicit PdfPrinter(const QString &fileName, QPageSize::PageSizeId paper = QPageSize::A4,
                        int dpi = 600);
    ~PdfPrinter() override;

    void setPortrait() override;
    int pageWidth() const override;
    int pageHeight() const override;
    void setJobTitle(const QString &title) override;
    void beginJob() override;
    void newPage() override;
    DrawingSurface &pageCanvas() override;
    void endJob() override;
    void abortJob() override;
    bool printsToFile() const override;
    void setup(QWidget *parent) override;

private:
    void closeJob();

    QString m_fileName;
    QPageSize m_paper;
    int m_dpi;
    QString m_title;
    std::unique_ptr<QSaveFile> m_file;
    std::unique_ptr<QPdfWriter> m_writer;
    std::unique_ptr<QPainter> m_painter;
    std::unique_ptr<PageSurface> m_canvas;
};
