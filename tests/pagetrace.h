#pragma once

#include "gridgeometry.h"
#include "linelist.h"
#include "pageengine.h"
#include "recordingsurface.h"

#include <QByteArrayList>
#include <QRegularExpression>
#include <QSize>
#include <QString>
#include <QStringList>

// Draws pages, by default at the preview size, onto a recording surface and reads
// the calls back.
struct PageTrace {
    QByteArrayList lines;
    GridGeometry geometry;

    static PageTrace draw(SheetSettings settings, const QStringList &text, qint32 pageTop = 0,
                          quint32 seed = 1, QSize size = QSize(320, 441))
    {
        LineList lines;
        for (const QString &line : text) {
            lines.add(Cp932::encode(line));
        }
        RandomGenerator random(seed);
        PageEngine engine(random);
        RecordingSurface surface;
        PageState state;
        state.PageTop = pageTop;
        engine.MakePrint(surface, size.width(), size.height(), settings, lines, state);
        return {surface.takeLines(),
                SelectGridGeometry(settings.FuriganaFrame, settings.DocDirection, settings.FrameNum,
                                   engine.drawScale())};
    }

    QByteArrayList withPrefix(const QByteArray &prefix) const
    {
        QByteArrayList found;
        for (const QByteArray &line : lines) {
            if (line.startsWith(prefix)) {
                found << line;
            }
        }
        return found;
    }

    // The characters drawn below the header, as "row:cell:char:m|t" (model or trace
    // colour), in drawing order; cells and rows found from the positions.
    QStringList cells() const
    {
        const QString modelColor = QStringLiteral("000000"); // SheetSettings' black
        return drawnCells([&](const QString &color) {
            return color == modelColor ? QStringLiteral("m") : QStringLiteral("t");
        });
    }

    // As cells(), with the colour as "rrggbb" in place of m or t.
    QStringList coloredCells() const
    {
        return drawnCells([](const QString &color) { return color; });
    }

private:
    template <typename Mark> QStringList drawnCells(Mark mark) const
    {
        static const QRegularExpression text(
            QStringLiteral(R"re(^text (-?\d+) (-?\d+) font="[^"]*"/\d+(?: fallback="[^"]*")? )re"
                           R"re(color=#([0-9a-f]{6})(?: outline=\d+)? bg=none "(.*)"$)re"));
        const int pitch = geometry.CellSize + geometry.LineGap;
        QStringList found;
        for (const QByteArray &line : lines) {
            const QRegularExpressionMatch m = text.match(QString::fromUtf8(line));
            if (!m.hasMatch()) {
                continue;
            }
            const int x = m.captured(1).toInt();
            const int y = m.captured(2).toInt();
            const int cell = (x - 25 + geometry.CellSize / 2) / geometry.CellSize + 1;
            const int row = (y - geometry.GridTop + pitch / 2) / pitch + 1;
            found << QStringLiteral("%1:%2:%3:%4")
                         .arg(row)
                         .arg(cell)
                         .arg(m.captured(4), mark(m.captured(3)));
        }
        return found;
    }
};
