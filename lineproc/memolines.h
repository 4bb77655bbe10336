#pragma once

#include "linelist.h"

#include <functional>

class QPlainTextEdit;

/// The lines of a memo box (a QPlainTextEdit without word wrap) as a LineList.
class MemoLines {
public:
    /// The memo's text in CP932, split into lines; a final line break adds no line.
    /// A character CP932 cannot hold reads as "？".
    static LineList read(const QPlainTextEdit &memo);
    /// Replaces the memo's text by the lines, each followed by a line break, so that
    /// read() gives back as many lines, a last empty or blank line included. A
    /// blank line (the single byte 0x0D) shows as an empty line. The replacement is
    /// one undo step; a memo that already shows exactly this text is left alone.
    static void write(QPlainTextEdit &memo, const LineList &lines);
    /// Rewrites the memo's lines by an operation on CP932 lines, as read() and
    /// write() would, except that nothing typed is lost: a character CP932 cannot
    /// hold passes through the operation as a user-defined character of its own
    /// and comes back as it was.
    static void rewrite(QPlainTextEdit &memo,
                        const std::function<LineList(const LineList &)> &operation);
};
