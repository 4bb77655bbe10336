#include "textfile.h"

#include "cp932.h"
#include "hekiraerror.h"

#include <QFile>
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

QByteArray TextFile::toCp932(QByteArrayView bytes, TextEncoding encoding)
{
    const bool bom = bytes.startsWith(Utf8Bom);
    if (encoding == TextEncoding::Auto) {
        encoding = bom || (hasNonAscii(bytes) && isValidUtf8(bytes)) ? TextEncoding::Utf8
                                                                     : TextEncoding::ShiftJis;
    }
    if (encoding == TextEncoding::ShiftJis) {
        return bytes.toByteArray();
    }
    if (bom) {
        bytes = bytes.sliced(Utf8Bom.size());
    }
    return Cp932::encode(QString::fromUtf8(bytes));
}
