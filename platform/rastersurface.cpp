#include "rastersurface.h"

#include "hekiraerror.h"

using namespace Qt::StringLiterals;

RasterTarget::RasterTarget(int width, int height) : pixels(width, height, QImage::Format_RGB32)
{
    // A page that cannot be painted must fail, never come out blank.
    if (pixels.isNull()) {
        throw HekiraError(
            u"%1x%2 ピクセルの画像を作るメモリがありません。"_s.arg(width).arg(height));
    }
    pixels.fill(Qt::white);
    if (!painter.begin(&pixels)) {
        throw HekiraError(u"%1x%2 ピクセルの画像に描けません。"_s.arg(width).arg(height));
    }
}

RasterSurface::RasterSurface(int width, int height)
    : RasterTarget(width, height), PageSurface(painter)
{
}

RasterSurface::RasterSurface(int width, int height, FontFaces &faces)
    : RasterTarget(width, height), PageSurface(painter, faces)
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
