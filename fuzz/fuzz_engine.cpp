// The page engine: random options (out of range ones too), lines, page sizes and
// pages, drawn onto the recording surface.
#include "fuzzinput.h"
#include "hekiraerror.h"
#include "randomgenerator.h"
#include "recordingsurface.h"
#include "worksheet.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzInput input(data, size);
    SheetSettings settings;
    settings.MakingPattern = input.in(-2, 8);
    settings.FrameNum = input.in(-2, 11);
    settings.FuriganaFrame = input.in(-1, 2);
    settings.DocDirection = input.in(-1, 2);
    settings.CrossLine = input.in(-1, 2);
    settings.RndLine = input.in(-1, 2);
    settings.DatePrint = input.in(-1, 2);
    settings.NamePrint = input.in(-1, 2);
    settings.PrnNumPrint = input.in(-1, 2);
    settings.PrnNumText = QString::fromLatin1(input.take(input.in(0, 12)));
    settings.QuestionMes = input.take(input.in(0, 40)).toByteArray();
    settings.UseFont = input.in(0, 1) ? QByteArray("@") : QByteArray();
    settings.CopybookColor = Color(input.in(0, 0xFFFF) << 8);
    settings.TraceColor = Color(input.in(0, 0xFFFF));
    settings.Readings = input.in(-1, 2);
    settings.ReadingTest = input.in(-1, 2);
    settings.Answers = input.in(-1, 2);
    const QSize page(input.in(1, 4000), input.in(1, 4000));
    const int linesPerPage = input.in(-1, 30);
    const int pageIndex = input.in(0, 8);
    RandomGenerator random(quint32(input.in(0, 0xFFFF)));
    Worksheet sheet(settings, LineList::fromText(input.rest()), linesPerPage, random);
    FUZZ_CHECK(sheet.pageCount() >= 1);
    RecordingSurface surface;
    try {
        sheet.drawPage(surface, page, qMin(pageIndex, sheet.pageCount()));
    } catch (const HekiraError &error) {
        FUZZ_CHECK(error.message().endsWith(QStringLiteral("は整数ではありません")));
    }
    for (const QByteArray &call : surface.takeLines()) {
        FUZZ_CHECK(!call.contains('\n'));
    }
    return 0;
}
