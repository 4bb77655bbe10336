#pragma once

#include "color.h"
#include "cp932.h"

#include <QByteArray>
#include <QString>
#include <QStringView>

/// The sheet options as the window's controls hold them when a page is drawn.
/// Option fields are radio item indexes (-1: no item selected); an on/off
/// option is on only when it is exactly 1.
struct SheetSettings {
    /// The instruction sentence a sheet starts with, until the user writes another.
    static constexpr QStringView DefaultQuestionMes = u"◆よく見て、れんしゅうしましょう。";
    /// The face a sheet starts with: vertical, as the writing is.
    static constexpr QStringView DefaultUseFont = u"@ＭＳ 明朝";

    int MakingPattern = 0; ///< 0..6: 練習１..練習４, 視写１..視写３
    int FrameNum = 0;      ///< index into CellCounts: the cells a line holds
    int FuriganaFrame = 0; ///< 1: a furigana box beside every cell
    int DocDirection = 0;  ///< 0: vertical writing, 1: horizontal
    int CrossLine = 1;     ///< 1: dotted guides in every cell
    int GuideStyle = 0;    ///< the guides CrossLine draws: 0 cross, 1 cross and diagonals, 2 thirds
    int RndLine = 0;       ///< 1: first page's lines in random order
    int DatePrint = 0;     ///< 1: date field in the header
    int NamePrint = 1;     ///< 1: name field in the header
    int PrnNumPrint = 0;   ///< 1: print number in the header
    qint32 PrintNumber = 1;                   ///< the running print number, read from PrnNumText
    QString PrnNumText = QStringLiteral("1"); ///< text of the print-number box
    QByteArray QuestionMes = Cp932::encode(DefaultQuestionMes);
    QByteArray UseFont = Cp932::encode(DefaultUseFont); ///< "@" selects the vertical face
    Color CopybookColor = 0x000000;
    Color TraceColor = 0xC0C0C0;
    int TraceFade = 0;   ///< 1: each trace cell of a row lighter than the one before
    int TraceStyle = 0;  ///< 0: trace characters filled, 1: their outlines only
    int StrokeOrder = 0; ///< 1: model characters with numbered strokes
    int Readings = 0;    ///< 1: kanji readings in the furigana boxes (the boxes drawn)
    int ReadingTest = 0; ///< 1: kanji cells left empty, their readings kept
    int Answers = 0;     ///< 1: a reading test followed by its pages with the kanji drawn
};
