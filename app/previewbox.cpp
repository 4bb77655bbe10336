#include "previewbox.h"

#include <QPainter>

PreviewBox::PreviewBox(QWidget *parent)
    : QWidget(parent), m_canvas(BoxWidth, BoxHeight, QImage::Format_RGB32)
{
    setFixedSize(BoxWidth, BoxHeight);
    m_canvas.fill(Qt::white);
}

void PreviewBox::fitCanvas(const QImage &page)
{
    const QSize turned = page.size().transposed();
    if (m_canvas.size() != turned || m_canvas.devicePixelRatio() != page.devicePixelRatio()) {
        m_canvas = QImage(turned, QImage::Format_RGB32);
        m_canvas.fill(Qt::white);
        m_canvas.setDevicePixelRatio(page.devicePixelRatio());
    }
}

void PreviewBox::copied()
{
    m_fresh = true;
    update();
}

void PreviewBox::paintEvent(QPaintEvent *)
{
    Q_EMIT aboutToPaint();
    if (showsPicture()) {
        QPainter(this).drawImage(0, 0, m_canvas);
    }
    m_fresh = false;
}
