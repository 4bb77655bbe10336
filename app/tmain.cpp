#include "tmain.h"

#include "colorswatch.h"
#include "cp932.h"
#include "dialogs.h"
#include "facetoggle.h"
#include "fontfaces.h"
#include "gradekanji.h"
#include "gridgeometry.h"
#include "hekiraerror.h"
#include "imageoutput.h"
#include "memolines.h"
#include "outputfile.h"
#include "pdfoutput.h"
#include "previewbox.h"
#include "printcommands.h"
#include "printer.h"
#include "radiogroup.h"
#include "rotater90.h"
#include "settingsstore.h"
#include "storedsettings.h"
#include "textfile.h"
#include "tfeditline.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFontMetrics>
#include <QFrame>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSpinBox>
#include <QTabWidget>

using namespace Qt::StringLiterals;

namespace {

constexpr QSize ClientSize(738, 474);
// Beyond this a text is no longer a worksheet's, and the editor would crawl.
constexpr qsizetype MemoLimitBytes = 16 * 1024 * 1024;
constexpr QSize PreviewPage(DrawScale::ReferenceWidth, DrawScale::ReferenceHeight);
// The window's own face; the font dialog opens on it until a face is chosen.
const QString WindowFace = u"ＭＳ Ｐゴシック"_s;
constexpr int WindowFacePixels = 15;
constexpr int StatusPixels = 13;
constexpr int SpinBoxFrame = 8; // what a spin box's frame and margins take of its width

const QStringList NoYes{u"なし"_s, u"あり"_s};

template <typename Widget> Widget *place(Widget *widget, int left, int top, int width, int height)
{
    widget->setGeometry(left, top, width, height);
    return widget;
}

// Some texts are wider than their controls in this face: a smaller size keeps
// them whole rather than clipped.
QFont fitted(QFont font, const QString &text, int width)
{
    while (font.pixelSize() > 9 && QFontMetrics(font).horizontalAdvance(text) > width) {
        font.setPixelSize(font.pixelSize() - 1);
    }
    return font;
}

QPushButton *button(QWidget *parent, const char *name, const QString &caption, QRect place)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1StringView(name));
    button->setGeometry(place);
    button->setFont(fitted(button->font(), QString(caption).remove(u'&'), place.width() - 6));
    return button;
}

RadioGroup *radioGroup(QWidget *parent, const char *name, const QString &caption,
                       const QStringList &items, int columns, QRect place, int index)
{
    auto *group = new RadioGroup(caption, items, columns, parent);
    group->setObjectName(QLatin1StringView(name));
    group->setGeometry(place);
    group->setItemIndex(index);
    return group;
}

QCheckBox *checkBox(QWidget *parent, const char *name, const QString &caption, const QString &tip,
                    QRect place)
{
    auto *box = new QCheckBox(caption, parent);
    box->setObjectName(QLatin1StringView(name));
    box->setGeometry(place);
    box->setToolTip(tip);
    return box;
}

QFrame *bevel(QWidget *parent, QRect place)
{
    auto *frame = new QFrame(parent);
    frame->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    frame->setGeometry(place);
    return frame;
}

// The small glyph of the two print buttons: a sheet coming out of a printer.
QIcon printerGlyph()
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setPen(Qt::black);
    painter.setBrush(Qt::white);
    painter.drawRect(4, 1, 7, 6); // the sheet
    painter.setBrush(Qt::gray);
    painter.drawRect(1, 6, 13, 6); // the printer
    painter.setBrush(Qt::white);
    painter.drawRect(4, 10, 7, 4); // the sheet coming out
    painter.fillRect(11, 8, 2, 1, Qt::green);
    return QIcon(pixmap);
}

// How a text file is written, as the status bar names it.
QString formName(const TextDocument &document)
{
    if (document.encoding() != TextEncoding::Utf8) {
        return u"Shift_JIS"_s;
    }
    return document.hasBom() ? u"UTF-8 (BOM 付き)"_s : u"UTF-8"_s;
}

} // namespace

TMain::TMain(Printer &printer, Dialogs &dialogs, const SettingsStore &settings, QWidget *parent)
    : QMainWindow(parent), m_printer(printer), m_dialogs(dialogs), m_settings(settings),
      m_random(RandomGenerator::clockSeed()), m_previewImage(PreviewPage, QImage::Format_RGB32),
      m_useFont(SheetSettings().UseFont)
{
    m_previewImage.fill(Qt::white);
    buildWindow();
    FormCreate();
    // Created once, after the window, so that it keeps its state between uses.
    m_editLine = new TFEditLine(*m_memoLines, this);
    connect(m_editLine, &QDialog::finished, this, &TMain::editLineFinished);
}

