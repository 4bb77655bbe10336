#pragma once

#include "color.h"

#include <QFrame>

/// A rectangle filled with a colour; pressing any mouse button on it asks for another.
class ColorSwatch : public QFrame {
    Q_OBJECT

public:
    explicit ColorSwatch(Color color, QWidget *parent = nullptr);

    Color color() const { return m_color; }
    void setColor(Color color);

Q_SIGNALS:
    void pressed();

protected:
    void mousePressEvent(QMouseEvent *event) override;

private:
    Color m_color;
};
