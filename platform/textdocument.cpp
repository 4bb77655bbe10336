#include "textdocument.h"

#include "cp932.h"

#include <algorithm>
#include <array>
#include <utility>

namespace {

constexpr QByteArrayView Utf8Bom("\xEF\xBB\xBF");
constexpr char BlankLineByte = '\r';
constexpr char16_t NoStandInLeft = u'？'; // as CP932 writes what it cannot hold

// CP932's user-defined characters, F040..F9FC.
constexpr char32_t UserDefinedFirst = 0xE000;
constexpr char32_t UserDefinedLast = 0xE757;

// By TextDocument::LineBreak.
constexpr std::array<QByteArrayView, 4> LineBreakBytes{"", "\r\n", "\n", "\r"};

// A UTF-8 lead byte and the range its second byte must fall in, which rules out
// overlong forms, surrogates and code points past U+10FFFF; later bytes are 80..BF.
struct Utf8Lead {
    unsigned char first;
    unsigned char last;
    int length;
    unsigned char secondMin;
    unsigned char secondMax;
};

constexpr std::array<Utf8Lead, 8> Utf8Leads{{
    {0xC2, 0xDF, 2, 0x80, 0xBF},
    {0xE0, 0xE0, 3, 0xA0, 0xBF},
    {0xE1, 0xEC, 3, 0x80, 0xBF},
    {0xED, 0xED, 3, 0x80, 0x9F},
    {0xEE, 0xEF, 3, 0x80, 0xBF},
    {0xF0, 0xF0, 4, 0x90, 0xBF},
    {0xF1, 0xF3, 4, 0x80, 0xBF},
    {0xF4, 0xF4, 4, 0x80, 0x8F},
}};

constexpr char32_t NotUtf8 = 0xFFFFFFFF;
// Keys of stand-ins for UTF-8 bytes that begin no character: past every code point.
constexpr char32_t StrayByteKeys = 0x110000;

struct CodeRange {
    char32_t first;
    char32_t last;
};

// What Japanese text holds, all three-byte sequences in UTF-8.
constexpr std::array<CodeRange, 6> JapaneseRanges{{
    {0x3000, 0x30FF}, // CJK punctuation, hiragana, katakana
    {0x31F0, 0x31FF}, // small katakana
    {0x3400, 0x4DBF}, // CJK extension A
    {0x4E00, 0x9FFF}, // CJK unified ideographs
    {0xF900, 0xFAFF}, // CJK compatibility ideographs
    {0xFF00, 0xFFEF}, // full-width and half-width forms
}};

// What two-byte sequences decode to: Latin, Greek, Cyrillic and the like.
constexpr CodeRange TwoByteRange{0x80, 0x7FF};

bool inRange(char32_t codePoint, CodeRange range)
{
    return codePoint >= range.first && codePoint <= range.last;
}

bool isUserDefined(char32_t codePoint)
{
    return codePoint >= UserDefinedFirst && codePoint <= UserDefinedLast;
}

bool isJapanese(char32_t codePoint)
{
    for (const CodeRange &range : JapaneseRanges) {
        if (inRange(codePoint, range)) {
            return true;
        }
    }
    return false;
}

struct Utf8Step {
    char32_t codePoint; // NotUtf8 for a byte that begins no character
    qsizetype length;
};

Utf8Step readUtf8(QByteArrayView bytes, qsizetype index)
{
    const auto lead = static_cast<unsigned char>(bytes[index]);
    if (lead < 0x80) {
        return {lead, 1};
    }
    for (const Utf8Lead &form : Utf8Leads) {
        if (lead < form.first || lead > form.last) {
            continue;
        }
        if (index + form.length > bytes.size()) {
            break;
        }
        char32_t codePoint = lead & (0x7F >> form.length);
        for (int k = 1; k < form.length; ++k) {
            const auto next = static_cast<unsigned char>(bytes[index + k]);
            const bool fits = k == 1 ? next >= form.secondMin && next <= form.secondMax
                                     : next >= 0x80 && next <= 0xBF;
            if (!fits) {
                return {NotUtf8, 1};
            }
            codePoint = codePoint << 6 | (next & 0x3F);
        }
        return {codePoint, form.length};
    }
    return {NotUtf8, 1};
}

// Not QString::fromUcs4, which takes U+FEFF for a byte-order mark and drops it.
QString fromCodePoint(char32_t codePoint)
{
    if (QChar::requiresSurrogates(codePoint)) {
        const std::array<QChar, 2> pair{QChar(QChar::highSurrogate(codePoint)),
                                        QChar(QChar::lowSurrogate(codePoint))};
        return QString(pair.data(), pair.size());
    }
    return QString(QChar(char16_t(codePoint)));
}

// Whether the bytes read as Shift_JIS without a byte that forms no character
// and without user-defined characters, which no ordinary text holds.
bool readsAsShiftJis(QByteArrayView bytes)
{
    const QString text = Cp932::decode(bytes);
    for (const QChar c : text) {
        if (c == QChar::ReplacementCharacter || isUserDefined(c.unicode())) {
            return false;
        }
    }
    return true;
}

} // namespace

