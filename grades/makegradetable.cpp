// Writes the grade table the program is built with: the kanji of each school grade
// from KANJIDIC2, in the order of the grade lists, as C++ data.
//   makegradetable kanjidic2.xml.gz gradetable.inc
#include "gradeorder.h"
#include "hekiraerror.h"
#include "kanjidicreader.h"
#include "outputfile.h"

#include <QTextStream>
#include <array>

namespace {

using namespace Qt::StringLiterals;

constexpr qsizetype KanjiPerRow = 20;

QByteArray table(const QList<SchoolKanji> &kanji)
{
    std::array<QString, SchoolKanji::LastGrade> lists;
    for (const SchoolKanji &entry : kanji) {
        // One UTF-16 unit a kanji, so that the program can take them one by one.
        if (entry.literal > 0xFFFF) {
            throw HekiraError(u"U+%1 は BMP の外の字です。"_s.arg(uint(entry.literal), 0, 16));
        }
        lists[entry.grade - 1] += QChar(char16_t(entry.literal));
    }
    QString text =
        u"// Written by makegradetable from KANJIDIC2 (Electronic Dictionary Research and\n"
        u"// Development Group, CC BY-SA 3.0): do not edit.\n"
        u"constexpr std::array<std::u16string_view, %1> GradeLists{\n"_s.arg(lists.size());
    for (qsizetype grade = 0; grade < qsizetype(lists.size()); ++grade) {
        if (lists[grade].isEmpty()) {
            throw HekiraError(u"KANJIDIC2 に学年 %1 の字がありません。"_s.arg(grade + 1));
        }
        text += u"    // %1: %2\n"_s.arg(grade + 1).arg(lists[grade].size());
        for (qsizetype i = 0; i < lists[grade].size(); i += KanjiPerRow) {
            text += u"    u\"%1\"\n"_s.arg(lists[grade].mid(i, KanjiPerRow));
        }
        text += u"    ,\n"_s;
    }
    text += u"};\n"_s;
    return text.toUtf8();
}

} // namespace

int main(int argc, char **argv)
{
    QTextStream err(stderr);
    if (argc != 3) {
        err << "usage: makegradetable kanjidic2.xml.gz gradetable.inc" << Qt::endl;
        return 2;
    }
    try {
        QList<SchoolKanji> kanji = KanjidicReader::readFile(QString::fromLocal8Bit(argv[1]));
        GradeOrder::sort(kanji);
        OutputFile output(QString::fromLocal8Bit(argv[2]));
        output.open();
        output.write(table(kanji));
        output.commit();
    } catch (const HekiraError &error) {
        err << "makegradetable: " << error.message() << Qt::endl;
        return 1;
    }
    return 0;
}
