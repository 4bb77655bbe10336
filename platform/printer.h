#pragma once

#include "drawingsurface.h"

#include <QString>

class QWidget;

/// The printer that the print commands draw on: one shared object for the
/// program. Errors are HekiraError with the message the user sees.
class Printer {
public:
    virtual ~Printer() = default;

    /// Portrait pages for the following jobs. Throws "デフォルト プリンタが存在しません"
    /// when there is no printer, "選択されたプリンタではサポートされていない機能です"
    /// when it refuses.
    virtual void setPortrait() = 0;
    /// The printable area of a page, in device pixels.
    virtual int pageWidth() const = 0;
    virtual int pageHeight() const = 0;
    /// Names the job that the next beginJob starts.
    virtual void setJobTitle(const QString &title) = 0;
    /// Starts a job with one page. Throws "現在印刷中です" while a job is open.
    virtual void beginJob() = 0;
    /// Starts another page in the open job.
    virtual void newPage() = 0;
    /// The open job's page.
    virtual DrawingSurface &pageCanvas() = 0;
    /// Ends the page and the job, which goes to the spooler.
    virtual void endJob() = 0;
    /// Abandons the open job: nothing of it is printed, and the printer stays usable.
    virtual void abortJob() = 0;
    /// Whether jobs go to one file (print to file, PDF) rather than a spooler: the
    /// pages of one command then share one job, so the file holds them all.
    virtual bool printsToFile() const = 0;
    /// The platform's printer setup dialog; what the user chooses applies to later jobs.
    virtual void setup(QWidget *parent) = 0;
};
