#include "strokeorder.h"

#include "gridgeometry.h"

using namespace Qt::StringLiterals;

QString StrokeOrderNote(const SheetSettings &settings)
{
    if (settings.StrokeOrder != 1 || settings.FrameNum < 0 ||
        settings.FrameNum >= qint32(CellCounts.size())) {
        return {};
    }
    const qint32 cells = CellCounts[static_cast<size_t>(settings.FrameNum)];
    if (cells <= MaxStrokeOrderCells) {
        return {};
    }
    return u"一行 %1 マスでは筆順の数字が小さくて読めません。A4 で読めるのは一行 %2 マスまでです。"_s
        .arg(cells)
        .arg(MaxStrokeOrderCells);
}
