#pragma once

#include <QByteArrayView>
#include <QFont>
#include <QFontDatabase>
#include <QPainterPath>
#include <QRawFont>
#include <array>
#include <memory>
#include <unordered_map>

class FeatureGlyphs;

/// A face name resolved to the font that draws it, with what drawing one
/// character needs cached: the glyph per character, usual and in ruby form, the
/// sized font per height.
///
/// A face may have a fallback face for the characters its font lacks and, when
/// vertical, for those its font has no vertical form of while the fallback has.
class FontFace {
public:
    /// How one character is drawn.
    struct Glyph {
        FontFace *face = nullptr;  ///< the face that draws it: this one or a fallback
        quint32 index = 0;         ///< in face's font
        qreal advance = 0;         ///< in face's em
        bool turned = false;       ///< a quarter turn counter-clockwise in its em-square cell
        bool verticalForm = false; ///< turned, in a form of its own for vertical text
        bool fallback = false;     ///< no font of the faces has it: drawn as text, by Qt's fallback
        bool blank = false;        ///< bytes that form no character: they keep their place, unseen
    };

    /// Where the baseline and the em sit in a character cell of a given height.
    enum class CellRule {
        EmCell,            ///< the cell is one em, the baseline 220/256 of it below the top
        FontAscentDescent, ///< the cell is the font's ascent + descent, the baseline at the ascent
    };

    /// The font is resolved for the writing system; `fallback`, when given, must
    /// outlive this face.
    FontFace(const QFont &font, bool vertical, CellRule rule,
             QFontDatabase::WritingSystem writingSystem, FontFace *fallback);
    ~FontFace();
    FontFace(const FontFace &) = delete;
    FontFace &operator=(const FontFace &) = delete;

    /// The face as a QFont: with Qt's font fallback it draws what the real font lacks.
    const QFont &font() const { return m_font; }

    /// The em for a cell height, in pixels.
    qreal emSize(int cellHeight) const { return cellHeight * m_emPerCell; }
    /// The face's QFont at the pixel size of a cell height, for text Qt lays out itself.
    QFont sizedQFont(int cellHeight) const
    {
        QFont sized = m_font;
        sized.setPixelSize(qMax(1, qRound(emSize(cellHeight))));
        return sized;
    }
    /// The baseline below the top of a cell of that height, in pixels.
    qreal baseline(int cellHeight) const { return cellHeight * m_baselinePerCell; }

    /// The real font sized for a cell height; kept until this face is destroyed.
    const QRawFont &sizedFont(int cellHeight);
    /// One CP932 character of one or two bytes; kept until this face is destroyed.
    const Glyph &glyph(QByteArrayView character);
    /// One CP932 character in ruby form: the glyph() of the character as the
    /// face drawing that glyph shapes it with its `ruby` feature (and `vert`,
    /// `vrt2` when turned); the glyph() itself where that face has no `ruby`.
    /// Kept until this face is destroyed.
    const Glyph &rubyGlyph(QByteArrayView character);
    /// How closely an outline follows the glyph's curves, which merging the strokes
    /// turns into many short lines.
    enum class Detail {
        Full, ///< every line, for images
        /// Lines that stay within a two-thousandth of the cell of the full outline
        /// joined, about a quarter as many points, for PDFs and printers, which write
        /// each.
        Lean,
    };
    /// The outline of a glyph of this face's font sized for a cell height, its
    /// origin on the baseline, overlapping strokes merged; kept until this face
    /// is destroyed.
    const QPainterPath &glyphOutline(int cellHeight, quint32 index, Detail detail = Detail::Full);
    /// The outline of a character no font of the faces has, as Qt's font fallback
    /// draws it from this face's QFont; kept until this face is destroyed.
    const QPainterPath &fallbackOutline(int cellHeight, QByteArrayView character,
                                        Detail detail = Detail::Full);

private:
    Glyph makeGlyph(QByteArrayView character);
    Glyph ownGlyph(QByteArrayView character);
    Glyph rubyForm(const Glyph &usual, QByteArrayView character);
    FeatureGlyphs &featureGlyphs();
    qreal advance(quint32 index) const;

    QFont m_font;
    QRawFont m_rawFont;
    bool m_vertical;
    FontFace *m_fallback;
    qreal m_emPerCell = 1;
    qreal m_baselinePerCell = 0;
    std::unique_ptr<FeatureGlyphs> m_featureGlyphs; // created on the first character shaped
    std::unordered_map<int, QRawFont> m_sizedFonts;
    std::unordered_map<quint16, Glyph> m_glyphs;     // by CP932 code
    std::unordered_map<quint16, Glyph> m_rubyGlyphs; // by CP932 code
    using Outlines = std::unordered_map<quint64, QPainterPath>;
    std::array<Outlines, 2> m_glyphOutlines;    // by detail; by height, glyph index
    std::array<Outlines, 2> m_fallbackOutlines; // by detail; by height, CP932 code
};
