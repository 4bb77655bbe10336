#include "memolines.h"

#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>

namespace {

// The block state that marks a blank line.
constexpr int BlankLineState = 1;

// The memo's text for a document: its lines, and a break after the last when it
// has one.
QString memoText(const TextDocument &document)
{
    const QList<TextDocument::TextLine> lines = document.textLines();
    QStringList texts;
    texts.reserve(lines.size() + 1);
    for (const TextDocument::TextLine &line : lines) {
        texts.append(line.text);
    }
    if (document.finalBreak() && !lines.isEmpty()) {
        texts.append(QString());
    }
    return texts.join(u'\n');
}

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
    takeIn();
    const TextDocument previous = m_document;
    m_document = std::move(document);
    show(previous);
}

void MemoLines::rewrite(const std::function<LineList(const LineList &)> &operation)
{
    takeIn();
    const TextDocument previous = m_document;
    m_document.setLines(operation(m_document.lines()));
    show(previous);
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
    const QTextDocument &text = *m_memo.document();
    // Undone or redone to a document shown before: the memo's text cannot tell its
    // blank lines or its bytes, the document can.
    if (const auto shown = m_shown.find(text.availableUndoSteps());
        shown != m_shown.end() && memoText(shown->second) == m_memo.toPlainText()) {
        m_document = shown->second;
        markBlankLines();
        m_pageLines = m_document.pageLines();
        m_changed = false;
        return;
    }
    QList<TextDocument::TextLine> lines;
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

void MemoLines::show(const TextDocument &previous)
{
    const QList<TextDocument::TextLine> lines = m_document.textLines();
    // A memo cannot end with an empty line and no break: that line takes a break,
    // so it stays a line.
    if (!lines.isEmpty() && lines.last() == TextDocument::TextLine{}) {
        m_document.setFinalBreak(true);
    }
    const QString text = memoText(m_document);
    const int before = m_memo.document()->availableUndoSteps();
    if (m_memo.toPlainText() != text) {
        m_showing = true;
        QTextCursor cursor(m_memo.document());
        cursor.select(QTextCursor::Document);
        cursor.insertText(text);
        m_showing = false;
        // A new step ends what could be redone.
        m_shown.erase(m_shown.upper_bound(before), m_shown.end());
        m_shown.insert_or_assign(before, previous);
    }
    m_shown.insert_or_assign(m_memo.document()->availableUndoSteps(), m_document);
    markBlankLines();
    m_pageLines = m_document.pageLines();
    m_changed = false;
}

void MemoLines::markBlankLines()
{
    QTextBlock block = m_memo.document()->begin();
    for (const TextDocument::TextLine &line : m_document.textLines()) {
        block.setUserState(line.blank ? BlankLineState : -1);
        block = block.next();
    }
}