TMain::~TMain() = default;

void TMain::buildWindow()
{
    setWindowTitle(u"Hekira"_s);
    auto *client = new QWidget(this);
    client->setFixedSize(ClientSize);
    QFont font(WindowFace);
    font.setPixelSize(WindowFacePixels);
    client->setFont(font);
    setCentralWidget(client);

    // Controls are created in tab order: the sentence, the tabs and what they hold,
    // then the row of commands below the preview.
    bevel(client, QRect(8, 4, 289, 37));
    auto *title = place(new QLabel(u"Hekira"_s, client), 16, 8, 273, 29);
    title->setWordWrap(true);
    title->setStyleSheet(u"color: purple; font-size: 22px; font-weight: bold;"_s);

    // The status line takes the free band beside the title, so that a message never
    // changes the window's size.
    m_statusLine = place(new QLabel(client), 304, 4, 425, 37);
    m_statusLine->setObjectName(u"StatusLine"_s);
    QFont statusFont = font;
    statusFont.setPixelSize(StatusPixels);
    m_statusLine->setFont(statusFont);

    m_questionSentence =
        place(new QLineEdit(Cp932::decode(SheetSettings().QuestionMes), client), 8, 48, 457, 23);
    m_questionSentence->setObjectName(u"QstSentence"_s);

    auto *previewLabel = new QLabel(u"ﾌﾟﾚﾋﾞｭｰ画面↓"_s, client);
    QFont previewFont(u"ＭＳ 明朝"_s);
    previewFont.setPixelSize(13);
    previewLabel->setFont(previewFont);
    previewLabel->setStyleSheet(u"color: teal;"_s);
    previewLabel->move(168, 76);
    previewLabel->adjustSize();

    bevel(client, QRect(8, 96, 457, 337));
    m_previewBox = new PreviewBox(client);
    m_previewBox->setObjectName(u"PaintBox2"_s);
    m_previewBox->move(16, 104);
    connect(m_previewBox, &PreviewBox::aboutToPaint, this, &TMain::FormPaint);

    auto *tabs = place(new QTabWidget(client), 472, 48, 257, 385);
    tabs->setObjectName(u"PageControl1"_s);
    tabs->addTab(buildTextTab(), u"文字入力"_s);
    tabs->addTab(buildFrameTab(), u"枠設定"_s);
    tabs->addTab(buildSpecialTab(), u"特殊"_s);

    m_prePage = button(client, "btnPrePage", u"前頁"_s, QRect(16, 440, 41, 25));
    m_nextPage = button(client, "btnNextPage", u"次頁"_s, QRect(64, 440, 41, 25));
    // Where the preview is, and a page to go to: a number and Enter, or the arrow keys.
    m_pageNum = place(new QSpinBox(client), 112, 440, 81, 25);
    m_pageNum->setObjectName(u"spnPage"_s);
    m_pageNum->setButtonSymbols(QAbstractSpinBox::NoButtons);
    m_pageNum->setAlignment(Qt::AlignCenter);
    m_pageNum->setKeyboardTracking(false);
    m_pageNum->setToolTip(u"頁の番号を入れて Enter で、その頁に移ります"_s);
    clearPagePosition();
    auto *preview = button(client, "BtnPreview", u"ﾌﾟﾚﾋﾞｭｰ"_s, QRect(200, 440, 77, 25));
    m_print = button(client, "btnPrint", u"全印刷"_s, QRect(288, 440, 77, 25));
    m_partPrint = button(client, "btnPartPrint", u"頁印刷"_s, QRect(376, 440, 77, 25));
    m_print->setIcon(printerGlyph());
    m_partPrint->setIcon(printerGlyph());
    m_pdfSave = button(client, "btnPdfSave", u"PDF保存"_s, QRect(472, 440, 77, 25));
    auto *close = button(client, "BitBtn2", u"終了(&C)"_s, QRect(648, 440, 77, 25));
    for (QPushButton *pageButton : {m_prePage, m_nextPage, m_print, m_partPrint, m_pdfSave}) {
        pageButton->setEnabled(false);
    }
    connect(m_prePage, &QPushButton::clicked, this, &TMain::btnPrePageClick);
    connect(m_nextPage, &QPushButton::clicked, this, &TMain::btnNextPageClick);
    connect(m_pageNum, &QSpinBox::valueChanged, this, &TMain::spnPageChange);
    connect(preview, &QPushButton::clicked, this, &TMain::BtnPreviewClick);
    connect(m_print, &QPushButton::clicked, this, &TMain::btnPrintClick);
    connect(m_partPrint, &QPushButton::clicked, this, &TMain::btnPartPrintClick);
    connect(m_pdfSave, &QPushButton::clicked, this, &TMain::btnPdfSaveClick);
    connect(close, &QPushButton::clicked, this, &QWidget::close);

    // The layout is fixed: the window is exactly the client.
    setFixedSize(ClientSize);
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
    m_exMoji->setFocus();
}

