#pragma once

#include <QStringView>
#include <QVarLengthArray>

/// Words of kanji with readings of their own, built into the program: the words of
/// the list appended to the Jōyō kanji table (今日 きょう, 大人 おとな, 手伝う
/// てつだう), whose reading stands beside the whole word.
namespace SpecialReadings {

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

} // namespace SpecialReadings
