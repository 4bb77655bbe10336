#include "cp932.h"

#include <QList>
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

constexpr QByteArrayView Unencodable("\x81\x48"); // ？

// ICU reports an undecodable byte as SUBSTITUTE, an unassigned pair as U+FFFD.
constexpr char16_t IcuSubstitute = u'\u001A';

// A character that separates the codes of one converter call: no code holds it.
constexpr char Separator = '\n';

bool isLeadByte(unsigned char byte)
{
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

bool isTrailByte(unsigned char byte)
{
    return byte >= 0x40 && byte <= 0xFC && byte != 0x7F;
}

quint16 codeOf(QByteArrayView character)
{
    const auto first = static_cast<unsigned char>(character[0]);
    return character.size() == 1 ? first
                                 : quint16(first << 8 | static_cast<unsigned char>(character[1]));
}

// Every code of CP932 above ASCII and the character it stands for, asked of the
// converter once, so that converting text is one look-up per character whatever
// the text holds. ASCII goes by hand: ICU's table swaps the controls 1A, 1C and
// 7F, which CP932 keeps as they are.
struct Tables {
    Tables();

    std::array<char16_t, 0x10000> toUnicode{};  // by byte or lead << 8 | trail; 0: none
    std::array<quint16, 0x10000> fromUnicode{}; // by UTF-16 unit; 0: none
};

Tables::Tables()
{
    constexpr qsizetype CodeCount = 11348; // bytes and pairs that may form a character
    QList<quint16> codes;
    codes.reserve(CodeCount);
    QByteArray probe;
    probe.reserve(3 * CodeCount);
    const auto addCode = [&](quint16 code) {
        codes.append(code);
        if (code > 0xFF) {
            probe += static_cast<char>(code >> 8);
        }
        probe += static_cast<char>(code & 0xFF);
        probe += Separator;
    };
    for (int byte = 0x80; byte <= 0xFF; ++byte) {
        if (!isLeadByte(byte)) {
            addCode(quint16(byte));
        }
    }
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
        for (int trail = 0x40; isLeadByte(lead) && trail <= 0xFC; ++trail) {
            if (isTrailByte(trail)) {
                addCode(quint16(lead << 8 | trail));
            }
        }
    }
    QStringDecoder decoder(CodecName, QStringConverter::Flag::Stateless);
    const QString decoded = decoder.decode(probe);
    QString held;
    held.reserve(2 * CodeCount);
    QList<char16_t> heldOrder;
    heldOrder.reserve(CodeCount);
    qsizetype at = 0;
    for (const quint16 code : std::as_const(codes)) {
        const qsizetype end = decoded.indexOf(QChar::fromLatin1(Separator), at);
        if (end < 0) {
            break;
        }
        const QStringView character = QStringView(decoded).sliced(at, end - at);
        at = end + 1;
        if (character.size() != 1 || character[0] == QChar(IcuSubstitute) ||
            character[0] == QChar::ReplacementCharacter) {
            continue;
        }
        const char16_t unit = character[0].unicode();
        toUnicode[code] = unit;
        if (fromUnicode[unit] == 0) {
            fromUnicode[unit] = code; // marks it listed; the encoder has the last word
            held += character;
            held += QChar::fromLatin1(Separator);
            heldOrder.append(unit);
        }
    }
    // Where two codes decode to one character (ED 40 and FA 5C), the encoder
    // chooses the one Windows writes.
    QStringEncoder encoder(CodecName, QStringConverter::Flag::Stateless);
    const QByteArray encoded = encoder.encode(held);
    at = 0;
    for (const char16_t unit : std::as_const(heldOrder)) {
        const qsizetype end = encoded.indexOf(Separator, at);
        const QByteArrayView code =
            end < 0 ? QByteArrayView() : QByteArrayView(encoded).sliced(at, end - at);
        at = end + 1;
        const bool valid =
            (code.size() == 1 || code.size() == 2) && toUnicode[codeOf(code)] == unit;
        fromUnicode[unit] = valid ? codeOf(code) : 0;
    }
    for (const auto &[jis, microsoft] : JisToMicrosoft) {
        fromUnicode[jis] = fromUnicode[microsoft];
    }
}

const Tables &tables()
{
    static const Tables instance;
    return instance;
}

} // namespace

QByteArray Cp932::encode(QStringView text, bool *lossless)
{
    const Tables &t = tables();
    QByteArray bytes;
    bytes.reserve(2 * text.size());
    bool held = true;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i].unicode();
        if (unit < 0x80) {
            bytes += static_cast<char>(unit);
            continue;
        }
        const quint16 code = t.fromUnicode[unit];
        if (code == 0) {
            // One "？" per character, a surrogate pair included.
            held = false;
            bytes += Unencodable;
            if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
                ++i;
            }
            continue;
        }
        if (code > 0xFF) {
            bytes += static_cast<char>(code >> 8);
        }
        bytes += static_cast<char>(code & 0xFF);
    }
    if (lossless) {
        *lossless = held;
    }
    return bytes;
}

QString Cp932::decode(QByteArrayView bytes)
{
    const Tables &t = tables();
    QString text(bytes.size(), Qt::Uninitialized);
    QChar *out = text.data();
    for (qsizetype i = 0; i < bytes.size();) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        if (byte < 0x80) {
            *out++ = QChar(char16_t(byte));
            ++i;
            continue;
        }
        const qsizetype length = characterLength(bytes, i);
        const char16_t unit = t.toUnicode[codeOf(bytes.sliced(i, length))];
        *out++ = unit != 0 ? QChar(unit) : QChar(QChar::ReplacementCharacter);
        i += length;
    }
    text.truncate(out - text.constData());
    return text;
}

bool Cp932::roundTrips(char32_t codePoint)
{
    if (codePoint < 0x80) {
        return true;
    }
    if (codePoint > 0xFFFF) {
        return false;
    }
    const Tables &t = tables();
    const quint16 code = t.fromUnicode[codePoint];
    return code != 0 && t.toUnicode[code] == codePoint;
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
    if (character.isEmpty() || character.size() > 2 ||
        characterLength(character, 0) != character.size()) {
        return std::nullopt;
    }
    if (static_cast<unsigned char>(character[0]) < 0x80) {
        return QString(QChar::fromLatin1(character[0]));
    }
    const char16_t unit = tables().toUnicode[codeOf(character)];
    if (unit == 0) {
        return std::nullopt;
    }
    return QString(QChar(unit));
}
