#pragma once

#include "linelist.h"

/// The bulk rewrites of the line processing dialog, as pure functions: each
/// takes the lines as they are and returns the new lines.
namespace LineOperations {
/// The rewrites, in the item order of the dialog's "編集" group.
enum class Operation { Repeat, InsertBlankLines, ToKatakana, ToHiragana, Rewrap };
/// One rewrite and its number: the count for Repeat and InsertBlankLines,
/// the characters per line for Rewrap (one of CellCounts; 0: none chosen),
/// unused otherwise.
struct Edit {
    Operation operation = Operation::Repeat;
    int amount = 1;
};

/// A blank line: the single carriage-return byte, which the program has always
/// stored for one, so that it never counts as an empty line.
inline constexpr char BlankLineByte = '\r';

LineList apply(const LineList &lines, Edit edit);

/// Each line followed by `times` copies of itself.
LineList repeat(const LineList &lines, int times);
/// Each line, the last one too, followed by `count` blank lines.
LineList insertBlankLines(const LineList &lines, int count);
/// Hiragana to katakana, one character at a time; every other byte is kept.
LineList toKatakana(const LineList &lines);
/// Katakana to hiragana; katakana that CP932 has no hiragana for (ヴ, ヵ, ヶ,
/// ヷ..ヺ) and every other byte are kept.
LineList toHiragana(const LineList &lines);
/// Cuts every line into pieces of at most 2 x charsPerLine bytes, each ending at
/// a character boundary and never inside a reading mark (｜base《reading》 or
/// kanji《reading》) that fits in a piece: the cut moves back before the mark.
/// Empty lines disappear. charsPerLine <= 0 keeps the lines.
LineList rewrap(const LineList &lines, int charsPerLine);
} // namespace LineOperations
