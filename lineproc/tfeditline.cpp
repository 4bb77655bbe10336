#include "tfeditline.h"

#include "gridgeometry.h"
#include "memolines.h"
#include "radiogroup.h"

#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>

namespace {

using namespace Qt::StringLiterals;

constexpr QSize ClientSize(362, 147);
constexpr QRect EditOptionRect(16, 8, 161, 131);
constexpr QRect LineRect(272, 24, 73, 19);
constexpr QRect LineNumRect(224, 24, 33, 20);
constexpr QRect OkRect(183, 112, 84, 25);
constexpr QRect CancelRect(272, 112, 84, 25);
constexpr QRect MojiNumRect(192, 50, 162, 56);
constexpr QPoint Label1Position(192, 8);
constexpr int FontPixels = 12;
constexpr int MaxCount = 5;

// Which controls each item of "編集" enables: line count, width.
struct Enabling {
    bool count;
    bool width;
};
constexpr std::array<Enabling, 5> EnablingByOption{{
    {true, false},  // 全行複製
    {true, false},  // 空白行挿入
    {false, false}, // ひらがな→カタカナ変換
    {false, false}, // カタカナ→ひらがな変換
    {false, true},  // 文字数の変更
}};

} // namespace

TFEditLine::TFEditLine(MemoLines &exMoji, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      m_exMoji(exMoji)
{
    setWindowTitle(u"データの加工"_s);
    setModal(false);
    setFixedSize(ClientSize);
    QFont font(u"ＭＳ Ｐゴシック"_s);
    font.setPixelSize(FontPixels);
    setFont(font);

    // Created in tab order.
    m_editOption = new RadioGroup(u"編集"_s,
                                  {u"全行複製"_s, u"空白行挿入"_s, u"ひらがな→カタカナ変換"_s,
                                   u"カタカナ→ひらがな変換"_s, u"文字数の変更"_s},
                                  1, this);
    m_editOption->setObjectName(u"rgEditOption"_s);
    m_editOption->setGeometry(EditOptionRect);

    m_line = new QScrollBar(Qt::Horizontal, this);
    m_line->setObjectName(u"sbLine"_s);
    m_line->setGeometry(LineRect);
    m_line->setRange(1, MaxCount);
    m_line->setSingleStep(1);
    m_line->setPageStep(1);
    m_line->setFocusPolicy(Qt::StrongFocus);

    m_lineNum = new QLineEdit(u"1"_s, this);
    m_lineNum->setObjectName(u"edtLineNum"_s);
    m_lineNum->setGeometry(LineNumRect);
    m_lineNum->setReadOnly(true);

    m_ok = new QPushButton(u"OK"_s, this);
    m_ok->setObjectName(u"BitBtn1"_s);
    m_ok->setGeometry(OkRect);
    m_ok->setDefault(true);

    m_cancel = new QPushButton(u"キャンセル"_s, this);
    m_cancel->setObjectName(u"BitBtn2"_s);
    m_cancel->setGeometry(CancelRect);

    m_mojiNum = new RadioGroup(u"文字数指定"_s, cellCountTexts(), 4, this);
    m_mojiNum->setObjectName(u"rgMojiNum"_s);
    m_mojiNum->setGeometry(MojiNumRect);

    auto *label1 = new QLabel(u"行数指定"_s, this);
    label1->setObjectName(u"Label1"_s);
    label1->move(Label1Position);
    label1->adjustSize();

    QWidget *previous = m_editOption->item(0);
    const auto chain = [&previous](QWidget *next) {
        QWidget::setTabOrder(previous, next);
        previous = next;
    };
    for (int i = 1; i < m_editOption->itemCount(); ++i) {
        chain(m_editOption->item(i));
    }
    chain(m_line);
    chain(m_lineNum);
    chain(m_ok);
    chain(m_cancel);
    for (int i = 0; i < m_mojiNum->itemCount(); ++i) {
        chain(m_mojiNum->item(i));
    }

    connect(m_line, &QScrollBar::valueChanged, this, &TFEditLine::sbLineChange);
    connect(m_editOption, &RadioGroup::itemIndexChanged, this, &TFEditLine::rgEditOptionClick);
    connect(m_ok, &QPushButton::clicked, this, &TFEditLine::BitBtn1Click);
    connect(m_cancel, &QPushButton::clicked, this, &TFEditLine::BitBtn2Click);

    m_editOption->setItemIndex(0);
    m_mojiNum->setEnabled(false);

    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
}

void TFEditLine::sbLineChange()
{
    m_lineNum->setText(QString::number(m_line->value()));
}

void TFEditLine::rgEditOptionClick()
{
    const int option = m_editOption->itemIndex();
    if (option < 0 || option >= int(EnablingByOption.size())) {
        return;
    }
    const Enabling enabling = EnablingByOption[option];
    m_lineNum->setEnabled(enabling.count);
    m_line->setEnabled(enabling.count);
    m_mojiNum->setEnabled(enabling.width);
}

void TFEditLine::BitBtn1Click()
{
    const LineOperations::Edit edit = chosenEdit();
    m_exMoji.rewrite([edit](const LineList &lines) {
        return lines.count() > 0 ? LineOperations::apply(lines, edit) : lines;
    });
    accept();
}

void TFEditLine::BitBtn2Click()
{
    reject();
}

LineOperations::Edit TFEditLine::chosenEdit() const
{
    const auto operation = static_cast<LineOperations::Operation>(m_editOption->itemIndex());
    if (operation != LineOperations::Operation::Rewrap) {
        return {operation, m_line->value()};
    }
    const int width = m_mojiNum->itemIndex();
    return {operation, width < 0 ? 0 : CellCounts[static_cast<size_t>(width)]};
}
