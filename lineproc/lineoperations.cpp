#include "lineoperations.h"

#include "cp932.h"
#include "rubymarks.h"

#include <QList>
#include <QString>
#include <utility>

namespace {

constexpr char16_t HiraganaFirst = 0x3041; // ぁ
constexpr char16_t HiraganaLast = 0x3096;  // ゖ
constexpr char16_t KatakanaFirst = 0x30A1; // ァ
constexpr char16_t KatakanaLast = 0x30F6;  // ヶ
constexpr char16_t KanaOffset = KatakanaFirst - HiraganaFirst;

struct KanaRange {
    char16_t first;
    char16_t last;
    int offset;
};

constexpr KanaRange HiraganaToKatakana{HiraganaFirst, HiraganaLast, KanaOffset};
constexpr KanaRange KatakanaToHiragana{KatakanaFirst, KatakanaLast, -KanaOffset};

// Works character by character on the bytes rather than decoding the whole line,
// so that bytes forming no character pass through untouched. Half-width katakana
// are single bytes and stay. A counterpart CP932 cannot hold (ゔ for ヴ) keeps the
// original character.
QByteArray mapKana(QByteArrayView line, KanaRange range)
{
    QByteArray mapped;
    mapped.reserve(line.size());
    for (qsizetype i = 0; i < line.size();) {
        const qsizetype length = Cp932::characterLength(line, i);
        const QByteArrayView character = line.sliced(i, length);
        i += length;
        const std::optional<QString> text =
            length == 2 ? Cp932::decodeCharacter(character) : std::nullopt;
        if (!text || text->size() != 1 || text->at(0).unicode() < range.first ||
            text->at(0).unicode() > range.last) {
            mapped.append(character);
            continue;
        }
        const QChar counterpart(static_cast<char16_t>(text->at(0).unicode() + range.offset));
        const QByteArray encoded = Cp932::encode(QStringView(&counterpart, 1));
        const bool held = Cp932::decodeCharacter(encoded) == QString(counterpart);
        mapped.append(held ? QByteArrayView(encoded) : character);
    }
    return mapped;
}

// Where a line's reading marks begin and end, in bytes.
QList<std::pair<qsizetype, qsizetype>> markSpans(QByteArrayView line)
{
    // Decoding gives one UTF-16 unit for each character as characterLength delimits it.
    const QString text = Cp932::decode(line);
    QList<qsizetype> offsets;
    offsets.reserve(text.size() + 1);
    for (qsizetype i = 0; i < line.size(); i += Cp932::characterLength(line, i)) {
        offsets << i;
    }
    offsets << line.size();
    QList<std::pair<qsizetype, qsizetype>> spans;
    for (const RubyMarks::Mark &mark : RubyMarks::find(text)) {
        spans.append({offsets[mark.start], offsets[mark.end]});
    }
    return spans;
}

LineList mapEachLine(const LineList &lines, KanaRange range)
{
    LineList mapped;
    for (qsizetype i = 0; i < lines.count(); ++i) {
        mapped.add(mapKana(lines.wholeLine(i), range));
    }
    return mapped;
}

} // namespace

LineList LineOperations::apply(const LineList &lines, Edit edit)
{
    switch (edit.operation) {
    case Operation::Repeat:
        return repeat(lines, edit.amount);
    case Operation::InsertBlankLines:
        return insertBlankLines(lines, edit.amount);
    case Operation::ToKatakana:
        return toKatakana(lines);
    case Operation::ToHiragana:
        return toHiragana(lines);
    case Operation::Rewrap:
        return rewrap(lines, edit.amount);
    }
    return lines;
}

LineList LineOperations::repeat(const LineList &lines, int times)
{
    LineList repeated;
    for (qsizetype i = 0; i < lines.count(); ++i) {
        const QByteArray line = lines.wholeLine(i);
        for (int copy = 0; copy <= times; ++copy) {
            repeated.add(line);
        }
    }
    return repeated;
}

LineList LineOperations::insertBlankLines(const LineList &lines, int count)
{
    const QByteArray blank(1, BlankLineByte);
    LineList spaced;
    for (qsizetype i = 0; i < lines.count(); ++i) {
        spaced.add(lines.wholeLine(i));
        for (int b = 0; b < count; ++b) {
            spaced.add(blank);
        }
    }
    return spaced;
}

LineList LineOperations::toKatakana(const LineList &lines)
{
    return mapEachLine(lines, HiraganaToKatakana);
}

LineList LineOperations::toHiragana(const LineList &lines)
{
    return mapEachLine(lines, KatakanaToHiragana);
}

LineList LineOperations::rewrap(const LineList &lines, int charsPerLine)
{
    if (charsPerLine <= 0) {
        return lines;
    }
    // A piece is 2n bytes, n full-width characters. Single-byte characters take one
    // byte each, as they do in the cells; a double-byte character that would cross
    // the end of a piece starts the next one instead. So does a reading mark that
    // the end would cut, unless it begins the piece: one longer than a piece is cut.
    const qsizetype pieceBytes = 2 * qsizetype(charsPerLine);
    LineList wrapped;
    for (qsizetype i = 0; i < lines.count(); ++i) {
        const QByteArray line = lines.wholeLine(i);
        const QList<std::pair<qsizetype, qsizetype>> marks = markSpans(line);
        qsizetype start = 0;
        while (start < line.size()) {
            qsizetype end = start;
            while (end < line.size() && end - start < pieceBytes) {
                const qsizetype length = Cp932::characterLength(line, end);
                if (end + length - start > pieceBytes) {
                    break;
                }
                end += length;
            }
            for (const auto &[markStart, markEnd] : marks) {
                if (markStart > start && markStart < end && end < markEnd) {
                    end = markStart;
                }
            }
            wrapped.add(line.sliced(start, end - start));
            start = end;
        }
    }
    return wrapped;
}
