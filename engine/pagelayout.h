#pragma once

#include "drawscale.h"
#include "gridgeometry.h"

/// The scale and grid of the page being drawn, with the positions derived from them.
struct PageLayout {
    const DrawScale &scale;
    const GridGeometry &geometry;

    /// Top of the cells of row k (1-based), in device pixels.
    qint32 rowY(qint32 k) const
    {
        return scale.Scaled(geometry.GridTop) + (k - 1) * (geometry.CellSize + geometry.LineGap);
    }
    /// Left of the cell after `slot` cells of a row (slot 0 is cell 1), in device pixels.
    qint32 cellX(qint32 slot) const
    {
        return scale.Scaled(geometry.GridLeft) + slot * geometry.CellSize;
    }
};
