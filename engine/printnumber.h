#pragma once

#include <QByteArray>
#include <QString>

/// The running print number of the page header.
namespace PrintNumber {
/// Reads the print-number box: a decimal 32-bit integer with at most one sign,
/// leading blanks allowed. Throws HekiraError "'%s' は整数ではありません" otherwise.
qint32 parse(const QString &text);
/// The number as the header draws it, in full-width digits in parentheses: （１２）.
QByteArray headerText(qint32 number);
} // namespace PrintNumber
