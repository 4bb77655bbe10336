#pragma once

#include <QByteArray>
#include <QList>

/// A reading over a run of a line's two-byte units.
struct RubySpan {
    qint32 firstUnit = 0; ///< 0-based: bytes 2 * firstUnit and on
    qint32 units = 0;     ///< the units the reading stands beside
    QByteArray reading;   ///< CP932
};

/// A line of CP932 text with reading marks ｜base《reading》, split into the
/// text the cells show and the readings beside it. Anything that is no whole
/// mark (a ｜ without 《, an empty base or reading, a mark in a mark) stays text.
struct RubyLine {
    QByteArray text;
    QList<RubySpan> spans; ///< in the order of the text, none overlapping

    static RubyLine parse(const QByteArray &line);
};
