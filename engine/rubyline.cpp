#include "rubyline.h"

#include "cp932.h"

#include <string_view>

namespace {

constexpr std::string_view BaseMark = "\x81\x62";  // ｜
constexpr std::string_view OpenMark = "\x81\x73";  // 《
constexpr std::string_view CloseMark = "\x81\x74"; // 》

bool isMark(QByteArrayView character)
{
    for (std::string_view mark : {BaseMark, OpenMark, CloseMark}) {
        if (character == QByteArrayView(mark.data(), qsizetype(mark.size()))) {
            return true;
        }
    }
    return false;
}

bool at(const QByteArray &line, qsizetype index, std::string_view mark)
{
    return QByteArrayView(line).sliced(index).startsWith(
        QByteArrayView(mark.data(), qsizetype(mark.size())));
}

// The end of a run of characters from `index` that holds no mark, and the
// character that ends it (its index; line.size() when none).
qsizetype runEnd(const QByteArray &line, qsizetype index)
{
    while (index < line.size()) {
        const qsizetype length = Cp932::characterLength(line, index);
        if (isMark(QByteArrayView(line).sliced(index, length))) {
            break;
        }
        index += length;
    }
    return index;
}

} // namespace

RubyLine RubyLine::parse(const QByteArray &line)
{
    RubyLine ruby;
    qsizetype i = 0;
    while (i < line.size()) {
        if (at(line, i, BaseMark)) {
            const qsizetype baseStart = i + qsizetype(BaseMark.size());
            const qsizetype baseEnd = runEnd(line, baseStart);
            if (baseEnd > baseStart && at(line, baseEnd, OpenMark)) {
                const qsizetype readingStart = baseEnd + qsizetype(OpenMark.size());
                const qsizetype readingEnd = runEnd(line, readingStart);
                if (readingEnd > readingStart && at(line, readingEnd, CloseMark)) {
                    // A base after an odd number of single bytes starts inside a
                    // unit; the unit goes to the reading before, if any.
                    const qint32 first = qMax(qint32(ruby.text.size() / 2),
                                              ruby.spans.isEmpty() ? 0
                                                                   : ruby.spans.last().firstUnit +
                                                                         ruby.spans.last().units);
                    ruby.text += line.sliced(baseStart, baseEnd - baseStart);
                    const qint32 end = qint32((ruby.text.size() + 1) / 2);
                    if (end > first) {
                        ruby.spans.append({first, end - first,
                                           line.sliced(readingStart, readingEnd - readingStart)});
                    }
                    i = readingEnd + qsizetype(CloseMark.size());
                    continue;
                }
            }
        }
        const qsizetype length = Cp932::characterLength(line, i);
        ruby.text += line.sliced(i, length);
        i += length;
    }
    return ruby;
}
