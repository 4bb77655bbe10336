#pragma once

#include <QRawFont>
#include <QStringView>

struct hb_face_t;
struct hb_font_t;
struct hb_buffer_t;

/// Shapes characters with a font's vertical alternates (OpenType `vert` and
/// `vrt2`), using HarfBuzz on the very font Qt resolved, since Qt cannot switch
/// OpenType features on. The glyph indexes are those of the given QRawFont.
class VerticalGlyphs {
public:
    explicit VerticalGlyphs(const QRawFont &font);
    ~VerticalGlyphs();
    VerticalGlyphs(const VerticalGlyphs &) = delete;
    VerticalGlyphs &operator=(const VerticalGlyphs &) = delete;

    /// The glyph that draws one character in vertical text; 0 when the font lacks it.
    quint32 glyphIndex(QStringView character);

private:
    QRawFont m_font; // HarfBuzz reads its tables through this object's address
    hb_face_t *m_face = nullptr;
    hb_font_t *m_hbFont = nullptr;
    hb_buffer_t *m_buffer = nullptr;
};
