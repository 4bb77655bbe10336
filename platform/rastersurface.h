#pragma once

#include "pagesurface.h"

#include <QImage>
#include <QPainter>

/// The image and painter a RasterSurface draws with, made before the
/// PageSurface base that holds the painter (base-from-member).
struct RasterTarget {
    RasterTarget(int width, int height);
    QImage pixels;
    QPainter painter;
};

/// A PageSurface that owns its device: a white RGB32 image of a given size.
/// Text is antialiased; rectangles and lines are pixel exact.
class RasterSurface : private RasterTarget, public PageSurface {
public:
    RasterSurface(int width, int height);

    /// The picture so far. Painting pauses so that the copy returned stays as it
    /// is when drawing goes on.
    QImage image();

protected:
    void aboutToPaint() override;
};