TextDocument::TextDocument() = default;

TextDocument TextDocument::fromBytes(QByteArrayView bytes, TextEncoding encoding)
{
    TextDocument document;
    const qsizetype zero = bytes.indexOf('\0');
    QByteArrayView text = zero >= 0 ? bytes.first(zero) : bytes;
    if (zero >= 0) {
        document.m_tail = bytes.sliced(zero).toByteArray();
    }
    document.m_encoding = encoding == TextEncoding::Auto ? detect(text) : encoding;
    const bool utf8 = document.m_encoding == TextEncoding::Utf8;
    document.m_bom = utf8 && text.startsWith(Utf8Bom);
    if (document.m_bom) {
        text = text.sliced(Utf8Bom.size());
    }

    QList<FileLine> file;
    bool mainBreakFound = false;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n') {
            continue;
        }
        LineBreak lineBreak = text[i] == '\n' ? LineBreak::Lf : LineBreak::Cr;
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            lineBreak = LineBreak::CrLf;
        }
        file.append({text.sliced(start, i - start).toByteArray(), lineBreak});
        if (!mainBreakFound) {
            document.m_mainBreak = lineBreak;
            mainBreakFound = true;
        }
        i += lineBreak == LineBreak::CrLf ? 1 : 0;
        start = i + 1;
    }
    if (start < text.size()) {
        file.append({text.sliced(start).toByteArray(), LineBreak::None});
        document.m_finalBreak = false;
    }

    // The stand-ins made while reading keep clear of the file's own user-defined characters.
    if (utf8) {
        for (qsizetype i = text.indexOf('\xEE'); i >= 0; i = text.indexOf('\xEE', i + 1)) {
            const char32_t codePoint = readUtf8(text, i).codePoint;
            if (isUserDefined(codePoint)) {
                document.m_userDefinedUsed.set(codePoint - UserDefinedFirst);
            }
        }
    }
    QByteArrayList work;
    work.reserve(file.size());
    for (const FileLine &line : std::as_const(file)) {
        work.append(utf8 ? document.workBytesOfUtf8(line.bytes) : line.bytes);
    }
    document.m_lines = LineList(std::move(work));
    document.m_fileLines = std::move(file);
    return document;
}

TextEncoding TextDocument::detect(QByteArrayView bytes)
{
    const qsizetype zero = bytes.indexOf('\0');
    if (zero >= 0) {
        bytes = bytes.first(zero);
    }
    if (bytes.startsWith(Utf8Bom)) {
        return TextEncoding::Utf8;
    }
    // Shift_JIS half-width katakana pairs are valid UTF-8 (ﾈｺ reads "Ⱥ"), so
    // validity alone does not decide: Japanese in UTF-8 is three-byte sequences.
    qsizetype score = 0;
    bool ascii = true;
    for (qsizetype i = 0; i < bytes.size();) {
        const Utf8Step step = readUtf8(bytes, i);
        if (step.codePoint == NotUtf8) {
            return TextEncoding::ShiftJis;
        }
        if (step.codePoint >= 0x80) {
            ascii = false;
            if (isJapanese(step.codePoint)) {
                ++score;
            } else if (inRange(step.codePoint, TwoByteRange)) {
                --score;
            }
        }
        i += step.length;
    }
    if (ascii) {
        return TextEncoding::ShiftJis;
    }
    return score > 0 || !readsAsShiftJis(bytes) ? TextEncoding::Utf8 : TextEncoding::ShiftJis;
}

