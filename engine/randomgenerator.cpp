#include "randomgenerator.h"

RandomGenerator::RandomGenerator(quint32 seed) : m_seed(seed)
{
}

void RandomGenerator::seed(quint32 seed)
{
    m_seed = seed;
}

qint32 RandomGenerator::next(qint32 n)
{
    m_seed = m_seed * 134775813u + 1u;
    return static_cast<qint32>((static_cast<quint64>(m_seed) * static_cast<quint32>(n)) >> 32);
}
