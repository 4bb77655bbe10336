#pragma once

#include "schoolkanji.h"
#include "textdocument.h"

#include <QStringView>

/// The kanji of each school grade, built into the program from KANJIDIC2 (the
/// Electronic Dictionary Research and Development Group, CC BY-SA 3.0), in the
/// order of the grade lists (see GradeOrder).
namespace GradeKanji {

/// The kanji of a grade (SchoolKanji::FirstGrade to LastGrade), one UTF-16 unit
/// each. Throws HekiraError for any other grade.
QStringView kanji(int grade);
/// A new document (Shift_JIS, CR LF) of the grade's kanji, one a line.
TextDocument document(int grade);

} // namespace GradeKanji
