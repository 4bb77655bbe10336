#include "radiogroup.h"

#include <QGridLayout>
#include <QRadioButton>

RadioGroup::RadioGroup(const QString &caption, const QStringList &items, int columns,
                       QWidget *parent)
    : QGroupBox(caption, parent)
{
    auto *layout = new QGridLayout(this);
    layout->setContentsMargins(6, 2, 2, 2);
    layout->setHorizontalSpacing(4);
    layout->setVerticalSpacing(0);
    const int rows = (static_cast<int>(items.size()) + columns - 1) / columns;
    for (int i = 0; i < items.size(); ++i) {
        auto *button = new QRadioButton(items[i], this);
        m_buttons.addButton(button, i);
        // Items run down each column first, then across.
        layout->addWidget(button, i % rows, i / rows);
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
