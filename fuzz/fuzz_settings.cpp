// The settings file: any bytes give sane settings or the defaults, or the one
// error for a value that is not text.
#include "fuzzinput.h"
#include "hekiraerror.h"
#include "settingsstore.h"
#include "storedsettings.h"

#include <QTemporaryDir>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("settings.ini"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        std::abort();
    }
    file.write(reinterpret_cast<const char *>(data), qint64(size));
    file.close();
    StoredSettings stored;
    try {
        stored = StoredSettings::restore(SettingsStore(path));
    } catch (const HekiraError &error) {
        FUZZ_CHECK(error.message().endsWith(QStringLiteral("のデータ型が不正です")));
        return 0;
    }
    const SheetSettings sheet = stored.sheetSettings();
    // An index is an item of its group or none (-1).
    struct Range {
        int value;
        int items;
    };
    for (const Range range :
         {Range{sheet.MakingPattern, 7}, Range{sheet.FrameNum, 10}, Range{sheet.DocDirection, 2},
          Range{sheet.FuriganaFrame, 2}, Range{sheet.CrossLine, 2}, Range{sheet.RndLine, 2},
          Range{sheet.DatePrint, 2}, Range{sheet.NamePrint, 2}}) {
        FUZZ_CHECK(range.value >= -1 && range.value < range.items);
    }
    return 0;
}
