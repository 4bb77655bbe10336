#include "memolines.h"

#include "cp932.h"
#include "lineoperations.h"

#include <QHash>
#include <QPlainTextEdit>
#include <QSet>
#include <QTextCursor>

namespace {

// CP932's user-defined area, F040..F9FC, decodes to these code points.
constexpr char32_t UserDefinedFirst = 0xE000;
constexpr char32_t UserDefinedLast = 0xE757;

QString memoText(const LineList &lines)
{
    QString text;
    for (qsizetype i = 0; i < lines.count(); ++i) {
        const QByteArray line = lines.wholeLine(i);
        if (line != QByteArrayView(&LineOperations::BlankLineByte, 1)) {
            text += Cp932::decode(line);
        }
        text += u'\n';
    }
    return text;
}

void replaceText(QPlainTextEdit &memo, const QString &text)
{
    if (memo.toPlainText() == text) {
        return;
    }
    QTextCursor cursor(memo.document());
    cursor.select(QTextCursor::Document);
    cursor.insertText(text);
}

// Each character CP932 cannot hold, replaced by a user-defined character the
// text does not use; `originals` maps them back. With more such characters than
// user-defined ones, the rest stay and become "？" like everywhere else.
QString withStandIns(const QString &text, QHash<QString, QString> &originals)
{
    bool lossless = false;
    Cp932::encode(text, &lossless);
    if (lossless) {
        return text;
    }
    const QList<uint> codePoints = text.toUcs4();
    const QSet<uint> used(codePoints.cbegin(), codePoints.cend());
    QHash<uint, QString> standIns; // only for the characters CP932 cannot hold
    QSet<uint> held;
    char32_t next = UserDefinedFirst;
    QString mapped;
    for (const uint codePoint : codePoints) {
        const QString character =
            QString::fromUcs4(reinterpret_cast<const char32_t *>(&codePoint), 1);
        if (!held.contains(codePoint) && !standIns.contains(codePoint)) {
            Cp932::encode(character, &lossless);
            if (lossless) {
                held.insert(codePoint);
            } else {
                while (next <= UserDefinedLast && used.contains(next)) {
                    ++next;
                }
                if (next <= UserDefinedLast) {
                    const QString standIn = QString::fromUcs4(&next, 1);
                    standIns.insert(codePoint, standIn);
                    originals.insert(standIn, character);
                    ++next;
                }
            }
        }
        mapped += standIns.value(codePoint, character);
    }
    return mapped;
}

} // namespace

LineList MemoLines::read(const QPlainTextEdit &memo)
{
    return LineList::fromText(Cp932::encode(memo.toPlainText()));
}

void MemoLines::write(QPlainTextEdit &memo, const LineList &lines)
{
    replaceText(memo, memoText(lines));
}

void MemoLines::rewrite(QPlainTextEdit &memo,
                        const std::function<LineList(const LineList &)> &operation)
{
    QHash<QString, QString> originals;
    const QString text = withStandIns(memo.toPlainText(), originals);
    QString rewritten = memoText(operation(LineList::fromText(Cp932::encode(text))));
    for (auto it = originals.cbegin(); it != originals.cend(); ++it) {
        rewritten.replace(it.key(), it.value());
    }
    replaceText(memo, rewritten);
}
