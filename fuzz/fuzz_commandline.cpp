// The command line: any argument vector is taken, or refused with a message.
#include "commandline.h"
#include "fuzzinput.h"
#include "hekiraerror.h"
#include "settingsstore.h"
#include "usageerror.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const SettingsStore stored(QStringLiteral("/nonexistent/hekira/settings.ini"));
    QStringList arguments{QStringLiteral("hekira")};
    for (const QByteArray &argument :
         QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)).split('\0')) {
        arguments << QString::fromLocal8Bit(argument);
    }
    try {
        const ExportRequest request = CommandLine::parse(arguments, stored);
        FUZZ_CHECK(request.page >= 1);
        FUZZ_CHECK(request.settings.MakingPattern >= 0 && request.settings.MakingPattern < 7);
        FUZZ_CHECK(request.settings.FrameNum >= 0 && request.settings.FrameNum < 10);
    } catch (const UsageError &error) {
        FUZZ_CHECK(!error.message().isEmpty()); // exit 2
    } catch (const HekiraError &error) {
        FUZZ_CHECK(!error.message().isEmpty()); // exit 1
    }
    return 0;
}
