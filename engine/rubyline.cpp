#include "rubyline.h"

#include "cp932.h"
#include "rubymarks.h"

#include <QList>

namespace {

// The line as text, one character for each CP932 character (U+FFFD for bytes
// that form none), with the byte offset each starts at and, last, the length.
struct DecodedLine {
    QString text;
    QList<qsizetype> offsets;

    explicit DecodedLine(const QByteArray &line)
    {
        for (qsizetype i = 0; i < line.size();) {
            const qsizetype length = Cp932::characterLength(line, i);
            const std::optional<QString> character =
                Cp932::decodeCharacter(QByteArrayView(line).sliced(i, length));
            const QString one = character && character->size() == 1
                                    ? *character
                                    : QString(QChar::ReplacementCharacter);
            text += one;
            offsets.append(i);
            i += length;
        }
        offsets.append(line.size());
    }
    // The byte offsets of where a part of the text starts and ends.
    qsizetype start(QStringView part) const { return offsets[part.data() - text.data()]; }
    qsizetype end(QStringView part) const
    {
        return offsets[part.data() - text.data() + part.size()];
    }
};

} // namespace

RubyLine RubyLine::parse(const QByteArray &line)
{
    const DecodedLine decoded(line);
    RubyLine ruby;
    qsizetype done = 0; // bytes of the line taken
    const auto take = [&](qsizetype from, qsizetype to) {
        ruby.text += line.sliced(from, to - from);
    };
    for (const RubyMarks::Mark &mark : RubyMarks::find(decoded.text)) {
        take(done, decoded.offsets[mark.start]);
        // A base after an odd number of single bytes starts inside a unit; the
        // unit goes to the reading before, if any.
        const qint32 first =
            qMax(qint32(ruby.text.size() / 2),
                 ruby.spans.isEmpty() ? 0 : ruby.spans.last().firstUnit + ruby.spans.last().units);
        take(decoded.start(mark.base), decoded.end(mark.base));
        const qint32 end = qint32((ruby.text.size() + 1) / 2);
        // An empty reading is the teacher's "no reading here".
        if (end > first && !mark.reading.isEmpty()) {
            const qsizetype readingStart = decoded.start(mark.reading);
            ruby.spans.append(
                {first, end - first,
                 line.sliced(readingStart, decoded.end(mark.reading) - readingStart)});
        }
        done = decoded.offsets[mark.end];
    }
    take(done, line.size());
    return ruby;
}
