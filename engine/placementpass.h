#pragma once

#include "drawingsurface.h"
#include "pagelayout.h"

#include <QByteArray>
#include <QByteArrayView>

/// A run of two-byte units drawn into consecutive cells of one row in one colour.
struct PlacementPass {
    qint32 row = 1;       ///< page row, 1-based
    QByteArray text;      ///< unit i is bytes 2i-1 and 2i
    qint32 count = 0;     ///< units 1..count are drawn
    qint32 StartCell = 0; ///< cells of the row before the first unit's cell
    Color color = 0;
    qint32 SmallKanaNudge = 0; ///< horizontal writing: extra X shift of small kana, reference units
    /// Each cell lighter than the one before, from `color` in the first to FadeLimit
    /// (or `color`, where that is lighter) in the last.
    bool fade = false;
    /// The characters as their outlines, stroked 1 / CellsPerOutlineWidth of the cell wide.
    bool outline = false;
    /// The characters in the stroke-order face, the sheet's face drawing what it
    /// lacks; vertical when the sheet's face is.
    bool strokeOrder = false;
};

/// The lightest a fading pass gets, in each of red, green and blue: still seen on paper.
inline constexpr Color FadeLimit = 0xF0F0F0;

/// How a unit sits in its cell; the first class that matches decides.
enum class UnitClass {
    MergedBracket, ///< 」 right after 。: drawn into the full stop's cell
    SmallKana, ///< っょゅぁぅぇぉゃッョュァゥェォャ: smaller, at the cell's corner
    SmallMark, ///< 。、: smaller
    Ordinary,
};

UnitClass ClassifyUnit(QByteArrayView unit, QByteArrayView previousUnit);

/// The width of an outline stroke, as a part of the cell: thin, yet seen on paper.
inline constexpr qint32 CellsPerOutlineWidth = 60;

/// Draws one pass into its row, in the surface's face (the sheet's). Every merged
/// bracket moves the later units of the pass back one cell. Leaves the font
/// height at GlyphHeight, the font colour at the last cell's colour, the face as
/// it found it, without a fallback, and the text filled.
void DrawPass(DrawingSurface &surface, const PageLayout &layout, int direction,
              const PlacementPass &pass);
