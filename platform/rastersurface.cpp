#include "rastersurface.h"

RasterTarget::RasterTarget(int width, int height) : pixels(width, height, QImage::Format_RGB32)
{
    pixels.fill(Qt::white);
    painter.begin(&pixels);
}

RasterSurface::RasterSurface(int width, int height)
    : RasterTarget(width, height), PageSurface(painter)
{
}

QImage RasterSurface::image()
{
    if (painter.isActive()) {
        painter.end();
    }
    return pixels;
}

void RasterSurface::aboutToPaint()
{
    if (!painter.isActive()) {
        // Detach first, so that painting resumes in a buffer no copy shares.
        pixels.detach();
        painter.begin(&pixels);
    }
}
