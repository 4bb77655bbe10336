#pragma once

#include "linelist.h"
#include "randomgenerator.h"

/// Puts the first page's lines of workLines in a random order: row i gets
/// source line p(i) of exMoji for a uniformly drawn permutation p of the page's
/// rows. Rows past the text are padded with empty lines first, so every source
/// line of the first page appears exactly once however short the text is.
void ShuffleFirstPage(LineList &workLines, const LineList &exMoji, qint32 linesOnPage,
                      RandomGenerator &random);
