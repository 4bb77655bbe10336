#pragma once

#include <QFlags>
#include <QRawFont>
#include <QStringView>

struct hb_face_t;
struct hb_font_t;
struct hb_buffer_t;

/// Shapes single characters with chosen OpenType features, using HarfBuzz on
/// the very font Qt resolved, since Qt cannot switch OpenType features on. The
/// glyph indexes are those of the given QRawFont.
class FeatureGlyphs {
public:
    /// The OpenType features a character can be shaped with.
    enum Feature : quint8 {
        VerticalForms = 0x1, ///< `vert` and `vrt2`: forms for vertical text
        RubyForms = 0x2,     ///< `ruby`: kana designed to be read at ruby size
    };
    Q_DECLARE_FLAGS(Features, Feature)

    explicit FeatureGlyphs(const QRawFont &font);
    ~FeatureGlyphs();
    FeatureGlyphs(const FeatureGlyphs &) = delete;
    FeatureGlyphs &operator=(const FeatureGlyphs &) = delete;

    /// Whether the font substitutes glyphs for a feature: shaping with one it
    /// lacks gives the glyphs shaping without it does.
    bool has(Feature feature) const;
    /// The glyph that draws one character shaped left to right with the
    /// features; 0 when the font lacks it.
    quint32 glyphIndex(QStringView character, Features features);

private:
    QRawFont m_font; // HarfBuzz reads its tables through this object's address
    hb_face_t *m_face = nullptr;
    hb_font_t *m_hbFont = nullptr;
    hb_buffer_t *m_buffer = nullptr;
    Features m_available;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(FeatureGlyphs::Features)
