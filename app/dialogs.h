#pragma once

#include "drawingsurface.h"

#include <QString>
#include <optional>

class QWidget;

/// The dialogs the main window asks the user through, behind one interface so
/// that tests can answer them. Each returns nothing when the user cancels.
class Dialogs {
public:
    virtual ~Dialogs() = default;

    /// A text file to open, by its name as typed (nothing is added to it).
    virtual QString openTextFileName(QWidget *parent) = 0;
    /// Where to save a text file, and whether as UTF-8 rather than in the form it
    /// was read in; ".txt" is added to a name without an extension.
    struct TextSaveTarget {
        QString path;
        bool utf8 = false;
    };
    virtual TextSaveTarget saveTextFile(QWidget *parent) = 0;
    /// Where to save a PDF; ".pdf" is added to a name without an extension.
    virtual QString savePdfFileName(QWidget *parent) = 0;
    /// One of the faces a sheet can use (FontFaces::choices()), the dialog opening
    /// on `current`.
    virtual std::optional<QString> chooseFontFace(QWidget *parent, const QString &current) = 0;
    /// A colour; the dialog opens on the colour last chosen in it.
    virtual std::optional<Color> chooseColor(QWidget *parent) = 0;
    /// Shows an error message; returns when the user has read it.
    virtual void showError(QWidget *parent, const QString &message) = 0;
    /// The printer setup dialog; what the user chooses applies to later jobs.
    virtual void setupPrinter(QWidget *parent) = 0;
    /// Whether the chosen printer writes a file (print to file) rather than
    /// spooling: the pages of one command then go in one job, so the file holds all.
    virtual bool printerPrintsToFile() const = 0;
};
