#include "rubymarks.h"

#include <algorithm>
#include <array>

namespace {

struct CodeRange {
    char32_t first;
    char32_t last;
};

constexpr std::array<CodeRange, 6> KanjiRanges{{
    {0x3005, 0x3005},   // 々
    {0x3400, 0x4DBF},   // CJK Unified Ideographs Extension A
    {0x4E00, 0x9FFF},   // CJK Unified Ideographs
    {0xF900, 0xFAFF},   // CJK Compatibility Ideographs
    {0x20000, 0x2FA1F}, // Extensions B to F, Compatibility Ideographs Supplement
    {0x30000, 0x323AF}, // Extensions G and H
}};

// Where the run of kanji ending at `end` starts, not before `limit`.
qsizetype kanjiRunStart(QStringView line, qsizetype limit, qsizetype end)
{
    qsizetype start = end;
    while (start > limit) {
        qsizetype previous = start - 1;
        char32_t c = line[previous].unicode();
        if (line[previous].isLowSurrogate() && previous > limit &&
            line[previous - 1].isHighSurrogate()) {
            --previous;
            c = QChar::surrogateToUcs4(line[previous], line[start - 1]);
        }
        if (!RubyMarks::isKanji(c)) {
            break;
        }
        start = previous;
    }
    return start;
}

} // namespace

bool RubyMarks::isKanji(char32_t c)
{
    return std::ranges::any_of(
        KanjiRanges, [c](const CodeRange &range) { return c >= range.first && c <= range.last; });
}

bool RubyMarks::hasKanji(QStringView text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const bool pair =
            text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate();
        if (isKanji(pair ? QChar::surrogateToUcs4(text[i], text[i + 1]) : text[i].unicode())) {
            return true;
        }
        i += pair ? 1 : 0;
    }
    return false;
}

QList<RubyMarks::Mark> RubyMarks::find(QStringView line)
{
    QList<Mark> marks;
    qsizetype done = 0; // the end of the last mark: no base reaches back over it
    qsizetype bar = -1; // the ｜ that opens the next mark, if any
    for (qsizetype open = 0; open < line.size(); ++open) {
        const QChar c = line[open];
        if (c == Bar || c == Close) {
            bar = c == Bar ? open : -1;
            continue;
        }
        if (c != Open) {
            continue;
        }
        qsizetype close = open + 1;
        while (close < line.size() && line[close] != Close && line[close] != Open &&
               line[close] != Bar) {
            ++close;
        }
        const qsizetype start = bar >= 0 ? bar : kanjiRunStart(line, done, open);
        const qsizetype baseStart = bar >= 0 ? bar + 1 : start;
        bar = -1;
        if (close == line.size() || line[close] != Close || baseStart == open) {
            continue;
        }
        marks.append({start, close + 1, line.sliced(baseStart, open - baseStart),
                      line.sliced(open + 1, close - open - 1)});
        done = close + 1;
        open = close;
    }
    return marks;
}

QString RubyMarks::withoutMarks(QStringView line)
{
    QString text;
    qsizetype done = 0;
    for (const Mark &mark : find(line)) {
        text += line.sliced(done, mark.start - done);
        text += mark.base;
        done = mark.end;
    }
    text += line.sliced(done);
    return text;
}

void RubyMarks::append(QString &text, QStringView base, QStringView reading)
{
    text += Bar;
    text += base;
    text += Open;
    text += reading;
    text += Close;
}
