#pragma once

#include "dialogs.h"

#include <QColor>
#include <QFont>

/// The dialogs as the desktop shows them.
class QtDialogs : public Dialogs {
public:
    QtDialogs();

    QString openTextFileName(QWidget *parent) override;
    QString saveTextFileName(QWidget *parent) override;
    QString savePdfFileName(QWidget *parent) override;
    std::optional<QString> chooseFontFace(QWidget *parent) override;
    std::optional<Color> chooseColor(QWidget *parent) override;
    void showError(QWidget *parent, const QString &message) override;

private:
    QFont m_font;
    QColor m_color = Qt::black;
};