QByteArray TextDocument::toBytes() const
{
    qsizetype size = (m_bom ? Utf8Bom.size() : 0) + m_tail.size();
    for (const FileLine &line : m_fileLines) {
        size += line.bytes.size() + 2;
    }
    QByteArray bytes;
    bytes.reserve(size);
    if (m_bom) {
        bytes += Utf8Bom;
    }
    for (const FileLine &line : m_fileLines) {
        bytes += line.bytes;
        bytes += LineBreakBytes[std::size_t(line.lineBreak)];
    }
    bytes += m_tail;
    return bytes;
}

TextEncoding TextDocument::encoding() const
{
    return m_encoding;
}

bool TextDocument::hasBom() const
{
    return m_bom;
}

void TextDocument::setEncoding(TextEncoding encoding, bool bom)
{
    const TextEncoding chosen = encoding == TextEncoding::Auto ? m_encoding : encoding;
    const bool changed = chosen != m_encoding;
    m_encoding = chosen;
    m_bom = chosen == TextEncoding::Utf8 && bom;
    if (!changed) {
        return;
    }
    for (qsizetype i = 0; i < m_fileLines.size(); ++i) {
        m_fileLines[i].bytes = fileBytes(m_lines.wholeLine(i));
    }
}

bool TextDocument::fitsEncoding() const
{
    if (m_encoding == TextEncoding::Utf8) {
        return true;
    }
    const bool anyUnheld = std::any_of(m_standIns.cbegin(), m_standIns.cend(),
                                       [](const StandIn &standIn) { return !standIn.held; });
    if (!anyUnheld) {
        return true;
    }
    for (qsizetype i = 0; i < m_lines.count(); ++i) {
        const QByteArray line = m_lines.wholeLine(i);
        for (qsizetype at = 0; at < line.size();) {
            const qsizetype length = Cp932::characterLength(line, at);
            const StandIn *standIn = standInAt(QByteArrayView(line).sliced(at, length));
            if (standIn && !standIn->held) {
                return false;
            }
            at += length;
        }
    }
    return true;
}

const LineList &TextDocument::lines() const
{
    return m_lines;
}

void TextDocument::setLines(const LineList &lines)
{
    QHash<QByteArray, qsizetype> held; // the first line with these bytes
    for (qsizetype i = m_lines.count() - 1; i >= 0; --i) {
        held.insert(m_lines.wholeLine(i), i);
    }
    // When the operation kept the number of lines, line i is still where the file's
    // line i was, and keeps its break.
    const bool inPlace = lines.count() == m_lines.count();
    QByteArrayList work;
    QList<FileLine> file;
    for (qsizetype i = 0; i < lines.count(); ++i) {
        const QByteArray line = lines.wholeLine(i);
        const LineBreak lineBreak = inPlace ? keptLine(i).lineBreak : m_mainBreak;
        if (i < m_lines.count() && line == m_lines.wholeLine(i)) {
            file.append(keptLine(i));
        } else if (const auto found = held.constFind(line); found != held.cend()) {
            file.append({m_fileLines.at(*found).bytes, lineBreak});
        } else {
            file.append({fileBytes(line), lineBreak});
        }
        work.append(line);
    }
    assignLines(std::move(work), std::move(file));
}

LineList TextDocument::pageLines() const
{
    if (m_standIns.isEmpty()) {
        return m_lines;
    }
    QByteArrayList pages;
    pages.reserve(m_lines.count());
    for (qsizetype i = 0; i < m_lines.count(); ++i) {
        pages.append(cp932Bytes(m_lines.wholeLine(i)));
    }
    return LineList(std::move(pages));
}

