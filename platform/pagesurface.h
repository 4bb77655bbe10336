#pragma once

#include "drawingsurface.h"

#include <QBrush>
#include <QLineF>
#include <QList>
#include <QPainter>
#include <QPolygon>
#include <QRect>
#include <memory>
#include <vector>

class FontFace;
class FontFaces;

/// A DrawingSurface over a QPainter on any paint device: a printer or PDF page,
/// or an image. Coordinates are device pixels; rectangles and lines are
/// pixel exact as long as the painter's transform is the identity.
///
/// The painter must be active when the surface is made and stay so while it
/// draws. On a raster device rectangles, lines and dots are filled pixel by
/// pixel, slanted lines too; on other devices a dotted line is one dashed stroke.
///
/// On other devices rectangles and lines of one colour are held back and drawn
/// together, the bands under one brush and the lines of one pen in one stroke,
/// when the colour changes, before text, at flush() and when the surface goes:
/// Qt's PDF engine writes its pen and brush out again whenever either changes,
/// and a fill changes both, so that guides drawn one by one cost several times
/// as much. Figures of one colour cover the same pixels in any order.
class PageSurface : public DrawingSurface {
public:
    /// Draws with a font cache of its own.
    explicit PageSurface(QPainter &painter);
    /// Draws with a font cache shared with other surfaces; it must outlive this one.
    PageSurface(QPainter &painter, FontFaces &faces);
    ~PageSurface() override;

    void Rectangle(int x1, int y1, int x2, int y2) override;
    void TextOut(int x, int y, const QByteArray &text) override;
    /// Draws what is held back; before the page ends, or the painter is used otherwise.
    void flush();

protected:
    void drawLine(int x1, int y1, int x2, int y2) override;
    /// Called before each drawing operation, for a subclass that pauses painting.
    virtual void aboutToPaint() {}

private:
    PageSurface(QPainter &painter, std::unique_ptr<FontFaces> ownFaces, FontFaces *sharedFaces);
    FontFace &currentFace();
    void drawSlantedLine(QPoint from, QPoint to);
    void drawPixels(const QPolygon &pixels, Color color);
    void fillBand(const QRect &pixels, Color color);
    void drawDottedSpan(const QRect &span, QPoint firstDot);
    /// A line stroked with linePen(color, width, dash).
    void strokeLine(const QLineF &line, Color color, int width, qreal dash);
    /// Makes `color` the colour of what is held back, drawing what another colour holds.
    void hold(Color color);

    QPainter &m_painter;
    bool m_rasterDevice; // pixels are filled one by one rather than stroked
    std::unique_ptr<FontFaces> m_ownFaces;
    FontFaces &m_faces;
    QByteArray m_faceName;     // the face m_face resolves, to skip lookups
    QByteArray m_fallbackName; // and its fallback
    FontFace *m_face = nullptr;
    QBrush m_dotBrush; // a checkerboard of the dot colour, gaps transparent
    Color m_dotColor = 0;

    // Held back on a vector device, all of m_heldColor: filled pixel bands, and
    // lines by their pen and by how far they are moved to lie on whole numbers.
    struct HeldLines {
        int width;
        qreal dash;
        QPointF offset;
        QList<QLineF> lines;
    };
    Color m_heldColor = 0;
    QList<QRect> m_heldBands;
    std::vector<HeldLines> m_heldLines;
};
