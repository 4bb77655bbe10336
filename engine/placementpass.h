#pragma once

#include "drawingsurface.h"
#include "pagelayout.h"
#include "rubyline.h"

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
    /// Readings drawn in the furigana boxes beside their units; the units of a
    /// pass that repeats its row count from each repetition's start.
    QList<RubySpan> readings;
    qint32 readingPeriod = 0; ///< units of one repetition of the row
    /// A reading test: the units that have a reading leave their cells empty.
    bool hideReadBases = false;
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

/// The reading's font height as a part of the furigana box: clear of its edges.
inline constexpr qint32 ReadingHeightNum = 4;
inline constexpr qint32 ReadingHeightDen = 5;

/// Draws one pass into its row, in the surface's face (the sheet's). Every merged
/// bracket moves the later units of the pass back one cell. A reading is
/// centred in the furigana boxes of its units' cells, in the sheet's face,
/// filled, its characters made smaller where they would not fit. Leaves the font
/// height at GlyphHeight, the font colour at the last colour drawn, the face as
/// it found it, without a fallback, and the text filled.
void DrawPass(DrawingSurface &surface, const PageLayout &layout, int direction,
              const PlacementPass &pass);
