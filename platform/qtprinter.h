#pragma once

#include "printer.h"

#include <QPainter>
#include <QPrinter>
#include <memory>

class FontFaces;
class PageSurface;

/// The system's printers through Qt: one QPrinter at high resolution, shared by
/// every job of the program, drawing on the printable area of the page.
///
/// Until the user picks a printer in the setup dialog, jobs go to the default
/// printer (or the first one) on its default paper. Needs a QGuiApplication.
class QtPrinter : public Printer {
public:
    QtPrinter();
    ~QtPrinter() override;
    QtPrinter(const QtPrinter &) = delete;
    QtPrinter &operator=(const QtPrinter &) = delete;

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

    /// The shared QPrinter, for settings the print dialog would otherwise make.
    QPrinter &qprinter() { return m_printer; }

private:
    void usePrinter(const QString &name);
    void endRefusingJob();

    QPrinter m_printer;
    std::unique_ptr<FontFaces> m_faces; // made with the first job, kept for the next ones
    QPainter m_painter;
    std::unique_ptr<PageSurface> m_canvas;
};
