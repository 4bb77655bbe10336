#include "randomgenerator.h"

#include <chrono>

RandomGenerator::RandomGenerator(quint32 seed) : m_seed(seed)
{
}

quint32 RandomGenerator::clockSeed()
{
    return static_cast<quint32>(std::chrono::steady_clock::now().time_since_epoch().count());
}

qint32 RandomGenerator::next(qint32 n)
{
    m_seed = m_seed * 134775813u + 1u;
    return static_cast<qint32>((static_cast<quint64>(m_seed) * static_cast<quint32>(n)) >> 32);
}
