#include "fontface.h"

#include "cp932.h"
#include "featureglyphs.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QLineF>
#include <QPolygonF>
#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// Where the baseline of the Windows Japanese faces sits in their one-em cell.
constexpr qreal EmCellBaseline = 220.0 / 256.0;

quint16 characterCode(QByteArrayView character)
{
    const auto byte = [&](qsizetype i) {
        return static_cast<quint16>(static_cast<uchar>(character[i]));
    };
    return character.size() == 2 ? static_cast<quint16>(byte(0) << 8 | byte(1)) : byte(0);
}

// Lean outlines stay this close to the full ones, in cell heights.
constexpr qreal LeanTolerance = 1.0 / 2000;

// Keeps, between `first` and `last`, the point farthest from the line joining them
// if it lies beyond `tolerance`, and so on either side of it (Ramer-Douglas-Peucker).
void keepFarthest(const QPolygonF &points, qsizetype first, qsizetype last, qreal tolerance,
                  std::vector<bool> &kept)
{
    const QLineF chord(points[first], points[last]);
    const qreal length = chord.length();
    qreal farthest = tolerance;
    qsizetype found = -1;
    for (qsizetype i = first + 1; i < last; ++i) {
        const QPointF p = points[i] - chord.p1();
        const qreal distance = length > 0
                                   ? std::abs(chord.dx() * p.y() - chord.dy() * p.x()) / length
                                   : std::hypot(p.x(), p.y());
        if (distance > farthest) {
            farthest = distance;
            found = i;
        }
    }
    if (found >= 0) {
        kept[size_t(found)] = true;
        keepFarthest(points, first, found, tolerance, kept);
        keepFarthest(points, found, last, tolerance, kept);
    }
}

// A path of straight subpaths, as a merged outline is, with the points that lie
// within `tolerance` of the line between their neighbours left out.
QPainterPath withFewerPoints(const QPainterPath &path, qreal tolerance)
{
    QPainterPath lean;
    for (const QPolygonF &points : path.toSubpathPolygons()) {
        std::vector<bool> kept(size_t(points.size()), false);
        kept.front() = kept.back() = true;
        keepFarthest(points, 0, points.size() - 1, tolerance, kept);
        QPolygonF fewer;
        for (qsizetype i = 0; i < points.size(); ++i) {
            if (kept[size_t(i)]) {
                fewer << points[i];
            }
        }
        lean.addPolygon(fewer);
    }
    return lean;
}

} // namespace

FontFace::FontFace(const QFont &font, bool vertical, CellRule rule,
                   QFontDatabase::WritingSystem writingSystem, FontFace *fallback)
    : m_font(font), m_rawFont(QRawFont::fromFont(font, writingSystem)), m_vertical(vertical),
      m_fallback(fallback)
{
    if (!m_rawFont.isValid()) {
        return; // every character then goes to Qt's fallback
    }
    const qreal unitsPerEm = m_rawFont.unitsPerEm();
    m_rawFont.setPixelSize(unitsPerEm);
    if (rule == CellRule::EmCell) {
        m_baselinePerCell = EmCellBaseline;
    } else {
        const qreal cell = m_rawFont.ascent() + m_rawFont.descent();
        m_emPerCell = unitsPerEm / cell;
        m_baselinePerCell = m_rawFont.ascent() / cell;
    }
}

FontFace::~FontFace() = default;

const QRawFont &FontFace::sizedFont(int cellHeight)
{
    auto found = m_sizedFonts.find(cellHeight);
    if (found == m_sizedFonts.end()) {
        QRawFont sized = m_rawFont;
        if (sized.isValid()) {
            sized.setPixelSize(emSize(cellHeight));
        }
        found = m_sizedFonts.emplace(cellHeight, sized).first;
    }
    return found->second;
}

const FontFace::Glyph &FontFace::glyph(QByteArrayView character)
{
    const quint16 code = characterCode(character);
    auto found = m_glyphs.find(code);
    if (found == m_glyphs.end()) {
        found = m_glyphs.emplace(code, makeGlyph(character)).first;
    }
    return found->second;
}

const FontFace::Glyph &FontFace::rubyGlyph(QByteArrayView character)
{
    const quint16 code = characterCode(character);
    auto found = m_rubyGlyphs.find(code);
    if (found == m_rubyGlyphs.end()) {
        // The face drawing the usual glyph shapes the ruby form, so that a fallback
        // face draws what it draws otherwise.
        const Glyph &usual = glyph(character);
        found = m_rubyGlyphs.emplace(code, usual.face->rubyForm(usual, character)).first;
    }
    return found->second;
}

