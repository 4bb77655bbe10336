#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

/// Reads a fuzzer's bytes from the front: numbers first, the rest as text.
class FuzzInput {
public:
    FuzzInput(const uint8_t *data, size_t size)
        : m_bytes(reinterpret_cast<const char *>(data), qsizetype(size))
    {
    }

    /// A number from the next byte (0 when none is left).
    int byte() { return m_bytes.isEmpty() ? 0 : static_cast<unsigned char>(take(1)[0]); }
    /// A number in low..high from the next bytes.
    int in(int low, int high)
    {
        const int span = high - low + 1;
        const int raw = span > 256 ? (byte() << 8 | byte()) : byte();
        return low + raw % span;
    }
    QByteArrayView take(qsizetype count)
    {
        const QByteArrayView part = m_bytes.first(qMin(count, m_bytes.size()));
        m_bytes = m_bytes.sliced(part.size());
        return part;
    }
    QByteArrayView rest() { return take(m_bytes.size()); }

private:
    QByteArrayView m_bytes;
};

/// A property that does not hold: reported, then the fuzzer stops on the input.
#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "property failed: %s (%s:%d)\n", #condition, __FILE__, __LINE__); \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)
