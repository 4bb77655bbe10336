#pragma once

#include <QtGlobal>

/// The program's one pseudo-random source: a 32-bit linear congruential generator.
class RandomGenerator {
public:
    explicit RandomGenerator(quint32 seed = 0);
    /// A seed that differs from run to run: the low 32 bits of a high-resolution clock.
    static quint32 clockSeed();
    /// A uniform draw from 0 to n - 1.
    qint32 next(qint32 n);

private:
    quint32 m_seed;
};
