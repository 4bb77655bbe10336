// The line operations: any lines and any sequence of them lose no line except as
// an operation says.
#include "cp932.h"
#include "fuzzinput.h"
#include "lineoperations.h"
#include "rubymarks.h"

namespace {

QByteArray joined(const LineList &lines, bool blanksToo)
{
    QByteArray all;
    for (qsizetype i = 0; i < lines.count(); ++i) {
        const QByteArray line = lines.wholeLine(i);
        if (blanksToo || line != QByteArrayView(&LineOperations::BlankLineByte, 1)) {
            all += line;
        }
    }
    return all;
}

// The reading marks of the lines no longer than `bytes`.
qsizetype marksFitting(const LineList &lines, qsizetype bytes)
{
    qsizetype count = 0;
    for (qsizetype i = 0; i < lines.count(); ++i) {
        const QByteArray line = lines.wholeLine(i);
        // Where each character starts: decoding gives each one UTF-16 unit.
        QList<qsizetype> offsets;
        for (qsizetype at = 0; at < line.size(); at += Cp932::characterLength(line, at)) {
            offsets << at;
        }
        offsets << line.size();
        const QString text = Cp932::decode(line);
        for (const RubyMarks::Mark &mark : RubyMarks::find(text)) {
            count += offsets[mark.end] - offsets[mark.start] <= bytes ? 1 : 0;
        }
    }
    return count;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzInput input(data, size);
    const int steps = input.in(1, 4);
    std::array<LineOperations::Edit, 4> edits;
    for (int step = 0; step < steps; ++step) {
        edits[step].operation = LineOperations::Operation(input.in(0, 4));
        edits[step].amount = input.in(0, 21);
    }
    LineList lines = LineList::fromText(input.rest());
    for (int step = 0; step < steps; ++step) {
        const LineOperations::Edit edit = edits[step];
        if (lines.count() > 20000) {
            break; // repeating grows the text; enough is seen by then
        }
        const LineList after = LineOperations::apply(lines, edit);
        switch (edit.operation) {
        case LineOperations::Operation::Repeat:
        case LineOperations::Operation::InsertBlankLines:
            FUZZ_CHECK(after.count() == lines.count() * (edit.amount + 1));
            break;
        case LineOperations::Operation::ToKatakana:
        case LineOperations::Operation::ToHiragana:
            FUZZ_CHECK(after.count() == lines.count());
            for (qsizetype i = 0; i < lines.count(); ++i) {
                FUZZ_CHECK(after.wholeLine(i).size() == lines.wholeLine(i).size());
            }
            break;
        case LineOperations::Operation::Rewrap:
            if (edit.amount > 0) {
                FUZZ_CHECK(joined(after, true) == joined(lines, true));
                for (qsizetype i = 0; i < after.count(); ++i) {
                    FUZZ_CHECK(!after.wholeLine(i).isEmpty());
                    FUZZ_CHECK(after.wholeLine(i).size() <= 2 * edit.amount);
                }
                // A mark that fits on a line is never cut.
                FUZZ_CHECK(marksFitting(after, 2 * edit.amount) >=
                           marksFitting(lines, 2 * edit.amount));
            } else {
                FUZZ_CHECK(joined(after, false) == joined(lines, false));
            }
            break;
        }
        lines = after;
    }
    return 0;
}
