#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

enum class TextEncoding { Auto, ShiftJis, Utf8 };

/// Text files of worksheet lines. The program works in CP932; files may also
/// come as UTF-8 from today's editors.
class TextFile {
public:
    /// Reads a whole file, or standard input for "-". Throws HekiraError
    /// "ファイル "%s" は開けません。%s" when it cannot be read.
    static QByteArray read(const QString &path);
    /// The bytes as CP932 text. Auto takes UTF-8 when the bytes start with its
    /// byte-order mark or are valid UTF-8 holding non-ASCII, else Shift_JIS.
    static QByteArray toCp932(QByteArrayView bytes, TextEncoding encoding);
};
