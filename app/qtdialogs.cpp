#include "qtdialogs.h"

#include <QFileDialog>
#include <QMessageBox>

using namespace Qt::StringLiterals;

QString QtDialogs::savePdfFileName(QWidget *parent)
{
    QFileDialog dialog(parent, u"PDF保存"_s);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters({u"PDF形式(*.pdf)"_s, u"すべてのﾌｧｲﾙ(*)"_s});
    dialog.setDefaultSuffix(u"pdf"_s);
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
}

void QtDialogs::showError(QWidget *parent, const QString &message)
{
    QMessageBox::critical(parent, u"Hekira"_s, message);
}
