#pragma once

#include "schoolkanji.h"

#include <QByteArray>
#include <QList>
#include <QString>

/// Reads the kanji of the school grades (KANJIDIC2's <grade> 1 to 6) from
/// KANJIDIC2, the XML kanji dictionary of the Electronic Dictionary Research and
/// Development Group. Only the build reads it, to make the program's grade table
/// and, with every graded kanji (up to SchoolKanji::LastKanjidicGrade), its table
/// of kanji readings.
namespace KanjidicReader {

/// The kanji of grades 1 to lastGrade of a gzip-compressed KANJIDIC2 file, in the
/// file's order. Throws HekiraError when the file cannot be read or is no KANJIDIC2.
QList<SchoolKanji> readFile(const QString &path, int lastGrade = SchoolKanji::LastGrade);
/// The kanji of grades 1 to lastGrade of KANJIDIC2's XML text. Throws HekiraError,
/// naming the line, when the XML is malformed or such a kanji lacks its character
/// or strokes.
QList<SchoolKanji> read(const QByteArray &xml, int lastGrade = SchoolKanji::LastGrade);

} // namespace KanjidicReader
