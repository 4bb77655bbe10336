#pragma once

#include "drawingsurface.h"
#include "pagelayout.h"
#include "sheetsettings.h"

#include <QByteArray>

/// Draws the characters of page row k (1-based) from its line, by the practice
/// pattern of the settings: which units, in which cells, as model or trace.
void DrawPatternRow(DrawingSurface &surface, const PageLayout &layout,
                    const SheetSettings &settings, qint32 k, const QByteArray &line);