QWidget *TMain::buildTextTab()
{
    auto *tab = new QWidget(centralWidget()); // the window's font from the start
    connect(button(tab, "btnOpenFile", u"ﾌｧｲﾙを開く"_s, QRect(14, 8, 91, 25)),
            &QPushButton::clicked, this, &TMain::btnOpenFileClick);
    connect(button(tab, "btnSaveFile", u"ﾃﾞｰﾀを保存"_s, QRect(126, 8, 91, 25)),
            &QPushButton::clicked, this, &TMain::btnSaveFileClick);
    m_exMoji = place(new QPlainTextEdit(tab), 8, 40, 225, 257);
    m_exMoji->setObjectName(u"ExMoji"_s);
    m_exMoji->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_exMoji->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_exMoji->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // A tab cannot be a character of a sheet: Tab moves on to the next control.
    m_exMoji->setTabChangesFocus(true);
    m_memoLines = std::make_unique<MemoLines>(*m_exMoji);
    // Wide enough for its caption; the number box sits inside, beside "あり", and the
    // items end at their text so that none reaches under it.
    m_prnNumPrint =
        radioGroup(tab, "chkPrnNum", u"ﾌﾟﾘﾝﾄ番号"_s, NoYes, 1, QRect(0, 300, 97, 54), 0);
    for (int i = 0; i < m_prnNumPrint->itemCount(); ++i) {
        QRadioButton *item = m_prnNumPrint->item(i);
        item->setMaximumWidth(item->sizeHint().width());
    }
    m_prnNum = place(new QLineEdit(u"1"_s, tab), 58, 332, 35, 19);
    m_prnNum->setObjectName(u"edtPrnNum"_s);
    connect(button(tab, "btnEditLine", u"ﾃﾞｰﾀを加工"_s, QRect(104, 320, 65, 25)),
            &QPushButton::clicked, this, &TMain::btnEditLineClick);
    connect(button(tab, "btnMemoClear", u"ﾃﾞｰﾀをｸﾘｱ"_s, QRect(176, 320, 65, 25)),
            &QPushButton::clicked, this, &TMain::btnMemoClearClick);
    return tab;
}

QWidget *TMain::buildFrameTab()
{
    const SheetSettings defaults;
    auto *tab = new QWidget(centralWidget()); // the window's font from the start
    m_setup = radioGroup(
        tab, "rgSetup", u"作成ﾊﾟﾀｰﾝ"_s,
        {u"練習１"_s, u"練習２"_s, u"練習３"_s, u"練習４"_s, u"視写１"_s, u"視写２"_s, u"視写３"_s},
        3, QRect(4, 2, 237, 87), defaults.MakingPattern);
    m_wakuSize = radioGroup(tab, "rgWakuSize", u"ﾏｽの数"_s, cellCountTexts(), 4,
                            QRect(8, 96, 233, 65), defaults.FrameNum);
    m_direct = radioGroup(tab, "rgDirect", u"文字組"_s, {u"縦書き"_s, u"横書き"_s}, 2,
                          QRect(8, 170, 233, 39), defaults.DocDirection);
    m_direct->setToolTip(u"必ずﾌｫﾝﾄを切り替えて下さい"_s);
    connect(m_direct, &RadioGroup::itemIndexChanged, this, &TMain::rgDirectClick);
    m_sideWaku = radioGroup(tab, "rgSideWaku", u"ふりがな枠"_s, NoYes, 2, QRect(8, 218, 233, 39),
                            defaults.FuriganaFrame);
    connect(m_sideWaku, &RadioGroup::itemIndexChanged, this, &TMain::rgSideWakuClick);
    m_crossLine = radioGroup(tab, "rgCrossLine", u"十字点線"_s, NoYes, 2, QRect(8, 264, 233, 41),
                             defaults.CrossLine);
    m_rndLine = radioGroup(tab, "rgRandom", u"行のランダム指定"_s, NoYes, 2, QRect(8, 312, 233, 41),
                           defaults.RndLine);
    return tab;
}

