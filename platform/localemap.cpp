#include "localemap.h"

#include "cp932.h"

#include <QString>

namespace {

constexpr char16_t FullWidthOffset = 0xFF01 - 0x21;
constexpr char16_t IdeographicSpace = 0x3000;

} // namespace

QByteArray LocaleMap::fullWidth(QByteArrayView text)
{
    QString wide;
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype length = Cp932::characterLength(text, i);
        const char byte = text[i];
        if (length == 1 && byte == ' ') {
            wide += QChar(IdeographicSpace);
        } else if (length == 1 && byte > ' ' && byte < '\x7F') {
            wide += QChar(static_cast<char16_t>(byte + FullWidthOffset));
        } else {
            wide += Cp932::decode(text.sliced(i, length));
        }
        i += length;
    }
    return Cp932::encode(wide);
}
