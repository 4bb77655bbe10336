// Text files: any bytes, read in any encoding and written back unchanged, are the
// same bytes, through the editor's lines and the operations' lines too.
#include "fuzzinput.h"
#include "textdocument.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzInput input(data, size);
    constexpr TextEncoding Encodings[] = {TextEncoding::Auto, TextEncoding::ShiftJis,
                                          TextEncoding::Utf8};
    const TextEncoding encoding = Encodings[input.in(0, 2)];
    const QByteArrayView bytes = input.rest();
    TextDocument document = TextDocument::fromBytes(bytes, encoding);
    FUZZ_CHECK(document.toBytes() == bytes);
    FUZZ_CHECK(document.pageLines().count() == document.lines().count());
    document.setTextLines(document.textLines());
    FUZZ_CHECK(document.toBytes() == bytes);
    document.setLines(LineList(document.lines()));
    FUZZ_CHECK(document.toBytes() == bytes);
    // Another encoding and back again loses nothing the first one held.
    if (document.fitsEncoding()) {
        const TextEncoding read = document.encoding();
        const bool bom = document.hasBom();
        const QList<TextDocument::TextLine> lines = document.textLines();
        document.setEncoding(
            read == TextEncoding::Utf8 ? TextEncoding::ShiftJis : TextEncoding::Utf8, false);
        document.setEncoding(read, bom);
        FUZZ_CHECK(document.textLines() == lines);
    }
    return 0;
}
