#pragma once

#include <QtGlobal>

/// The paging cursor: which line of the text starts the page drawn.
struct PageState {
    qint32 LinesPerPage = 0; ///< lines a page holds, set by the preview
    qint32 PageTop = 0;      ///< 0-based index of the line in the page's first row
    qint32 NextPageTop = 0;  ///< where the next-page command moves to
};
