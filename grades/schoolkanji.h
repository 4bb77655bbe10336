#pragma once

#include <QStringList>

/// A kanji of a school grade as KANJIDIC2 describes it.
struct SchoolKanji {
    /// The grades of elementary school; KANJIDIC2's 8 and up are secondary school and names.
    static constexpr int FirstGrade = 1;
    static constexpr int LastGrade = 6;
    /// KANJIDIC2's last grade: 8 the other Jōyō kanji, 9 and 10 the Jinmeiyō ones.
    static constexpr int LastKanjidicGrade = 10;

    char32_t literal = 0;
    int grade = 0;           ///< 1 to 6, or up to 10 where read so
    int strokes = 0;         ///< the accepted stroke count
    QStringList onReadings;  ///< in katakana, in the dictionary's order
    QStringList kunReadings; ///< in hiragana, okurigana after ".", affixes marked "-"

    bool operator==(const SchoolKanji &) const = default;
};
