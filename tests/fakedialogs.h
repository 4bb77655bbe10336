#pragma once

#include "dialogs.h"

#include <QStringList>

// Dialogs answered by the test: each answer is set before the click that asks.
class FakeDialogs : public Dialogs {
public:
    QString openName;
    QString saveName;
    bool saveUtf8 = false;
    QString pdfName;
    std::optional<QString> fontFace;
    QStringList fontFacesOpenedOn; // what each font dialog opened on
    std::optional<Color> color;
    QStringList errors;
    bool printsToFile = false;
    int printerSetups = 0;

    QString openTextFileName(QWidget *) override { return openName; }
    TextSaveTarget saveTextFile(QWidget *) override { return {saveName, saveUtf8}; }
    QString savePdfFileName(QWidget *) override { return pdfName; }
    std::optional<QString> chooseFontFace(QWidget *, const QString &current) override
    {
        fontFacesOpenedOn << current;
        return fontFace;
    }
    std::optional<Color> chooseColor(QWidget *) override { return color; }
    void showError(QWidget *, const QString &message) override { errors << message; }
    void setupPrinter(QWidget *) override { ++printerSetups; }
    bool printerPrintsToFile() const override { return printsToFile; }
};
