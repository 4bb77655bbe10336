#include "specialreadings.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <string_view>

namespace {

struct Entry {
    std::u16string_view kanji;
    std::u16string_view reading;
};

// The list appended to the Jōyō kanji table, in its order. A word with okurigana is
// here by its kanji (手伝う: 手伝 てつだ); one whose kanji stand one by one between kana
// (差し支える, 真っ赤, 母さん) needs no entry, as a lone kanji's reading is never split.
constexpr Entry Entries[] = {
    {u"明日", u"あす"},         {u"明日", u"あした"},     {u"小豆", u"あずき"},
    {u"海女", u"あま"},         {u"海士", u"あま"},       {u"硫黄", u"いおう"},
    {u"意気地", u"いくじ"},     {u"田舎", u"いなか"},     {u"息吹", u"いぶき"},
    {u"海原", u"うなばら"},     {u"乳母", u"うば"},       {u"浮気", u"うわき"},
    {u"笑顔", u"えがお"},       {u"叔父", u"おじ"},       {u"伯父", u"おじ"},
    {u"大人", u"おとな"},       {u"乙女", u"おとめ"},     {u"叔母", u"おば"},
    {u"伯母", u"おば"},         {u"神酒", u"みき"},       {u"母屋", u"おもや"},
    {u"母家", u"おもや"},       {u"神楽", u"かぐら"},     {u"河岸", u"かし"},
    {u"鍛冶", u"かじ"},         {u"風邪", u"かぜ"},       {u"固唾", u"かたず"},
    {u"仮名", u"かな"},         {u"蚊帳", u"かや"},       {u"為替", u"かわせ"},
    {u"河原", u"かわら"},       {u"川原", u"かわら"},     {u"昨日", u"きのう"},
    {u"今日", u"きょう"},       {u"果物", u"くだもの"},   {u"玄人", u"くろうと"},
    {u"今朝", u"けさ"},         {u"景色", u"けしき"},     {u"心地", u"ここち"},
    {u"居士", u"こじ"},         {u"今年", u"ことし"},     {u"早乙女", u"さおとめ"},
    {u"雑魚", u"ざこ"},         {u"桟敷", u"さじき"},     {u"五月", u"さつき"},
    {u"早苗", u"さなえ"},       {u"五月雨", u"さみだれ"}, {u"時雨", u"しぐれ"},
    {u"尻尾", u"しっぽ"},       {u"竹刀", u"しない"},     {u"老舗", u"しにせ"},
    {u"芝生", u"しばふ"},       {u"清水", u"しみず"},     {u"三味線", u"しゃみせん"},
    {u"砂利", u"じゃり"},       {u"数珠", u"じゅず"},     {u"上手", u"じょうず"},
    {u"白髪", u"しらが"},       {u"素人", u"しろうと"},   {u"師走", u"しわす"},
    {u"師走", u"しはす"},       {u"数寄屋", u"すきや"},   {u"数奇屋", u"すきや"},
    {u"相撲", u"すもう"},       {u"草履", u"ぞうり"},     {u"山車", u"だし"},
    {u"太刀", u"たち"},         {u"七夕", u"たなばた"},   {u"足袋", u"たび"},
    {u"稚児", u"ちご"},         {u"一日", u"ついたち"},   {u"築山", u"つきやま"},
    {u"梅雨", u"つゆ"},         {u"凸凹", u"でこぼこ"},   {u"手伝", u"てつだ"},
    {u"伝馬船", u"てんません"}, {u"投網", u"とあみ"},     {u"十重二十重", u"とえはたえ"},
    {u"読経", u"どきょう"},     {u"時計", u"とけい"},     {u"友達", u"ともだち"},
    {u"仲人", u"なこうど"},     {u"名残", u"なごり"},     {u"雪崩", u"なだれ"},
    {u"野良", u"のら"},         {u"祝詞", u"のりと"},     {u"博士", u"はかせ"},
    {u"二十", u"はたち"},       {u"二十歳", u"はたち"},   {u"二十日", u"はつか"},
    {u"波止場", u"はとば"},     {u"一人", u"ひとり"},     {u"日和", u"ひより"},
    {u"二人", u"ふたり"},       {u"二日", u"ふつか"},     {u"吹雪", u"ふぶき"},
    {u"下手", u"へた"},         {u"部屋", u"へや"},       {u"迷子", u"まいご"},
    {u"真面目", u"まじめ"},     {u"土産", u"みやげ"},     {u"息子", u"むすこ"},
    {u"眼鏡", u"めがね"},       {u"猛者", u"もさ"},       {u"紅葉", u"もみじ"},
    {u"木綿", u"もめん"},       {u"最寄", u"もよ"},       {u"八百長", u"やおちょう"},
    {u"八百屋", u"やおや"},     {u"大和", u"やまと"},     {u"弥生", u"やよい"},
    {u"浴衣", u"ゆかた"},       {u"行方", u"ゆくえ"},     {u"寄席", u"よせ"},
    {u"若人", u"わこうど"},
};

constexpr auto Sorted = [] {
    std::array<Entry, std::size(Entries)> sorted{};
    std::ranges::copy(Entries, sorted.begin());
    std::ranges::sort(sorted, {}, &Entry::kanji);
    return sorted;
}();

QStringView view(std::u16string_view text)
{
    return {text.data(), qsizetype(text.size())};
}

} // namespace

SpecialReadings::Words SpecialReadings::wholeWordsAt(QStringView kanji)
{
    Words words;
    if (kanji.size() < 2) {
        return words;
    }
    const char16_t first = kanji.front().unicode();
    for (auto entry =
             std::ranges::lower_bound(Sorted, std::u16string_view(&first, 1), {}, &Entry::kanji);
         entry != Sorted.end() && entry->kanji.front() == first; ++entry) {
        if (kanji.startsWith(view(entry->kanji))) {
            words.append({view(entry->kanji), view(entry->reading)});
        }
    }
    return words;
}
