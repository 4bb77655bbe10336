#include "fixedreadings.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <iterator>
#include <string_view>

namespace {

enum class Kind : std::uint8_t {
    // Read as a whole where MeCab reads it so; read otherwise (紅葉 こうよう, 一日
    // いちにち), kanji by kanji.
    Whole,
    // Read as a whole, and so wherever it stands alone: MeCab reads 一人 いちにん.
    Always,
    // A number and its counter, read so wherever it stands alone, its kanji one by
    // one (三日: 三 みっ, 日 か) or by the words above (二日間: 二日 ふつか, 間 かん).
    Counted,
};

struct Entry {
    std::u16string_view kanji;
    std::u16string_view reading;
    Kind kind;
    // Read so right after its month too (五月五日 いつか), where 一日 can only be the
    // first: ついたち.
    bool dayOfMonth = false;
};

constexpr bool DayOfMonth = true;

// The list appended to the Jōyō kanji table, in its order, then what MeCab reads as
// a number and a counter: the days of the month, spans of days, 一人一人. A word with
// okurigana is here by its kanji (手伝う: 手伝 てつだ); one whose kanji stand one by one
// between kana (差し支える, 真っ赤, 母さん) needs no entry, as a lone kanji's reading is
// never split. Whole marks a word with another reading in use.
constexpr Entry Entries[] = {
    {u"明日", u"あす", Kind::Whole},
    {u"明日", u"あした", Kind::Whole},
    {u"小豆", u"あずき", Kind::Always},
    {u"海女", u"あま", Kind::Always},
    {u"海士", u"あま", Kind::Always},
    {u"硫黄", u"いおう", Kind::Always},
    {u"意気地", u"いくじ", Kind::Whole},
    {u"田舎", u"いなか", Kind::Always},
    {u"息吹", u"いぶき", Kind::Always},
    {u"海原", u"うなばら", Kind::Always},
    {u"乳母", u"うば", Kind::Always},
    {u"浮気", u"うわき", Kind::Always},
    {u"笑顔", u"えがお", Kind::Always},
    {u"叔父", u"おじ", Kind::Always},
    {u"伯父", u"おじ", Kind::Always},
    {u"大人", u"おとな", Kind::Always},
    {u"乙女", u"おとめ", Kind::Always},
    {u"叔母", u"おば", Kind::Always},
    {u"伯母", u"おば", Kind::Always},
    {u"神酒", u"みき", Kind::Whole},
    {u"母屋", u"おもや", Kind::Always},
    {u"母家", u"おもや", Kind::Always},
    {u"神楽", u"かぐら", Kind::Always},
    {u"河岸", u"かし", Kind::Whole},
    {u"鍛冶", u"かじ", Kind::Always},
    {u"風邪", u"かぜ", Kind::Always},
    {u"固唾", u"かたず", Kind::Always},
    {u"仮名", u"かな", Kind::Whole},
    {u"蚊帳", u"かや", Kind::Always},
    {u"為替", u"かわせ", Kind::Always},
    {u"河原", u"かわら", Kind::Always},
    {u"川原", u"かわら", Kind::Always},
    {u"昨日", u"きのう", Kind::Always},
    {u"今日", u"きょう", Kind::Always},
    {u"果物", u"くだもの", Kind::Always},
    {u"玄人", u"くろうと", Kind::Always},
    {u"今朝", u"けさ", Kind::Always},
    {u"景色", u"けしき", Kind::Always},
    {u"心地", u"ここち", Kind::Always},
    {u"居士", u"こじ", Kind::Always},
    {u"今年", u"ことし", Kind::Always},
    {u"早乙女", u"さおとめ", Kind::Always},
    {u"雑魚", u"ざこ", Kind::Always},
    {u"桟敷", u"さじき", Kind::Always},
    {u"五月", u"さつき", Kind::Whole},
    {u"早苗", u"さなえ", Kind::Always},
    {u"五月雨", u"さみだれ", Kind::Always},
    {u"時雨", u"しぐれ", Kind::Always},
    {u"尻尾", u"しっぽ", Kind::Always},
    {u"竹刀", u"しない", Kind::Always},
    {u"老舗", u"しにせ", Kind::Whole},
    {u"芝生", u"しばふ", Kind::Always},
    {u"清水", u"しみず", Kind::Whole},
    {u"三味線", u"しゃみせん", Kind::Always},
    {u"砂利", u"じゃり", Kind::Always},
    {u"数珠", u"じゅず", Kind::Whole},
    {u"上手", u"じょうず", Kind::Always},
    {u"白髪", u"しらが", Kind::Whole},
    {u"素人", u"しろうと", Kind::Always},
    {u"師走", u"しわす", Kind::Whole},
    {u"師走", u"しはす", Kind::Whole},
    {u"数寄屋", u"すきや", Kind::Always},
    {u"数奇屋", u"すきや", Kind::Always},
    {u"相撲", u"すもう", Kind::Always},
    {u"草履", u"ぞうり", Kind::Always},
    {u"山車", u"だし", Kind::Always},
    {u"太刀", u"たち", Kind::Always},
    {u"七夕", u"たなばた", Kind::Always},
    {u"足袋", u"たび", Kind::Always},
    {u"稚児", u"ちご", Kind::Always},
    {u"一日", u"ついたち", Kind::Whole, DayOfMonth},
    {u"築山", u"つきやま", Kind::Always},
    {u"梅雨", u"つゆ", Kind::Always},
    {u"凸凹", u"でこぼこ", Kind::Always},
    {u"手伝", u"てつだ", Kind::Always},
    {u"伝馬船", u"てんません", Kind::Always},
    {u"投網", u"とあみ", Kind::Always},
    {u"十重二十重", u"とえはたえ", Kind::Always},
    {u"読経", u"どきょう", Kind::Whole},
    {u"時計", u"とけい", Kind::Always},
    {u"友達", u"ともだち", Kind::Always},
    {u"仲人", u"なこうど", Kind::Always},
    {u"名残", u"なごり", Kind::Always},
    {u"雪崩", u"なだれ", Kind::Always},
    {u"野良", u"のら", Kind::Always},
    {u"祝詞", u"のりと", Kind::Whole},
    {u"博士", u"はかせ", Kind::Whole},
    {u"二十", u"はたち", Kind::Whole},
    {u"二十歳", u"はたち", Kind::Whole},
    {u"二十日", u"はつか", Kind::Always, DayOfMonth},
    {u"波止場", u"はとば", Kind::Always},
    {u"一人", u"ひとり", Kind::Always},
    {u"日和", u"ひより", Kind::Always},
    {u"二人", u"ふたり", Kind::Always},
    {u"二日", u"ふつか", Kind::Always, DayOfMonth},
    {u"吹雪", u"ふぶき", Kind::Always},
    {u"下手", u"へた", Kind::Always},
    {u"部屋", u"へや", Kind::Always},
    {u"迷子", u"まいご", Kind::Always},
    {u"真面目", u"まじめ", Kind::Always},
    {u"土産", u"みやげ", Kind::Always},
    {u"息子", u"むすこ", Kind::Always},
    {u"眼鏡", u"めがね", Kind::Always},
    {u"猛者", u"もさ", Kind::Whole},
    {u"紅葉", u"もみじ", Kind::Whole},
    {u"木綿", u"もめん", Kind::Always},
    {u"最寄", u"もよ", Kind::Always},
    {u"八百長", u"やおちょう", Kind::Always},
    {u"八百屋", u"やおや", Kind::Always},
    {u"大和", u"やまと", Kind::Always},
    {u"弥生", u"やよい", Kind::Always},
    {u"浴衣", u"ゆかた", Kind::Always},
    {u"行方", u"ゆくえ", Kind::Always},
    {u"寄席", u"よせ", Kind::Always},
    {u"若人", u"わこうど", Kind::Always},
    {u"三日", u"みっか", Kind::Counted, DayOfMonth},
    {u"四日", u"よっか", Kind::Counted, DayOfMonth},
    {u"五日", u"いつか", Kind::Counted, DayOfMonth},
    {u"六日", u"むいか", Kind::Counted, DayOfMonth},
    {u"七日", u"なのか", Kind::Counted, DayOfMonth},
    {u"八日", u"ようか", Kind::Counted, DayOfMonth},
    {u"九日", u"ここのか", Kind::Counted, DayOfMonth},
    {u"十日", u"とおか", Kind::Counted, DayOfMonth},
    {u"十四日", u"じゅうよっか", Kind::Counted, DayOfMonth},
    {u"二十四日", u"にじゅうよっか", Kind::Counted, DayOfMonth},
    {u"二日間", u"ふつかかん", Kind::Counted},
    {u"三日間", u"みっかかん", Kind::Counted},
    {u"四日間", u"よっかかん", Kind::Counted},
    {u"五日間", u"いつかかん", Kind::Counted},
    {u"六日間", u"むいかかん", Kind::Counted},
    {u"七日間", u"なのかかん", Kind::Counted},
    {u"八日間", u"ようかかん", Kind::Counted},
    {u"九日間", u"ここのかかん", Kind::Counted},
    {u"十日間", u"とおかかん", Kind::Counted},
    {u"十四日間", u"じゅうよっかかん", Kind::Counted},
    {u"二十日間", u"はつかかん", Kind::Counted},
    {u"二十四日間", u"にじゅうよっかかん", Kind::Counted},
    {u"一人一人", u"ひとりひとり", Kind::Counted},
};

constexpr auto Sorted = [] {
    std::array<Entry, std::size(Entries)> sorted{};
    std::ranges::copy(Entries, sorted.begin());
    std::ranges::sort(sorted, {}, &Entry::kanji);
    return sorted;
}();

// A run standing alone has one reading or, if several are in use, none of its own.
constexpr bool onlyWholeShare()
{
    for (std::size_t i = 1; i < Sorted.size(); ++i) {
        if (Sorted[i].kanji == Sorted[i - 1].kanji &&
            (Sorted[i].kind != Kind::Whole || Sorted[i - 1].kind != Kind::Whole)) {
            return false;
        }
    }
    return true;
}
static_assert(onlyWholeShare());

QStringView view(std::u16string_view text)
{
    return {text.data(), qsizetype(text.size())};
}

} // namespace

