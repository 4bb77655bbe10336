#include "gridframe.h"

#include <array>
#include <span>

namespace {

// Pen widths in device pixels, the same at every scale.
constexpr int OutlineWidth = 2;
constexpr int GuideWidth = 1;

// A place along one side of a cell: the cell size times num / den (rounded
// down), plus a pixel offset.
struct CellPlace {
    qint32 num;
    qint32 den;
    qint32 offset = 0;

    constexpr qint32 at(qint32 cellSize) const { return cellSize * num / den + offset; }
};

// A dotted guide from one point of the cell to another, the end point not drawn.
struct GuideLine {
    CellPlace x1, y1, x2, y2;
};

constexpr CellPlace Edge{0, 1};
constexpr CellPlace FarEdge{1, 1};
constexpr CellPlace Half{1, 2};
constexpr CellPlace Third{1, 3};
constexpr CellPlace TwoThirds{2, 3};

constexpr std::array<GuideLine, 2> Cross{{
    {Half, Edge, Half, FarEdge},
    {Edge, Half, FarEdge, Half},
}};

// The cross, then the diagonals from the top corners: each runs pixel by pixel
// from one corner pixel of the one-pixel outline to the opposite one.
constexpr std::array<GuideLine, 4> CrossAndDiagonals{{
    Cross[0],
    Cross[1],
    {Edge, Edge, FarEdge, FarEdge},
    {{1, 1, -1}, Edge, {0, 1, -1}, FarEdge},
}};

constexpr std::array<GuideLine, 4> Thirds{{
    {Third, Edge, Third, FarEdge},
    {TwoThirds, Edge, TwoThirds, FarEdge},
    {Edge, Third, FarEdge, Third},
    {Edge, TwoThirds, FarEdge, TwoThirds},
}};

// Index = SheetSettings::GuideStyle.
constexpr std::array<std::span<const GuideLine>, 3> GuideStyles{Cross, CrossAndDiagonals, Thirds};

std::span<const GuideLine> guideLines(int style)
{
    // A style outside the table (no item selected) draws the cross, as before styles.
    return style >= 0 && style < int(GuideStyles.size()) ? GuideStyles[static_cast<size_t>(style)]
                                                         : GuideStyles[0];
}

} // namespace

void DrawGridFrame(DrawingSurface &surface, const PageLayout &layout, const SheetSettings &settings)
{
    const GridGeometry &g = layout.geometry;
    const std::span<const GuideLine> guides = guideLines(settings.GuideStyle);
    for (qint32 k = 1; k <= g.LinesOnPage; ++k) {
        const qint32 y = layout.rowY(k);
        for (qint32 j = 1; j <= g.CellsPerLine; ++j) {
            const qint32 x = layout.cellX(j - 1);
            surface.setPenStyle(PenStyle::Solid);
            surface.setPenWidth(OutlineWidth);
            if (settings.FuriganaFrame == 1) {
                surface.Rectangle(x, y - g.FuriganaWidth, x + g.CellSize, y);
            }
            if (settings.FuriganaFrame == 0 || settings.FuriganaFrame == 1) {
                surface.Rectangle(x, y, x + g.CellSize, y + g.CellSize);
            }
            surface.setPenWidth(GuideWidth);
            if (settings.CrossLine == 1) {
                surface.setPenStyle(PenStyle::Dot);
                for (const GuideLine &guide : guides) {
                    surface.MoveTo(x + guide.x1.at(g.CellSize), y + guide.y1.at(g.CellSize));
                    surface.LineTo(x + guide.x2.at(g.CellSize), y + guide.y2.at(g.CellSize));
                }
                surface.setPenStyle(PenStyle::Solid);
            }
        }
    }
}
