#include "qtdialogs.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>

using namespace Qt::StringLiterals;

namespace {

const QString TextFilter = u"ﾃｷｽﾄ形式(*.txt)"_s;
const QString Utf8TextFilter = u"ﾃｷｽﾄ形式 UTF-8(*.txt)"_s;
const QString AllFilesFilter = u"すべてのﾌｧｲﾙ(*.*)"_s;

// The chosen file and the filter it was chosen under; no file when cancelled.
std::pair<QString, QString> fileName(QWidget *parent, QFileDialog::AcceptMode mode,
                                     const QStringList &filters, const QString &suffix)
{
    QFileDialog dialog(parent);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                       : QFileDialog::AnyFile);
    dialog.setNameFilters(filters);
    dialog.setDefaultSuffix(suffix);
    if (dialog.exec() != QDialog::Accepted) {
        return {};
    }
    return {dialog.selectedFiles().value(0), dialog.selectedNameFilter()};
}

} // namespace

QtDialogs::QtDialogs(QPrinter &printer) : m_printer(printer), m_font(u"ＭＳ Ｐゴシック"_s)
{
    m_font.setPixelSize(15);
}

QString QtDialogs::openTextFileName(QWidget *parent)
{
    return fileName(parent, QFileDialog::AcceptOpen, {TextFilter, AllFilesFilter}, u"txt"_s).first;
}

Dialogs::TextSaveTarget QtDialogs::saveTextFile(QWidget *parent)
{
    const auto [path, filter] = fileName(parent, QFileDialog::AcceptSave,
                                         {TextFilter, AllFilesFilter, Utf8TextFilter}, u"txt"_s);
    return {path, filter == Utf8TextFilter};
}

QString QtDialogs::savePdfFileName(QWidget *parent)
{
    return fileName(parent, QFileDialog::AcceptSave, {u"PDF形式(*.pdf)"_s, AllFilesFilter},
                    u"pdf"_s)
        .first;
}

std::optional<QString> QtDialogs::chooseFontFace(QWidget *parent)
{
    bool ok = false;
    const QFont font = QFontDialog::getFont(&ok, m_font, parent);
    if (!ok) {
        return std::nullopt;
    }
    m_font = font;
    return font.family();
}

std::optional<Color> QtDialogs::chooseColor(QWidget *parent)
{
    const QColor color = QColorDialog::getColor(m_color, parent);
    if (!color.isValid()) {
        return std::nullopt;
    }
    m_color = color;
    return fromRgb(color.rgb());
}

void QtDialogs::showError(QWidget *parent, const QString &message)
{
    QMessageBox::critical(parent, u"Hekira"_s, message);
}

void QtDialogs::setupPrinter(QWidget *parent)
{
    QPrintDialog dialog(&m_printer, parent);
    dialog.exec();
}

bool QtDialogs::printerPrintsToFile() const
{
    return !m_printer.outputFileName().isEmpty();
}
