#include "kana.h"

namespace {

constexpr char16_t FirstKatakana = u'ァ';
constexpr char16_t LastKatakana = u'ヶ';
constexpr char16_t KatakanaOffset = u'ァ' - u'ぁ';

} // namespace

QString Kana::hiragana(QString text)
{
    for (QChar &c : text) {
        c = hiragana(c);
    }
    return text;
}

QChar Kana::hiragana(QChar c)
{
    const bool katakana = c.unicode() >= FirstKatakana && c.unicode() <= LastKatakana;
    return katakana ? QChar(char16_t(c.unicode() - KatakanaOffset)) : c;
}
