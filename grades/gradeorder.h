#pragma once

#include "schoolkanji.h"

#include <QList>
#include <QString>

/// The order of the school's grade lists: by reading, in gojūon order.
///
/// A kanji's reading is its first on-reading, in hiragana; one with none takes
/// its first kun-reading without okurigana and affix marks. A few kanji that the
/// Jōyō table reads by kun alone, although KANJIDIC2 also gives an on-reading,
/// take that kun-reading, as the lists place them (貝 かい, 埼 さい).
///
/// Readings compare as in a Japanese dictionary: kana without their voicing marks
/// and small kana as large ones first (か が かい), then position by position
/// plain before small before voiced before semi-voiced (は ば ぱ). On equal
/// readings an on-reading comes before a kun-reading (最 before 埼), then fewer
/// strokes before more (汽 before 記), then the lower code point.
namespace GradeOrder {

/// The reading a kanji is placed by, in hiragana.
QString listReading(const SchoolKanji &kanji);
/// Whether `first` stands before `second` in a grade list.
bool before(const SchoolKanji &first, const SchoolKanji &second);
/// The kanji in the order of the grade lists (all grades mixed sort as one list).
void sort(QList<SchoolKanji> &kanji);

} // namespace GradeOrder
