#pragma once

#include "drawscale.h"

#include <QStringList>
#include <array>

/// The cells a line holds, by cell count index (SheetSettings::FrameNum): what
/// the window and the line processing dialog offer, and --cells and wrap=N take.
inline constexpr std::array<qint32, 10> CellCounts{4, 5, 6, 7, 8, 9, 10, 12, 15, 20};

/// The cell counts as decimal texts, in index order.
QStringList cellCountTexts();

/// Size and place of the writing grid of one page. Lengths are device pixels,
/// except GridTop, GridLeft, SmallKanaDrop and PunctDrop, which stay in reference
/// units and are scaled at each use.
struct GridGeometry {
    qint32 CellSize = 0;
    qint32 CellsPerLine = 0;
    qint32 LinesOnPage = 0;
    qint32 GlyphHeight = 0;
    qint32 SmallGlyphHeight = 0;
    qint32 LineGap = 0;       ///< between the cells of a line and the next line's
    qint32 BaseGap = 0;       ///< the line gap without the furigana box
    qint32 FuriganaWidth = 0; ///< depth of the furigana box before each cell
    qint32 GridTop = 0;
    qint32 GridLeft = 0;
    qint32 SmallKanaDrop = 0; ///< horizontal writing only
    qint32 PunctDrop = 0;     ///< horizontal writing only
};

/// Looks up the tuned geometry for the furigana frame (0, 1), the direction
/// (0 vertical, 1 horizontal) and the cell count index. Any index out of range
/// gives an empty geometry: no cells and no lines.
GridGeometry SelectGridGeometry(int furiganaFrame, int direction, int cellIndex,
                                const DrawScale &scale);

/// Lines one page holds for the furigana frame and the cell count index, as the
/// geometry table gives them in either direction; 0 for an index out of range.
qint32 LinesPerPageFor(int furiganaFrame, int cellIndex);
