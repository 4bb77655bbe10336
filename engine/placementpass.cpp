#include "placementpass.h"

#include "cp932.h"
#include "facenames.h"
#include "facetoggle.h"

#include <QVarLengthArray>
#include <array>
#include <string_view>

namespace {

constexpr std::string_view FullStop = "\x81\x42";     // 。
constexpr std::string_view CloseBracket = "\x81\x76"; // 」

constexpr std::array<std::string_view, 16> SmallKanaSet{
    "\x82\xC1", "\x82\xE5", "\x82\xE3", "\x82\x9F", // っ ょ ゅ ぁ
    "\x82\xA3", "\x82\xA5", "\x82\xA7", "\x82\xE1", // ぅ ぇ ぉ ゃ
    "\x83\x62", "\x83\x87", "\x83\x85", "\x83\x40", // ッ ョ ュ ァ
    "\x83\x44", "\x83\x46", "\x83\x48", "\x83\x83", // ゥ ェ ォ ャ
};

constexpr std::array<std::string_view, 2> SmallMarks{
    "\x81\x42", "\x81\x41", // 。 、
};

bool isOneOf(QByteArrayView unit, auto const &set)
{
    for (std::string_view member : set) {
        if (unit == QByteArrayView(member.data(), qsizetype(member.size()))) {
            return true;
        }
    }
    return false;
}

bool equals(QByteArrayView unit, std::string_view literal)
{
    return unit == QByteArrayView(literal.data(), qsizetype(literal.size()));
}

// The colour of cell `cell` of `cells` in a fading pass: each of red, green and
// blue a step nearer the limit per cell, in whole steps of equal size.
Color fadedColor(Color first, qint32 cell, qint32 cells)
{
    if (cells <= 1) {
        return first;
    }
    Color faded = 0;
    for (int shift : {0, 8, 16}) {
        const qint32 from = qint32((first >> shift) & 0xFF);
        const qint32 to = qMax(from, qint32((FadeLimit >> shift) & 0xFF));
        faded |= Color(from + (to - from) * cell / (cells - 1)) << shift;
    }
    return faded;
}

// The cells a pass fills: one per unit, but for the brackets drawn into the cell before.
qint32 cellsFilled(const PlacementPass &pass)
{
    qint32 cells = 0;
    QByteArray previous;
    for (qint32 i = 1; i <= pass.count; ++i) {
        const QByteArray unit = pass.text.mid(2 * (i - 1), 2);
        cells += ClassifyUnit(unit, previous) == UnitClass::MergedBracket ? 0 : 1;
        previous = unit;
    }
    return cells;
}

// Whether unit `unit` (0-based) of the pass stands under one of its readings.
bool underReading(const PlacementPass &pass, qint32 unit)
{
    const qint32 inRow = pass.readingPeriod > 0 ? unit % pass.readingPeriod : unit;
    for (const RubySpan &span : pass.readings) {
        if (inRow >= span.firstUnit && inRow < span.firstUnit + span.units) {
            return true;
        }
    }
    return false;
}

// Draws each reading of the pass, once a repetition of the row, into the
// furigana boxes over the cells `slots` gives its units.
void drawReadings(DrawingSurface &surface, const PageLayout &layout, const PlacementPass &pass,
                  const QVarLengthArray<qint32, 64> &slots, qint32 fadeCells)
{
    const GridGeometry &g = layout.geometry;
    const qint32 boxTop = layout.rowY(pass.row) - g.FuriganaWidth;
    const qint32 fullHeight = g.FuriganaWidth * ReadingHeightNum / ReadingHeightDen;
    const qint32 period = pass.readingPeriod > 0 ? pass.readingPeriod : pass.count;
    // Kana set small read best in the forms a face designs for ruby.
    surface.setRubyForms(true);
    for (qint32 start = 0; period > 0 && start < pass.count; start += period) {
        for (const RubySpan &span : pass.readings) {
            const qint32 first = start + span.firstUnit;
            const qint32 last = qMin(first + span.units, qMin(start + period, pass.count)) - 1;
            if (first > last || span.reading.isEmpty()) {
                continue;
            }
            QList<QByteArray> characters;
            for (qsizetype i = 0; i < span.reading.size();) {
                const qsizetype length = Cp932::characterLength(span.reading, i);
                characters.append(span.reading.sliced(i, length));
                i += length;
            }
            const qint32 width = (slots[last] - slots[first] + 1) * g.CellSize;
            const qint32 count = qint32(characters.size());
            const qint32 pitch = qMax(1, qMin(fullHeight, width / count));
            const qint32 left = layout.cellX(slots[first]) + (width - pitch * count) / 2;
            const qint32 top = boxTop + (g.FuriganaWidth - pitch) / 2;
            surface.setFontHeight(pitch);
            if (pass.fade) {
                surface.setFontColor(
                    fadedColor(pass.color, slots[first] - pass.StartCell, fadeCells));
            }
            for (qint32 c = 0; c < count; ++c) {
                surface.TextOut(left + c * pitch, top, characters[c]);
            }
        }
    }
    surface.setRubyForms(false);
    surface.setFontHeight(g.GlyphHeight);
}

} // namespace

