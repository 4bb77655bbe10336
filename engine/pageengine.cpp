#include "pageengine.h"

#include "gridframe.h"
#include "gridgeometry.h"
#include "lineorder.h"
#include "pagelayout.h"
#include "practicepattern.h"
#include "printnumber.h"

namespace {

constexpr Color White = 0xFFFFFF;
constexpr Color Black = 0x000000;

// A header text: font height and top-left corner, in reference units.
struct HeaderPlace {
    int height;
    int x;
    int y;
};

constexpr HeaderPlace DatePlace{8, 14, 16};
constexpr HeaderPlace PrintNumberPlace{6, 14, 8};
constexpr HeaderPlace NamePlace{16, 120, 12};
constexpr HeaderPlace SentencePlace{10, 14, 36};

const QByteArray &dateField()
{
    static const QByteArray text = Cp932::encode(u"月　日");
    return text;
}

const QByteArray &nameField()
{
    static const QByteArray text = Cp932::encode(u"（　　　　　　　　　　　）");
    return text;
}

const QByteArray &printNumberFace(int direction)
{
    static const QByteArray vertical = Cp932::encode(u"@ＭＳ 明朝");
    static const QByteArray horizontal = Cp932::encode(u"ＭＳ 明朝");
    return direction == 0 ? vertical : horizontal;
}

} // namespace

PageEngine::PageEngine(RandomGenerator &random) : m_random(random)
{
}

void PageEngine::MakePrint(DrawingSurface &surface, qint32 PageWidth, qint32 PageHeight,
                           SheetSettings &settings, const LineList &ExMoji, const PageState &state)
{
    LineList workLines = ExMoji;
    m_drawScale = DrawScale::ForPage(PageWidth, PageHeight);
    blankPage(surface);
    surface.setFontFace(settings.UseFont);
    surface.setFontColor(Black);
    drawHeader(surface, settings);
    surface.setPenWidth(1);
    surface.setBrushStyle(BrushStyle::Clear);
    const GridGeometry geometry = SelectGridGeometry(settings.FuriganaFrame, settings.DocDirection,
                                                     settings.FrameNum, m_drawScale);
    if (settings.RndLine == 1) {
        ShuffleFirstPage(workLines, ExMoji, geometry.LinesOnPage, m_random);
    }
    const PageLayout layout{m_drawScale, geometry};
    DrawGridFrame(surface, layout, settings);
    surface.setFontHeight(geometry.GlyphHeight);
    surface.setFontFace(settings.UseFont);
    for (qint32 k = 1; k <= geometry.LinesOnPage; ++k) {
        DrawPatternRow(surface, layout, settings, k, workLines.line(state.PageTop + k - 1));
    }
}

void PageEngine::blankPage(DrawingSurface &surface) const
{
    surface.setBrushStyle(BrushStyle::Solid);
    surface.setBrushColor(White);
    surface.setPenColor(White);
    // Pen width and style stay as the surface holds them: solid and 1 after any page.
    surface.Rectangle(0, 0, m_drawScale.Scaled(DrawScale::ReferenceWidth - 1),
                      m_drawScale.Scaled(DrawScale::ReferenceHeight - 1));
    surface.setPenColor(Black);
}

void PageEngine::drawHeader(DrawingSurface &surface, SheetSettings &settings) const
{
    const auto drawText = [&](const HeaderPlace &place, const QByteArray &text) {
        surface.setFontHeight(m_drawScale.Scaled(place.height));
        surface.TextOut(m_drawScale.Scaled(place.x), m_drawScale.Scaled(place.y), text);
    };
    if (settings.DatePrint == 1) {
        drawText(DatePlace, dateField());
    }
    if (settings.PrnNumPrint == 1) {
        surface.setFontFace(printNumberFace(settings.DocDirection));
        settings.PrintNumber = PrintNumber::parse(settings.PrnNumText);
        drawText(PrintNumberPlace, PrintNumber::headerText(settings.PrintNumber));
        surface.setFontFace(settings.UseFont);
    }
    if (settings.NamePrint == 1) {
        drawText(NamePlace, nameField());
    }
    drawText(SentencePlace, settings.QuestionMes);
}
