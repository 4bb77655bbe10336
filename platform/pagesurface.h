#pragma once

#include "drawingsurface.h"

#include <QBrush>
#include <QPainter>
#include <QPolygon>
#include <QRect>
#include <memory>

class FontFace;
class FontFaces;

/// A DrawingSurface over a QPainter on any paint device: a printer or PDF page,
/// or an image. Coordinates are device pixels; rectangles and lines are
/// pixel exact as long as the painter's transform is the identity.
///
/// The painter must be active when the surface is made and stay so while it
/// draws. On a raster device rectangles, lines and dots are filled pixel by
/// pixel, slanted lines too; on other devices a dotted line is one dashed stroke.
class PageSurface : public DrawingSurface {
public:
    /// Draws with a font cache of its own.
    explicit PageSurface(QPainter &painter);
    /// Draws with a font cache shared with other surfaces; it must outlive this one.
    PageSurface(QPainter &painter, FontFaces &faces);
    ~PageSurface() override;

    void Rectangle(int x1, int y1, int x2, int y2) override;
    void TextOut(int x, int y, const QByteArray &text) override;

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

    QPainter &m_painter;
    bool m_rasterDevice; // pixels are filled one by one rather than stroked
    std::unique_ptr<FontFaces> m_ownFaces;
    FontFaces &m_faces;
    QByteArray m_faceName;     // the face m_face resolves, to skip lookups
    QByteArray m_fallbackName; // and its fallback
    FontFace *m_face = nullptr;
    QBrush m_dotBrush; // a checkerboard of the dot colour, gaps transparent
    Color m_dotColor = 0;
};
