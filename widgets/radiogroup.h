#pragma once

#include <QGroupBox>
#include <QList>
#include <QStringList>

class QButtonGroup;
class QRadioButton;

/// A captioned group of radio items in columns, filled column by column, whose
/// value is the index of the selected item (-1 for none).
class RadioGroup : public QGroupBox {
    Q_OBJECT

public:
    RadioGroup(const QString &caption, const QStringList &items, int columns,
               QWidget *parent = nullptr);

    int itemIndex() const;
    /// Selects an item; -1 clears the selection.
    void setItemIndex(int index);
    QRadioButton *item(int index) const;
    int itemCount() const;

Q_SIGNALS:
    /// The selection changed, by the user or by setItemIndex().
    void itemIndexChanged(int index);

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void arrangeItems();

    QButtonGroup *m_group;
    QList<QRadioButton *> m_items;
    int m_columns;
};
