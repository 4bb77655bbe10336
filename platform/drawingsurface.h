#pragma once

#include "color.h"

#include <QByteArray>

enum class BrushStyle { Solid, Clear };
enum class PenStyle { Solid, Dot };

/// Pen, brush, font and current position of a surface: what the drawing
/// operations read when they draw.
struct SurfaceState {
    BrushStyle brushStyle = BrushStyle::Solid;
    Color brushColor = 0xFFFFFF;
    Color penColor = 0x000000;
    int penWidth = 1;
    PenStyle penStyle = PenStyle::Solid;
    QByteArray fontFace;
    QByteArray fallbackFace; ///< draws what fontFace lacks or has no vertical form of
    int fontHeight = 12;
    Color fontColor = 0x000000;
    int textOutline = 0;    ///< above 0: text as its outline, stroked this wide, unfilled
    bool rubyForms = false; ///< kana in the faces' ruby forms, where they have them
    int currentX = 0;
    int currentY = 0;
};

/// The drawing operations a worksheet page needs of its target, in device pixels.
///
/// Text is Shift_JIS (CP932) bytes. A face name starting with the one-byte "@"
/// is the vertical variant of the rest of the name: each full-width character is
/// turned a quarter turn counter-clockwise in its cell, the text still advancing
/// along +X. The font height is the height of the character cell, not the em.
/// With a fallback face, characters the font face lacks, and in vertical text
/// those it has no vertical form of while the fallback has, are drawn in the
/// fallback face. With a text outline width, characters are drawn as their
/// outlines in the font colour, stroked that many pixels wide. With ruby forms,
/// characters are drawn in the forms their face designs for ruby (OpenType
/// `ruby`), for readings set small; a face without them draws its usual glyphs.
class DrawingSurface {
public:
    virtual ~DrawingSurface() = default;

    void setBrushStyle(BrushStyle style) { m_state.brushStyle = style; }
    void setBrushColor(Color color) { m_state.brushColor = color; }
    void setPenColor(Color color) { m_state.penColor = color; }
    void setPenWidth(int width) { m_state.penWidth = width; }
    void setPenStyle(PenStyle style) { m_state.penStyle = style; }
    void setFontFace(const QByteArray &face) { m_state.fontFace = face; }
    void setFallbackFace(const QByteArray &face) { m_state.fallbackFace = face; }
    void setFontHeight(int height) { m_state.fontHeight = height; }
    void setFontColor(Color color) { m_state.fontColor = color; }
    void setTextOutline(int width) { m_state.textOutline = width; }
    void setRubyForms(bool on) { m_state.rubyForms = on; }
    const SurfaceState &state() const { return m_state; }

    /// Outlines with the pen and fills with a solid brush. With a one-pixel pen
    /// the figure covers x1..x2-1 and y1..y2-1; a wider pen is centred on that outline.
    virtual void Rectangle(int x1, int y1, int x2, int y2) = 0;
    void MoveTo(int x, int y);
    /// Draws from the current position to (x, y), the end point itself not drawn.
    void LineTo(int x, int y);
    /// Draws text with the top-left of its first character cell at (x, y). With a
    /// solid brush the text's background box is filled with the brush colour.
    virtual void TextOut(int x, int y, const QByteArray &text) = 0;

protected:
    virtual void drawLine(int x1, int y1, int x2, int y2) = 0;

private:
    SurfaceState m_state;
};
