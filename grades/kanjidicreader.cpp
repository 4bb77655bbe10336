#include "kanjidicreader.h"

#include "hekiraerror.h"

#include <QFile>
#include <QXmlStreamReader>
#include <array>
#include <optional>
#include <zlib.h>

namespace {

using namespace Qt::StringLiterals;

QByteArray gunzip(const QString &path)
{
    gzFile file = gzopen(QFile::encodeName(path).constData(), "rb");
    if (file == nullptr) {
        throw HekiraError(u"ファイル \"%1\" は開けません。"_s.arg(path));
    }
    QByteArray bytes;
    std::array<char, 1 << 16> buffer;
    int count = 0;
    while ((count = gzread(file, buffer.data(), unsigned(buffer.size()))) > 0) {
        bytes.append(buffer.data(), count);
    }
    int code = Z_OK;
    const QString reason = count < 0 ? QString::fromUtf8(gzerror(file, &code)) : QString();
    gzclose(file);
    if (count < 0) {
        throw HekiraError(u"ファイル \"%1\" は読めません。%2"_s.arg(path, reason));
    }
    return bytes;
}

[[noreturn]] void fail(const QXmlStreamReader &xml, const QString &reason)
{
    throw HekiraError(u"KANJIDIC2 の %1 行目: %2"_s.arg(xml.lineNumber()).arg(reason));
}

QString elementText(QXmlStreamReader &xml)
{
    const QString text = xml.readElementText();
    if (xml.hasError()) {
        fail(xml, xml.errorString());
    }
    return text;
}

// One <character>, the reader on its start tag; nothing when it is of no grade read.
std::optional<SchoolKanji> readCharacter(QXmlStreamReader &xml, int lastGrade)
{
    const qint64 line = xml.lineNumber();
    SchoolKanji kanji;
    QString literal;
    while (!(xml.isEndElement() && xml.name() == "character"_L1)) {
        xml.readNext();
        if (xml.hasError()) {
            fail(xml, xml.errorString());
        }
        if (!xml.isStartElement()) {
            continue;
        }
        const QStringView name = xml.name();
        const QXmlStreamAttributes attributes = xml.attributes();
        const QStringView type = attributes.value("r_type"_L1);
        if (name == "literal"_L1) {
            literal = elementText(xml);
        } else if (name == "grade"_L1) {
            kanji.grade = elementText(xml).toInt();
        } else if (name == "stroke_count"_L1 && kanji.strokes == 0) {
            // Later counts are common miscounts.
            kanji.strokes = elementText(xml).toInt();
        } else if (name == "reading"_L1 && type == "ja_on"_L1) {
            kanji.onReadings << elementText(xml);
        } else if (name == "reading"_L1 && type == "ja_kun"_L1) {
            kanji.kunReadings << elementText(xml);
        }
    }
    if (kanji.grade < SchoolKanji::FirstGrade || kanji.grade > lastGrade) {
        return std::nullopt;
    }
    const QList<uint> codePoints = literal.toUcs4();
    if (codePoints.size() != 1 || kanji.strokes < 1) {
        throw HekiraError(
            u"KANJIDIC2 の %1 行目: 学年 %2 の字に文字か画数がありません。"_s.arg(line).arg(
                kanji.grade));
    }
    kanji.literal = codePoints.first();
    return kanji;
}

} // namespace

QList<SchoolKanji> KanjidicReader::readFile(const QString &path, int lastGrade)
{
    return read(gunzip(path), lastGrade);
}

QList<SchoolKanji> KanjidicReader::read(const QByteArray &bytes, int lastGrade)
{
    QXmlStreamReader xml(bytes);
    if (!xml.readNextStartElement() || xml.name() != "kanjidic2"_L1) {
        fail(xml, xml.hasError() ? xml.errorString() : u"KANJIDIC2 ではありません。"_s);
    }
    QList<SchoolKanji> kanji;
    while (xml.readNextStartElement()) {
        if (xml.name() != "character"_L1) {
            xml.skipCurrentElement();
            continue;
        }
        if (const std::optional<SchoolKanji> entry = readCharacter(xml, lastGrade)) {
            kanji << *entry;
        }
    }
    if (xml.hasError()) {
        fail(xml, xml.errorString());
    }
    return kanji;
}
