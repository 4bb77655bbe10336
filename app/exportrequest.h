#pragma once

#include "sheetsettings.h"
#include "textfile.h"

#include <QPageSize>
#include <QSize>
#include <QString>
#include <optional>

/// What the command line asks for: the sheet, its text and the files to write.
struct ExportRequest {
    SheetSettings settings;
    QString textFile; ///< "-" for standard input, empty for no text
    TextEncoding encoding = TextEncoding::Auto;
    QString pngFile;
    QString pdfFile;
    QString traceFile; ///< "-" for standard output
    QString previewPngFile;
    int page = 1; ///< 1-based page for --png and --trace
    bool allPages = false;
    std::optional<QSize> size;
    QPageSize::PageSizeId paper = QPageSize::A4;
    int dpi = 600;
    std::optional<quint32> seed;
    bool help = false;
    bool sheetOptions = false; ///< an option beyond the text file and its encoding was given

    bool hasOutput() const
    {
        return !pngFile.isEmpty() || !pdfFile.isEmpty() || !traceFile.isEmpty() ||
               !previewPngFile.isEmpty();
    }
};