UnitClass ClassifyUnit(QByteArrayView unit, QByteArrayView previousUnit)
{
    if (equals(unit, CloseBracket) && equals(previousUnit, FullStop)) {
        return UnitClass::MergedBracket;
    }
    if (isOneOf(unit, SmallKanaSet)) {
        return UnitClass::SmallKana;
    }
    if (isOneOf(unit, SmallMarks)) {
        return UnitClass::SmallMark;
    }
    return UnitClass::Ordinary;
}

void DrawPass(DrawingSurface &surface, const PageLayout &layout, int direction,
              const PlacementPass &pass)
{
    const GridGeometry &g = layout.geometry;
    const DrawScale &scale = layout.scale;
    const bool vertical = direction == 0;
    const bool horizontal = direction == 1;
    const qint32 rowY = layout.rowY(pass.row);
    const qint32 fadeCells = pass.fade ? cellsFilled(pass) : 0;
    surface.setFontColor(pass.color);
    if (pass.outline) {
        surface.setTextOutline(qMax(1, qRound(double(g.CellSize) / CellsPerOutlineWidth)));
    }
    const QByteArray sheetFace = surface.state().fontFace;
    if (pass.strokeOrder) {
        surface.setFallbackFace(sheetFace);
        surface.setFontFace(faceForDirection(Cp932::encode(QStringView(FaceNames::StrokeOrder)),
                                             sheetFace.startsWith('@') ? 0 : 1));
    }
    qint32 mergeCount = 0;
    QByteArray previous;
    QVarLengthArray<qint32, 64> slots; // the cell each unit is drawn into
    for (qint32 i = 1; i <= pass.count; ++i) {
        const QByteArray unit = pass.text.mid(2 * (i - 1), 2);
        const UnitClass unitClass = ClassifyUnit(unit, previous);
        const qint32 slot = pass.StartCell + i - 1 - mergeCount;
        const qint32 cellX = layout.cellX(slot);
        slots.append(unitClass == UnitClass::MergedBracket ? slot - 1 : slot);
        if (pass.hideReadBases && underReading(pass, i - 1)) {
            mergeCount += unitClass == UnitClass::MergedBracket ? 1 : 0;
            previous = unit;
            continue;
        }
        if (pass.fade && unitClass != UnitClass::MergedBracket) {
            surface.setFontColor(fadedColor(pass.color, i - 1 - mergeCount, fadeCells));
        }
        switch (unitClass) {
        case UnitClass::MergedBracket:
            surface.TextOut(cellX - g.CellSize, rowY, unit);
            ++mergeCount;
            break;
        case UnitClass::SmallKana:
            surface.setFontHeight(g.SmallGlyphHeight);
            if (vertical) {
                surface.TextOut(cellX - g.BaseGap, rowY - scale.Scaled(1), unit);
            } else if (horizontal) {
                surface.TextOut(cellX + scale.Scaled(pass.SmallKanaNudge) - g.BaseGap,
                                rowY + scale.Scaled(g.SmallKanaDrop), unit);
            }
            surface.setFontHeight(g.GlyphHeight);
            break;
        case UnitClass::SmallMark:
            surface.setFontHeight(g.SmallGlyphHeight);
            if (vertical) {
                surface.TextOut(cellX, rowY, unit);
            } else if (horizontal) {
                surface.TextOut(cellX, rowY + scale.Scaled(g.PunctDrop), unit);
            }
            surface.setFontHeight(g.GlyphHeight);
            break;
        case UnitClass::Ordinary:
            surface.TextOut(cellX, rowY, unit);
            break;
        }
        previous = unit;
    }
    surface.setTextOutline(0);
    surface.setFontFace(sheetFace);
    surface.setFallbackFace({});
    if (!pass.readings.isEmpty()) {
        drawReadings(surface, layout, pass, slots, fadeCells);
    }
}
