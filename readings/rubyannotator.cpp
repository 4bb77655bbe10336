#include "rubyannotator.h"

#include "fixedreadings.h"
#include "kana.h"
#include "readingsplitter.h"
#include "rubymarks.h"
#include "wordreader.h"

#include <algorithm>
#include <optional>

namespace {

constexpr char16_t FirstHiragana = u'ぁ';
constexpr char16_t LastHiragana = u'ゖ';
constexpr char16_t LongVowel = u'ー';

// Loaded at the first line with kanji, not at start-up: MeCab takes a while to load
// its dictionary. Freed at exit.
WordReader &wordReader()
{
    static WordReader reader;
    return reader;
}

// A dictionary reading in hiragana; nothing when it holds anything but kana (仝 reads
// 仝), so that no mark ever reads in katakana, half-width or not.
std::optional<QString> hiraganaReading(const QString &katakana)
{
    const QString reading = Kana::hiragana(katakana);
    const bool kana = std::all_of(reading.begin(), reading.end(), [](QChar c) {
        return (c.unicode() >= FirstHiragana && c.unicode() <= LastHiragana) ||
               c.unicode() == LongVowel;
    });
    if (reading.isEmpty() || !kana) {
        return std::nullopt;
    }
    return reading;
}

void annotateWord(QStringView word, QStringView reading, QString &out)
{
    if (reading.isEmpty()) {
        out += word;
        return;
    }
    for (const ReadingSplitter::Piece &piece : ReadingSplitter::split(word, reading)) {
        if (piece.reading.isEmpty()) {
            out += piece.text;
        } else {
            RubyMarks::append(out, piece.text, piece.reading);
        }
    }
}

bool kanjiBefore(QStringView text, qsizetype at)
{
    if (at == 0) {
        return false;
    }
    const bool pair = at > 1 && text[at - 1].isLowSurrogate() && text[at - 2].isHighSurrogate();
    return RubyMarks::isKanji(pair ? QChar::surrogateToUcs4(text[at - 2], text[at - 1])
                                   : text[at - 1].unicode());
}

qsizetype kanjiRunEnd(QStringView text, qsizetype at)
{
    while (at < text.size()) {
        const bool pair =
            text[at].isHighSurrogate() && at + 1 < text.size() && text[at + 1].isLowSurrogate();
        if (!RubyMarks::isKanji(pair ? QChar::surrogateToUcs4(text[at], text[at + 1])
                                     : text[at].unicode())) {
            break;
        }
        at += pair ? 2 : 1;
    }
    return at;
}

// A run of kanji that stands alone and always reads one way, from the word `first` on
// (MeCab reads 一人 as 一 いち and 人 にん), or a day of the month ending the run right
// after a word ending in 月 (五月|五日: 五 ご, 日 にち for いつか): the last word it takes
// up, and the reading. A word reaching out of the run is MeCab's to read (上手い うまい).
struct StandingRun {
    qsizetype last;
    QStringView reading;
};

std::optional<StandingRun> standingRun(QStringView text, const QList<WordReader::Word> &words,
                                       qsizetype first)
{
    const qsizetype start = words[first].start;
    const bool alone = !kanjiBefore(text, start);
    if (!alone && text[start - 1] != u'月') {
        return std::nullopt;
    }
    const qsizetype end = kanjiRunEnd(text, start);
    const QStringView run = text.sliced(start, end - start);
    const std::optional<QStringView> reading =
        alone ? FixedReadings::reading(run) : FixedReadings::dayReading(run);
    if (!reading) {
        return std::nullopt;
    }
    for (qsizetype w = first; w < words.size() && words[w].end <= end; ++w) {
        if (words[w].end == end) {
            return StandingRun{w, *reading};
        }
    }
    return std::nullopt;
}

// Text with no mark in it and nothing but text: each word with kanji gets the
// dictionary's reading, a run of kanji that always reads one way that reading, and so
// a day after its month.
void annotateWords(QStringView text, QString &out)
{
    if (!RubyMarks::hasKanji(text)) {
        out += text;
        return;
    }
    const QList<WordReader::Word> words = wordReader().words(text);
    qsizetype done = 0;
    for (qsizetype w = 0; w < words.size(); ++w) {
        const qsizetype start = words[w].start;
        out += text.sliced(done, start - done);
        if (const std::optional<StandingRun> run = standingRun(text, words, w)) {
            w = run->last;
            annotateWord(text.sliced(start, words[w].end - start), run->reading, out);
        } else {
            const QStringView word = text.sliced(start, words[w].end - start);
            const QString reading = RubyMarks::hasKanji(word)
                                        ? hiraganaReading(words[w].reading).value_or(QString())
                                        : QString();
            annotateWord(word, reading, out);
        }
        done = words[w].end;
    }
    out += text.sliced(done);
}

// Text with no mark in it: what is no text for MeCab (a control character, a lone
// surrogate) breaks it into stretches that MeCab reads.
void annotateText(QStringView text, QString &out)
{
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            ++i;
        } else if (c.unicode() < u' ' || c.unicode() == 0x7F || c.isSurrogate()) {
            annotateWords(text.sliced(start, i - start), out);
            out += c;
            start = i + 1;
        }
    }
    annotateWords(text.sliced(start), out);
}

} // namespace

QString RubyAnnotator::annotate(QStringView line)
{
    QString out;
    out.reserve(line.size() * 4);
    qsizetype done = 0;
    for (const RubyMarks::Mark &mark : RubyMarks::find(line)) {
        annotateText(line.sliced(done, mark.start - done), out);
        RubyMarks::append(out, mark.base, mark.reading);
        done = mark.end;
    }
    annotateText(line.sliced(done), out);
    return out;
}