QWidget *TMain::buildSpecialTab()
{
    const SheetSettings defaults;
    auto *tab = new QWidget(centralWidget()); // the window's font from the start
    connect(button(tab, "btnSetFont", u"ﾌｫﾝﾄの設定"_s, QRect(8, 18, 75, 25)), &QPushButton::clicked,
            this, &TMain::btnSetFontClick);
    auto *setPrinter = button(tab, "btnSetPrn", u"印刷の設定"_s, QRect(96, 18, 77, 25));
    connect(setPrinter, &QPushButton::clicked, this, &TMain::btnSetPrnClick);
    // The two header fields side by side and the colours in one row leave room for
    // the guide and character options below them.
    m_day = radioGroup(tab, "rgDay", u"月日の印刷"_s, NoYes, 2, QRect(8, 50, 113, 41),
                       defaults.DatePrint);
    m_name = radioGroup(tab, "rgName", u"名前の欄"_s, NoYes, 2, QRect(128, 50, 113, 41),
                        defaults.NamePrint);
    bevel(tab, QRect(8, 98, 233, 59));
    (new QLabel(u"お手本の色"_s, tab))->move(16, 104);
    m_copybook = place(new ColorSwatch(defaults.CopybookColor, tab), 16, 122, 60, 25);
    m_copybook->setObjectName(u"shpCopybook"_s);
    (new QLabel(u"練習の色"_s, tab))->move(100, 104);
    m_trace = place(new ColorSwatch(defaults.TraceColor, tab), 100, 122, 60, 25);
    m_trace->setObjectName(u"shpTrace"_s);
    connect(m_copybook, &ColorSwatch::pressed, this, &TMain::shpCopybookMouseDown);
    connect(m_trace, &ColorSwatch::pressed, this, &TMain::shpTraceMouseDown);
    connect(button(tab, "Button1", u"初期設定"_s, QRect(166, 122, 69, 25)), &QPushButton::clicked,
            this, &TMain::Button1Click);
    // Items fill column by column: 十字 above 十字と対角線, which is too wide for three columns.
    m_guideStyle =
        radioGroup(tab, "rgGuideStyle", u"点線の形"_s, {u"十字"_s, u"十字と対角線"_s, u"九マス"_s},
                   2, QRect(8, 164, 233, 55), defaults.GuideStyle);
    m_guideStyle->setToolTip(u"マスの点線の形 (十字点線が「あり」のとき)"_s);
    // Two columns: how the characters are drawn, and the reading sheets.
    m_traceStyle = checkBox(tab, "chkTraceStyle", u"白抜き"_s, u"なぞる字を輪郭だけで描きます"_s,
                            QRect(16, 226, 105, 22));
    m_traceFade = checkBox(tab, "chkTraceFade", u"うすく"_s, u"なぞる字を一字ごとに薄くします"_s,
                           QRect(16, 248, 105, 22));
    m_strokeOrder = checkBox(tab, "chkStrokeOrder", u"筆順"_s,
                             u"お手本の字を筆順の数字つきで描きます (読めるのは一行 8 マスまで)"_s,
                             QRect(16, 270, 105, 22));
    m_readings = checkBox(tab, "chkReadings", u"読み仮名"_s,
                          u"漢字の読みをふりがな枠に入れます (ふりがな枠をつけます)"_s,
                          QRect(136, 226, 105, 22));
    m_readingTest = checkBox(tab, "chkReadingTest", u"読みテスト"_s,
                             u"漢字のマスを空けて、読みだけを残します"_s, QRect(136, 248, 105, 22));
    m_answers = checkBox(tab, "chkAnswers", u"解答つき"_s,
                         u"読みテストのあとに、漢字を入れた答えのページをつけます"_s,
                         QRect(136, 270, 105, 22));
    m_answers->setEnabled(false); // only with the reading test
    connect(m_readings, &QCheckBox::toggled, this, &TMain::chkReadingsClick);
    connect(m_readingTest, &QCheckBox::toggled, this, &TMain::chkReadingTestClick);
    m_grade = place(new QComboBox(tab), 8, 300, 65, 25);
    m_grade->setObjectName(u"cbGrade"_s);
    for (int grade = SchoolKanji::FirstGrade; grade <= SchoolKanji::LastGrade; ++grade) {
        m_grade->addItem(u"%1年"_s.arg(grade));
    }
    auto *gradeKanji = button(tab, "btnGradeKanji", u"学年別漢字"_s, QRect(80, 300, 89, 25));
    gradeKanji->setToolTip(u"選んだ学年の漢字を一字一行でﾃﾞｰﾀにします (KANJIDIC2, CC BY-SA 3.0)"_s);
    connect(gradeKanji, &QPushButton::clicked, this, &TMain::btnGradeKanjiClick);
    return tab;
}

