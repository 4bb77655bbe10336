#pragma once

#include "dialogs.h"

/// The dialogs as the desktop shows them.
class QtDialogs : public Dialogs {
public:
    QString savePdfFileName(QWidget *parent) override;
    void showError(QWidget *parent, const QString &message) override;
};
