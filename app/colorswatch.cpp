#include "colorswatch.h"

#include <QMouseEvent>

ColorSwatch::ColorSwatch(Color color, QWidget *parent) : QFrame(parent), m_color(color)
{
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setAutoFillBackground(true);
    setColor(color);
}

void ColorSwatch::setColor(Color color)
{
    m_color = color;
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, QColor::fromRgb(toRgb(color)));
    setPalette(palette);
}

void ColorSwatch::mousePressEvent(QMouseEvent *event)
{
    event->accept();
    Q_EMIT pressed();
}