FixedReadings::Words FixedReadings::wholeWordsAt(QStringView kanji)
{
    Words words;
    if (kanji.size() < 2) {
        return words;
    }
    const char16_t first = kanji.front().unicode();
    for (auto entry =
             std::ranges::lower_bound(Sorted, std::u16string_view(&first, 1), {}, &Entry::kanji);
         entry != Sorted.end() && entry->kanji.front() == first; ++entry) {
        if (entry->kind != Kind::Counted && kanji.startsWith(view(entry->kanji))) {
            words.append({view(entry->kanji), view(entry->reading)});
        }
    }
    return words;
}

namespace {

// The first entry for the run, if any; a lone kanji has none.
const Entry *entryFor(QStringView run)
{
    if (run.size() < 2) {
        return nullptr;
    }
    const std::u16string_view key(run.utf16(), size_t(run.size()));
    const auto entry = std::ranges::lower_bound(Sorted, key, {}, &Entry::kanji);
    return entry != Sorted.end() && entry->kanji == key ? &*entry : nullptr;
}

} // namespace

std::optional<QStringView> FixedReadings::reading(QStringView run)
{
    const Entry *entry = entryFor(run);
    if (!entry || entry->kind == Kind::Whole) {
        return std::nullopt;
    }
    return view(entry->reading);
}

std::optional<QStringView> FixedReadings::dayReading(QStringView run)
{
    const Entry *entry = entryFor(run);
    if (!entry || !entry->dayOfMonth) {
        return std::nullopt;
    }
    return view(entry->reading);
}
