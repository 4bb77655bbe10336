#pragma once

#include "drawingsurface.h"
#include "drawscale.h"
#include "linelist.h"
#include "pagestate.h"
#include "randomgenerator.h"
#include "sheetsettings.h"

/// Draws worksheet pages. It keeps only what a page leaves behind for its
/// caller to read (the scale); every page is drawn afresh from the settings,
/// the lines and the page state it is given.
class PageEngine {
public:
    explicit PageEngine(RandomGenerator &random);

    /// Draws one complete page onto a surface of PageWidth x PageHeight device
    /// pixels. With the print number on, settings.PrintNumber is first read from
    /// settings.PrnNumText; a text that is no integer throws HekiraError and the
    /// page is left as far as it got.
    void MakePrint(DrawingSurface &surface, qint32 PageWidth, qint32 PageHeight,
                   SheetSettings &settings, const LineList &ExMoji, const PageState &state);

    const DrawScale &drawScale() const { return m_drawScale; }

private:
    void blankPage(DrawingSurface &surface) const;
    void drawHeader(DrawingSurface &surface, SheetSettings &settings) const;

    RandomGenerator &m_random;
    DrawScale m_drawScale;
};
