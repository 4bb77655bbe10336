#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>
#include <optional>

/// Conversion between Unicode and Shift_JIS as Windows code page 932 has it
/// (～ is 81 60 <-> U+FF5E, － is 81 7C <-> U+FF0D).
namespace Cp932 {
/// Encodes text. The JIS code points that Windows never produces (〜 − ‖ ¢ £ ¬)
/// are taken as their Microsoft twins first; a character CP932 cannot hold
/// becomes "？" so that one character still fills one cell.
/// *lossless, when given, tells whether every character found its own bytes.
QByteArray encode(QStringView text, bool *lossless = nullptr);
/// Decodes bytes; never fails: a byte that forms no character becomes U+FFFD.
QString decode(QByteArrayView bytes);
/// Whether CP932 has bytes that decode to exactly this character, not only
/// to a twin of it (〜 is written as ～ but does not come back).
bool roundTrips(char32_t codePoint);
/// Byte length of the character starting at bytes[index]: 2 for a lead byte
/// followed by a byte that can trail it, otherwise 1.
qsizetype characterLength(QByteArrayView bytes, qsizetype index);
/// Decodes one character of one or two bytes (as characterLength delimits it);
/// nothing when the bytes form none.
std::optional<QString> decodeCharacter(QByteArrayView character);
} // namespace Cp932
