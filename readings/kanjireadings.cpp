#include "kanjireadings.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace {

struct KanjiReadingRow {
    char32_t kanji;
    std::u16string_view readings; ///< separated by spaces
};

#include "kanjireadingtable.inc"

static_assert(std::ranges::is_sorted(KanjiReadingTable, {}, &KanjiReadingRow::kanji));

} // namespace

QList<QStringView> KanjiReadings::readings(char32_t kanji)
{
    const auto row =
        std::ranges::lower_bound(KanjiReadingTable, kanji, {}, &KanjiReadingRow::kanji);
    if (row == KanjiReadingTable.end() || row->kanji != kanji) {
        return {};
    }
    QList<QStringView> sounds;
    for (const QStringView sound :
         QStringView(row->readings.data(), qsizetype(row->readings.size())).tokenize(u' ')) {
        sounds << sound;
    }
    return sounds;
}
