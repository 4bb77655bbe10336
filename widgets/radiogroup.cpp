#include "radiogroup.h"

#include <QButtonGroup>
#include <QRadioButton>

namespace {

using namespace Qt::StringLiterals;

constexpr int ItemsLeft = 8;
constexpr int SideMargins = 10;
constexpr int BottomMargin = 5;

} // namespace

RadioGroup::RadioGroup(const QString &caption, const QStringList &items, int columns,
                       QWidget *parent)
    : QGroupBox(caption, parent), m_group(new QButtonGroup(this)), m_columns(qMax(1, columns))
{
    // The frame runs through the middle of the caption, as in the classic Windows
    // group, which leaves the items their room in a group only 56 pixels high.
    setStyleSheet(u"QGroupBox { border: 1px solid palette(mid); border-radius: 2px;"
                  u" margin-top: 0.5em; }"
                  u"QGroupBox::title { subcontrol-origin: margin; left: 6px; padding: 0 2px; }"
                  u"QRadioButton::indicator { width: 11px; height: 11px; }"_s);
    // A style sheet cuts the font off from the parent's: keep the inherited one.
    const QFont inherited = font();
    setFont(inherited);
    for (qsizetype i = 0; i < items.size(); ++i) {
        auto *button = new QRadioButton(items[i], this);
        button->setFont(inherited);
        m_group->addButton(button, int(i));
        m_items.append(button);
    }
    connect(m_group, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
        if (checked) {
            Q_EMIT itemIndexChanged(id);
        }
    });
}

int RadioGroup::itemIndex() const
{
    return m_group->checkedId();
}

void RadioGroup::setItemIndex(int index)
{
    if (index >= 0 && index < m_items.size()) {
        m_items[index]->setChecked(true);
        return;
    }
    if (itemIndex() < 0) {
        return;
    }
    // An exclusive group does not let its checked button go.
    m_group->setExclusive(false);
    for (QRadioButton *button : std::as_const(m_items)) {
        button->setChecked(false);
    }
    m_group->setExclusive(true);
    Q_EMIT itemIndexChanged(-1);
}

QRadioButton *RadioGroup::item(int index) const
{
    return m_items.value(index);
}

int RadioGroup::itemCount() const
{
    return int(m_items.size());
}

void RadioGroup::resizeEvent(QResizeEvent *event)
{
    QGroupBox::resizeEvent(event);
    arrangeItems();
}

// Items share the space below the caption evenly, the rows' leftover pixels split
// above and below, as the classic Windows radio group lays them out.
void RadioGroup::arrangeItems()
{
    if (m_items.isEmpty()) {
        return;
    }
    const int perColumn = int((m_items.size() + m_columns - 1) / m_columns);
    const int columnWidth = (width() - SideMargins) / m_columns;
    const int textHeight = fontMetrics().height();
    const int itemsHeight = height() - textHeight - BottomMargin;
    const int rowHeight = itemsHeight / perColumn;
    const int top = textHeight + 1 + (itemsHeight % perColumn) / 2;
    for (int i = 0; i < m_items.size(); ++i) {
        m_items[i]->setGeometry(ItemsLeft + (i / perColumn) * columnWidth,
                                top + (i % perColumn) * rowHeight, columnWidth, rowHeight);
    }
}
