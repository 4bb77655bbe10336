#include "rubyannotator.h"

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

void annotateWord(QStringView word, const QString &katakana, QString &out)
{
    const std::optional<QString> reading =
        RubyMarks::hasKanji(word) ? hiraganaReading(katakana) : std::nullopt;
    if (!reading) {
        out += word;
        return;
    }
    for (const ReadingSplitter::Piece &piece : ReadingSplitter::split(word, *reading)) {
        if (piece.reading.isEmpty()) {
            out += piece.text;
        } else {
            RubyMarks::append(out, piece.text, piece.reading);
        }
    }
}

// Text with no mark in it and nothing but text: each word with kanji gets the
// dictionary's reading.
void annotateWords(QStringView text, QString &out)
{
    if (!RubyMarks::hasKanji(text)) {
        out += text;
        return;
    }
    qsizetype done = 0;
    for (const WordReader::Word &word : wordReader().words(text)) {
        out += text.sliced(done, word.start - done);
        annotateWord(text.sliced(word.start, word.end - word.start), word.reading, out);
        done = word.end;
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
