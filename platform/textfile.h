#pragma once

#include "textdocument.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

/// Text files of worksheet lines. The program works in CP932; files may also
/// come as UTF-8 from today's editors.
class TextFile {
public:
    /// Reads a whole file, or standard input for "-". Throws HekiraError
    /// "ファイル "%s" は開けません。%s" when it cannot be read.
    static QByteArray read(const QString &path);
    /// The bytes as CP932 text. Auto takes the encoding TextDocument::detect finds.
    /// *lossless, when given, tells whether CP932 held every character.
    static QByteArray toCp932(QByteArrayView bytes, TextEncoding encoding,
                              bool *lossless = nullptr);
    /// The bytes as text for the editor, nothing lost: chosen as toCp932 chooses,
    /// ending at the first zero byte, every CR LF, LF or CR made one "\n".
    static QString toText(QByteArrayView bytes, TextEncoding encoding);
    /// The editor's text as a file holds it: CR LF line breaks, in Shift_JIS, or in
    /// UTF-8 with a byte-order mark when Shift_JIS cannot hold every character
    /// (then *shiftJis is false).
    static QByteArray fromText(QStringView text, bool *shiftJis);
    /// Writes a whole file, replacing it only once every byte is written. Throws
    /// HekiraError "ファイル "%s" を作成できません。%s".
    static void write(const QString &path, const QByteArray &bytes);
};
