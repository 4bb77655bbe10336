#pragma once

#include <QStringView>
#include <QVarLengthArray>
#include <optional>

/// Words of kanji with readings of their own, built into the program: the words of
/// the list appended to the Jōyō kanji table (今日 きょう, 大人 おとな, 手伝う
/// てつだう), whose reading stands beside the whole word, and the days of the month,
/// which MeCab reads as a number and a counter (三日 さんにち for みっか).
namespace FixedReadings {

/// A word and its reading, in hiragana.
struct Word {
    QStringView kanji;
    QStringView reading;
};

/// Words that one place in a run of kanji may begin: seldom more than two (二十 はたち,
/// 二十日 はつか).
using Words = QVarLengthArray<Word, 2>;

/// The words read as a whole that `kanji`, a run of kanji or its tail, begins with.
/// A word may have several (明日 あす, あした); read otherwise (紅葉 こうよう), it is
/// read kanji by kanji.
Words wholeWordsAt(QStringView kanji);

/// The reading of a run of kanji standing alone, whatever MeCab says: 一人 ひとり, 三日
/// みっか. None for a run that is no such word, or one whose reading depends on what
/// it means (一日 ついたち or いちにち).
std::optional<QStringView> reading(QStringView run);

/// The reading of a run of kanji right after its month, if it is a day of the month:
/// 五日 いつか in 五月五日, and 一日 ついたち, which after a month can only be the first.
std::optional<QStringView> dayReading(QStringView run);

} // namespace FixedReadings
