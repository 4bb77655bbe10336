#include "outputfile.h"

#include "hekiraerror.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <cstdio>
#include <unistd.h>

using namespace Qt::StringLiterals;

// Buffers writes and hands them to the file in large pieces, each checked: Qt's
// own buffer drops the error of a short write when it flushes, so a full disk
// would pass for success.
class OutputFile::Sink : public QIODevice {
public:
    explicit Sink(QFileDevice &target) : m_target(target) { open(QIODevice::WriteOnly); }

    bool failed() const { return !m_error.isEmpty(); }
    const QString &error() const { return m_error; }

    bool drain()
    {
        if (!failed() && !m_pending.isEmpty()) {
            const qint64 written = m_target.write(m_pending);
            if (written != m_pending.size()) {
                m_error = m_target.errorString();
                if (m_target.error() == QFileDevice::NoError) {
                    m_error = u"%1 バイトのうち %2 バイトしか書き込めませんでした。"_s
                                  .arg(m_pending.size())
                                  .arg(qMax<qint64>(written, 0));
                }
            }
            m_pending.clear();
        }
        return !failed();
    }

protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *data, qint64 size) override
    {
        if (failed()) {
            return -1;
        }
        m_pending.append(data, size);
        if (m_pending.size() >= BufferSize && !drain()) {
            return -1;
        }
        return size;
    }

private:
    static constexpr qsizetype BufferSize = 256 * 1024;

    QFileDevice &m_target;
    QByteArray m_pending;
    QString m_error;
};

OutputFile::OutputFile(const QString &path) : m_path(path)
{
}

OutputFile::~OutputFile()
{
    cancel();
}

void OutputFile::open()
{
    const QIODevice::OpenMode mode = QIODevice::WriteOnly | QIODevice::Unbuffered;
    const QFileInfo target(m_path);
    bool opened = false;
    if (m_path == u"-"_s) {
        std::fflush(stdout); // whatever the program printed before goes first
        auto file = std::make_unique<QFile>();
        opened = file->open(STDOUT_FILENO, mode);
        m_target = std::move(file);
    } else if (target.exists() && !target.isFile()) {
        m_target = std::make_unique<QFile>(m_path);
        opened = m_target->open(mode);
    } else {
        m_target = std::make_unique<QSaveFile>(m_path);
        opened = m_target->open(mode);
    }
    if (!opened) {
        const QString reason = m_target->errorString();
        m_target.reset();
        fail(reason);
    }
    m_sink = std::make_unique<Sink>(*m_target);
}

QIODevice &OutputFile::device()
{
    if (!m_sink) {
        fail(u"ファイルが開かれていません。"_s);
    }
    return *m_sink;
}

void OutputFile::write(QByteArrayView bytes)
{
    if (device().write(bytes.data(), bytes.size()) != bytes.size()) {
        fail(QString());
    }
}

void OutputFile::check()
{
    if (m_sink && m_sink->failed()) {
        fail(QString());
    }
}

void OutputFile::commit()
{
    if (!device().isOpen() || !m_sink->drain()) {
        fail(QString());
    }
    auto *save = qobject_cast<QSaveFile *>(m_target.get());
    const bool written = save ? save->commit() : m_target->error() == QFileDevice::NoError;
    const QString reason = m_target->errorString();
    m_sink.reset();
    m_target.reset();
    if (!written) {
        fail(reason);
    }
}

void OutputFile::cancel()
{
    m_sink.reset();
    m_target.reset(); // an uncommitted save file removes what it wrote
}

void OutputFile::fail(const QString &reason)
{
    const QString why = m_sink && m_sink->failed() ? m_sink->error() : reason;
    const QString name = m_path == u"-"_s ? u"標準出力"_s : m_path;
    throw HekiraError(u"ファイル \"%1\" を作成できません。%2"_s.arg(name, why));
}
