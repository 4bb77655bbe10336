#pragma once

#include <QImage>

/// Copies the source turned 90 degrees clockwise into the destination: source
/// pixel (x, y) lands at (destination width - 1 - y, x), so the page's top row
/// becomes the right-hand column. Every destination pixel that a source pixel
/// maps to is written; the destination keeps its size.
void RotateR90(const QImage &source, QImage &destination);
