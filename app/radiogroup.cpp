#include "radiogroup.h"

#include <QFontMetrics>
#include <QRadioButton>
#include <QResizeEvent>

RadioGroup::RadioGroup(const QString &caption, const QStringList &items, int columns,
                       QWidget *parent)
    : QGroupBox(caption, parent), m_columns(columns)
{
    for (int i = 0; i < items.size(); ++i) {
        m_buttons.addButton(new QRadioButton(items[i], this), i);
    }
    connect(&m_buttons, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
        if (checked) {
            Q_EMIT itemIndexChanged(id);
        }
    });
}

int RadioGroup::itemIndex() const
{
    return m_buttons.checkedId();
}

void RadioGroup::setItemIndex(int index)
{
    if (QAbstractButton *button = m_buttons.button(index)) {
        button->setChecked(true);
        return;
    }
    // An exclusive group cannot uncheck its last button.
    if (QAbstractButton *checked = m_buttons.checkedButton()) {
        m_buttons.setExclusive(false);
        checked->setChecked(false);
        m_buttons.setExclusive(true);
        Q_EMIT itemIndexChanged(-1);
    }
}

void RadioGroup::resizeEvent(QResizeEvent *event)
{
    QGroupBox::resizeEvent(event);
    // Items share the space under the caption evenly, down each column first,
    // the way these groups have always been laid out; a layout would need more room.
    const QList<QAbstractButton *> buttons = m_buttons.buttons();
    const int count = static_cast<int>(buttons.size());
    const int rows = (count + m_columns - 1) / m_columns;
    const int top = fontMetrics().height();
    const int left = 8;
    const int width = (event->size().width() - left - 4) / m_columns;
    const int height = (event->size().height() - top - 2) / qMax(rows, 1);
    for (int i = 0; i < count; ++i) {
        buttons[i]->setGeometry(left + (i / rows) * width, top + (i % rows) * height, width,
                                height);
    }
}
