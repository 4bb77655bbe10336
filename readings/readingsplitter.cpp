#include "readingsplitter.h"

#include "fixedreadings.h"
#include "kana.h"
#include "kanjireadings.h"
#include "rubymarks.h"

#include <QVarLengthArray>
#include <algorithm>
#include <array>
#include <climits>

namespace {

// A kana and the ones it stands for in a reading besides its hiragana self.
struct KanaSound {
    char16_t kana;
    std::u16string_view sounds;
};

// The small ヶ of 一ヶ月 and 三ヶ所 reads か, が or こ, ヵ か.
constexpr std::array<KanaSound, 2> OtherSounds{{
    {u'ヶ', u"かがこ"},
    {u'ヵ', u"か"},
}};

// Rendaku: the voiced forms a kana takes at the start of a kanji after the first.
constexpr std::array<KanaSound, 20> VoicedForms{{
    {u'か', u"が"},   {u'き', u"ぎ"},   {u'く', u"ぐ"},   {u'け', u"げ"},   {u'こ', u"ご"},
    {u'さ', u"ざ"},   {u'し', u"じ"},   {u'す', u"ず"},   {u'せ', u"ぜ"},   {u'そ', u"ぞ"},
    {u'た', u"だ"},   {u'ち', u"ぢ"},   {u'つ', u"づ"},   {u'て', u"で"},   {u'と', u"ど"},
    {u'は', u"ばぱ"}, {u'ひ', u"びぴ"}, {u'ふ', u"ぶぷ"}, {u'へ', u"べぺ"}, {u'ほ', u"ぼぽ"},
}};

// The final kana that become a small っ before the next kanji (学 がく → がっこう).
constexpr std::u16string_view GeminatingKana = u"つくちき";
constexpr QChar SmallTsu = u'っ';

// A search of kanji readings gives up after this many steps: a run that needs more
// is no dictionary word, and keeps its reading whole.
constexpr int MaxSearchSteps = 4096;

std::u16string_view soundsOf(const auto &table, QChar kana)
{
    const auto found = std::ranges::find(table, kana.unicode(), &KanaSound::kana);
    return found == table.end() ? std::u16string_view() : found->sounds;
}

bool kanaMatches(QChar written, QChar read)
{
    return Kana::hiragana(written) == read ||
           soundsOf(OtherSounds, written).find(read.unicode()) != std::u16string_view::npos;
}

struct Run {
    qsizetype start;
    qsizetype end;
    bool kanji;
};

QList<Run> runsOf(QStringView word)
{
    QList<Run> runs;
    for (qsizetype i = 0; i < word.size();) {
        const bool pair =
            word[i].isHighSurrogate() && i + 1 < word.size() && word[i + 1].isLowSurrogate();
        const char32_t c = pair ? QChar::surrogateToUcs4(word[i], word[i + 1]) : word[i].unicode();
        const qsizetype end = i + (pair ? 2 : 1);
        const bool kanji = RubyMarks::isKanji(c);
        if (!runs.isEmpty() && runs.last().kanji == kanji) {
            runs.last().end = end;
        } else {
            runs.append({i, end, kanji});
        }
        i = end;
    }
    return runs;
}

// Where each run's part of the reading ends.
using Cuts = QVarLengthArray<qsizetype, 8>;

// Every way for the kana runs to stand at their place in the reading, each kanji
// run taking at least one kana; stops after `most`.
void align(QStringView word, QStringView reading, const QList<Run> &runs, Cuts &cuts,
           QList<Cuts> &found, qsizetype most)
{
    const qsizetype r = cuts.size();
    const qsizetype position = r == 0 ? 0 : cuts.last();
    if (r == runs.size()) {
        if (position == reading.size() && found.size() < most) {
            found.append(cuts);
        }
        return;
    }
    const Run &run = runs[r];
    if (!run.kanji) {
        const qsizetype length = run.end - run.start;
        if (reading.size() - position < length) {
            return;
        }
        for (qsizetype i = 0; i < length; ++i) {
            if (!kanaMatches(word[run.start + i], reading[position + i])) {
                return;
            }
        }
        cuts.append(position + length);
        align(word, reading, runs, cuts, found, most);
        cuts.removeLast();
        return;
    }
    const qsizetype first = r + 1 == runs.size() ? reading.size() : position + 1;
    for (qsizetype end = first; end <= reading.size() && found.size() < most; ++end) {
        cuts.append(end);
        align(word, reading, runs, cuts, found, most);
        cuts.removeLast();
    }
}

// The kanji of a run, 々 already replaced by the kanji it repeats (0 for none).
QVarLengthArray<char32_t, 8> kanjiOf(QStringView run)
{
    QVarLengthArray<char32_t, 8> kanji;
    for (const char32_t c : run.toUcs4()) {
        kanji.append(c == U'々' ? (kanji.isEmpty() ? 0 : kanji.last()) : c);
    }
    return kanji;
}

// Whether a kanji's sound is read so at its place in a run (one of the same length),
// and with how many changes: a voiced first kana after the first kanji, a final
// small っ before the last.
std::optional<int> soundChanges(QStringView sound, QStringView read, bool first, bool last)
{
    const qsizetype n = sound.size();
    if (n > 2 && sound.sliced(1, n - 2) != read.sliced(1, n - 2)) {
        return std::nullopt;
    }
    int changes = 0;
    if (sound.front() != read.front()) {
        if (first || soundsOf(VoicedForms, sound.front()).find(read.front().unicode()) ==
                         std::u16string_view::npos) {
            return std::nullopt;
        }
        ++changes;
    }
    if (n > 1 && sound.back() != read.back()) {
        if (last || read.back() != SmallTsu ||
            GeminatingKana.find(sound.back().unicode()) == std::u16string_view::npos) {
            return std::nullopt;
        }
        ++changes;
    }
    return changes;
}

// A part of a run's reading: one kanji's, or a word's read as a whole; where it ends
// in the run's kanji and in the reading.
struct Unit {
    qsizetype kanji;
    qsizetype reading;

