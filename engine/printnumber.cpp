#include "printnumber.h"

#include "cp932.h"
#include "hekiraerror.h"
#include "localemap.h"

#include <charconv>
#include <string>

qint32 PrintNumber::parse(const QString &text)
{
    const std::string digits = text.toStdString();
    auto first = digits.find_first_not_of(" \t");
    // from_chars reads a minus but not a plus; the plus it is spared must not
    // leave it a minus to read ("+-5").
    if (first != std::string::npos && digits[first] == '+' &&
        digits.compare(first + 1, 1, "-") != 0) {
        ++first;
    }
    qint32 number = 0;
    const char *begin =
        first == std::string::npos ? digits.data() + digits.size() : digits.data() + first;
    const char *end = digits.data() + digits.size();
    const auto [stop, error] = std::from_chars(begin, end, number);
    if (begin == end || error != std::errc() || stop != end) {
        throw HekiraError(QStringLiteral("'%1' は整数ではありません").arg(text));
    }
    return number;
}

QByteArray PrintNumber::headerText(qint32 number)
{
    return Cp932::encode(u"（") + LocaleMap::fullWidth(QByteArray::number(number)) +
           Cp932::encode(u"）");
}
