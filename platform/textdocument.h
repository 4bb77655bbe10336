#pragma once

#include "linelist.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringView>
#include <bitset>

enum class TextEncoding { Auto, ShiftJis, Utf8 };

/// A text file as lines, kept so that it is written back byte for byte: its
/// encoding and byte-order mark, each line's break, the final break or its lack,
/// and whatever follows a zero byte come back as they were, and so does every
/// line that no change touched.
///
/// The line operations and the pages work on CP932 bytes. A character that CP932
/// does not give back exactly (an emoji, 𠮷, or 〜, which CP932 writes as ～) is
/// replaced there by a user-defined character of this document that the text does
/// not otherwise use; the operations carry it like any other character, and it is
/// written and shown as the character it stands for. A UTF-8 file's byte that
/// begins no character gets one too, so that it is written back as it was.
class TextDocument {
public:
    /// A line as the editor shows it.
    struct TextLine {
        QString text;
        /// The program's blank line, which the editor shows as an empty line.
        bool blank = false;

        bool operator==(const TextLine &) const = default;
    };

    /// A new, empty document: Shift_JIS, CR LF breaks, a break after the last line.
    TextDocument();

    /// Reads a whole file. Its text ends at the first zero byte; that byte and
    /// what follows are kept and written back after the text. Lines break at
    /// CR LF, LF or CR (LF CR is two breaks), and a final break adds no line.
    /// Auto takes the encoding detect() finds.
    static TextDocument fromBytes(QByteArrayView bytes, TextEncoding encoding = TextEncoding::Auto);
    /// The encoding of a file's text (up to its first zero byte): UTF-8 when it
    /// starts with the byte-order mark; Shift_JIS when it is ASCII or not valid
    /// UTF-8; otherwise UTF-8 when its UTF-8 reading looks Japanese (kana, kanji,
    /// CJK punctuation and full-width forms outnumber the Latin, Greek and Cyrillic
    /// that two-byte sequences decode to) or its Shift_JIS reading holds bytes that
    /// form no character or user-defined characters; Shift_JIS else.
    static TextEncoding detect(QByteArrayView bytes);
    /// The file's bytes. A line read and left unchanged keeps its bytes and break;
    /// any other line is written in the document's encoding with its main break
    /// (the file's first break; CR LF when it had none), a blank line as an empty
    /// one. In Shift_JIS a character it cannot hold is written as "？".
    QByteArray toBytes() const;

    TextEncoding encoding() const;
    bool hasBom() const;
    /// Another encoding for every line (bom: UTF-8 with the byte-order mark).
    /// Auto keeps the encoding and changes only the byte-order mark.
    void setEncoding(TextEncoding encoding, bool bom);
    /// False when the document is Shift_JIS and holds a character it cannot.
    bool fitsEncoding() const;
    /// Whether the last line ends with a break, as the file's did.
    bool finalBreak() const { return m_finalBreak; }
    void setFinalBreak(bool finalBreak);

    /// The lines in CP932 for the line operations. In a Shift_JIS document a line
    /// read from the file is its file bytes.
    const LineList &lines() const;
    /// The lines after an operation. A line equal to one the document held keeps
    /// that line's file bytes, and at the same index its break.
    void setLines(const LineList &lines);
    /// The lines as pages draw them: each stand-in as CP932 writes its character
    /// ("？" for an emoji), everything else as lines() has it.
    LineList pageLines() const;

    /// Each line decoded for the editor; a byte that forms no character shows as
    /// U+FFFD.
    QList<TextLine> textLines() const;
    /// The editor's lines. A line whose text equals a line the document holds
    /// (at the same index, else the first with that text) keeps that line's bytes,
    /// so characters with two codes and stray bytes survive the editor.
    void setTextLines(const QList<TextLine> &lines);

private:
    enum class LineBreak : quint8 { None, CrLf, Lf, Cr };
    // A line as the file holds it.
    struct FileLine {
        QByteArray bytes;
        LineBreak lineBreak = LineBreak::None; // None only after the last line
    };
    // What a user-defined character stands in for.
    struct StandIn {
        QString text;    // as the editor shows it
        QByteArray utf8; // as a UTF-8 file holds it
        bool held;       // Shift_JIS has bytes for it
    };

    FileLine keptLine(qsizetype index) const;
    void assignLines(QByteArrayList work, QList<FileLine> file);
    QByteArray workBytes(QStringView text);
    QByteArray workBytesOfUtf8(QByteArrayView utf8);
    void appendWorkCharacter(QString &work, char32_t codePoint);
    QChar standInFor(char32_t key, const QString &text, const QByteArray &utf8);
    const StandIn *standInAt(QByteArrayView character) const;
    void markUserDefined(QStringView text);
    QByteArray fileBytes(QByteArrayView work) const;
    QByteArray cp932Bytes(QByteArrayView work) const;
    QByteArray utf8Bytes(QByteArrayView work) const;
    QString text(QByteArrayView work) const;

    TextEncoding m_encoding = TextEncoding::ShiftJis;
    bool m_bom = false;
    LineBreak m_mainBreak = LineBreak::CrLf;
    bool m_finalBreak = true;
    LineList m_lines;
    QList<FileLine> m_fileLines;
    QByteArray m_tail;
    QHash<char16_t, StandIn> m_standIns;
    QHash<char32_t, char16_t> m_standInFor; // by code point, or a stray byte past them
    std::bitset<1880> m_userDefinedUsed;    // one bit each for U+E000..U+E757 (CP932 F040..F9FC)
    char32_t m_nextUserDefined = 0xE000;
};
