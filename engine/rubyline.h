#pragma once

#include <QByteArray>
#include <QList>

/// A reading over a run of a line's two-byte units.
struct RubySpan {
    qint32 firstUnit = 0; ///< 0-based: bytes 2 * firstUnit and on
    qint32 units = 0;     ///< the units the reading stands beside
    QByteArray reading;   ///< CP932
};

/// A line of CP932 text with reading marks (RubyMarks: ｜base《reading》 or
/// kanji《reading》), split into the text the cells show and the readings
/// beside it. What is no whole mark stays text, byte for byte; a mark with an
/// empty reading shows its base with none.
struct RubyLine {
    QByteArray text;
    QList<RubySpan> spans; ///< in the order of the text, none overlapping

    static RubyLine parse(const QByteArray &line);
};
