#include "gridgeometry.h"

#include <array>

namespace {

// One tuned row of the geometry table, lengths in reference units.
struct GeometryRow {
    int lines;
    double cellSize;
    double smallGlyphHeight;
    double baseGap;
    double furiganaWidth; // 0 without the furigana frame
    int gridTop;
    int smallKanaDrop; // 0 in vertical writing
    int punctDrop;     // 0 in vertical writing
};

// A row for each cell count, in the order of CellCounts.
using GeometryTable = std::array<GeometryRow, CellCounts.size()>;

constexpr GeometryTable PlainVertical{{
    {5, 62, 44.86, 6.93, 0, 56, 0, 0},
    {6, 54, 38.93, 5.965, 0, 56, 0, 0},
    {7, 46, 33, 5, 0, 56, 0, 0},
    {8, 40.5, 29, 4.375, 0, 56, 0, 0},
    {10, 35, 25, 3.75, 0, 56, 0, 0},
    {11, 31.5, 22.5, 3.375, 0, 56, 0, 0},
    {12, 28, 20, 3, 0, 56, 0, 0},
    {14, 24, 17.14, 2.57, 0, 56, 0, 0},
    {18, 18.66, 13.33, 2, 0, 56, 0, 0},
    {24, 14, 10, 1.5, 0, 56, 0, 0},
}};

constexpr GeometryTable PlainHorizontal{{
    {5, 62, 46, 6.93, 0, 56, 18, 14},
    {6, 54, 37.5, 5.965, 0, 56, 17, 14},
    {7, 46, 29, 5, 0, 56, 17, 14},
    {8, 40.5, 25, 4.375, 0, 56, 15, 12},
    {10, 35, 21, 3.75, 0, 56, 13, 11},
    {11, 31.5, 19.5, 3.375, 0, 56, 11, 9},
    {12, 28, 18, 3, 0, 56, 10, 8},
    {14, 24, 16, 2.57, 0, 56, 8, 6},
    {18, 18.66, 12, 2, 0, 56, 7, 5},
    {24, 14, 8.6, 1.5, 0, 56, 5, 4},
}};

constexpr GeometryTable FuriganaVertical{{
    {4, 62, 44.86, 6.93, 20.01, 76, 0, 0},
    {5, 54, 38.93, 5.965, 17.67, 73, 0, 0},
    {5, 46, 33, 5, 15.33, 71, 0, 0},
    {6, 40.5, 29, 4.375, 13.495, 68, 0, 0},
    {7, 35, 25, 3.75, 11.66, 66, 0, 0},
    {8, 31.5, 22.5, 3.375, 10.495, 63, 0, 0},
    {9, 28, 20, 3, 9.33, 61, 0, 0},
    {11, 24, 17.14, 2.57, 8.4, 56, 0, 0},
    {14, 18.66, 13.33, 2, 7.176, 56, 0, 0},
    {19, 14, 10, 1.5, 4.666, 56, 0, 0},
}};

constexpr GeometryTable FuriganaHorizontal{{
    {4, 62, 46, 6.93, 20.01, 76, 19, 14},
    {5, 54, 37.5, 5.965, 17.67, 73, 18, 14},
    {5, 46, 29, 5, 15.33, 71, 17, 14},
    {6, 40.5, 25, 4.375, 13.495, 68, 15, 12},
    {7, 35, 21, 3.75, 11.66, 66, 13, 11},
    {8, 31.5, 19.5, 3.375, 10.495, 63, 11, 10},
    {9, 28, 18, 3, 9.33, 61, 10, 8},
    {11, 24, 16, 2.57, 8.4, 56, 8, 6},
    {14, 18.66, 12, 2, 7.176, 56, 7, 5},
    {19, 14, 8.6, 1.5, 4.666, 56, 5, 4},
}};

// Indexed by furigana frame, then direction.
constexpr std::array<std::array<const GeometryTable *, 2>, 2> Tables{{
    {&PlainVertical, &PlainHorizontal},
    {&FuriganaVertical, &FuriganaHorizontal},
}};

constexpr int GridLeft = 25;

} // namespace

QStringList cellCountTexts()
{
    QStringList texts;
    for (qint32 count : CellCounts) {
        texts << QString::number(count);
    }
    return texts;
}

GridGeometry SelectGridGeometry(int furiganaFrame, int direction, int cellIndex,
                                const DrawScale &scale)
{
    GridGeometry geometry;
    if (furiganaFrame < 0 || furiganaFrame > 1 || direction < 0 || direction > 1 || cellIndex < 0 ||
        cellIndex >= int(CellCounts.size())) {
        return geometry;
    }
    const GeometryRow &row = (*Tables[furiganaFrame][direction])[cellIndex];
    geometry.GridLeft = GridLeft;
    geometry.GridTop = row.gridTop;
    geometry.CellsPerLine = CellCounts[static_cast<size_t>(cellIndex)];
    geometry.LinesOnPage = row.lines;
    geometry.CellSize = scale.Scaled(row.cellSize);
    geometry.GlyphHeight = geometry.CellSize;
    geometry.SmallGlyphHeight = scale.Scaled(row.smallGlyphHeight);
    geometry.BaseGap = scale.Scaled(row.baseGap);
    // With the furigana box the gap is the sum of the two rounded lengths.
    geometry.FuriganaWidth = furiganaFrame == 1 ? scale.Scaled(row.furiganaWidth) : 0;
    geometry.LineGap = geometry.BaseGap + geometry.FuriganaWidth;
    geometry.SmallKanaDrop = row.smallKanaDrop;
    geometry.PunctDrop = row.punctDrop;
    return geometry;
}

qint32 LinesPerPageFor(int furiganaFrame, int cellIndex)
{
    return SelectGridGeometry(furiganaFrame, 0, cellIndex, DrawScale()).LinesOnPage;
}
