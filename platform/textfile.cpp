#include "textfile.h"

#include "hekiraerror.h"

#include <QFile>
#include <cstdio>

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
