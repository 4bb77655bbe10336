#pragma once

#include <QButtonGroup>
#include <QGroupBox>
#include <QStringList>

/// A captioned group of radio items laid out in columns, read as one item index
/// (-1 when no item is selected).
class RadioGroup : public QGroupBox {
    Q_OBJECT

public:
    RadioGroup(const QString &caption, const QStringList &items, int columns,
               QWidget *parent = nullptr);

    int itemIndex() const;
    /// Selects an item; -1 (or any index without an item) selects none.
    void setItemIndex(int index);

Q_SIGNALS:
    /// The selected item changed, by the user or by setItemIndex.
    void itemIndexChanged(int index);

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    QButtonGroup m_buttons;
    int m_columns;
};
