#pragma once

#include <QString>

/// Kana on Unicode text, for the readings of KANJIDIC2 and MeCab.
namespace Kana {
/// Katakana ァ..ヶ as their hiragana ぁ..ゖ (0x60 below); every other character, ー
/// and half-width katakana included, is kept.
QString hiragana(QString text);
QChar hiragana(QChar c);
} // namespace Kana
