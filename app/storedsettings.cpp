#include "storedsettings.h"

#include "cp932.h"

namespace {

const QString Section = QStringLiteral("Wamo");
const QString HekiraSection = QStringLiteral("Hekira");
// A text read with this default was not stored.
const QString MissingText = QStringLiteral("Error");

struct OptionValue {
    const char16_t *name;
    int items;
};

constexpr std::array<OptionValue, StoredSettings::OptionCount> OptionValues{{
    {u"MakingPattern", 7},
    {u"FrameNum", 10},
    {u"DocDirection", 2},
    {u"FuriganaFrame", 2},
    {u"CrossLine", 2},
    {u"RndLine", 2},
    {u"DatePrint", 2},
    {u"NamePrint", 2},
}};

constexpr std::array<OptionValue, StoredSettings::HekiraOptionCount> HekiraOptionValues{{
    {u"GuideStyle", 3},
    {u"TraceStyle", 2},
    {u"TraceFade", 2},
    {u"StrokeOrder", 2},
    {u"Readings", 2},
    {u"ReadingTest", 2},
    {u"Answers", 2},
}};

QString name(StoredSettings::Option option)
{
    return QString::fromUtf16(OptionValues[option].name);
}

QString name(StoredSettings::HekiraOption option)
{
    return QString::fromUtf16(HekiraOptionValues[option].name);
}

// Takes the indexes read: one past the last item as the last, one below 0 as
// missing (below -1 would leave a group with no item, and a page with no layout).
template <size_t N>
void settle(std::array<int, N> &options, const std::array<int, N> &read,
            const std::array<OptionValue, N> &values)
{
    for (size_t option = 0; option < N; ++option) {
        if (read[option] >= 0) {
            options[option] = qMin(read[option], values[option].items - 1);
        }
    }
}

} // namespace

SheetSettings StoredSettings::sheetSettings() const
{
    SheetSettings settings;
    settings.MakingPattern = options[MakingPattern];
    settings.FrameNum = options[FrameNum];
    settings.DocDirection = options[DocDirection];
    settings.FuriganaFrame = options[FuriganaFrame];
    settings.CrossLine = options[CrossLine];
    settings.RndLine = options[RndLine];
    settings.DatePrint = options[DatePrint];
    settings.NamePrint = options[NamePrint];
    settings.GuideStyle = hekiraOptions[GuideStyle];
    settings.TraceStyle = hekiraOptions[TraceStyle];
    settings.TraceFade = hekiraOptions[TraceFade];
    settings.StrokeOrder = hekiraOptions[StrokeOrder];
    settings.Readings = hekiraOptions[Readings];
    settings.ReadingTest = hekiraOptions[ReadingTest];
    settings.Answers = hekiraOptions[Answers];
    settings.QuestionMes = Cp932::encode(questionMes);
    settings.UseFont = Cp932::encode(useFont);
    settings.CopybookColor = copybookColor;
    settings.TraceColor = traceColor;
    return settings;
}

StoredSettings StoredSettings::restore(const SettingsStore &store)
{
    const QString font = store.readText(Section, QStringLiteral("WamoUseFont"), MissingText);
    const int copybook =
        store.readInteger(Section, QStringLiteral("CopybookColor"), SettingsStore::MissingValue);
    const int trace =
        store.readInteger(Section, QStringLiteral("TraceColor"), SettingsStore::MissingValue);
    const QString sentence = store.readText(Section, QStringLiteral("QuestionMes"), MissingText);
    std::array<int, OptionCount> read{};
    for (int option = 0; option < OptionCount; ++option) {
        read[option] =
            store.readInteger(Section, name(Option(option)), SettingsStore::MissingValue);
    }
    std::array<int, HekiraOptionCount> readHekira{};
    for (int option = 0; option < HekiraOptionCount; ++option) {
        readHekira[option] = store.readInteger(HekiraSection, name(HekiraOption(option)),
                                               SettingsStore::MissingValue);
    }

    StoredSettings settings;
    if (font != MissingText) {
        settings.useFont = font;
        settings.useFontStored = true;
    }
    if (sentence != MissingText) {
        settings.questionMes = sentence;
    }
    settle(settings.options, read, OptionValues);
    settle(settings.hekiraOptions, readHekira, HekiraOptionValues);
    // A missing model colour resets both: they were always stored as a pair.
    if (copybook != SettingsStore::MissingValue) {
        settings.copybookColor = static_cast<Color>(copybook);
        if (trace != SettingsStore::MissingValue) {
            settings.traceColor = static_cast<Color>(trace);
        }
    }
    return settings;
}

void StoredSettings::storeAtClose(const SettingsStore &store, const QString &questionMes,
                                  const std::array<int, OptionCount> &options)
{
    store.writeText(Section, QStringLiteral("QuestionMes"), questionMes);
    for (int option = 0; option < OptionCount; ++option) {
        store.writeInteger(Section, name(Option(option)), options[option]);
    }
}

void StoredSettings::storeHekiraOptions(const SettingsStore &store,
                                        const std::array<int, HekiraOptionCount> &options)
{
    for (int option = 0; option < HekiraOptionCount; ++option) {
        store.writeInteger(HekiraSection, name(HekiraOption(option)), options[option]);
    }
}

void StoredSettings::storeUseFont(const SettingsStore &store, const QString &face)
{
    store.writeText(Section, QStringLiteral("WamoUseFont"), face);
}

void StoredSettings::storeCopybookColor(const SettingsStore &store, Color color)
{
    store.writeInteger(Section, QStringLiteral("CopybookColor"), static_cast<int>(color));
}

void StoredSettings::storeTraceColor(const SettingsStore &store, Color color)
{
    store.writeInteger(Section, QStringLiteral("TraceColor"), static_cast<int>(color));
}
