#include "linelist.h"

LineList::LineList(QByteArrayList lines) : m_lines(std::move(lines))
{
}

LineList LineList::fromText(QByteArrayView text)
{
    const qsizetype zero = text.indexOf('\0');
    if (zero >= 0) {
        text = text.first(zero);
    }
    QByteArrayList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n') {
            continue;
        }
        lines.append(text.sliced(start, i - start).toByteArray());
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            ++i;
        }
        start = i + 1;
    }
    if (start < text.size()) {
        lines.append(text.sliced(start).toByteArray());
    }
    return LineList(std::move(lines));
}

qsizetype LineList::count() const
{
    return m_lines.size();
}

QByteArray LineList::line(qsizetype index) const
{
    const QByteArray whole = wholeLine(index);
    return whole.first(qMin(whole.size(), MaxLineBytes));
}

QByteArray LineList::wholeLine(qsizetype index) const
{
    return index >= 0 && index < m_lines.size() ? m_lines.at(index) : QByteArray();
}

void LineList::replace(qsizetype index, const QByteArray &line)
{
    m_lines[index] = line;
}

void LineList::add(const QByteArray &line)
{
    m_lines.append(line);
}
