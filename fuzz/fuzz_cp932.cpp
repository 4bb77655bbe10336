// CP932 conversion: decoding never fails, and what it decodes encodes back to
// bytes that decode the same.
#include "cp932.h"
#include "fuzzinput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString text = Cp932::decode(bytes);
    for (qsizetype i = 0; i < bytes.size(); i += Cp932::characterLength(bytes, i)) {
        const qsizetype length = Cp932::characterLength(bytes, i);
        FUZZ_CHECK(length == 1 || length == 2);
        Cp932::decodeCharacter(bytes.sliced(i, length));
    }
    bool lossless = false;
    const QByteArray encoded = Cp932::encode(text, &lossless);
    if (!text.contains(QChar::ReplacementCharacter)) {
        FUZZ_CHECK(Cp932::decode(encoded) == text);
    }
    // Any text, as UTF-8 from outside: one character never takes more than two bytes.
    const QString outside = QString::fromUtf8(bytes);
    FUZZ_CHECK(Cp932::encode(outside).size() <= 2 * outside.size());
    return 0;
}
