#pragma once

#include <QByteArray>
#include <QString>

/// Text files of worksheet lines, read whole; TextDocument makes lines of them.
namespace TextFile {

/// Reads a whole file, or standard input for "-". Throws HekiraError
/// "ファイル "%s" は開けません。%s" when it cannot be read.
QByteArray read(const QString &path);

} // namespace TextFile
