#pragma once

#include <QList>
#include <QString>
#include <QStringView>

/// Reading marks in a line of text: ｜base《reading》, or base《reading》 where the
/// base is the run of kanji right before 《. Teachers type them; the annotator
/// writes them.
namespace RubyMarks {

inline constexpr QChar Bar = u'｜';   // U+FF5C
inline constexpr QChar Open = u'《';  // U+300A
inline constexpr QChar Close = u'》'; // U+300B

/// A reading mark found in a line; the views are parts of that line.
struct Mark {
    qsizetype start = 0; ///< its ｜, or else the first character of its base
    qsizetype end = 0;   ///< just after its 》
    QStringView base;
    QStringView reading; ///< empty when the teacher wants no reading there

    bool operator==(const Mark &other) const = default;
};

/// Whether a character is a kanji for reading marks: an ideograph, or 々, which
/// repeats the one before it.
bool isKanji(char32_t c);
/// Whether the text holds a kanji.
bool hasKanji(QStringView text);

/// The marks of a line, in order, none inside another. A 《 opens a reading only
/// when a 》 closes it before any other 《 or ｜. Its base is the text after the
/// nearest ｜ before it with no 《 or 》 between, or else the run of kanji right
/// before it. A 《 with no base or no 》, a ｜ that opens no mark and a lone 》 are
/// text, left as typed.
QList<Mark> find(QStringView line);

/// The line as it reads without its marks' ｜, brackets and readings: their bases
/// and the text between them.
QString withoutMarks(QStringView line);

/// Appends the mark ｜base《reading》 to text.
void append(QString &text, QStringView base, QStringView reading);

} // namespace RubyMarks
