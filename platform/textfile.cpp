#include "textfile.h"

#include "cp932.h"
#include "hekiraerror.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>
#include <cstdio>

namespace {

constexpr QByteArrayView Utf8Bom("\xEF\xBB\xBF");

bool isValidUtf8(QByteArrayView bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringConverter::Flag::Stateless);
    const QString text = decoder.decode(bytes);
    return !decoder.hasError();
}

bool hasNonAscii(QByteArrayView bytes)
{
    for (char byte : bytes) {
        if (static_cast<unsigned char>(byte) >= 0x80) {
            return true;
        }
    }
    return false;
}

TextEncoding resolve(QByteArrayView bytes, TextEncoding encoding)
{
    if (encoding != TextEncoding::Auto) {
        return encoding;
    }
    const bool utf8 = bytes.startsWith(Utf8Bom) || (hasNonAscii(bytes) && isValidUtf8(bytes));
    return utf8 ? TextEncoding::Utf8 : TextEncoding::ShiftJis;
}

QByteArrayView withoutBom(QByteArrayView bytes)
{
    return bytes.startsWith(Utf8Bom) ? bytes.sliced(Utf8Bom.size()) : bytes;
}

} // namespace

QByteArray TextFile::read(const QString &path)
{
    QFile file(path);
    const bool opened = path == QStringLiteral("-") ? file.open(stdin, QIODevice::ReadOnly)
                                                    : file.open(QIODevice::ReadOnly);
    QByteArray bytes;
    if (opened) {
        bytes = file.readAll();
    }
    if (!opened || file.error() != QFileDevice::NoError) {
        throw HekiraError(
            QStringLiteral("ファイル \"%1\" は開けません。%2").arg(path, file.errorString()));
    }
    return bytes;
}

QByteArray TextFile::toCp932(QByteArrayView bytes, TextEncoding encoding, bool *lossless)
{
    if (resolve(bytes, encoding) == TextEncoding::ShiftJis) {
        if (lossless) {
            *lossless = true;
        }
        return bytes.toByteArray();
    }
    return Cp932::encode(QString::fromUtf8(withoutBom(bytes)), lossless);
}

QString TextFile::toText(QByteArrayView bytes, TextEncoding encoding)
{
    const qsizetype zero = bytes.indexOf('\0');
    if (zero >= 0) {
        bytes = bytes.first(zero);
    }
    QString text = resolve(bytes, encoding) == TextEncoding::ShiftJis
                       ? Cp932::decode(bytes)
                       : QString::fromUtf8(withoutBom(bytes));
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    return text;
}

QByteArray TextFile::fromText(QStringView text, bool *shiftJis)
{
    QString lines = text.toString();
    lines.replace(u'\n', QStringLiteral("\r\n"));
    bool lossless = false;
    const QByteArray bytes = Cp932::encode(lines, &lossless);
    *shiftJis = lossless;
    return lossless ? bytes : Utf8Bom.toByteArray() + lines.toUtf8();
}

void TextFile::write(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        throw HekiraError(
            QStringLiteral("ファイル \"%1\" を作成できません。%2").arg(path, file.errorString()));
    }
}