void TMain::btnGradeKanjiClick()
{
    guarded([this] {
        const int grade = m_grade->currentIndex() + SchoolKanji::FirstGrade;
        m_memoLines->setDocument(GradeKanji::document(grade));
        showStatus(
            u"%1年の漢字 %2 字を入れました (KANJIDIC2, EDRDG, CC BY-SA 3.0)。"_s.arg(grade).arg(
                GradeKanji::kanji(grade).size()));
    });
}

SheetSettings TMain::sheetSettings() const
{
    SheetSettings settings;
    settings.MakingPattern = m_setup->itemIndex();
    settings.FrameNum = m_wakuSize->itemIndex();
    settings.FuriganaFrame = m_sideWaku->itemIndex();
    settings.DocDirection = m_direct->itemIndex();
    settings.CrossLine = m_crossLine->itemIndex();
    settings.RndLine = m_rndLine->itemIndex();
    settings.DatePrint = m_day->itemIndex();
    settings.NamePrint = m_name->itemIndex();
    settings.PrnNumPrint = m_prnNumPrint->itemIndex();
    settings.PrintNumber = m_printNumber;
    settings.PrnNumText = m_prnNum->text();
    settings.QuestionMes = Cp932::encode(m_questionSentence->text());
    settings.UseFont = m_useFont;
    settings.CopybookColor = m_copybook->color();
    settings.TraceColor = m_trace->color();
    const std::array<int, StoredSettings::HekiraOptionCount> options = hekiraOptions();
    settings.GuideStyle = options[StoredSettings::GuideStyle];
    settings.TraceStyle = options[StoredSettings::TraceStyle];
    settings.TraceFade = options[StoredSettings::TraceFade];
    settings.StrokeOrder = options[StoredSettings::StrokeOrder];
    settings.Readings = options[StoredSettings::Readings];
    settings.ReadingTest = options[StoredSettings::ReadingTest];
    settings.Answers = options[StoredSettings::Answers];
    return settings;
}

std::array<QCheckBox *, StoredSettings::HekiraOptionCount - 1> TMain::optionBoxes() const
{
    return {m_traceStyle, m_traceFade, m_strokeOrder, m_readings, m_readingTest, m_answers};
}

std::array<int, StoredSettings::HekiraOptionCount> TMain::hekiraOptions() const
{
    std::array<int, StoredSettings::HekiraOptionCount> options{};
    options[StoredSettings::GuideStyle] = m_guideStyle->itemIndex();
    const auto boxes = optionBoxes();
    for (int option = StoredSettings::TraceStyle; option < StoredSettings::HekiraOptionCount;
         ++option) {
        options[option] = int(boxes[option - StoredSettings::TraceStyle]->isChecked());
    }
    return options;
}

const LineList &TMain::exMoji()
{
    return m_memoLines->pageLines();
}

void TMain::openFile(const QString &path, TextEncoding encoding)
{
    showStatus(QString());
    const QByteArray bytes = TextFile::read(path);
    if (bytes.size() > MemoLimitBytes) {
        throw HekiraError(u"文字列の大きさがメモの制限を越えました"_s);
    }
    m_memoLines->setDocument(TextDocument::fromBytes(bytes, encoding));
    showStatus(u"\"%1\" を %2 で読みました。"_s.arg(path, formName(m_memoLines->document())));
}

void TMain::showStatus(const QString &message)
{
    m_statusMessage = message;
    // A long path gives way in its middle; the whole message is the tooltip.
    m_statusLine->setText(
        m_statusLine->fontMetrics().elidedText(message, Qt::ElideMiddle, m_statusLine->width()));
    m_statusLine->setToolTip(message);
}

