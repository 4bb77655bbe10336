#pragma once

#include "drawingsurface.h"
#include "pagelayout.h"
#include "sheetsettings.h"

/// Draws every cell outline of the page, with its furigana box and dotted guides
/// (the cross, the cross and diagonals, or the thirds) as the settings ask,
/// whatever text the rows hold.
void DrawGridFrame(DrawingSurface &surface, const PageLayout &layout,
                   const SheetSettings &settings);
