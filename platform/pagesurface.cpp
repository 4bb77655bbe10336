#include "pagesurface.h"

#include "cp932.h"
#include "fontface.h"
#include "fontfaces.h"

#include <QGlyphRun>
#include <QImage>
#include <QPaintEngine>
#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

namespace {

// The em-square cell of a turned character has its top this far above the
// baseline, as the Windows faces' one-em cells have.
constexpr qreal TurnedCellAscent = 220.0 / 256.0;

QColor toQColor(Color color)
{
    return QColor::fromRgb(toRgb(color));
}

// A pen of width w covers the band c - w/2 .. c + (w-1)/2 around each pixel c
// that a one-pixel pen covers: width 1 is c itself, width 2 adds the pixel
// before c (above or to the left), width 3 one on each side. Lines widen only
// across, their ends stay where a one-pixel pen puts them.
QRect penBand(const QRect &pixels, int width, Qt::Orientations directions)
{
    width = std::max(1, width);
    const int before = width / 2;
    const int after = (width - 1) / 2;
    const int dx = directions & Qt::Horizontal ? 1 : 0;
    const int dy = directions & Qt::Vertical ? 1 : 0;
    return pixels.adjusted(-before * dx, -before * dy, after * dx, after * dy);
}

// The pixels a line from `from` towards `to` covers along one axis: `to` itself excluded.
std::pair<int, int> spanExcludingEnd(int from, int to)
{
    return from < to ? std::pair(from, to - 1) : std::pair(to + 1, from);
}

// A pen `width` wide with flat ends, in dashes `dash` long with gaps as long when
// dash is above 0.
QPen linePen(Color color, int width, qreal dash)
{
    QPen pen(toQColor(color), width, Qt::SolidLine, Qt::FlatCap);
    if (dash > 0) {
        pen.setDashPattern({dash, dash});
    }
    return pen;
}

void drawGlyphs(QPainter &painter, const QRawFont &font, const QList<quint32> &indexes,
                const QList<QPointF> &positions)
{
    QGlyphRun run;
    run.setRawFont(font);
    run.setGlyphIndexes(indexes);
    run.setPositions(positions);
    painter.drawGlyphRun(QPointF(), run);
}

} // namespace

PageSurface::PageSurface(QPainter &painter)
    : PageSurface(painter, std::make_unique<FontFaces>(), nullptr)
{
}

PageSurface::PageSurface(QPainter &painter, FontFaces &faces)
    : PageSurface(painter, nullptr, &faces)
{
}

PageSurface::PageSurface(QPainter &painter, std::unique_ptr<FontFaces> ownFaces,
                         FontFaces *sharedFaces)
    : m_painter(painter), m_rasterDevice(painter.paintEngine() &&
                                         painter.paintEngine()->type() == QPaintEngine::Raster),
      m_ownFaces(std::move(ownFaces)), m_faces(sharedFaces ? *sharedFaces : *m_ownFaces)
{
}

PageSurface::~PageSurface()
{
    if (m_painter.isActive()) {
        flush();
    }
}

void PageSurface::hold(Color color)
{
    if (color != m_heldColor) {
        flush();
        m_heldColor = color;
    }
}

void PageSurface::strokeLine(const QLineF &line, Color color, int width, qreal dash)
{
    if (m_rasterDevice) {
        m_painter.setPen(linePen(color, width, dash));
        m_painter.drawLine(line);
        return;
    }
    hold(color);
    // Lines as far off the pixel corners as each other are drawn moved by that much,
    // so that the PDF holds whole numbers: a guide through pixel centres is then a
    // third shorter to write and to compress.
    const QPointF offset(line.x1() - std::floor(line.x1()), line.y1() - std::floor(line.y1()));
    auto held = std::ranges::find_if(m_heldLines, [&](const HeldLines &h) {
        return h.width == width && h.dash == dash && h.offset == offset;
    });
    if (held == m_heldLines.end()) {
        held = m_heldLines.insert(held, {width, dash, offset, {}});
    }
    held->lines.append(line.translated(-offset));
}

