#include "cp932.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <array>
#include <utility>

namespace {

constexpr auto CodecName = "windows-31j";

// Code points that JIS-minded tools produce where Windows has its own.
constexpr std::array<std::pair<char16_t, char16_t>, 6> JisToMicrosoft{{
    {u'\u301C', u'\uFF5E'}, // WAVE DASH -> FULLWIDTH TILDE
    {u'\u2212', u'\uFF0D'}, // MINUS SIGN -> FULLWIDTH HYPHEN-MINUS
    {u'\u2016', u'\u2225'}, // DOUBLE VERTICAL LINE -> PARALLEL TO
    {u'\u00A2', u'\uFFE0'}, // CENT SIGN -> FULLWIDTH CENT SIGN
    {u'\u00A3', u'\uFFE1'}, // POUND SIGN -> FULLWIDTH POUND SIGN
    {u'\u00AC', u'\uFFE2'}, // NOT SIGN -> FULLWIDTH NOT SIGN
}};

const QByteArray Unencodable = QByteArrayLiteral("\x81\x48"); // ？

// ICU reports an undecodable byte as SUBSTITUTE. Its table also swaps the
// controls 1A, 1C and 7F, which CP932 keeps as in ASCII: those go by hand.
constexpr char16_t IcuSubstitute = u'\u001A';
constexpr std::array<char, 3> SwappedControls{'\x1A', '\x1C', '\x7F'};

bool hasSwappedControl(QByteArrayView bytes)
{
    for (char control : SwappedControls) {
        if (bytes.contains(control)) {
            return true;
        }
    }
    return false;
}

bool hasSwappedControl(QStringView text)
{
    for (char control : SwappedControls) {
        if (text.contains(QChar::fromLatin1(control))) {
            return true;
        }
    }
    return false;
}

bool isLeadByte(unsigned char byte)
{
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

bool isTrailByte(unsigned char byte)
{
    return byte >= 0x40 && byte <= 0xFC && byte != 0x7F;
}

QString toMicrosoftCodePoints(QStringView text)
{
    QString mapped = text.toString();
    for (QChar &c : mapped) {
        for (const auto &[jis, microsoft] : JisToMicrosoft) {
            if (c.unicode() == jis) {
                c = QChar(microsoft);
            }
        }
    }
    return mapped;
}

QByteArray encodeStrict(QStringView text, bool *ok)
{
    QStringEncoder encoder(CodecName, QStringConverter::Flag::Stateless);
    QByteArray bytes = encoder.encode(text);
    *ok = !encoder.hasError();
    return bytes;
}

} // namespace

QByteArray Cp932::encode(QStringView text, bool *lossless)
{
    const QString mapped = toMicrosoftCodePoints(text);
    bool ok = false;
    QByteArray bytes = encodeStrict(mapped, &ok);
    if (lossless) {
        *lossless = ok;
    }
    if (ok && !hasSwappedControl(mapped)) {
        return bytes;
    }
    // Slow path: one code point at a time, ASCII as itself.
    bytes.clear();
    for (qsizetype i = 0; i < mapped.size();) {
        const char16_t unit = mapped.at(i).unicode();
        if (unit < 0x80) {
            bytes += static_cast<char>(unit);
            ++i;
            continue;
        }
        const qsizetype length = mapped.at(i).isHighSurrogate() && i + 1 < mapped.size() ? 2 : 1;
        const QByteArray one = encodeStrict(QStringView(mapped).mid(i, length), &ok);
        bytes += ok ? one : Unencodable;
        i += length;
    }
    return bytes;
}

QString Cp932::decode(QByteArrayView bytes)
{
    QStringDecoder decoder(CodecName, QStringConverter::Flag::Stateless);
    QString text = decoder.decode(bytes);
    if (!decoder.hasError() && !text.contains(QChar(IcuSubstitute)) && !hasSwappedControl(bytes)) {
        return text;
    }
    // Slow path: mark each byte that forms no character.
    text.clear();
    text.reserve(bytes.size());
    for (qsizetype i = 0; i < bytes.size();) {
        const qsizetype length = characterLength(bytes, i);
        text +=
            decodeCharacter(bytes.sliced(i, length)).value_or(QString(QChar::ReplacementCharacter));
        i += length;
    }
    return text;
}

qsizetype Cp932::characterLength(QByteArrayView bytes, qsizetype index)
{
    const bool pair = index + 1 < bytes.size() &&
                      isLeadByte(static_cast<unsigned char>(bytes[index])) &&
                      isTrailByte(static_cast<unsigned char>(bytes[index + 1]));
    return pair ? 2 : 1;
}

std::optional<QString> Cp932::decodeCharacter(QByteArrayView character)
{
    if (character.size() == 1 && static_cast<unsigned char>(character[0]) < 0x80) {
        return QString(QChar::fromLatin1(character[0]));
    }
    QStringDecoder decoder(CodecName, QStringConverter::Flag::Stateless);
    const QString text = decoder.decode(character);
    if (decoder.hasError() || text.contains(QChar(IcuSubstitute)) || text.isEmpty()) {
        return std::nullopt;
    }
    return text;
}
