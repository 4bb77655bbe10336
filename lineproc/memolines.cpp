#include "memolines.h"

#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>

namespace {

// The block state that marks a blank line.
constexpr int BlankLineState = 1;

} // namespace

MemoLines::MemoLines(QPlainTextEdit &memo) : m_memo(memo)
{
    m_watch = QObject::connect(memo.document(), &QTextDocument::contentsChanged, &memo,
                               [this] { m_changed = m_changed || !m_showing; });
    m_changed = !memo.document()->isEmpty();
}

MemoLines::~MemoLines()
{
    QObject::disconnect(m_watch);
}

const TextDocument &MemoLines::document()
{
    takeIn();
    return m_document;
}

const LineList &MemoLines::pageLines()
{
    takeIn();
    return m_pageLines;
}

void MemoLines::setDocument(TextDocument document)
{
    m_document = std::move(document);
    show();
}

void MemoLines::rewrite(const std::function<LineList(const LineList &)> &operation)
{
    takeIn();
    m_document.setLines(operation(m_document.lines()));
    show();
}

void MemoLines::setEncoding(TextEncoding encoding, bool bom)
{
    takeIn();
    m_document.setEncoding(encoding, bom);
}

void MemoLines::takeIn()
{
    if (!m_changed) {
        return;
    }
    QList<TextDocument::TextLine> lines;
    const QTextDocument &text = *m_memo.document();
    for (QTextBlock block = text.begin(); block.isValid(); block = block.next()) {
        const QString line = block.text();
        lines.append({line, line.isEmpty() && block.userState() == BlankLineState});
    }
    // A memo ending with a line break ends with an empty block that is no line.
    const bool finalBreak = lines.size() > 1 && lines.last() == TextDocument::TextLine{};
    if (finalBreak || lines == QList<TextDocument::TextLine>{{}}) {
        lines.removeLast();
    }
    m_document.setTextLines(lines);
    m_document.setFinalBreak(finalBreak);
    m_pageLines = m_document.pageLines();
    m_changed = false;
}

void MemoLines::show()
{
    const QList<TextDocument::TextLine> lines = m_document.textLines();
    // A memo cannot end with an empty line and no break: that line takes a break,
    // so it stays a line.
    if (!lines.isEmpty() && lines.last() == TextDocument::TextLine{}) {
        m_document.setFinalBreak(true);
    }
    QStringList texts;
    texts.reserve(lines.size() + 1);
    for (const TextDocument::TextLine &line : lines) {
        texts.append(line.text);
    }
    if (m_document.finalBreak() && !lines.isEmpty()) {
        texts.append(QString());
    }
    m_showing = true;
    const QString text = texts.join(u'\n');
    if (m_memo.toPlainText() != text) {
        QTextCursor cursor(m_memo.document());
        cursor.select(QTextCursor::Document);
        cursor.insertText(text);
    }
    QTextBlock block = m_memo.document()->begin();
    for (const TextDocument::TextLine &line : lines) {
        block.setUserState(line.blank ? BlankLineState : -1);
        block = block.next();
    }
    m_showing = false;
    m_pageLines = m_document.pageLines();
    m_changed = false;
}
