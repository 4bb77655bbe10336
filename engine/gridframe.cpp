#include "gridframe.h"

namespace {

// Pen widths in device pixels, the same at every scale.
constexpr int OutlineWidth = 2;
constexpr int GuideWidth = 1;

} // namespace

void DrawGridFrame(DrawingSurface &surface, const PageLayout &layout, const SheetSettings &settings)
{
    const GridGeometry &g = layout.geometry;
    const qint32 half = g.CellSize / 2;
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
                surface.MoveTo(x + half, y);
                surface.LineTo(x + half, y + g.CellSize);
                surface.MoveTo(x, y + half);
                surface.LineTo(x + g.CellSize, y + half);
                surface.setPenStyle(PenStyle::Solid);
            }
        }
    }
}
