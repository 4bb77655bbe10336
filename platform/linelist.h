#pragma once

#include <QByteArray>
#include <QByteArrayList>
#include <QByteArrayView>

/// A list of text lines (CP932 bytes), as a memo box without word wrap holds them.
///
/// Reading a line past the end gives the empty line, and a line is read at most
/// MaxLineBytes long; the whole line is kept, so nothing is lost by reading.
class LineList {
public:
    static constexpr qsizetype MaxLineBytes = 4096;

    LineList() = default;
    explicit LineList(QByteArrayList lines);
    /// Splits text at CR LF, LF or CR (an LF followed by a CR is two breaks);
    /// the text ends at its first zero byte, and a final break adds no line.
    static LineList fromText(QByteArrayView text);

    qsizetype count() const;
    /// The line as the page reads it: at most MaxLineBytes; empty past the end.
    QByteArray line(qsizetype index) const;
    /// The line as kept, however long, for rewriting and saving text.
    QByteArray wholeLine(qsizetype index) const;
    void replace(qsizetype index, const QByteArray &line);
    void add(const QByteArray &line);

private:
    QByteArrayList m_lines;
};
