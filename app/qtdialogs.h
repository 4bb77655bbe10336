#pragma once

#include "dialogs.h"

#include <QColor>

class QPrinter;

/// The dialogs as the desktop shows them.
class QtDialogs : public Dialogs {
public:
    /// Sets up the printer the program prints on, and Qt's Japanese texts for the
    /// dialogs (once a process).
    explicit QtDialogs(QPrinter &printer);

    QString openTextFileName(QWidget *parent) override;
    TextSaveTarget saveTextFile(QWidget *parent) override;
    QString savePdfFileName(QWidget *parent) override;
    std::optional<QString> chooseFontFace(QWidget *parent, const QString &current) override;
    std::optional<Color> chooseColor(QWidget *parent) override;
    void showError(QWidget *parent, const QString &message) override;
    void setupPrinter(QWidget *parent) override;
    bool printerPrintsToFile() const override;

private:
    QPrinter &m_printer;
    QColor m_color = Qt::black;
};
