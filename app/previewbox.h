#pragma once

#include <QImage>
#include <QWidget>

/// The preview box: a landscape picture of the page, turned clockwise. It keeps
/// the last copied picture; it shows it while `showing` is on, and otherwise
/// only a copy just made, until the next repaint leaves the box blank.
class PreviewBox : public QWidget {
    Q_OBJECT

public:
    static constexpr int BoxWidth = 441;
    static constexpr int BoxHeight = 320;

    explicit PreviewBox(QWidget *parent = nullptr);

    /// The box's picture, to copy a page into; call copied() afterwards.
    QImage &canvas() { return m_canvas; }
    /// Makes the picture the size of a portrait page turned, at the page's pixel
    /// ratio (white when it changes), so that the page fills it.
    void fitCanvas(const QImage &page);
    void copied();
    /// Whether repaints show the picture; takes effect at the next repaint.
    void setShowing(bool showing) { m_showing = showing; }
    /// What a repaint shows now: the picture, or nothing.
    bool showsPicture() const { return m_showing || m_fresh; }

Q_SIGNALS:
    /// Emitted at the start of every repaint, before the picture is shown.
    void aboutToPaint();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QImage m_canvas;
    bool m_showing = false;
    bool m_fresh = false;
};
