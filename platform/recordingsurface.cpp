#include "recordingsurface.h"

#include "cp932.h"

#include <utility>

namespace {

QByteArray colorText(Color color)
{
    return '#' + QByteArray::number(toRgb(color), 16).rightJustified(6, '0');
}

QByteArray number(int value)
{
    return QByteArray::number(value);
}

} // namespace

void RecordingSurface::Rectangle(int x1, int y1, int x2, int y2)
{
    const QByteArray brush =
        state().brushStyle == BrushStyle::Solid ? colorText(state().brushColor) : "none";
    m_lines.append("rect " + number(x1) + ' ' + number(y1) + ' ' + number(x2) + ' ' + number(y2) +
                   ' ' + pen() + " brush=" + brush);
}

void RecordingSurface::drawLine(int x1, int y1, int x2, int y2)
{
    m_lines.append("line " + number(x1) + ' ' + number(y1) + ' ' + number(x2) + ' ' + number(y2) +
                   ' ' + pen());
}

void RecordingSurface::TextOut(int x, int y, const QByteArray &text)
{
    if (text.isEmpty()) {
        return;
    }
    const QByteArray background =
        state().brushStyle == BrushStyle::Solid ? colorText(state().brushColor) : "none";
    m_lines.append("text " + number(x) + ' ' + number(y) + " font=" + quoted(state().fontFace) +
                   '/' + number(state().fontHeight) + " color=" + colorText(state().fontColor) +
                   " bg=" + background + ' ' + quoted(text));
}

Color RecordingSurface::GetPixel(int, int) const
{
    return 0xFFFFFF;
}

void RecordingSurface::SetPixel(int, int, Color)
{
}

QByteArrayList RecordingSurface::takeLines()
{
    return std::exchange(m_lines, {});
}

QByteArray RecordingSurface::quoted(const QByteArray &text)
{
    QByteArray out = "\"";
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype length = Cp932::characterLength(text, i);
        const QByteArrayView bytes = QByteArrayView(text).sliced(i, length);
        const std::optional<QString> character = Cp932::decodeCharacter(bytes);
        if (!character) {
            // Only the first byte is spent: the next may begin a character.
            out += "\\x" + QByteArray::number(static_cast<unsigned char>(text[i]), 16)
                               .toUpper()
                               .rightJustified(2, '0');
            ++i;
            continue;
        }
        if (*character == u'"' || *character == u'\\') {
            out += '\\';
        }
        out += character->toUtf8();
        i += length;
    }
    return out + '"';
}

QByteArray RecordingSurface::pen() const
{
    const QByteArray style = state().penStyle == PenStyle::Dot ? "dot" : "solid";
    return "pen=" + colorText(state().penColor) + '/' + number(state().penWidth) + '/' + style;
}
