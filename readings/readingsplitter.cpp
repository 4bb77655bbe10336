#include "readingsplitter.h"

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

// The search for the splits of a run's reading over its kanji with the fewest
// sound changes.
class RunSplit {
public:
    RunSplit(QStringView run, QStringView reading) : m_reading(reading)
    {
        for (const char32_t kanji : kanjiOf(run)) {
            m_sounds.append(KanjiReadings::readings(kanji));
        }
        visit(0, 0);
    }

    /// Where each kanji's reading ends; nothing unless exactly one best split.
    std::optional<Cuts> unique() const
    {
        if (m_bestCost == INT_MAX || m_tie || m_steps > MaxSearchSteps) {
            return std::nullopt;
        }
        return m_best;
    }

private:
    void visit(qsizetype position, int cost)
    {
        if (++m_steps > MaxSearchSteps || cost > m_bestCost) {
            return;
        }
        const qsizetype k = m_ends.size();
        if (k == m_sounds.size()) {
            if (position == m_reading.size()) {
                record(cost);
            }
            return;
        }
        const bool first = k == 0;
        const bool last = k + 1 == m_sounds.size();
        const QStringView rest = m_reading.sliced(position);
        for (const QStringView sound : m_sounds[k]) {
            if (sound.size() > rest.size()) {
                continue;
            }
            if (const std::optional<int> changes =
                    soundChanges(sound, rest.first(sound.size()), first, last)) {
                m_ends.append(position + sound.size());
                visit(position + sound.size(), cost + *changes);
                m_ends.removeLast();
            }
        }
    }

    void record(int cost)
    {
        if (cost < m_bestCost) {
            m_bestCost = cost;
            m_best = m_ends;
            m_tie = false;
        } else if (m_ends != m_best) {
            m_tie = true;
        }
    }

    QStringView m_reading;
    QList<QList<QStringView>> m_sounds;
    Cuts m_ends;
    Cuts m_best;
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
        const std::optional<Cuts> ends = RunSplit(text, part).unique();
        if (!ends) {
            if (strict) {
                return std::nullopt;
            }
            pieces.append({text, part});
            continue;
        }
        qsizetype at = 0;
        qsizetype readFrom = 0;
        for (const qsizetype end : *ends) {
            const qsizetype length = text[at].isHighSurrogate() ? 2 : 1;
            pieces.append({text.sliced(at, length), part.sliced(readFrom, end - readFrom)});
            at += length;
            readFrom = end;
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