template <typename Handler> void TMain::guarded(Handler handler)
{
    try {
        handler();
    } catch (const HekiraError &error) {
        m_dialogs.showError(this, error.message());
    }
}

Worksheet TMain::worksheet(const LineList &lines)
{
    return Worksheet(sheetSettings(), lines, m_pageState.LinesPerPage, m_random);
}

qint32 TMain::currentPage() const
{
    return m_pageState.LinesPerPage > 0 ? m_pageState.PageTop / m_pageState.LinesPerPage : 0;
}

void TMain::refreshPreview(const LineList &lines)
{
    Worksheet sheet = worksheet(lines);
    // The same page at more pixels on a screen that has more, so that it is as sharp
    // as the text beside it.
    const qreal ratio = m_previewBox->devicePixelRatioF();
    ImageOutput page((QSizeF(PreviewPage) * ratio).toSize(), m_faces);
    try {
        sheet.write(page, currentPage(), 1);
    } catch (...) {
        m_printNumber = sheet.settings().PrintNumber;
        throw;
    }
    m_printNumber = sheet.settings().PrintNumber;
    m_previewImage = page.image();
    m_previewImage.setDevicePixelRatio(ratio);
    m_previewBox->fitCanvas(m_previewImage);
    RotateR90(m_previewImage, m_previewBox->canvas());
    m_previewBox->copied();
    m_pageCount = sheet.pageCount();
    showPagePosition(m_pageCount);
}

void TMain::showPagePosition(qint32 pageCount)
{
    const qint32 shown = currentPage() + 1;
    const QString total = u" / %1 頁"_s.arg(pageCount);
    const QSignalBlocker blocker(m_pageNum);
    // A text cut short since the preview still shows where the page is.
    m_pageNum->setRange(1, qMax(pageCount, shown));
    m_pageNum->setSuffix(total);
    m_pageNum->setValue(shown);
    m_pageNum->setFont(fitted(centralWidget()->font(),
                              QString::number(m_pageNum->maximum()) + total,
                              m_pageNum->width() - SpinBoxFrame));
}

void TMain::clearPagePosition()
{
    const QSignalBlocker blocker(m_pageNum);
    m_pageNum->setEnabled(false);
    m_pageNum->setSuffix(QString());
    m_pageNum->setRange(0, 0);
    m_pageNum->clear();
}

void TMain::setPrintEnabled(bool enabled)
{
    m_print->setEnabled(enabled);
    m_pdfSave->setEnabled(enabled);
    m_previewBox->update();
}

void TMain::BtnPreviewClick()
{
    guarded([this] {
        const qint32 linesPerPage = Worksheet::linesPerPageFor(sheetSettings());
        if (linesPerPage > 0) {
            m_pageState.LinesPerPage = linesPerPage;
        }
        m_pageState.PageTop = 0;
        const LineList lines = exMoji();
        refreshPreview(lines);
        setPrintEnabled(true);
        m_prePage->setEnabled(false);
        m_nextPage->setEnabled(false);
        m_pageNum->setEnabled(false);
        if (m_pageCount > 1) {
            m_partPrint->setEnabled(true);
            m_nextPage->setEnabled(true);
            m_pageNum->setEnabled(true);
            m_pageState.NextPageTop = m_pageState.LinesPerPage;
        }
    });
}

void TMain::btnNextPageClick()
{
    guarded([this] {
        m_pageState.PageTop = m_pageState.NextPageTop;
        const LineList lines = exMoji();
        refreshPreview(lines);
        if (currentPage() + 1 < m_pageCount) {
            m_pageState.NextPageTop = m_pageState.PageTop + m_pageState.LinesPerPage;
        } else {
            m_nextPage->setEnabled(false);
        }
        m_prePage->setEnabled(true);
    });
}

void TMain::spnPageChange(int page)
{
    guarded([this, page] {
        m_pageState.PageTop = (page - 1) * m_pageState.LinesPerPage;
        const LineList lines = exMoji();
        refreshPreview(lines);
        // The buttons as paging there one page at a time leaves them.
        const bool more = currentPage() + 1 < m_pageCount;
        if (more) {
            m_pageState.NextPageTop = m_pageState.PageTop + m_pageState.LinesPerPage;
        }
        m_nextPage->setEnabled(more);
        m_prePage->setEnabled(m_pageState.PageTop > 0);
    });
}

