#pragma once

#include "drawingsurface.h"

#include <QByteArrayList>

/// A surface that draws nothing and logs every drawing call as one line of text:
///
///     rect X1 Y1 X2 Y2 pen=#rrggbb/W/solid|dot brush=#rrggbb|none
///     line X1 Y1 X2 Y2 pen=#rrggbb/W/solid|dot
///     text X Y font="FACE"/H[ fallback="FACE"] color=#rrggbb[ outline=W][ ruby]
///         bg=#rrggbb|none "TEXT"
///
/// A text call is one line, wrapped here. A field in brackets is written only when set:
/// `fallback` for a fallback face, `outline=W` for text drawn as its outline W
/// pixels wide, `ruby` for text in ruby forms.
///
/// Texts are the CP932 bytes decoded to UTF-8 and escaped so that every call
/// stays on its line: \" \\ \n \r \t, and \xHH for any other control byte
/// (below 0x20, and 0x7F) and for a byte that forms no character. An empty text
/// logs nothing.
class RecordingSurface : public DrawingSurface {
public:
    void Rectangle(int x1, int y1, int x2, int y2) override;
    void TextOut(int x, int y, const QByteArray &text) override;

    /// The calls logged since the last take, without line ends.
    QByteArrayList takeLines();

protected:
    void drawLine(int x1, int y1, int x2, int y2) override;

private:
    QByteArray pen() const;

    QByteArrayList m_lines;
};
