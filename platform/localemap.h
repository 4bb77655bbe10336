#pragma once

#include <QByteArray>
#include <QByteArrayView>

/// The character mappings the program needs of a Japanese locale, on CP932 text.
namespace LocaleMap {
/// Each one-byte ASCII character becomes its full-width form (1 -> １, - -> －,
/// space -> ideographic space); every other character is kept.
QByteArray fullWidth(QByteArrayView text);
} // namespace LocaleMap