void PageSurface::flush()
{
    if (!m_heldBands.isEmpty()) {
        m_painter.setPen(Qt::NoPen);
        m_painter.setBrush(toQColor(m_heldColor));
        // One fill a band: a viewer fits a lone rectangle to the pixels, a path of many
        // it shades at its edges.
        for (const QRect &band : std::as_const(m_heldBands)) {
            m_painter.drawRect(band);
        }
        m_heldBands.clear();
    }
    const QTransform transform = m_painter.worldTransform();
    for (const HeldLines &held : m_heldLines) {
        m_painter.setPen(linePen(m_heldColor, held.width, held.dash));
        const bool moved = !held.offset.isNull();
        if (moved) {
            m_painter.setWorldTransform(
                QTransform::fromTranslate(held.offset.x(), held.offset.y()) * transform);
        }
        m_painter.drawLines(held.lines.constData(), int(held.lines.size()));
        if (moved) {
            m_painter.setWorldTransform(transform);
        }
    }
    m_heldLines.clear();
}

void PageSurface::Rectangle(int x1, int y1, int x2, int y2)
{
    if (x1 > x2) {
        std::swap(x1, x2);
    }
    if (y1 > y2) {
        std::swap(y1, y2);
    }
    if (x1 == x2 || y1 == y2) {
        return;
    }
    aboutToPaint();
    const SurfaceState &s = state();
    const QRect figure(QPoint(x1, y1), QPoint(x2 - 1, y2 - 1));
    if (s.brushStyle == BrushStyle::Solid) {
        fillBand(figure, s.brushColor);
    }
    const QRect edges[] = {
        QRect(figure.topLeft(), figure.topRight()),
        QRect(figure.topRight(), figure.bottomRight()),
        QRect(figure.bottomLeft(), figure.bottomRight()),
        QRect(figure.topLeft(), figure.bottomLeft()),
    };
    for (const QRect &edge : edges) {
        if (s.penStyle == PenStyle::Dot && s.penWidth <= 1) {
            // Dots alternate all the way round, starting at the top-left corner.
            drawDottedSpan(edge, figure.topLeft());
        } else {
            // Widened along too, so that the corners are square.
            fillBand(penBand(edge, s.penWidth, Qt::Horizontal | Qt::Vertical), s.penColor);
        }
    }
}

void PageSurface::drawLine(int x1, int y1, int x2, int y2)
{
    if (x1 == x2 && y1 == y2) {
        return;
    }
    aboutToPaint();
    const SurfaceState &s = state();
    if (x1 != x2 && y1 != y2) {
        drawSlantedLine(QPoint(x1, y1), QPoint(x2, y2));
        return;
    }
    QRect span;
    if (y1 == y2) {
        const auto [left, right] = spanExcludingEnd(x1, x2);
        span = QRect(QPoint(left, y1), QPoint(right, y1));
    } else {
        const auto [top, bottom] = spanExcludingEnd(y1, y2);
        span = QRect(QPoint(x1, top), QPoint(x1, bottom));
    }
    // As on Windows, only a one-pixel pen draws dots; wider ones are solid.
    if (s.penStyle == PenStyle::Dot && s.penWidth <= 1) {
        if (s.brushStyle == BrushStyle::Solid) {
            fillBand(span, s.brushColor);
        }
        drawDottedSpan(span, QPoint(x1, y1));
    } else {
        const Qt::Orientation across = y1 == y2 ? Qt::Vertical : Qt::Horizontal;
        fillBand(penBand(span, s.penWidth, across), s.penColor);
    }
}

// One pixel a step along the longer axis, the end point excluded, as across and
// down; a one-pixel dotted pen puts a dot on every other step from the first.
// On a raster device the pixels are set one by one; elsewhere the line is one
// stroke through their centres, the dots dashes one step long.
void PageSurface::drawSlantedLine(QPoint from, QPoint to)
{
    const SurfaceState &s = state();
    const QPoint delta = to - from;
    const int steps = std::max(std::abs(delta.x()), std::abs(delta.y()));
    const bool dotted = s.penStyle == PenStyle::Dot && s.penWidth <= 1;
    const bool gapsFilled = dotted && s.brushStyle == BrushStyle::Solid;
    if (m_rasterDevice && s.penWidth <= 1) {
        QPolygon dots;
        QPolygon gaps;
        for (int i = 0; i < steps; ++i) {
            const QPoint pixel = from + QPoint(qRound(qreal(i) * delta.x() / steps),
                                               qRound(qreal(i) * delta.y() / steps));
            (dotted && i % 2 == 1 ? gaps : dots) << pixel;
        }
        if (gapsFilled) {
            drawPixels(gaps, s.brushColor);
        }
        drawPixels(dots, s.penColor);
        return;
    }
    const QPointF step = QPointF(delta) / steps;
    const QPointF start = QPointF(from) + QPointF(0.5, 0.5) - step / 2;
    const QLineF line(start, start + step * steps);
    const int width = std::max(1, s.penWidth);
    if (gapsFilled) {
        strokeLine(line, s.brushColor, width, 0);
    }
    strokeLine(line, s.penColor, width, dotted ? std::hypot(step.x(), step.y()) : 0);
}

