#pragma once

#include "linelist.h"
#include "textdocument.h"

#include <QMetaObject>
#include <functional>
#include <map>

class QPlainTextEdit;

/// The memo box (a QPlainTextEdit without word wrap) as the editor of a text
/// document. What the user types is taken into the document when the document
/// is next asked for, and only when the memo changed since; a line left as it
/// was keeps its bytes. The program's blank lines (the byte 0x0D) show as empty
/// lines and stay blank lines while they are not typed into. Every document shown
/// replaces the memo's text as one undo step; an undo or redo that brings back the
/// text of a document shown before brings back that document, its blank lines and
/// bytes as they were.
class MemoLines {
public:
    explicit MemoLines(QPlainTextEdit &memo);
    ~MemoLines();
    MemoLines(const MemoLines &) = delete;
    MemoLines &operator=(const MemoLines &) = delete;

    /// The document as the memo holds it now.
    const TextDocument &document();
    /// The lines as pages draw them.
    const LineList &pageLines();
    /// Shows a document in the memo, its text replaced as one undo step.
    void setDocument(TextDocument document);
    /// Rewrites the lines by an operation on their CP932 bytes, as one undo step.
    void rewrite(const std::function<LineList(const LineList &)> &operation);
    /// Writes every line in another encoding from now on.
    void setEncoding(TextEncoding encoding, bool bom);

private:
    void takeIn();
    /// Shows m_document in place of `previous`, which an undo brings back.
    void show(const TextDocument &previous);
    void markBlankLines();

    QPlainTextEdit &m_memo;
    TextDocument m_document;
    LineList m_pageLines;
    // The documents shown, by the number of undo steps the memo had then.
    std::map<int, TextDocument> m_shown;
    bool m_changed = false; // typed into since the document took the memo in
    bool m_showing = false; // the memo's text is being replaced by the document's
    QMetaObject::Connection m_watch;
};
