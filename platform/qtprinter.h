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
    void setJobTitle(const QString &title) override;
    /// Throws "現在印刷中です" while a job is open.
    void begin() override;
    /// The printable area of a page.
    QSize pageSize() const override;
    DrawingSurface &nextPage() override;
    void finish() override;
    /// Nothing of the job is printed, and the printer stays usable.
    void abort() override;

    /// The shared QPrinter, for the print dialogs.
    QPrinter &qprinter() { return m_printer; }

private:
    void usePrinter(const QString &name);
    void endRefusingJob();

    QPrinter m_printer;
    std::unique_ptr<FontFaces> m_faces; // made with the first job, kept for the next ones
    QPainter m_painter;
    std::unique_ptr<PageSurface> m_canvas;
    int m_pages = 0;
};
