#pragma once

#include <QString>

class QWidget;

/// The dialogs the main window asks the user through, behind one interface so
/// that tests can answer them.
class Dialogs {
public:
    virtual ~Dialogs() = default;

    /// Asks where to save a PDF; empty when the user cancels.
    virtual QString savePdfFileName(QWidget *parent) = 0;
    /// Shows an error message; returns when the user has read it.
    virtual void showError(QWidget *parent, const QString &message) = 0;
};
