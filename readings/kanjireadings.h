#pragma once

#include <QList>
#include <QStringView>

/// The readings of the Jōyō and Jinmeiyō kanji, built into the program from
/// KANJIDIC2 (the Electronic Dictionary Research and Development Group, CC BY-SA
/// 3.0): for each kanji the sounds it stands for, in hiragana, on-readings as they
/// are, kun-readings without okurigana and affix marks (書 しょ か, 込 こ).
namespace KanjiReadings {

/// The kanji's readings; none for a kanji outside the table.
QList<QStringView> readings(char32_t kanji);

} // namespace KanjiReadings
