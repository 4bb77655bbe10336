#include "recordingsurface.h"

#include "cp932.h"

#include <algorithm>
#include <array>
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

// The characters written as a backslash and a second character; every other
// control byte is written as \xHH, as a byte that forms no character is.
constexpr std::array<std::pair<char, char>, 5> NamedEscapes{{
    {'"', '"'},
    {'\\', '\\'},
    {'\n', 'n'},
    {'\r', 'r'},
    {'\t', 't'},
}};

QByteArray byteEscape(char byte)
{
    return "\\x" + QByteArray::number(static_cast<unsigned char>(byte), 16)
                       .toUpper()
                       .rightJustified(2, '0');
}

// A CP932 string as the log writes it, quotes included, on one line whatever it holds.
QByteArray quoted(const QByteArray &text)
{
    QByteArray out = "\"";
    for (qsizetype i = 0; i < text.size();) {
        const char byte = text[i];
        if (static_cast<unsigned char>(byte) < 0x80) {
            const auto named = std::ranges::find(NamedEscapes, byte, &std::pair<char, char>::first);
            if (named != NamedEscapes.end()) {
                out += '\\';
                out += named->second;
            } else if (byte < ' ' || byte == '\x7F') {
                out += byteEscape(byte);
            } else {
                out += byte;
            }
            ++i;
            continue;
        }
        const qsizetype length = Cp932::characterLength(text, i);
        const std::optional<QString> character =
            Cp932::decodeCharacter(QByteArrayView(text).sliced(i, length));
        if (!character) {
            // Only the first byte is spent: the next may begin a character.
            out += byteEscape(byte);
            ++i;
            continue;
        }
        out += character->toUtf8();
        i += length;
    }
    return out + '"';
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
    const QByteArray fallback =
        state().fallbackFace.isEmpty() ? QByteArray() : " fallback=" + quoted(state().fallbackFace);
    const QByteArray outline =
        state().textOutline > 0 ? " outline=" + number(state().textOutline) : QByteArray();
    const QByteArray ruby = state().rubyForms ? " ruby" : QByteArray();
    m_lines.append("text " + number(x) + ' ' + number(y) + " font=" + quoted(state().fontFace) +
                   '/' + number(state().fontHeight) + fallback +
                   " color=" + colorText(state().fontColor) + outline + ruby + " bg=" + background +
                   ' ' + quoted(text));
}

QByteArrayList RecordingSurface::takeLines()
{
    return std::exchange(m_lines, {});
}

QByteArray RecordingSurface::pen() const
{
    const QByteArray style = state().penStyle == PenStyle::Dot ? "dot" : "solid";
    return "pen=" + colorText(state().penColor) + '/' + number(state().penWidth) + '/' + style;
}
