#pragma once

#include <QString>
#include <QStringView>

namespace RubyAnnotator {
/// The line with a reading mark ｜base《reading》 (U+FF5C, U+300A, U+300B) on every run of
/// kanji that has a reading, the reading in hiragana: MeCab's, or for a run of kanji that
/// stands alone and always reads one way that reading (一人 ひとり, where MeCab reads 一 いち,
/// 人 にん; see FixedReadings), and a day right after its month that reading too (五月五日:
/// 五日 いつか, 一月一日: 一日 ついたち). Marks the teacher wrote are kept and win over both:
/// ｜東京《とうきょう》タワー (base from ｜ to 《) and 日本《にっぽん》 (base = the run of
/// kanji, 々 included, right before 《) both come out as ｜base《reading》.
/// Throws HekiraError with a Japanese message when the MeCab dictionary cannot be loaded.
QString annotate(QStringView line);
} // namespace RubyAnnotator
