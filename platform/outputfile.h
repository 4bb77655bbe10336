#pragma once

#include <QByteArrayView>
#include <QString>
#include <memory>

class QFileDevice;
class QIODevice;

/// A file being written: beside its target, which it replaces only at commit,
/// so that a failure leaves what stood there before. Standard output ("-") and
/// targets that are no regular file (a device, a pipe) are written directly:
/// renaming over them would replace the device. Every write is checked, short
/// ones included; every failure throws HekiraError "ファイル "%s" を作成できません。%s".
class OutputFile {
public:
    explicit OutputFile(const QString &path);
    ~OutputFile();
    OutputFile(const OutputFile &) = delete;
    OutputFile &operator=(const OutputFile &) = delete;

    /// Opens the file; nothing is replaced yet.
    void open();
    /// A buffered device onto the file, for writers that stream into it. A failed
    /// write makes it refuse every later one; the next check here throws.
    QIODevice &device();
    void write(QByteArrayView bytes);
    /// Throws when a write through device() has failed, so a long document stops
    /// at once.
    void check();
    /// Replaces the target with what was written (or ends writing a device).
    void commit();
    /// Drops what was written; the target stays as it was.
    void cancel();

    /// Throws the error for this file: why its last write failed when one did, else
    /// the reason given.
    [[noreturn]] void fail(const QString &reason);

private:
    class Sink;

    QString m_path;
    std::unique_ptr<QFileDevice> m_target;
    std::unique_ptr<Sink> m_sink;
};