void TMain::btnPrePageClick()
{
    guarded([this] {
        m_pageState.NextPageTop = m_pageState.PageTop;
        // Never above the first page, whatever the page size was.
        m_pageState.PageTop = qMax(0, m_pageState.PageTop - m_pageState.LinesPerPage);
        refreshPreview(exMoji());
        if (m_pageState.PageTop == 0) {
            m_prePage->setEnabled(false);
        }
        m_nextPage->setEnabled(true);
    });
}

template <typename Command> void TMain::print(Command command)
{
    Worksheet sheet = worksheet(exMoji());
    try {
        command(sheet);
    } catch (...) {
        m_printNumber = sheet.settings().PrintNumber;
        throw;
    }
    SheetSettings settings = sheet.settings();
    PrintCommands::advancePrintNumber(settings);
    m_printNumber = settings.PrintNumber;
    m_prnNum->setText(settings.PrnNumText);
}

void TMain::btnPrintClick()
{
    showStatus(QString());
    guarded([this] {
        print([this](Worksheet &sheet) {
            PrintCommands(m_printer).printAll(sheet, m_dialogs.printerPrintsToFile());
        });
    });
}

void TMain::btnPartPrintClick()
{
    showStatus(QString());
    guarded([this] {
        print(
            [this](Worksheet &sheet) { PrintCommands(m_printer).printPage(sheet, currentPage()); });
    });
}

void TMain::btnPdfSaveClick()
{
    guarded([this] {
        const QString fileName = m_dialogs.savePdfFileName(this);
        if (fileName.isEmpty()) {
            return;
        }
        showStatus(QString());
        PdfOutput pdf(fileName, u"Hekira"_s);
        // Every page, and an empty text still saves a sheet.
        print([&pdf](Worksheet &sheet) { sheet.write(pdf, 0, sheet.pageCount()); });
    });
}

void TMain::btnSetPrnClick()
{
    guarded([this] { m_dialogs.setupPrinter(this); });
}

void TMain::FormPaint()
{
    // While print all is enabled the box shows the last page, copied again.
    const bool showing = m_print->isEnabled();
    if (showing) {
        RotateR90(m_previewImage, m_previewBox->canvas());
    }
    m_previewBox->setShowing(showing);
}

void TMain::FormCreate()
{
    StoredSettings stored;
    try {
        stored = StoredSettings::restore(m_settings);
    } catch (const HekiraError &error) {
        // The window still comes up, with the defaults.
        m_dialogs.showError(this, error.message());
    }
    m_useFont = Cp932::encode(stored.useFont);
    m_faceChosen = stored.useFontStored;
    m_questionSentence->setText(stored.questionMes);
    const std::array<RadioGroup *, StoredSettings::OptionCount> groups{
        m_setup, m_wakuSize, m_direct, m_sideWaku, m_crossLine, m_rndLine, m_day, m_name};
    for (int option = 0; option < StoredSettings::OptionCount; ++option) {
        groups[option]->setItemIndex(stored.options[option]);
    }
    // After the furigana boxes, which readings turn on, and in the order in which
    // each box allows the next.
    m_guideStyle->setItemIndex(stored.hekiraOptions[StoredSettings::GuideStyle]);
    const auto boxes = optionBoxes();
    for (int option = StoredSettings::TraceStyle; option < StoredSettings::HekiraOptionCount;
         ++option) {
        QCheckBox *box = boxes[option - StoredSettings::TraceStyle];
        box->setChecked(stored.hekiraOptions[option] == 1 && box->isEnabled());
    }
    m_copybook->setColor(stored.copybookColor);
    m_trace->setColor(stored.traceColor);
    m_printNumber = m_prnNum->text().toInt();
}

void TMain::FormDestroy()
{
    StoredSettings::storeAtClose(m_settings, m_questionSentence->text(),
                                 {m_setup->itemIndex(), m_wakuSize->itemIndex(),
                                  m_direct->itemIndex(), m_sideWaku->itemIndex(),
                                  m_crossLine->itemIndex(), m_rndLine->itemIndex(),
                                  m_day->itemIndex(), m_name->itemIndex()});
    StoredSettings::storeHekiraOptions(m_settings, hekiraOptions());
}

