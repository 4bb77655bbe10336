#include "gradeorder.h"

#include "kana.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <vector>

namespace {

struct KunListed {
    char32_t kanji;
    std::u16string_view reading;
};

// Grade kanji that the Jōyō table reads by kun alone while KANJIDIC2 gives them an
// on-reading too; the lists place them by the kun-reading (埼 by さい, not KANJIDIC2's
// first kun さき).
constexpr std::array<KunListed, 13> KunListedKanji{{
    {U'貝', u"かい"},
    {U'皿', u"さら"},
    {U'箱', u"はこ"},
    {U'茨', u"いばら"},
    {U'岡', u"おか"},
    {U'潟', u"かた"},
    {U'熊', u"くま"},
    {U'埼', u"さい"},
    {U'崎', u"さき"},
    {U'鹿', u"しか"},
    {U'梨', u"なし"},
    {U'株', u"かぶ"},
    {U'届', u"とどける"},
}};

// The order of the marks on a kana of the same sound.
enum class Mark : quint8 { Plain, Small, Voiced, SemiVoiced };

struct MarkedKana {
    char16_t kana;
    char16_t base;
    Mark mark;
};

constexpr std::array<MarkedKana, 36> MarkedKanaForms{{
    {u'ぁ', u'あ', Mark::Small},      {u'ぃ', u'い', Mark::Small},
    {u'ぅ', u'う', Mark::Small},      {u'ぇ', u'え', Mark::Small},
    {u'ぉ', u'お', Mark::Small},      {u'っ', u'つ', Mark::Small},
    {u'ゃ', u'や', Mark::Small},      {u'ゅ', u'ゆ', Mark::Small},
    {u'ょ', u'よ', Mark::Small},      {u'ゎ', u'わ', Mark::Small},
    {u'が', u'か', Mark::Voiced},     {u'ぎ', u'き', Mark::Voiced},
    {u'ぐ', u'く', Mark::Voiced},     {u'げ', u'け', Mark::Voiced},
    {u'ご', u'こ', Mark::Voiced},     {u'ざ', u'さ', Mark::Voiced},
    {u'じ', u'し', Mark::Voiced},     {u'ず', u'す', Mark::Voiced},
    {u'ぜ', u'せ', Mark::Voiced},     {u'ぞ', u'そ', Mark::Voiced},
    {u'だ', u'た', Mark::Voiced},     {u'ぢ', u'ち', Mark::Voiced},
    {u'づ', u'つ', Mark::Voiced},     {u'で', u'て', Mark::Voiced},
    {u'ど', u'と', Mark::Voiced},     {u'ば', u'は', Mark::Voiced},
    {u'び', u'ひ', Mark::Voiced},     {u'ぶ', u'ふ', Mark::Voiced},
    {u'べ', u'へ', Mark::Voiced},     {u'ぼ', u'ほ', Mark::Voiced},
    {u'ゔ', u'う', Mark::Voiced},     {u'ぱ', u'は', Mark::SemiVoiced},
    {u'ぴ', u'ひ', Mark::SemiVoiced}, {u'ぷ', u'ふ', Mark::SemiVoiced},
    {u'ぺ', u'へ', Mark::SemiVoiced}, {u'ぽ', u'ほ', Mark::SemiVoiced},
}};

const KunListed *kunListed(char32_t kanji)
{
    const auto found = std::ranges::find(KunListedKanji, kanji, &KunListed::kanji);
    return found == KunListedKanji.end() ? nullptr : &*found;
}

bool placedByKun(const SchoolKanji &kanji)
{
    return kunListed(kanji.literal) != nullptr || kanji.onReadings.isEmpty();
}

// A reading as the lists compare it: the sounds first, then their marks.
struct Spelling {
    QString bases;
    std::vector<Mark> marks;
};

Spelling spelling(const QString &reading)
{
    Spelling result;
    for (const QChar c : reading) {
        const auto form = std::ranges::find(MarkedKanaForms, c.unicode(), &MarkedKana::kana);
        const bool marked = form != MarkedKanaForms.end();
        result.bases += marked ? QChar(form->base) : c;
        result.marks.push_back(marked ? form->mark : Mark::Plain);
    }
    return result;
}

} // namespace

QString GradeOrder::listReading(const SchoolKanji &kanji)
{
    if (const KunListed *listed = kunListed(kanji.literal)) {
        return QStringView(listed->reading.data(), qsizetype(listed->reading.size())).toString();
    }
    if (!kanji.onReadings.isEmpty()) {
        return Kana::hiragana(kanji.onReadings.first());
    }
    if (kanji.kunReadings.isEmpty()) {
        return QString();
    }
    QString reading = kanji.kunReadings.first().section(u'.', 0, 0);
    return reading.remove(u'-');
}

bool GradeOrder::before(const SchoolKanji &first, const SchoolKanji &second)
{
    const Spelling one = spelling(listReading(first));
    const Spelling other = spelling(listReading(second));
    if (one.bases != other.bases) {
        return one.bases < other.bases;
    }
    if (one.marks != other.marks) {
        return one.marks < other.marks;
    }
    if (placedByKun(first) != placedByKun(second)) {
        return !placedByKun(first);
    }
    if (first.strokes != second.strokes) {
        return first.strokes < second.strokes;
    }
    return first.literal < second.literal;
}

void GradeOrder::sort(QList<SchoolKanji> &kanji)
{
    std::ranges::sort(kanji, before);
}
