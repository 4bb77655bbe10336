#pragma once

#include "color.h"
#include "settingsstore.h"
#include "sheetsettings.h"

#include <QString>
#include <array>

/// The options that survive a restart, as the settings file keeps them in its
/// section "Wamo": the font face, the two colours, the instruction sentence and
/// the item indexes of eight option groups; and in its section "Hekira" the
/// options the program added, so that the first section stays as it always was.
struct StoredSettings {
    /// The option groups in the order they are read and written.
    enum Option {
        MakingPattern,
        FrameNum,
        DocDirection,
        FuriganaFrame,
        CrossLine,
        RndLine,
        DatePrint,
        NamePrint,
        OptionCount
    };

    QString useFont = SheetSettings::DefaultUseFont.toString();
    bool useFontStored = false; ///< the file held a face
    QString questionMes = SheetSettings::DefaultQuestionMes.toString();
    Color copybookColor = 0x000000;
    Color traceColor = 0xC0C0C0;
    std::array<int, OptionCount> options{0, 0, 0, 0, 1, 0, 0, 1};

    /// The options of section "Hekira", in the order they are read and written.
    enum HekiraOption {
        GuideStyle,
        TraceStyle,
        TraceFade,
        StrokeOrder,
        Readings,
        ReadingTest,
        Answers,
        HekiraOptionCount
    };
    std::array<int, HekiraOptionCount> hekiraOptions{};

    /// The sheet options these settings give, the rest as at start-up.
    SheetSettings sheetSettings() const;

    /// Reads every value of both sections, then settles each: a missing value takes
    /// its default, an index past the last item selects the last one, and an index
    /// below -1 counts as missing. A value that is not text throws HekiraError;
    /// nothing is settled then.
    static StoredSettings restore(const SettingsStore &store);
    /// Writes the sentence and the eight item indexes, as the window does at close.
    static void storeAtClose(const SettingsStore &store, const QString &questionMes,
                             const std::array<int, OptionCount> &options);
    /// Writes the options of section "Hekira", as the window does at close.
    static void storeHekiraOptions(const SettingsStore &store,
                                   const std::array<int, HekiraOptionCount> &options);
    static void storeUseFont(const SettingsStore &store, const QString &face);
    static void storeCopybookColor(const SettingsStore &store, Color color);
    static void storeTraceColor(const SettingsStore &store, Color color);
};