void PageSurface::drawPixels(const QPolygon &pixels, Color color)
{
    // A cosmetic pen sets exactly the pixel of each point.
    m_painter.setPen(QPen(toQColor(color), 0));
    m_painter.drawPoints(pixels);
}

void PageSurface::fillBand(const QRect &pixels, Color color)
{
    if (m_rasterDevice) {
        m_painter.fillRect(pixels, toQColor(color));
        return;
    }
    hold(color);
    m_heldBands.append(pixels);
}

// One pixel on, one off, a dot wherever the pixel's distance from firstDot
// (across plus down) is even: a line or a rectangle's outline starts with a
// dot at its first pixel and alternates along it, leaving the gaps untouched.
void PageSurface::drawDottedSpan(const QRect &span, QPoint firstDot)
{
    const Color color = state().penColor;
    if (m_rasterDevice) {
        if (m_dotBrush.style() == Qt::NoBrush || m_dotColor != color) {
            QImage tile(2, 2, QImage::Format_ARGB32_Premultiplied);
            tile.fill(Qt::transparent);
            tile.setPixelColor(0, 0, toQColor(color));
            tile.setPixelColor(1, 1, toQColor(color));
            m_dotBrush = QBrush(tile);
            m_dotColor = color;
        }
        m_painter.setBrushOrigin(firstDot);
        m_painter.fillRect(span, m_dotBrush);
        return;
    }
    // Every dash starts at a dot, so that lines of one colour share one pen: a span
    // that starts in a gap starts at its first dot instead.
    const bool horizontal = span.height() == 1;
    QPoint start = span.topLeft();
    if (((start.x() - firstDot.x()) + (start.y() - firstDot.y())) & 1) {
        start += horizontal ? QPoint(1, 0) : QPoint(0, 1);
    }
    if (!span.contains(start)) {
        return;
    }
    const QPointF from(start.x() + (horizontal ? 0 : 0.5), start.y() + (horizontal ? 0.5 : 0));
    const QPointF to =
        horizontal ? QPointF(span.right() + 1, from.y()) : QPointF(from.x(), span.bottom() + 1);
    strokeLine(QLineF(from, to), color, 1, 1);
}

FontFace &PageSurface::currentFace()
{
    if (!m_face || m_faceName != state().fontFace || m_fallbackName != state().fallbackFace) {
        m_faceName = state().fontFace;
        m_fallbackName = state().fallbackFace;
        m_face = m_fallbackName.isEmpty() ? &m_faces.face(m_faceName)
                                          : &m_faces.face(m_faceName, m_fallbackName);
    }
    return *m_face;
}

