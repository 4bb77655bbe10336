#pragma once

#include <QByteArray>
#include <QByteArrayView>

/// The character mappings the program needs of a Japanese locale, on CP932 text.
class LocaleMap {
public:
    /// Each one-byte ASCII character becomes its full-width form (1 -> １, - -> －,
    /// space -> ideographic space); every other character is kept.
    static QByteArray fullWidth(QByteArrayView text);
};