QList<TextDocument::TextLine> TextDocument::textLines() const
{
    QList<TextLine> shown;
    shown.reserve(m_lines.count());
    for (qsizetype i = 0; i < m_lines.count(); ++i) {
        const QByteArray line = m_lines.wholeLine(i);
        if (line == QByteArrayView(&BlankLineByte, 1)) {
            shown.append({QString(), true});
        } else {
            shown.append({text(line), false});
        }
    }
    return shown;
}

void TextDocument::setTextLines(const QList<TextLine> &lines)
{
    const QList<TextLine> shown = textLines();
    QHash<QString, qsizetype> held; // the first line showing this text
    for (qsizetype i = shown.size() - 1; i >= 0; --i) {
        if (!shown.at(i).blank) {
            held.insert(shown.at(i).text, i);
        }
    }
    // These lines hold every user-defined character the document will: stand-ins
    // made for new text keep clear of them.
    for (const TextLine &line : lines) {
        markUserDefined(QStringView(line.text));
    }
    const bool inPlace = lines.size() == shown.size(); // as in setLines
    QByteArrayList work;
    QList<FileLine> file;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const TextLine &line = lines.at(i);
        const LineBreak lineBreak = inPlace ? keptLine(i).lineBreak : m_mainBreak;
        if (i < shown.size() && line == shown.at(i)) {
            work.append(m_lines.wholeLine(i));
            file.append(keptLine(i));
        } else if (line.blank) {
            work.append(QByteArray(1, BlankLineByte));
            file.append({QByteArray(), lineBreak});
        } else if (const auto found = held.constFind(line.text); found != held.cend()) {
            work.append(m_lines.wholeLine(*found));
            file.append({m_fileLines.at(*found).bytes, lineBreak});
        } else {
            work.append(workBytes(line.text));
            file.append({fileBytes(work.last()), lineBreak});
        }
    }
    assignLines(std::move(work), std::move(file));
}

void TextDocument::setFinalBreak(bool finalBreak)
{
    m_finalBreak = finalBreak;
    if (!m_fileLines.isEmpty()) {
        LineBreak &last = m_fileLines.last().lineBreak;
        if (!finalBreak) {
            last = LineBreak::None;
        } else if (last == LineBreak::None) {
            last = m_mainBreak;
        }
    }
}

TextDocument::FileLine TextDocument::keptLine(qsizetype index) const
{
    const FileLine &line = m_fileLines.at(index);
    return {line.bytes, line.lineBreak == LineBreak::None ? m_mainBreak : line.lineBreak};
}

// The last line has a break as the file's last line had one or not.
void TextDocument::assignLines(QByteArrayList work, QList<FileLine> file)
{
    if (!file.isEmpty() && !m_finalBreak) {
        file.last().lineBreak = LineBreak::None;
    }
    m_lines = LineList(std::move(work));
    m_fileLines = std::move(file);
}

QByteArray TextDocument::workBytes(QStringView text)
{
    QString work;
    work.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        char32_t codePoint = text[i].unicode();
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            codePoint = QChar::surrogateToUcs4(text[i], text[i + 1]);
            ++i;
        }
        appendWorkCharacter(work, codePoint);
    }
    return Cp932::encode(work);
}

QByteArray TextDocument::workBytesOfUtf8(QByteArrayView utf8)
{
    QString work;
    work.reserve(utf8.size());
    for (qsizetype i = 0; i < utf8.size();) {
        const Utf8Step step = readUtf8(utf8, i);
        if (step.codePoint == NotUtf8) {
            const auto byte = static_cast<unsigned char>(utf8[i]);
            work += standInFor(StrayByteKeys + byte, QString(QChar::ReplacementCharacter),
                               QByteArray(1, char(byte)));
        } else {
            appendWorkCharacter(work, step.codePoint);
        }
        i += step.length;
    }
    return Cp932::encode(work);
}

void TextDocument::appendWorkCharacter(QString &work, char32_t codePoint)
{
    // A user-defined character that is already a stand-in gets one of its own.
    const bool standIn = isUserDefined(codePoint) && m_standIns.contains(char16_t(codePoint));
    if (!standIn && Cp932::roundTrips(codePoint)) {
        work += QChar(char16_t(codePoint));
        return;
    }
    const QString character = fromCodePoint(codePoint);
    work += standInFor(codePoint, character, character.toUtf8());
}

