#include "lineorder.h"

#include <vector>

void ShuffleFirstPage(LineList &workLines, const LineList &exMoji, qint32 linesOnPage,
                      RandomGenerator &random)
{
    // Rejection draws: a row number already taken is drawn again.
    std::vector<bool> used(static_cast<size_t>(qMax(linesOnPage, 0)), false);
    std::vector<qint32> permutation;
    permutation.reserve(used.size());
    for (qint32 i = 0; i < linesOnPage; ++i) {
        qint32 r = random.next(linesOnPage);
        while (used[static_cast<size_t>(r)]) {
            r = random.next(linesOnPage);
        }
        used[static_cast<size_t>(r)] = true;
        permutation.push_back(r);
    }
    while (workLines.count() < linesOnPage) {
        workLines.add(QByteArray());
    }
    for (qint32 i = 0; i < linesOnPage; ++i) {
        workLines.replace(i, exMoji.line(permutation[static_cast<size_t>(i)]));
    }
}