    bool operator==(const Unit &other) const = default;
};
using Units = QVarLengthArray<Unit, 8>;

// The search for the splits of a run's reading over its kanji with the fewest
// sound changes. A word read as a whole (今日 きょう, 一人 ひとり) is never split
// where the reading holds it, though its kanji may have readings that fit (一 ひと,
// 人 り).
class RunSplit {
public:
    RunSplit(QStringView run, QStringView reading) : m_reading(reading)
    {
        qsizetype at = 0;
        for (const char32_t kanji : kanjiOf(run)) {
            m_sounds.append(KanjiReadings::readings(kanji));
            m_words.append(FixedReadings::wholeWordsAt(run.sliced(at)));
            at += run[at].isHighSurrogate() ? 2 : 1;
        }
        visit(0, 0, 0);
    }

    /// The parts of the reading; nothing unless exactly one best split.
    std::optional<Units> unique() const
    {
        if (m_bestCost == INT_MAX || m_tie || m_steps > MaxSearchSteps) {
            return std::nullopt;
        }
        return m_best;
    }

private:
    void visit(qsizetype k, qsizetype position, int cost)
    {
        if (++m_steps > MaxSearchSteps || cost > m_bestCost) {
            return;
        }
        if (k == m_sounds.size()) {
            if (position == m_reading.size()) {
                record(cost);
            }
            return;
        }
        bool word = false;
        for (const FixedReadings::Word &whole : m_words[k]) {
            word = take(whole.reading, k, k + whole.kanji.size(), position, cost) || word;
        }
        if (word) {
            return;
        }
        for (const QStringView sound : m_sounds[k]) {
            take(sound, k, k + 1, position, cost);
        }
    }

    // Goes on with the kanji from k to end read as `sound`, if the reading goes on so.
    bool take(QStringView sound, qsizetype k, qsizetype end, qsizetype position, int cost)
    {
        const QStringView rest = m_reading.sliced(position);
        if (sound.size() > rest.size()) {
            return false;
        }
        const std::optional<int> changes =
            soundChanges(sound, rest.first(sound.size()), k == 0, end == m_sounds.size());
        if (!changes) {
            return false;
        }
        m_units.append({end, position + sound.size()});
        visit(end, position + sound.size(), cost + *changes);
        m_units.removeLast();
        return true;
    }

    void record(int cost)
    {
        if (cost < m_bestCost) {
            m_bestCost = cost;
            m_best = m_units;
            m_tie = false;
        } else if (m_units != m_best) {
            m_tie = true;
        }
    }

    QStringView m_reading;
    QList<QList<QStringView>> m_sounds;
    QVarLengthArray<FixedReadings::Words, 8> m_words;
    Units m_units;
    Units m_best;
    int m_bestCost = INT_MAX;
    bool m_tie = false;
    int m_steps = 0;
};

// The pieces of a word for one way of its kana in the reading; nothing when that
// way leaves a run of kanji without its one best split and `strict` asks for it.
std::optional<QList<ReadingSplitter::Piece>> piecesFor(QStringView word, QStringView reading,
                                                       const QList<Run> &runs, const Cuts &cuts,
                                                       bool strict)
{
    QList<ReadingSplitter::Piece> pieces;
    for (qsizetype r = 0; r < runs.size(); ++r) {
        const QStringView text = word.sliced(runs[r].start, runs[r].end - runs[r].start);
        const qsizetype from = r == 0 ? 0 : cuts[r - 1];
        const QStringView part = reading.sliced(from, cuts[r] - from);
        if (!runs[r].kanji) {
            pieces.append({text, {}});
            continue;
        }
        const std::optional<Units> units = RunSplit(text, part).unique();
        if (!units) {
            if (strict) {
                return std::nullopt;
            }
            pieces.append({text, part});
            continue;
        }
        qsizetype at = 0;
        qsizetype kanji = 0;
        qsizetype readFrom = 0;
        for (const Unit &unit : *units) {
            qsizetype length = 0;
            for (; kanji < unit.kanji; ++kanji) {
                length += text[at + length].isHighSurrogate() ? 2 : 1;
            }
            pieces.append(
                {text.sliced(at, length), part.sliced(readFrom, unit.reading - readFrom)});
            at += length;
            readFrom = unit.reading;
        }
    }
    return pieces;
}

} // namespace

QList<ReadingSplitter::Piece> ReadingSplitter::split(QStringView word, QStringView reading)
{
    const QList<Run> runs = runsOf(word);
    // A word's kana seldom fit its reading more than once; of a few ways, the
    // kanji's readings may still pick one.
    constexpr qsizetype MostWays = 4;
    QList<Cuts> ways;
    Cuts cuts;
    align(word, reading, runs, cuts, ways, MostWays);
    if (ways.size() == 1) {
        return *piecesFor(word, reading, runs, ways.first(), false);
    }
    std::optional<QList<Piece>> chosen;
    for (const Cuts &way : ways) {
        std::optional<QList<Piece>> pieces = piecesFor(word, reading, runs, way, true);
        if (!pieces) {
            continue;
        }
        if (chosen) {
            return {{word, {}}};
        }
        chosen = std::move(pieces);
    }
    return chosen.value_or(QList<Piece>{{word, {}}});
}
