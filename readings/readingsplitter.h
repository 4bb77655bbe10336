#pragma once

#include <QList>
#include <QStringView>

/// Puts a word's reading on its kanji, for a reading mark on each one.
///
/// The word's kana are anchors that the reading must hold where they stand
/// (書き込む かきこむ: 書 か, 込 こ). Each run of kanji takes the part of the reading
/// between them and splits it over its kanji by their readings in KanjiReadings
/// (学校 がっこう: 学 がっ, 校 こう), where a kanji after the first may voice its
/// first kana (rendaku: か→が, さ→ざ, た→だ, は→ば or ぱ), one before the last may
/// end in a small っ for its final つ, く, ち or き, and 々 reads as the kanji before
/// it. Of the splits, those with the fewest such changes count; when there is none,
/// or more than one, the run keeps its part whole (海老 えび). A word of
/// FixedReadings keeps its reading whole wherever the reading holds it, though its
/// kanji have readings that fit (上手 じょうず, not 上 じょう and 手 ず).
namespace ReadingSplitter {

/// A part of the word: a kana run, a run of kanji, a word read whole or one kanji.
/// The views are parts of the word and of its reading.
struct Piece {
    QStringView text;
    QStringView reading; ///< empty for kana: no mark

    bool operator==(const Piece &other) const = default;
};

/// The word in pieces with their readings (given in hiragana). The word whole and
/// without reading when its kana fit the reading in no way, or in several that the
/// kanji's readings do not decide between.
QList<Piece> split(QStringView word, QStringView reading);

} // namespace ReadingSplitter
