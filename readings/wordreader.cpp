#include "wordreader.h"

#include "hekiraerror.h"

#include <QFile>
#include <mecab.h>
#include <vector>

namespace {

using namespace Qt::StringLiterals;

// The feature that holds the reading: 品詞,細分類1,細分類2,細分類3,活用型,活用形,原形,読み,発音.
constexpr int ReadingField = 7;

QByteArrayView field(const char *feature, int index)
{
    QByteArrayView rest(feature);
    for (int i = 0; i < index; ++i) {
        const qsizetype comma = rest.indexOf(',');
        if (comma < 0) {
            return {};
        }
        rest = rest.sliced(comma + 1);
    }
    const qsizetype comma = rest.indexOf(',');
    return comma < 0 ? rest : rest.first(comma);
}

} // namespace

void WordReader::TaggerDeleter::operator()(MeCab::Tagger *tagger) const
{
    MeCab::deleteTagger(tagger);
}

WordReader::WordReader(const QString &dictionary)
{
    QByteArrayList arguments{"hekira"};
    if (!dictionary.isEmpty()) {
        arguments << "--dicdir" << QFile::encodeName(dictionary);
    }
    std::vector<char *> argv;
    for (QByteArray &argument : arguments) {
        argv.push_back(argument.data());
    }
    m_tagger.reset(MeCab::createTagger(int(argv.size()), argv.data()));
    if (!m_tagger) {
        throw HekiraError(u"MeCab の辞書を読み込めません。%1"_s.arg(
            QString::fromLocal8Bit(MeCab::getLastError())));
    }
    const MeCab::DictionaryInfo *info = m_tagger->dictionary_info();
    const QByteArray charset = QByteArray(info->charset).toLower().replace('-', "");
    if (charset != "utf8") {
        throw HekiraError(u"MeCab の辞書 \"%1\" は UTF-8 ではありません (%2)。"_s.arg(
            QFile::decodeName(info->filename), QString::fromLatin1(info->charset)));
    }
}

WordReader::~WordReader() = default;

QList<WordReader::Word> WordReader::words(QStringView text)
{
    const QByteArray bytes = text.toUtf8();
    // The UTF-16 position of each UTF-8 character start, -1 inside a character: a
    // four-byte character is a surrogate pair, any other one unit (a lone surrogate
    // is written as U+FFFD).
    std::vector<qsizetype> positions(size_t(bytes.size()) + 1, -1);
    qsizetype position = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        if ((lead & 0xC0) != 0x80) {
            positions[size_t(i)] = position;
            position += lead >= 0xF0 ? 2 : 1;
        }
    }
    positions[size_t(bytes.size())] = text.size();

    const MeCab::Node *node = m_tagger->parseToNode(bytes.constData(), size_t(bytes.size()));
    if (node == nullptr) {
        throw HekiraError(u"MeCab は「%1」を解析できません。%2"_s.arg(
            text, QString::fromLocal8Bit(m_tagger->what())));
    }
    QList<Word> words;
    qsizetype done = 0;
    for (; node != nullptr; node = node->next) {
        if (node->stat == MECAB_BOS_NODE || node->stat == MECAB_EOS_NODE) {
            continue;
        }
        const qsizetype offset = node->surface - bytes.constData();
        const qsizetype start = positions[size_t(offset)];
        const qsizetype end = positions[size_t(offset + node->length)];
        // Nodes follow one another on character boundaries; one that did not would
        // cut a character, and is left out.
        if (start < done || end < start) {
            continue;
        }
        const QByteArrayView reading = field(node->feature, ReadingField);
        words.append({start, end, reading == "*" ? QString() : QString::fromUtf8(reading)});
        done = end;
    }
    return words;
}