void TMain::closeEvent(QCloseEvent *event)
{
    guarded([this] { FormDestroy(); });
    m_editLine->hide();
    QMainWindow::closeEvent(event);
}

void TMain::btnOpenFileClick()
{
    guarded([this] {
        const QString path = m_dialogs.openTextFileName(this);
        if (!path.isEmpty()) {
            openFile(path);
        }
    });
}

void TMain::btnSaveFileClick()
{
    guarded([this] {
        const Dialogs::TextSaveTarget target = m_dialogs.saveTextFile(this);
        if (target.path.isEmpty()) {
            return;
        }
        showStatus(QString());
        const bool fits = m_memoLines->document().fitsEncoding();
        if (!fits || (target.utf8 && m_memoLines->document().encoding() != TextEncoding::Utf8)) {
            // A byte-order mark makes a UTF-8 file read back as UTF-8 whatever it holds.
            m_memoLines->setEncoding(TextEncoding::Utf8, true);
        }
        OutputFile file(target.path);
        file.open();
        file.write(m_memoLines->document().toBytes());
        file.commit();
        showStatus(
            fits ? u"\"%1\" に %2 で保存しました。"_s.arg(target.path,
                                                          formName(m_memoLines->document()))
                 : u"Shift_JIS で表せない文字があるため、\"%1\" に UTF-8 で保存しました。"_s.arg(
                       target.path));
    });
}

void TMain::btnMemoClearClick()
{
    showStatus(QString());
    m_memoLines->setDocument(TextDocument()); // new text is Shift_JIS again
    setPrintEnabled(false);
    m_partPrint->setEnabled(false);
    m_prePage->setEnabled(false);
    m_nextPage->setEnabled(false);
    guarded([this] { refreshPreview(LineList()); });
    clearPagePosition();
}

void TMain::btnEditLineClick()
{
    m_editLine->show();
    m_editLine->raise();
    m_editLine->activateWindow();
}

void TMain::editLineFinished(int result)
{
    if (result == QDialog::Accepted) {
        showStatus(QString()); // the lines are no longer those of the file
    }
    // Back in the memo, where Ctrl+Z takes the rewrite back.
    activateWindow();
    m_exMoji->setFocus();
}

void TMain::btnSetFontClick()
{
    guarded([this] {
        const std::optional<QString> face =
            m_dialogs.chooseFontFace(this, m_faceChosen ? Cp932::decode(m_useFont) : WindowFace);
        if (face) {
            // In step with the direction as the toggle keeps it, and stored so, so that
            // the face is upright after a restart too.
            m_useFont = faceForDirection(Cp932::encode(*face), m_direct->itemIndex());
            m_faceChosen = true;
            StoredSettings::storeUseFont(m_settings, Cp932::decode(m_useFont));
        }
    });
}

void TMain::rgDirectClick(int index)
{
    m_useFont = faceForDirection(m_useFont, index);
}

// Readings are written in the furigana boxes: boxes off take them off, and with
// them the reading test, which 解答つき follows.
void TMain::rgSideWakuClick(int index)
{
    if (index != 1) {
        m_readings->setChecked(false);
    }
}

void TMain::chkReadingsClick(bool checked)
{
    if (checked) {
        m_sideWaku->setItemIndex(1);
    } else {
        m_readingTest->setChecked(false);
    }
}

void TMain::chkReadingTestClick(bool checked)
{
    if (checked) {
        m_readings->setChecked(true);
    } else {
        m_answers->setChecked(false);
    }
    m_answers->setEnabled(checked);
}

void TMain::shpCopybookMouseDown()
{
    guarded([this] {
        if (const std::optional<Color> color = m_dialogs.chooseColor(this)) {
            m_copybook->setColor(*color);
            StoredSettings::storeCopybookColor(m_settings, *color);
        }
    });
}

void TMain::shpTraceMouseDown()
{
    guarded([this] {
        if (const std::optional<Color> color = m_dialogs.chooseColor(this)) {
            m_trace->setColor(*color);
            StoredSettings::storeTraceColor(m_settings, *color);
        }
    });
}

void TMain::Button1Click()
{
    const StoredSettings defaults;
    m_copybook->setColor(defaults.copybookColor);
    m_trace->setColor(defaults.traceColor);
    guarded([&] {
        StoredSettings::storeCopybookColor(m_settings, defaults.copybookColor);
        StoredSettings::storeTraceColor(m_settings, defaults.traceColor);
    });
}
