#pragma once

#include "fontfaces.h"
#include "linelist.h"
#include "pagestate.h"
#include "randomgenerator.h"
#include "sheetsettings.h"
#include "storedsettings.h"
#include "textdocument.h"
#include "worksheet.h"

#include <QMainWindow>
#include <array>
#include <memory>

class ColorSwatch;
class Dialogs;
class MemoLines;
class SettingsStore;
class TFEditLine;
class PreviewBox;
class Printer;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;
class RadioGroup;

/// The main window: the text lines, the sheet options, the preview with its
/// paging, and the print commands. Controls carry the names their handlers are
/// named after (BtnPreview -> BtnPreviewClick).
class TMain : public QMainWindow {
    Q_OBJECT

public:
    /// Restores the stored settings while it is created; stores them when it closes.
    TMain(Printer &printer, Dialogs &dialogs, const SettingsStore &settings,
          QWidget *parent = nullptr);
    ~TMain() override;

    /// Replaces the text lines with a file's, as "ﾌｧｲﾙを開く" does.
    void openFile(const QString &path, TextEncoding encoding = TextEncoding::Auto);
    /// The sheet options as the controls hold them now.
    SheetSettings sheetSettings() const;
    const PageState &pageState() const { return m_pageState; }
    /// The page last drawn for the preview, portrait, in the screen's pixels: its
    /// devicePixelRatio() is the screen's, its size 320 x 441 times that.
    const QImage &previewImage() const { return m_previewImage; }
    /// The message the status line shows, whole; empty when none holds.
    const QString &statusMessage() const { return m_statusMessage; }

protected:
    void closeEvent(QCloseEvent *event) override;

private Q_SLOTS:
    void btnOpenFileClick();
    void btnSaveFileClick();
    void btnMemoClearClick();
    void btnEditLineClick();
    void editLineFinished(int result);
    void btnSetFontClick();
    void rgDirectClick(int index);
    void rgSideWakuClick(int index);
    void chkReadingsClick(bool checked);
    void chkReadingTestClick(bool checked);
    void shpCopybookMouseDown();
    void shpTraceMouseDown();
    void Button1Click();
    void BtnPreviewClick();
    void btnNextPageClick();
    void btnPrePageClick();
    void spnPageChange(int page);
    void btnPrintClick();
    void btnPartPrintClick();
    void btnPdfSaveClick();
    void btnSetPrnClick();
    void btnGradeKanjiClick();
    void FormPaint();

private:
    void FormCreate();
    void FormDestroy();
    void buildWindow();
    QWidget *buildTextTab();
    QWidget *buildFrameTab();
    QWidget *buildSpecialTab();
    /// The check boxes of the options of section "Hekira", TraceStyle on, in its order.
    std::array<QCheckBox *, StoredSettings::HekiraOptionCount - 1> optionBoxes() const;
    /// The options of section "Hekira" as the controls hold them.
    std::array<int, StoredSettings::HekiraOptionCount> hekiraOptions() const;
    /// The lines of the memo, as pages draw them.
    const LineList &exMoji();
    /// The lines as a worksheet with the options as the controls hold them now,
    /// paged by the last preview.
    Worksheet worksheet(const LineList &lines);
    /// The page that starts at PageTop.
    qint32 currentPage() const;
    void setPrintEnabled(bool enabled);
    /// Draws the page at PageTop and copies it, turned, into the preview box, and
    /// shows which page of how many it is.
    void refreshPreview(const LineList &lines);
    /// The page box at the page at PageTop, of `pageCount`.
    void showPagePosition(qint32 pageCount);
    /// The page box with no page in it.
    void clearPagePosition();
    /// Shows a message in the status line; an empty one clears it.
    void showStatus(const QString &message);
    /// Runs one command that draws pages, then takes back the print number, advanced
    /// when the command succeeds.
    template <typename Command> void print(Command command);
    /// Runs a handler; an error ends it and is shown, the window stays usable.
    template <typename Handler> void guarded(Handler handler);

    Printer &m_printer;
    Dialogs &m_dialogs;
    const SettingsStore &m_settings;
    RandomGenerator m_random;
    FontFaces m_faces;
    QImage m_previewImage;
    PageState m_pageState;
    qint32 m_pageCount = 1; ///< of the last preview: a reading test's answer pages too
    QString m_statusMessage;
    qint32 m_printNumber = 1;

    QLineEdit *m_questionSentence = nullptr;
    QLabel *m_statusLine = nullptr;
    PreviewBox *m_previewBox = nullptr;
    QPushButton *m_prePage = nullptr;
    QPushButton *m_nextPage = nullptr;
    QSpinBox *m_pageNum = nullptr;
    QPushButton *m_print = nullptr;
    QPushButton *m_partPrint = nullptr;
    QPushButton *m_pdfSave = nullptr;
    QPlainTextEdit *m_exMoji = nullptr;
    std::unique_ptr<MemoLines> m_memoLines;
    RadioGroup *m_prnNumPrint = nullptr;
    QLineEdit *m_prnNum = nullptr;
    RadioGroup *m_setup = nullptr;
    RadioGroup *m_wakuSize = nullptr;
    RadioGroup *m_direct = nullptr;
    RadioGroup *m_sideWaku = nullptr;
    RadioGroup *m_crossLine = nullptr;
    RadioGroup *m_rndLine = nullptr;
    RadioGroup *m_day = nullptr;
    RadioGroup *m_name = nullptr;
    ColorSwatch *m_copybook = nullptr;
    ColorSwatch *m_trace = nullptr;
    QComboBox *m_grade = nullptr;
    RadioGroup *m_guideStyle = nullptr;
    QCheckBox *m_traceStyle = nullptr;
    QCheckBox *m_traceFade = nullptr;
    QCheckBox *m_strokeOrder = nullptr;
    QCheckBox *m_readings = nullptr;
    QCheckBox *m_readingTest = nullptr;
    QCheckBox *m_answers = nullptr;
    QByteArray m_useFont;
    /// Whether the face was chosen, in the dialog or before a restart: the dialog
    /// then opens on it.
    bool m_faceChosen = false;
    TFEditLine *m_editLine = nullptr;
};