QChar TextDocument::standInFor(char32_t key, const QString &text, const QByteArray &utf8)
{
    if (const auto found = m_standInFor.constFind(key); found != m_standInFor.cend()) {
        return QChar(*found);
    }
    while (m_nextUserDefined <= UserDefinedLast &&
           m_userDefinedUsed.test(m_nextUserDefined - UserDefinedFirst)) {
        ++m_nextUserDefined;
    }
    if (m_nextUserDefined > UserDefinedLast) {
        return QChar(NoStandInLeft);
    }
    const auto standIn = char16_t(m_nextUserDefined++);
    m_userDefinedUsed.set(standIn - UserDefinedFirst);
    bool held = false;
    Cp932::encode(text, &held);
    m_standIns.insert(standIn, {text, utf8, held});
    m_standInFor.insert(key, standIn);
    return QChar(standIn);
}

const TextDocument::StandIn *TextDocument::standInAt(QByteArrayView character) const
{
    if (character.size() != 2 || static_cast<unsigned char>(character[0]) < 0xF0 ||
        static_cast<unsigned char>(character[0]) > 0xF9) {
        return nullptr;
    }
    const std::optional<QString> decoded = Cp932::decodeCharacter(character);
    if (!decoded) {
        return nullptr;
    }
    const auto found = m_standIns.constFind(decoded->at(0).unicode());
    return found != m_standIns.cend() ? &*found : nullptr;
}

void TextDocument::markUserDefined(QStringView text)
{
    for (const QChar c : text) {
        if (isUserDefined(c.unicode())) {
            m_userDefinedUsed.set(c.unicode() - UserDefinedFirst);
        }
    }
}

QByteArray TextDocument::fileBytes(QByteArrayView work) const
{
    if (work == QByteArrayView(&BlankLineByte, 1)) {
        return QByteArray();
    }
    return m_encoding == TextEncoding::Utf8 ? utf8Bytes(work) : cp932Bytes(work);
}

QByteArray TextDocument::cp932Bytes(QByteArrayView work) const
{
    if (m_standIns.isEmpty()) {
        return work.toByteArray();
    }
    QByteArray bytes;
    bytes.reserve(work.size());
    for (qsizetype i = 0; i < work.size();) {
        const qsizetype length = Cp932::characterLength(work, i);
        const QByteArrayView character = work.sliced(i, length);
        const StandIn *standIn = standInAt(character);
        bytes += standIn ? QByteArrayView(Cp932::encode(standIn->text)) : character;
        i += length;
    }
    return bytes;
}

QByteArray TextDocument::utf8Bytes(QByteArrayView work) const
{
    const QString decoded = Cp932::decode(work);
    if (m_standIns.isEmpty()) {
        return decoded.toUtf8();
    }
    QByteArray bytes;
    bytes.reserve(3 * decoded.size());
    qsizetype run = 0;
    for (qsizetype i = 0; i < decoded.size(); ++i) {
        const char16_t unit = decoded.at(i).unicode();
        const auto found = isUserDefined(unit) ? m_standIns.constFind(unit) : m_standIns.cend();
        if (found != m_standIns.cend()) {
            bytes += QStringView(decoded).sliced(run, i - run).toUtf8();
            bytes += found->utf8;
            run = i + 1;
        }
    }
    bytes += QStringView(decoded).sliced(run).toUtf8();
    return bytes;
}

QString TextDocument::text(QByteArrayView work) const
{
    const QString decoded = Cp932::decode(work);
    if (m_standIns.isEmpty()) {
        return decoded;
    }
    QString shown;
    shown.reserve(decoded.size());
    for (const QChar c : decoded) {
        const auto found =
            isUserDefined(c.unicode()) ? m_standIns.constFind(c.unicode()) : m_standIns.cend();
        if (found != m_standIns.cend()) {
            shown += found->text;
        } else {
            shown += c;
        }
    }
    return shown;
}
