#pragma once

#include "exportrequest.h"
#include "linelist.h"
#include "pageengine.h"
#include "randomgenerator.h"

#include <QByteArray>
#include <QImage>
#include <QSize>

/// Draws the sheets a command line asks for, into memory: nothing reaches a
/// file unless every page was drawn.
class SheetExporter {
public:
    SheetExporter(const ExportRequest &request, const LineList &lines);

    /// The requested page as a PNG image.
    QByteArray png();
    /// Every page in one PDF, stepping through the text a page's lines at a time.
    QByteArray pdf();
    /// The requested page as the preview box shows it: 441 x 320, turned clockwise.
    QByteArray previewPng();
    /// The drawing calls of the requested page, or of every page.
    QByteArray trace();

private:
    QImage drawImage(QSize size);
    qint32 pageCount() const;
    PageState pageState(qint32 pageIndex) const;

    const ExportRequest &m_request;
    const LineList &m_lines;
    SheetSettings m_settings;
    RandomGenerator m_random;
    PageEngine m_engine;
};
