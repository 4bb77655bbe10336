#pragma once

#include <QtGlobal>

/// A colour as 0x00BBGGRR: red in the low byte, then green, then blue.
using Color = quint32;

/// The colour as 0xRRGGBB, the order of Qt's QRgb and of "#rrggbb".
constexpr quint32 toRgb(Color color)
{
    return ((color & 0xFF) << 16) | (color & 0xFF00) | ((color >> 16) & 0xFF);
}

/// A 0xRRGGBB value (the alpha byte of a QRgb dropped) as a colour.
constexpr Color fromRgb(quint32 rgb)
{
    return toRgb(rgb & 0xFFFFFF);
}
