// Reading marks: any line comes back as the same text, only with marks; the
// teacher's marks kept, every other one a kanji run with a reading in hiragana.
#include "fuzzinput.h"
#include "rubyannotator.h"
#include "rubymarks.h"

#include <algorithm>

namespace {

bool kanjiOnly(QStringView text)
{
    const QList<uint> codePoints = text.toUcs4();
    return !codePoints.isEmpty() && std::all_of(codePoints.begin(), codePoints.end(),
                                                [](uint c) { return RubyMarks::isKanji(c); });
}

bool hiraganaOnly(QStringView text)
{
    return !text.isEmpty() && std::all_of(text.begin(), text.end(), [](QChar c) {
        return (c >= u'ぁ' && c <= u'ゖ') || c == u'ー';
    });
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzInput input(data, size);
    const QString line = QString::fromUtf8(input.rest());
    const QString annotated = RubyAnnotator::annotate(line);
    FUZZ_CHECK(RubyMarks::withoutMarks(annotated) == RubyMarks::withoutMarks(line));
    const QList<RubyMarks::Mark> typed = RubyMarks::find(line);
    for (const RubyMarks::Mark &mark : RubyMarks::find(annotated)) {
        const bool teachers = std::any_of(typed.begin(), typed.end(), [&mark](const auto &t) {
            return t.base == mark.base && t.reading == mark.reading;
        });
        FUZZ_CHECK(teachers || (kanjiOnly(mark.base) && hiraganaOnly(mark.reading)));
    }
    return 0;
}
