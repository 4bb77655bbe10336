#include "qtdialogs.h"

#include "fontfacedialog.h"

#include <QColorDialog>
#include <QCoreApplication>
#include <QFileDialog>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QTranslator>
#include <mutex>

using namespace Qt::StringLiterals;

namespace {

const QString TextFilter = u"ﾃｷｽﾄ形式(*.txt)"_s;
const QString Utf8TextFilter = u"ﾃｷｽﾄ形式 UTF-8(*.txt)"_s;
const QString AllFilesFilter = u"すべてのﾌｧｲﾙ(*.*)"_s;

// Qt's own dialogs and message boxes speak Japanese like the window, whatever the
// locale (Debian's qt6-translations-l10n; without it they stay in English).
void installQtTranslations()
{
    static std::once_flag once;
    std::call_once(once, [] {
        auto *translator = new QTranslator(QCoreApplication::instance());
        if (translator->load(u"qt_ja"_s, QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
            QCoreApplication::installTranslator(translator);
        } else {
            delete translator;
        }
    });
}

// The chosen file and the filter it was chosen under; no file when cancelled. A
// name typed without an extension gets `suffix` when saving; a file to open is
// taken by the name as typed.
std::pair<QString, QString> fileName(QWidget *parent, QFileDialog::AcceptMode mode,
                                     const QStringList &filters, const QString &suffix)
{
    QFileDialog dialog(parent);
    dialog.setAcceptMode(mode);
    dialog.setNameFilters(filters);
    if (mode == QFileDialog::AcceptOpen) {
        dialog.setFileMode(QFileDialog::ExistingFile);
    } else {
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setDefaultSuffix(suffix);
    }
    if (dialog.exec() != QDialog::Accepted) {
        return {};
    }
    return {dialog.selectedFiles().value(0), dialog.selectedNameFilter()};
}

} // namespace

QtDialogs::QtDialogs(QPrinter &printer) : m_printer(printer)
{
    installQtTranslations();
}

QString QtDialogs::openTextFileName(QWidget *parent)
{
    return fileName(parent, QFileDialog::AcceptOpen, {TextFilter, AllFilesFilter}, QString()).first;
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

std::optional<QString> QtDialogs::chooseFontFace(QWidget *parent, const QString &current)
{
    FontFaceDialog dialog(current, parent);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.face();
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
