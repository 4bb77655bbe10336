#include "memolines.h"

#include "cp932.h"
#include "lineoperations.h"

#include <QPlainTextEdit>
#include <QTextCursor>

LineList MemoLines::read(const QPlainTextEdit &memo)
{
    return LineList::fromText(Cp932::encode(memo.toPlainText()));
}

void MemoLines::write(QPlainTextEdit &memo, const LineList &lines)
{
    QString text;
    for (qsizetype i = 0; i < lines.count(); ++i) {
        const QByteArray line = lines.wholeLine(i);
        if (line != QByteArrayView(&LineOperations::BlankLineByte, 1)) {
            text += Cp932::decode(line);
        }
        text += u'\n';
    }
    if (memo.toPlainText() == text) {
        return;
    }
    QTextCursor cursor(memo.document());
    cursor.select(QTextCursor::Document);
    cursor.insertText(text);
}
