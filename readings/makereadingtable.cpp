// Writes the kanji reading table the program is built with: the readings of every
// kanji KANJIDIC2 gives a grade (the Jōyō and Jinmeiyō kanji), in hiragana, as C++
// data sorted by code point.
//   makereadingtable kanjidic2.xml.gz kanjireadingtable.inc
#include "hekiraerror.h"
#include "kana.h"
#include "kanjidicreader.h"
#include "outputfile.h"

#include <QTextStream>
#include <algorithm>
#include <array>
#include <string_view>

namespace {

using namespace Qt::StringLiterals;

struct KanaPair {
    char16_t from;
    char16_t to;
};

// The last kana of a verb's okurigana and the one its stem for nouns and compounds
// ends in (書く かき, 語る かたり, 向かう むかい): 書留, 物語 and 立向かう write none.
constexpr std::array<KanaPair, 9> NounStemEndings{{
    {u'う', u'い'},
    {u'く', u'き'},
    {u'ぐ', u'ぎ'},
    {u'す', u'し'},
    {u'つ', u'ち'},
    {u'ぬ', u'に'},
    {u'ぶ', u'び'},
    {u'む', u'み'},
    {u'る', u'り'},
}};

// The kana before a final る that make a verb ichidan (受ける うけ, 用いる もちい).
constexpr std::u16string_view IchidanKana = u"いきぎしじちぢにひびぴみりえけげせぜてでねへべぺめれ";

// The kun-reading with its okurigana as a verb's noun stem ends; none unless the
// okurigana ends a verb.
QString nounStem(const QString &stem, const QString &okurigana)
{
    if (okurigana.size() >= 2 && okurigana.back() == u'る' &&
        IchidanKana.find(okurigana[okurigana.size() - 2].unicode()) != std::u16string_view::npos) {
        return stem + okurigana.chopped(1);
    }
    const auto ending =
        std::ranges::find(NounStemEndings, okurigana.back().unicode(), &KanaPair::from);
    if (ending == NounStemEndings.end()) {
        return {};
    }
    return stem + okurigana.chopped(1) + QChar(ending->to);
}

// The sounds a kanji stands for, each once: on-readings in hiragana, kun-readings
// without their okurigana (after ".") and affix marks ("-"), and those of verbs
// also with the okurigana as the verb's noun stem ends.
QStringList readings(const SchoolKanji &kanji)
{
    QStringList sounds;
    const auto add = [&sounds](QString reading) {
        reading.remove(u'-');
        if (!reading.isEmpty() && !sounds.contains(reading)) {
            sounds << reading;
        }
    };
    for (const QString &on : kanji.onReadings) {
        add(Kana::hiragana(on));
    }
    for (const QString &kun : kanji.kunReadings) {
        const QString stem = kun.section(u'.', 0, 0);
        add(stem);
        const QString okurigana = kun.section(u'.', 1);
        if (!okurigana.isEmpty()) {
            add(nounStem(stem, okurigana));
        }
    }
    return sounds;
}

QByteArray table(QList<SchoolKanji> kanji)
{
    std::ranges::sort(kanji, {}, &SchoolKanji::literal);
    QString rows;
    qsizetype count = 0;
    for (const SchoolKanji &entry : kanji) {
        const QStringList sounds = readings(entry);
        if (sounds.isEmpty()) {
            continue;
        }
        const char32_t literal[] = {entry.literal};
        rows += u"    {U'%1', u\"%2\"},\n"_s.arg(QString::fromUcs4(literal, 1), sounds.join(u' '));
        ++count;
    }
    if (count == 0) {
        throw HekiraError(u"KANJIDIC2 に読みのある字がありません。"_s);
    }
    const QString text =
        u"// Written by makereadingtable from KANJIDIC2 (Electronic Dictionary Research and\n"
        u"// Development Group, CC BY-SA 3.0): do not edit.\n"
        u"constexpr std::array<KanjiReadingRow, %1> KanjiReadingTable{{\n%2}};\n"_s.arg(count)
            .arg(rows);
    return text.toUtf8();
}

} // namespace

int main(int argc, char **argv)
{
    QTextStream err(stderr);
    if (argc != 3) {
        err << "usage: makereadingtable kanjidic2.xml.gz kanjireadingtable.inc" << Qt::endl;
        return 2;
    }
    try {
        const QList<SchoolKanji> kanji = KanjidicReader::readFile(QString::fromLocal8Bit(argv[1]),
                                                                  SchoolKanji::LastKanjidicGrade);
        OutputFile output(QString::fromLocal8Bit(argv[2]));
        output.open();
        output.write(table(kanji));
        output.commit();
    } catch (const HekiraError &error) {
        err << "makereadingtable: " << error.message() << Qt::endl;
        return 1;
    }
    return 0;
}