const QPainterPath &FontFace::glyphOutline(int cellHeight, quint32 index, Detail detail)
{
    const quint64 key = quint64(quint32(cellHeight)) << 32 | index;
    Outlines &outlines = m_glyphOutlines[size_t(detail)];
    auto found = outlines.find(key);
    if (found == outlines.end()) {
        // As one outline, where the design overlaps strokes.
        found = outlines
                    .emplace(key, detail == Detail::Lean
                                      ? withFewerPoints(glyphOutline(cellHeight, index),
                                                        cellHeight * LeanTolerance)
                                      : sizedFont(cellHeight).pathForGlyph(index).simplified())
                    .first;
    }
    return found->second;
}

const QPainterPath &FontFace::fallbackOutline(int cellHeight, QByteArrayView character,
                                              Detail detail)
{
    const quint64 key = quint64(quint32(cellHeight)) << 32 | characterCode(character);
    Outlines &outlines = m_fallbackOutlines[size_t(detail)];
    auto found = outlines.find(key);
    if (found == outlines.end()) {
        QPainterPath path;
        if (detail == Detail::Lean) {
            path =
                withFewerPoints(fallbackOutline(cellHeight, character), cellHeight * LeanTolerance);
        } else {
            path.addText(QPointF(), sizedQFont(cellHeight), Cp932::decode(character));
            path = path.simplified();
        }
        found = outlines.emplace(key, path).first;
    }
    return found->second;
}

FontFace::Glyph FontFace::makeGlyph(QByteArrayView character)
{
    const Glyph own = ownGlyph(character);
    if (!m_fallback || own.blank) {
        return own;
    }
    if (own.fallback) {
        return m_fallback->glyph(character);
    }
    if (own.turned && !own.verticalForm) {
        const Glyph &other = m_fallback->glyph(character);
        if (other.verticalForm) {
            return other;
        }
    }
    return own;
}

FontFace::Glyph FontFace::ownGlyph(QByteArrayView character)
{
    const std::optional<QString> decoded = Cp932::decodeCharacter(character);
    Glyph glyph;
    glyph.face = this;
    if (!decoded) {
        // Half a character, or a byte no character uses: a half-width blank per byte.
        glyph.advance = 0.5 * character.size();
        glyph.blank = true;
        return glyph;
    }
    const QString &text = *decoded;
    if (m_vertical && character.size() == 2) {
        glyph.index = m_rawFont.isValid()
                          ? featureGlyphs().glyphIndex(text, FeatureGlyphs::VerticalForms)
                          : 0;
        glyph.advance = 1;
        glyph.turned = true;
        glyph.verticalForm =
            glyph.index != 0 && glyph.index != m_rawFont.glyphIndexesForString(text).value(0);
    } else {
        const QList<quint32> indexes = m_rawFont.glyphIndexesForString(text);
        glyph.index = indexes.isEmpty() ? 0 : indexes.first();
        if (glyph.index != 0) {
            glyph.advance = advance(glyph.index);
        }
    }
    if (glyph.index == 0) {
        QFont reference = m_font;
        reference.setPixelSize(1000);
        glyph.fallback = true;
        glyph.turned = false;
        glyph.advance = QFontMetricsF(reference).horizontalAdvance(text) / 1000;
    }
    return glyph;
}

FontFace::Glyph FontFace::rubyForm(const Glyph &usual, QByteArrayView character)
{
    if (usual.blank || usual.fallback || !featureGlyphs().has(FeatureGlyphs::RubyForms)) {
        return usual;
    }
    Glyph ruby = usual;
    const FeatureGlyphs::Features features =
        usual.turned ? FeatureGlyphs::RubyForms | FeatureGlyphs::VerticalForms
                     : FeatureGlyphs::Features(FeatureGlyphs::RubyForms);
    ruby.index = featureGlyphs().glyphIndex(Cp932::decode(character), features);
    if (!usual.turned) {
        ruby.advance = advance(ruby.index);
    }
    return ruby;
}

FeatureGlyphs &FontFace::featureGlyphs()
{
    if (!m_featureGlyphs) {
        m_featureGlyphs = std::make_unique<FeatureGlyphs>(m_rawFont);
    }
    return *m_featureGlyphs;
}

qreal FontFace::advance(quint32 index) const
{
    return m_rawFont.advancesForGlyphIndexes({index}, QRawFont::UseDesignMetrics).value(0).x() /
           m_rawFont.pixelSize();
}
