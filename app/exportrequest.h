#pragma once

#include "lineoperations.h"
#include "sheetsettings.h"
#include "textdocument.h"

#include <QList>
#include <QPageSize>
#include <QSize>
#include <QString>
#include <optional>

/// What the command line asks for: the sheet, its text and the files to write.
struct ExportRequest {
    SheetSettings settings;
    QString textFile; ///< "-" for standard input, empty for no text
    TextEncoding encoding = TextEncoding::Auto;
    int grade = 0; ///< --grade: the kanji of this school grade are the text; 0 for none
    /// --edit: applied in order to the lines read, before anything uses them
    QList<LineOperations::Edit> edits;
    QString pngFile;
    QString pdfFile;
    QString traceFile; ///< "-" for standard output
    QString previewPngFile;
    /// --text-out: the edited lines as a text file, "-" for standard output
    QString textOutFile;
    int page = 1; ///< 1-based page for --png and --trace
    bool allPages = false;
    std::optional<QSize> size;
    QPageSize::PageSizeId paper = QPageSize::A4;
    int dpi = 600;
    std::optional<quint32> seed;
    bool listFonts = false; ///< --list-fonts: print the faces that can be chosen
    bool help = false;
    bool version = false;      ///< --version: "hekira <version>" and nothing else
    bool sheetOptions = false; ///< an option beyond the text file and its encoding was given

    bool hasOutput() const
    {
        return !pngFile.isEmpty() || !pdfFile.isEmpty() || !traceFile.isEmpty() ||
               !previewPngFile.isEmpty() || !textOutFile.isEmpty();
    }
};