void PageSurface::TextOut(int x, int y, const QByteArray &text)
{
    const SurfaceState &s = state();
    if (text.isEmpty() || s.fontHeight <= 0) {
        return;
    }
    aboutToPaint();
    FontFace &face = currentFace();

    // Turned glyphs are drawn in one run a face under one rotation about the
    // origin: a glyph whose cell has its centre at c goes where the inverse
    // rotation takes c, plus the offset of its upright origin from its cell's centre.
    const QTransform unturn = QTransform().rotate(90);

    // Runs in the order their faces first appear, upright before turned.
    struct Run {
        FontFace *face;
        bool turned;
        QList<quint32> indexes;
        QList<QPointF> positions;
    };
    std::vector<Run> runs;
    const auto run = [&runs](FontFace *source, bool turned) -> Run & {
        const auto found = std::ranges::find_if(
            runs, [&](const Run &r) { return r.face == source && r.turned == turned; });
        if (found != runs.end()) {
            return *found;
        }
        if (std::ranges::none_of(runs, [&](const Run &r) { return r.face == source; })) {
            runs.push_back({source, false, {}, {}});
            runs.push_back({source, true, {}, {}});
        }
        return runs[runs.size() - (turned ? 1 : 2)];
    };
    struct Fallback {
        FontFace *face;
        QPointF at;
        QByteArrayView character;
    };
    QList<Fallback> fallbacks;
    qreal penX = x;
    const QByteArrayView bytes(text);
    for (qsizetype i = 0; i < bytes.size();) {
        const QByteArrayView character = bytes.sliced(i, Cp932::characterLength(bytes, i));
        const FontFace::Glyph &glyph =
            s.rubyForms ? face.rubyGlyph(character) : face.glyph(character);
        FontFace &source = *glyph.face;
        const qreal em = source.emSize(s.fontHeight);
        const qreal baseline = y + source.baseline(s.fontHeight);
        if (glyph.fallback) {
            fallbacks.append({&source, QPointF(penX, baseline), character});
        } else if (glyph.turned) {
            const QPointF originFromCentre(-em / 2, (TurnedCellAscent - 0.5) * em);
            const QPointF centre(penX + em / 2, baseline - (TurnedCellAscent - 0.5) * em);
            Run &turned = run(&source, true);
            turned.indexes.append(glyph.index);
            turned.positions.append(unturn.map(centre) + originFromCentre);
        } else if (!glyph.blank) {
            Run &upright = run(&source, false);
            upright.indexes.append(glyph.index);
            upright.positions.append(QPointF(penX, baseline));
        }
        penX += glyph.advance * em;
        i += character.size();
    }

    if (s.brushStyle == BrushStyle::Solid) {
        fillBand(QRect(x, y, qRound(penX - x), s.fontHeight), s.brushColor);
    }
    flush();
    const QTransform transform = m_painter.worldTransform();
    const QTransform turnedTransform = QTransform().rotate(-90) * transform;
    if (s.textOutline > 0) {
        const QPen pen(toQColor(s.fontColor), s.textOutline, Qt::SolidLine, Qt::RoundCap,
                       Qt::RoundJoin);
        const bool antialiased = m_painter.testRenderHint(QPainter::Antialiasing);
        m_painter.setRenderHint(QPainter::Antialiasing);
        const auto stroke = [&](const QPainterPath &path, QPointF at, const QTransform &base) {
            m_painter.setWorldTransform(QTransform::fromTranslate(at.x(), at.y()) * base);
            m_painter.strokePath(path, pen);
        };
        const FontFace::Detail detail =
            m_rasterDevice ? FontFace::Detail::Full : FontFace::Detail::Lean;
        for (const Run &r : runs) {
            for (qsizetype i = 0; i < r.indexes.size(); ++i) {
                stroke(r.face->glyphOutline(s.fontHeight, r.indexes[i], detail), r.positions[i],
                       r.turned ? turnedTransform : transform);
            }
        }
        for (const Fallback &fallback : fallbacks) {
            stroke(fallback.face->fallbackOutline(s.fontHeight, fallback.character, detail),
                   fallback.at, transform);
        }
        m_painter.setWorldTransform(transform);
        m_painter.setRenderHint(QPainter::Antialiasing, antialiased);
        return;
    }
    m_painter.setPen(toQColor(s.fontColor));
    for (const Run &r : runs) {
        if (r.indexes.isEmpty()) {
            continue;
        }
        const QRawFont &font = r.face->sizedFont(s.fontHeight);
        if (!r.turned) {
            drawGlyphs(m_painter, font, r.indexes, r.positions);
            continue;
        }
        m_painter.setWorldTransform(turnedTransform);
        drawGlyphs(m_painter, font, r.indexes, r.positions);
        m_painter.setWorldTransform(transform);
    }
    const FontFace *fallbackFace = nullptr;
    for (const Fallback &fallback : fallbacks) {
        if (fallback.face != fallbackFace) {
            m_painter.setFont(fallback.face->sizedQFont(s.fontHeight));
            fallbackFace = fallback.face;
        }
        m_painter.drawText(fallback.at, Cp932::decode(fallback.character));
    }
}
