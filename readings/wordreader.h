#pragma once

#include <QList>
#include <QString>
#include <QStringView>
#include <memory>

namespace MeCab {
class Tagger;
}

/// The words of Japanese text and their readings, from MeCab with the IPA
/// dictionary (its eighth feature is the reading, in katakana).
class WordReader {
public:
    /// A word of the text.
    struct Word {
        qsizetype start = 0;
        qsizetype end = 0;
        QString reading; ///< in katakana; empty for a word the dictionary does not know
    };

    /// Loads MeCab's dictionary: the one its configuration names (/etc/mecabrc), or
    /// the one in `dictionary`, a folder. Throws HekiraError when it cannot be
    /// loaded or is not in UTF-8.
    explicit WordReader(const QString &dictionary = {});
    ~WordReader();
    WordReader(const WordReader &) = delete;
    WordReader &operator=(const WordReader &) = delete;

    /// The words of the text, in order; what lies between two (spaces) is in none.
    /// The text must not hold control characters or lone surrogates.
    QList<Word> words(QStringView text);

private:
    struct TaggerDeleter {
        void operator()(MeCab::Tagger *tagger) const;
    };
    std::unique_ptr<MeCab::Tagger, TaggerDeleter> m_tagger;
};
