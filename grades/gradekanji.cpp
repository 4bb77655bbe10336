#include "gradekanji.h"

#include "hekiraerror.h"

#include <array>
#include <string_view>

namespace {

#include "gradetable.inc"

static_assert(GradeLists.size() == SchoolKanji::LastGrade);

} // namespace

QStringView GradeKanji::kanji(int grade)
{
    if (grade < SchoolKanji::FirstGrade || grade > SchoolKanji::LastGrade) {
        throw HekiraError(QStringLiteral("学年は %1 から %2 までです: %3")
                              .arg(SchoolKanji::FirstGrade)
                              .arg(SchoolKanji::LastGrade)
                              .arg(grade));
    }
    const std::u16string_view list = GradeLists[grade - 1];
    return QStringView(list.data(), qsizetype(list.size()));
}

TextDocument GradeKanji::document(int grade)
{
    QList<TextDocument::TextLine> lines;
    for (const QChar kanji : kanji(grade)) {
        lines.append({QString(kanji), false});
    }
    TextDocument document;
    document.setTextLines(lines);
    return document;
}
