#pragma once

#include "sheetsettings.h"

#include <QString>

/// The most cells a line may hold for the stroke numbers to be read on A4.
inline constexpr qint32 MaxStrokeOrderCells = 8;

/// What to tell the user of a sheet that draws stroke order in cells too small
/// for its numbers to be read; empty when there is nothing to tell.
QString StrokeOrderNote(const SheetSettings &settings);
