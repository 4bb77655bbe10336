#include "textfile.h"

#include "cp932.h"
#include "hekiraerror.h"

#include <QFile>
#include <QSaveFile>
#include <cstdio>

namespace {

constexpr QByteArrayView Utf8Bom("\xEF\xBB\xBF");

TextEncoding resolve(QByteArrayView bytes, TextEncoding encoding)
{
    return encoding == TextEncoding::Auto ? TextDocument::detect(bytes) : encoding;
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
